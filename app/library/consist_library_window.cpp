#include "app/library/consist_library_window.h"

#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

#include "app/common/actions.h"
#include "app/common/qt_text.h"
#include "app/common/shared_actions.h"
#include "app/common/user_messages.h"
#include "app/document/consist_document.h"
#include "app/document/consist_folder_watch.h"
#include "app/library/consist_file_actions.h"
#include "app/library/consist_library_model.h"
#include "consist/check_summary.h"

namespace rakewright {

ConsistLibraryWindow::ConsistLibraryWindow(ConsistDocument& document, const SharedActions& actions,
                                           QWidget* owner)
    : QWidget(owner, Qt::Window), document_(document) {
  setObjectName(QStringLiteral("LibraryWindow"));
  setWindowTitle(QStringLiteral("Составы"));
  scanner_ = new ConsistLibraryScanner(document.anchors().dataRoot,
                                       document.anchors().programFolder, this);
  // The document's watch of the consist folder: one look a second is enough.
  watch_ = &document.folderWatch();
  buildControls();
  connectSignals();
  actions.addTo(this);
  resize(860, 600);
}

void ConsistLibraryWindow::buildControls() {
  auto* layout = new QVBoxLayout(this);

  auto* top = new QHBoxLayout;
  filter_ = new QLineEdit(this);
  filter_->setObjectName(QStringLiteral("LibraryFilter"));
  filter_->setPlaceholderText(QStringLiteral("Фильтр: часть имени файла или названия вагона"));
  filter_->setClearButtonEnabled(true);
  checkButton_ = new QPushButton(QStringLiteral("Проверить все"), this);
  checkButton_->setObjectName(QStringLiteral("CheckAllButton"));
  checkButton_->setToolTip(QStringLiteral("Прочитать и проверить все файлы заново"));
  top->addWidget(filter_, 1);
  top->addWidget(checkButton_);
  layout->addLayout(top);

  model_ = new ConsistLibraryModel(this);
  proxy_ = new QSortFilterProxyModel(this);
  proxy_->setSourceModel(model_);
  proxy_->setSortRole(ConsistLibraryModel::SortRole);
  proxy_->setFilterRole(ConsistLibraryModel::FilterRole);
  proxy_->setFilterCaseSensitivity(Qt::CaseInsensitive);
  proxy_->setFilterKeyColumn(ConsistLibraryModel::File);

  table_ = new QTableView(this);
  table_->setObjectName(QStringLiteral("LibraryTable"));
  table_->setModel(proxy_);
  table_->setSortingEnabled(true);
  table_->sortByColumn(ConsistLibraryModel::File, Qt::AscendingOrder);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  // Whole rows are chosen, so Tab goes on to the file's problems rather than across the cells.
  table_->setTabKeyNavigation(false);
  table_->verticalHeader()->hide();
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 8);
  table_->setIconSize(QSize(16, 16));
  table_->setWordWrap(false);
  table_->horizontalHeader()->setSectionResizeMode(ConsistLibraryModel::File, QHeaderView::Stretch);
  // The figures take what their widest texts need (measured once, not over a thousand rows), the
  // file name the rest.
  const QFontMetrics metrics = table_->fontMetrics();
  const QString widest[] = {{},
                            QStringLiteral("100"),
                            QStringLiteral("99999.99"),
                            QStringLiteral("99999.99"),
                            QStringLiteral("9999"),
                            QStringLiteral("00.00.0000 00:00"),
                            QStringLiteral("ошибки: 99, замечания: 99")};
  for (int column = ConsistLibraryModel::Wagons; column < ConsistLibraryModel::kColumns; ++column) {
    const QString header = model_->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    table_->setColumnWidth(column, std::max(metrics.horizontalAdvance(widest[column]) + 12,
                                            metrics.horizontalAdvance(header) + 28));
  }
  layout->addWidget(table_, 3);

  auto* problemsCaption = new QLabel(QStringLiteral("Ошибки и замечания выбранного файла:"), this);
  problems_ = new QListWidget(this);
  problems_->setObjectName(QStringLiteral("LibraryProblems"));
  problems_->setIconSize(QSize(16, 16));
  problems_->setWordWrap(true);
  problemsCaption->setBuddy(problems_);
  layout->addWidget(problemsCaption);
  layout->addWidget(problems_, 2);
  auto* fixRow = new QHBoxLayout;
  fixButton_ = new QPushButton(QStringLiteral("Исправить в базе…"), this);
  fixButton_->setObjectName(QStringLiteral("FixInBaseButton"));
  fixButton_->setToolTip(
      QStringLiteral("Открыть базу подвижного состава на вагоне выбранного замечания (Ctrl+B)"));
  fixButton_->setEnabled(false);
  fixRow->addWidget(fixButton_);
  fixRow->addStretch(1);
  layout->addLayout(fixRow);

  auto* buttons = new QHBoxLayout;
  const auto button = [&](const char* name, const QString& text, const QString& tip) {
    auto* control = new QPushButton(text, this);
    control->setObjectName(QLatin1String(name));
    control->setToolTip(tip);
    buttons->addWidget(control);
    return control;
  };
  openButton_ = button("OpenButton", QStringLiteral("Открыть"),
                       QStringLiteral("Загрузить состав в главное окно, как «Load» (Enter)"));
  copyButton_ = button("CopyFileButton", QStringLiteral("Копия…"),
                       QStringLiteral("Сохранить копию файла под новым именем"));
  renameButton_ = button("RenameButton", QStringLiteral("Переименовать…"),
                         QStringLiteral("Переименовать файл (F2)"));
  deleteButton_ = button("DeleteFileButton", QStringLiteral("Удалить…"),
                         QStringLiteral("Переместить файл в корзину (Delete)"));
  buttons->addStretch(1);
  layout->addLayout(buttons);

  status_ = new QLabel(this);
  status_->setObjectName(QStringLiteral("LibraryStatus"));
  status_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  layout->addWidget(status_);
}

void ConsistLibraryWindow::connectSignals() {
  connect(scanner_, &ConsistLibraryScanner::passed, this, &ConsistLibraryWindow::showPass);
  const auto lookAgain = [this] {
    if (isVisible()) {
      scanner_->request();
    }
  };
  connect(watch_, &ConsistFolderWatch::changed, this, lookAgain);
  connect(&document_, &ConsistDocument::baseChanged, this, lookAgain);
  connect(filter_, &QLineEdit::textChanged, proxy_, &QSortFilterProxyModel::setFilterFixedString);
  connect(filter_, &QLineEdit::textChanged, this, &ConsistLibraryWindow::ensureSelection);
  connect(filter_, &QLineEdit::returnPressed, this,
          guardedSlot(document_.messages(), [this] { openSelected(); }));
  filter_->installEventFilter(this);
  connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &ConsistLibraryWindow::showProblems);
  connect(proxy_, &QAbstractItemModel::modelReset, this, &ConsistLibraryWindow::showProblems);
  connect(proxy_, &QAbstractItemModel::layoutChanged, this, &ConsistLibraryWindow::showProblems);
  connect(proxy_, &QAbstractItemModel::rowsRemoved, this, &ConsistLibraryWindow::showProblems);
  connect(table_, &QTableView::activated, this, &ConsistLibraryWindow::openSelected);
  connect(problems_, &QListWidget::currentItemChanged, this,
          [this] { fixButton_->setEnabled(!wagonInView().empty()); });
  connect(fixButton_, &QPushButton::clicked, this, [this] {
    if (const std::string name = wagonInView(); !name.empty()) {
      emit fixInBaseRequested(name);
    }
  });
  connect(problems_, &QListWidget::itemActivated, this, [this] { fixButton_->click(); });

  // Each command once: its button shows the action's tip, and its keys act in the table (Delete in
  // the filter box edits the filter).
  const auto command = [this](QPushButton* button, const QList<QKeySequence>& keys,
                              void (ConsistLibraryWindow::*handler)()) {
    QAction* action = makeAction(
        this, button->text(), button->toolTip(), document_.messages(),
        [this, handler] { (this->*handler)(); }, keys);
    action->setShortcutContext(Qt::WidgetShortcut);
    table_->addAction(action);
    triggerOnClick(button, action);
  };
  command(openButton_, {}, &ConsistLibraryWindow::openSelected);
  command(copyButton_, {}, &ConsistLibraryWindow::copySelected);
  command(renameButton_, {QKeySequence(Qt::Key_F2)}, &ConsistLibraryWindow::renameSelected);
  command(deleteButton_, {QKeySequence(QKeySequence::Delete)},
          &ConsistLibraryWindow::deleteSelected);
  command(checkButton_, {}, &ConsistLibraryWindow::checkAll);
  auto* find = makeAction(this, QStringLiteral("Найти"), QString(), document_.messages(),
                          [this] { filter_->setFocus(); }, {QKeySequence(QKeySequence::Find)});
  addAction(find);
}

void ConsistLibraryWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!listedOnce_) {
    status_->setText(QStringLiteral("Проверка файлов…"));
  }
  scanner_->request();
}

std::string ConsistLibraryWindow::wagonInView() const {
  const QListWidgetItem* item = problems_->currentItem();
  return item != nullptr ? item->data(Qt::UserRole).toByteArray().toStdString() : std::string();
}

void ConsistLibraryWindow::focusFilter() {
  filter_->setFocus(Qt::ActiveWindowFocusReason);
  filter_->selectAll();
  ensureSelection();
}

bool ConsistLibraryWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == filter_ && event->type() == QEvent::KeyPress) {
    switch (static_cast<QKeyEvent*>(event)->key()) {
      case Qt::Key_Up:
      case Qt::Key_Down:
      case Qt::Key_PageUp:
      case Qt::Key_PageDown:
        // The filter box has no use for them: they move through the table.
        QApplication::sendEvent(table_, event);
        return true;
      default:
        break;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void ConsistLibraryWindow::ensureSelection() {
  if (table_->selectionModel()->hasSelection() || proxy_->rowCount() == 0) {
    return;
  }
  const QModelIndex first = proxy_->index(0, 0);
  table_->selectionModel()->setCurrentIndex(
      first, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  table_->scrollTo(first);
  showProblems();
}

void ConsistLibraryWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

void ConsistLibraryWindow::showPass(const ConsistFileEntries& entries, int checked,
                                    qint64 milliseconds) {
  std::string keep = pendingSelection_;
  if (keep.empty()) {
    if (const ConsistFileEntry* selected = selectedEntry()) {
      keep = selected->diskPath;
    }
  }
  model_->setEntries(entries);
  listedOnce_ = true;
  select(keep);
  if (!keep.empty() && model_->rowOf(keep) >= 0) {
    pendingSelection_.clear();
  }
  ensureSelection();

  // The summary the command line's --check prints too.
  const CheckCounts counts{model_->rowCount(), model_->filesWithErrors(),
                           model_->filesWithWarningsOnly()};
  status_->setText(fromCp1251(checkSummary(counts, checked, milliseconds)));
  emit listed();
}

void ConsistLibraryWindow::select(const std::string& diskPath) {
  const int row = diskPath.empty() ? -1 : model_->rowOf(diskPath);
  if (row < 0) {
    showProblems();
    return;
  }
  const QModelIndex index = proxy_->mapFromSource(model_->index(row, 0));
  if (index.isValid()) {
    table_->selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    table_->scrollTo(index);
  }
  showProblems();
}

const ConsistFileEntry* ConsistLibraryWindow::selectedEntry() const {
  const QModelIndexList rows = table_->selectionModel()->selectedRows();
  return rows.isEmpty() ? nullptr : model_->entry(proxy_->mapToSource(rows.first()).row());
}

void ConsistLibraryWindow::showProblems() {
  problems_->clear();
  const ConsistFileEntry* entry = selectedEntry();
  openButton_->setEnabled(entry != nullptr);
  copyButton_->setEnabled(entry != nullptr);
  renameButton_->setEnabled(entry != nullptr);
  deleteButton_->setEnabled(entry != nullptr);
  if (entry == nullptr) {
    return;
  }
  QStyle* style = QApplication::style();
  for (const ConsistProblem& problem : entry->check.problems) {
    auto* item = new QListWidgetItem(fromCp1251(problem.text), problems_);
    item->setData(Qt::UserRole, QByteArray::fromStdString(problem.name));
    item->setIcon(style->standardIcon(problem.isError() ? QStyle::SP_MessageBoxCritical
                                                        : QStyle::SP_MessageBoxWarning));
  }
  if (entry->check.problems.empty()) {
    new QListWidgetItem(QStringLiteral("Ошибок и замечаний нет."), problems_);
  }
}

void ConsistLibraryWindow::rescan(const std::string& diskPath) {
  pendingSelection_ = diskPath;
  scanner_->request();
}

void ConsistLibraryWindow::openSelected() {
  if (const ConsistFileEntry* entry = selectedEntry()) {
    document_.setFileName(fromCp1251(entry->name));
    guarded(document_.messages(), [this] { document_.load(); });
    emit fileOpened();
  }
}

void ConsistLibraryWindow::copySelected() {
  const ConsistFileEntry* entry = selectedEntry();
  if (entry == nullptr) {
    return;
  }
  const QString name = fromCp1251(entry->name);
  QString suggested = name;
  if (suggested.endsWith(QStringLiteral(".con"))) {
    suggested.chop(4);
  }
  const std::optional<QString> typed = document_.messages().askText(
      QStringLiteral("Имя копии файла «%1»:").arg(name), suggested + QStringLiteral("_копия.con"));
  if (!typed) {
    return;
  }
  const std::string from = entry->diskPath;
  if (const auto copy =
          copyConsistFile(document_.anchors().dataRoot, from, *typed, document_.messages())) {
    rescan(*copy);
  }
}

void ConsistLibraryWindow::renameSelected() {
  const ConsistFileEntry* entry = selectedEntry();
  if (entry == nullptr) {
    return;
  }
  const QString name = fromCp1251(entry->name);
  const std::optional<QString> typed =
      document_.messages().askText(QStringLiteral("Новое имя файла «%1»:").arg(name), name);
  if (!typed) {
    return;
  }
  const std::string from = entry->diskPath;
  if (const auto renamed =
          renameConsistFile(document_.anchors().dataRoot, from, *typed, document_.messages())) {
    rescan(*renamed);
  }
}

void ConsistLibraryWindow::deleteSelected() {
  const ConsistFileEntry* entry = selectedEntry();
  if (entry == nullptr) {
    return;
  }
  const std::string path = entry->diskPath;
  if (trashConsistFile(path, fromCp1251(entry->name), document_.messages())) {
    rescan({});
  }
}

void ConsistLibraryWindow::checkAll() {
  status_->setText(QStringLiteral("Проверка файлов…"));
  scanner_->request(true);
}

}  // namespace rakewright
