#include "app/base_editor/base_editor_window.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QUndoCommand>
#include <QVBoxLayout>

#include <utility>

#include "app/base_editor/base_filter_model.h"
#include "app/base_editor/base_table_model.h"
#include "app/common/actions.h"
#include "app/common/qt_text.h"
#include "app/common/shared_actions.h"
#include "app/common/user_messages.h"
#include "app/document/consist_document.h"
#include "app/library/consist_library_scanner.h"
#include "platform/cp1251.h"
#include "reference/base_rows.h"
#include "reference/data_paths.h"

namespace rakewright {

namespace {

const QString kTitle = QStringLiteral("База подвижного состава");
const QString kSaveQuestion = QStringLiteral("Сохранить изменения в базе?");
const QString kChangedOnDisk = QStringLiteral(
    "Файл base.ini изменён другой программой после того, как его прочитали. "
    "Записать правку поверх этих изменений?");

// The category cell is edited with a list of the five categories.
class CategoryDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override {
    if (index.column() != BaseTableModel::Category) {
      return QStyledItemDelegate::createEditor(parent, option, index);
    }
    auto* box = new QComboBox(parent);
    box->addItems(BaseTableModel::categoryNames());
    return box;
  }
  void setEditorData(QWidget* editor, const QModelIndex& index) const override {
    if (auto* box = qobject_cast<QComboBox*>(editor)) {
      box->setCurrentIndex(std::max(0, box->findText(index.data(Qt::EditRole).toString())));
      return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
  }
  void setModelData(QWidget* editor, QAbstractItemModel* model,
                    const QModelIndex& index) const override {
    if (auto* box = qobject_cast<QComboBox*>(editor)) {
      model->setData(index, box->currentText(), Qt::EditRole);
      return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
  }
};

// Where a length goes for a name that stands in no length section: the passenger cars for a
// folder catalogue's passenger wagon, else the freight cars; the category can be changed after.
LengthSection sectionFor(const BaseRow& row) {
  if (row.category) {
    return *row.category;
  }
  const bool passenger =
      row.name.find("cup") != std::string::npos || row.name.find("plac") != std::string::npos;
  return passenger ? LengthSection::Pass : LengthSection::Freight;
}

}  // namespace

// One edit of the base: the base before and after it, and the name whose row it changed.
class BaseEditorWindow::Step : public QUndoCommand {
 public:
  Step(BaseEditorWindow& window, BaseFile before, BaseFile after, std::string name)
      : window_(window),
        before_(std::move(before)),
        after_(std::move(after)),
        name_(std::move(name)) {}
  void undo() override { window_.showState(before_, name_); }
  void redo() override { window_.showState(after_, name_); }

 private:
  BaseEditorWindow& window_;
  BaseFile before_;
  BaseFile after_;
  std::string name_;
};

BaseEditorWindow::BaseEditorWindow(ConsistDocument& document, const SharedActions& actions,
                                   const Catalogue& traffic, const Catalogue& folder,
                                   QWidget* owner)
    : QWidget(owner, Qt::Window), document_(document), traffic_(traffic), folder_(folder) {
  setObjectName(QStringLiteral("BaseEditorWindow"));
  setWindowTitle(kTitle);
  scanner_ = new ConsistLibraryScanner(document.anchors().dataRoot,
                                       document.anchors().programFolder, this);
  buildControls();
  makeActions(actions);
  connect(scanner_, &ConsistLibraryScanner::passed, this, [this](ConsistFileEntries entries) {
    std::unordered_set<std::string> names;
    for (const ConsistFileEntry& entry : *entries) {
      names.insert(entry.check.names.begin(), entry.check.names.end());
    }
    addConsistNames(names);
    emit rowsComplete();
  });
  connect(rows_, &BaseTableModel::editRequested, this,
          guardedSlot(document_.messages(), [this](int row, int column, const QString& typed) {
            edit(rows_->row(row).name, column, typed);
          }));
  resize(900, 600);
}

BaseEditorWindow::~BaseEditorWindow() = default;

void BaseEditorWindow::buildControls() {
  auto* layout = new QVBoxLayout(this);
  auto* filters = new QHBoxLayout;
  search_ = new QLineEdit(this);
  search_->setObjectName(QStringLiteral("BaseSearch"));
  search_->setPlaceholderText(QStringLiteral("Поиск по названию"));
  search_->setClearButtonEnabled(true);
  filters->addWidget(search_, 1);

  rows_ = new BaseTableModel(this);
  shown_ = new BaseFilterModel(*rows_, this);
  const struct {
    const char* name;
    const char* text;
    BaseFilterModel::Filter filter;
  } boxes[] = {
      {"WithoutLengthFilter", "без длины", BaseFilterModel::WithoutLength},
      {"WithoutWeightFilter", "без веса", BaseFilterModel::WithoutWeight},
      {"WithoutAxlesFilter", "без осей", BaseFilterModel::WithoutAxles},
      {"NotInCataloguesFilter", "нет в каталогах", BaseFilterModel::NotInCatalogues},
      {"InConsistsFilter", "есть в составах", BaseFilterModel::InConsists},
  };
  for (const auto& box : boxes) {
    auto* check = new QCheckBox(QString::fromUtf8(box.text), this);
    check->setObjectName(QLatin1String(box.name));
    const BaseFilterModel::Filter filter = box.filter;
    connect(check, &QCheckBox::toggled, this, [this, filter](bool on) {
      shown_->setFilter(filter, on);
      showCount();
    });
    filters->addWidget(check);
  }
  layout->addLayout(filters);
  connect(search_, &QLineEdit::textChanged, this, [this](const QString& text) {
    shown_->setSearch(text);
    showCount();
  });

  table_ = new QTableView(this);
  table_->setObjectName(QStringLiteral("BaseTable"));
  table_->setModel(shown_);
  table_->setItemDelegate(new CategoryDelegate(table_));
  table_->setSelectionBehavior(QAbstractItemView::SelectItems);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                          QAbstractItemView::AnyKeyPressed);
  table_->setWordWrap(false);
  // Rows of one height: thousands of rows are laid out without measuring each.
  table_->verticalHeader()->hide();
  table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
  table_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
  table_->setSortingEnabled(true);
  const int widths[] = {260, 230, 80, 70, 50};
  for (int column = 0; column < BaseTableModel::Remarks; ++column) {
    table_->setColumnWidth(column, widths[column]);
  }
  table_->horizontalHeader()->setStretchLastSection(true);
  layout->addWidget(table_, 1);

  status_ = new QLabel(this);
  status_->setObjectName(QStringLiteral("BaseStatus"));
  status_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  layout->addWidget(status_);

  // Down or Enter in the search goes into the table, as in the catalogues.
  connect(search_, &QLineEdit::returnPressed, table_, [this] { table_->setFocus(); });
  search_->installEventFilter(this);
}

void BaseEditorWindow::makeActions(const SharedActions& actions) {
  UserMessages& messages = document_.messages();
  const auto command = [&](const QString& text, const QList<QKeySequence>& keys, auto handler) {
    addAction(makeAction(this, text, QString(), messages, handler, keys));
  };
  command(QStringLiteral("Сохранить базу"), {QKeySequence(Qt::CTRL | Qt::Key_S)},
          [this] { save(); });
  command(QStringLiteral("Отменить правку"), {QKeySequence(Qt::CTRL | Qt::Key_Z)},
          [this] { history_.undo(); });
  command(QStringLiteral("Повторить правку"),
          {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
          [this] { history_.redo(); });
  command(QStringLiteral("Найти"), {QKeySequence(QKeySequence::Find)}, [this] {
    search_->setFocus();
    search_->selectAll();
  });
  addActions({actions.showTrain, actions.showLibrary, actions.showBaseEditor});
}

void BaseEditorWindow::open(const std::string& name) {
  if (!base_.modified()) {
    base_ = BaseFile::read(document_.anchors().programFolder);
    history_.clear();
    showRows();
  } else if (rows_->rowCount() == 0) {
    showRows();
  }
  scanner_->request();
  showAt(name);
}

void BaseEditorWindow::showRows() {
  const std::vector<std::string> names(consistNames_.begin(), consistNames_.end());
  rows_->setRows(baseRows(base_, traffic_, folder_, names));
  showCount();
}

void BaseEditorWindow::showCount() {
  const int all = rows_->rowCount();
  const int shown = shown_->rowCount();
  status_->setText(shown == all ? QStringLiteral("Названий: %1").arg(all)
                                : QStringLiteral("Названий: %1, показано: %2").arg(all).arg(shown));
}

void BaseEditorWindow::addConsistNames(const std::unordered_set<std::string>& names) {
  std::vector<BaseRow> added;
  for (const std::string& name : names) {
    if (!consistNames_.insert(name).second) {
      continue;
    }
    const int row = rows_->rowOf(name);
    if (row >= 0) {
      if (!rows_->row(row).inConsists) {
        BaseRow updated = rows_->row(row);
        updated.inConsists = true;
        rows_->setRow(row, std::move(updated));
      }
      continue;
    }
    BaseRow fresh;
    fresh.name = name;
    fresh.inConsists = true;
    refreshBaseRow(base_, fresh);
    added.push_back(std::move(fresh));
  }
  rows_->addRows(std::move(added));
  shown_->invalidate();
  showCount();
}

void BaseEditorWindow::showAt(const std::string& name) {
  const int row = name.empty() ? -1 : rows_->rowOf(name);
  if (row >= 0) {
    QModelIndex at = shown_->mapFromSource(rows_->index(row, BaseTableModel::Length));
    if (!at.isValid()) {
      // Hidden by the search or a filter: shown again.
      search_->clear();
      for (QCheckBox* box : findChildren<QCheckBox*>()) {
        box->setChecked(false);
      }
      at = shown_->mapFromSource(rows_->index(row, BaseTableModel::Length));
    }
    table_->setCurrentIndex(at);
    table_->scrollTo(at, QAbstractItemView::PositionAtCenter);
  } else if (!table_->currentIndex().isValid() && shown_->rowCount() > 0) {
    table_->setCurrentIndex(shown_->index(0, 0));
  }
  table_->setFocus(Qt::ActiveWindowFocusReason);
}

void BaseEditorWindow::edit(const std::string& name, int column, const QString& typed) {
  const int rowIndex = rows_->rowOf(name);
  if (rowIndex < 0) {
    return;
  }
  const BaseRow& row = rows_->row(rowIndex);
  BaseFile after = base_;
  BaseEdit result;
  QString what;
  if (column == BaseTableModel::Category) {
    const int category = BaseTableModel::categoryNames().indexOf(typed);
    if (category < 0 || (row.category && static_cast<int>(*row.category) == category)) {
      return;
    }
    const LengthSection section = kLengthSections[static_cast<std::size_t>(category)];
    if (row.length.source == FigureSource::Base) {
      result = after.setCategory(row.name, section);
    } else if (!row.length.text.empty()) {
      result = after.setLength(row.name, row.length.text, section);
    } else {
      document_.messages().warning(
          QStringLiteral("У «%1» нет длины: сначала укажите её.").arg(displayText(row.name)));
      return;
    }
    what = QStringLiteral("категория");
  } else {
    const std::string text = inputText(typed.trimmed(), QStringLiteral("Значение"));
    switch (column) {
      case BaseTableModel::Length:
        result = after.setLength(row.name, text, sectionFor(row));
        what = QStringLiteral("длина");
        break;
      case BaseTableModel::Weight:
        result = after.setWeight(row.name, text);
        what = QStringLiteral("вес");
        break;
      case BaseTableModel::Axles:
        result = after.setAxles(row.name, text);
        what = QStringLiteral("оси");
        break;
      default:
        return;
    }
  }
  if (result.refused) {
    document_.messages().warning(fromCp1251(result.message));
    return;
  }
  if (!result.changed) {
    return;
  }
  auto* step = new Step(*this, base_, std::move(after), row.name);
  step->setText(what);
  const QString note = fromCp1251(result.message);
  history_.push(step);
  status_->setText(note.isEmpty() ? QStringLiteral("Изменено: %1, %2").arg(displayText(name), what)
                                  : note);
}

void BaseEditorWindow::showState(const BaseFile& state, const std::string& name) {
  base_ = state;
  const int row = rows_->rowOf(name);
  if (row >= 0) {
    BaseRow updated = rows_->row(row);
    refreshBaseRow(base_, updated);
    rows_->setRow(row, std::move(updated));
  }
}

bool BaseEditorWindow::save() {
  const std::string& folder = document_.anchors().programFolder;
  if (base_.save(folder) == BaseFile::SaveOutcome::ChangedOnDisk) {
    if (!document_.messages().confirm(kChangedOnDisk)) {
      return false;
    }
    base_.save(folder, true);
  }
  status_->setText(QStringLiteral("Сохранено: %1").arg(fromCp1251(paths::kBaseIni)));
  document_.announceBaseChange();
  return true;
}

void BaseEditorWindow::closeEvent(QCloseEvent* event) {
  if (base_.modified()) {
    switch (document_.messages().askToSave(kSaveQuestion)) {
      case UserMessages::SaveAnswer::Save: {
        bool saved = false;
        guarded(document_.messages(), [&] { saved = save(); });
        if (!saved) {
          event->ignore();
          return;
        }
        break;
      }
      case UserMessages::SaveAnswer::Discard:
        // What was not saved is dropped: the next opening reads the file.
        base_ = BaseFile();
        history_.clear();
        rows_->setRows({});
        break;
      case UserMessages::SaveAnswer::Cancel:
        event->ignore();
        return;
    }
  }
  QWidget::closeEvent(event);
}

bool BaseEditorWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == search_ && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Down) {
    table_->setFocus();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void BaseEditorWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace rakewright
