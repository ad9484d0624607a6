#include "app/train/train_window.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QStackedWidget>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>
#include <utility>

#include "app/common/actions.h"
#include "app/common/qt_text.h"
#include "app/common/shared_actions.h"
#include "app/common/user_messages.h"
#include "app/document/consist_document.h"
#include "app/train/train_export.h"
#include "app/train/train_picture_view.h"
#include "app/train/train_table_model.h"
#include "consist/paging.h"

namespace rakewright {

namespace {

using Outcome = ConsistModel::AddOutcome;

// Pictures are decoded at twice the size of a strip slot: sharp when zoomed in and exported.
constexpr QSize kPictureBox(334, 120);

const QString kTitle = QStringLiteral("Весь состав");

QString totalsText(const ConsistModel& model) {
  return QStringLiteral("Вагонов: %1    Длина: %2 м    Вес: %3 т    Осей: %4")
      .arg(fromCp1251(model.wagonCountText()), fromCp1251(model.lengthText()),
           fromCp1251(model.weightText()), fromCp1251(model.axlesText()));
}

// The consecutive lines first..first+count-1.
std::vector<int> lineRange(int first, int count) {
  std::vector<int> lines;
  for (int i = 0; i < count; ++i) {
    lines.push_back(first + i);
  }
  return lines;
}

}  // namespace

TrainWindow::TrainWindow(ConsistDocument& document, const SharedActions& actions, QWidget* owner)
    : QWidget(owner, Qt::Window),
      document_(document),
      pictures_(document.anchors().dataRoot, kPictureBox) {
  setObjectName(QStringLiteral("TrainWindow"));
  buildControls();
  connectSignals();
  actions.addTo(this);
  showTitle();
  resize(1000, 330);
}

void TrainWindow::buildControls() {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->setSpacing(4);

  auto* tools = new QHBoxLayout;
  tools->setSpacing(2);
  // Each command once: its button (where it has one) shows the action's text and tip, and its
  // keys work anywhere in the window.
  UserMessages& messages = document_.messages();
  const auto command = [&](const char* buttonName, const QString& text, const QString& tip,
                           const QList<QKeySequence>& keys, std::function<void()> handler) {
    QAction* action = makeAction(this, text, tip, messages, std::move(handler), keys);
    action->setIconText(text);
    addAction(action);
    if (buttonName != nullptr) {
      auto* button = new QToolButton(this);
      button->setObjectName(QLatin1String(buttonName));
      button->setDefaultAction(action);
      button->setAutoRaise(true);
      tools->addWidget(button);
    }
    return action;
  };
  const auto key = [](QKeySequence::StandardKey standard) { return QKeySequence(standard); };
  const auto ctrl = [](int keyCode) { return QKeySequence(Qt::CTRL | keyCode); };
  QAction* table = command("TableToggle", QStringLiteral("Таблица"),
                           QStringLiteral("Показать состав таблицей или картинками (F4)"),
                           {QKeySequence(Qt::Key_F4)}, [] {});
  table->setCheckable(true);
  connect(table, &QAction::toggled, this, &TrainWindow::showTable);
  tableToggle_ = table;
  tools->addSpacing(12);
  command("RemoveButton", QStringLiteral("Удалить"),
          QStringLiteral("Удалить выбранные вагоны (Delete)"), {key(QKeySequence::Delete)},
          [this] { removeSelected(); });
  command("CutButton", QStringLiteral("Вырезать"),
          QStringLiteral("Вырезать выбранные вагоны (Ctrl+X)"), {ctrl(Qt::Key_X)},
          [this] { cutSelected(); });
  command("CopyButton", QStringLiteral("Копировать"),
          QStringLiteral("Копировать выбранные вагоны (Ctrl+C)"), {ctrl(Qt::Key_C)},
          [this] { copySelected(); });
  command("PasteButton", QStringLiteral("Вставить"),
          QStringLiteral("Вставить скопированные вагоны перед текущим местом (Ctrl+V)"),
          {ctrl(Qt::Key_V)}, [this] { paste(); });
  command("ReverseButton", QStringLiteral("Развернуть"),
          QStringLiteral("Развернуть выбранные вагоны задом наперёд (Ctrl+R)"), {ctrl(Qt::Key_R)},
          [this] { reverseSelected(); });
  command("RepeatButton", QStringLiteral("Повторить…"),
          QStringLiteral("Повторить выбранные вагоны несколько раз подряд (Ctrl+D)"),
          {ctrl(Qt::Key_D)}, [this] { repeatSelected(); });
  tools->addStretch(1);
  command("ZoomOutButton", QStringLiteral("−"),
          QStringLiteral("Мельче (Ctrl+минус, Ctrl+колесо мыши)"), {ctrl(Qt::Key_Minus)},
          [this] { picture_->zoomOut(); });
  command("FitButton", QStringLiteral("По ширине"),
          QStringLiteral("Весь состав по ширине (Ctrl+0)"), {ctrl(Qt::Key_0)},
          [this] { picture_->fitWidth(); });
  command("ZoomInButton", QStringLiteral("+"),
          QStringLiteral("Крупнее (Ctrl+плюс, Ctrl+колесо мыши)"),
          {ctrl(Qt::Key_Plus), ctrl(Qt::Key_Equal)}, [this] { picture_->zoomIn(); });
  tools->addSpacing(12);
  command("ExportButton", QStringLiteral("Сохранить картинку…"),
          QStringLiteral("Сохранить весь состав картинкой PNG (Ctrl+E)"), {ctrl(Qt::Key_E)},
          [this] { exportPicture(); });
  command(nullptr, QStringLiteral("Выбрать все"), QString(), {ctrl(Qt::Key_A)},
          [this] { select(lineRange(0, document_.model().wagonCount()), currentLine()); });
  layout->addLayout(tools);

  views_ = new QStackedWidget(this);
  picture_ = new TrainPictureView(views_);
  picture_->setObjectName(QStringLiteral("TrainPicture"));
  picture_->setToolTip(
      QStringLiteral("Щелчок выбирает вагон, Shift+щелчок — несколько подряд, Ctrl+щелчок — "
                     "добавляет или убирает; перетаскивание переставляет выбранные; двойной "
                     "щелчок показывает вагон в ленте главного окна"));
  table_ = new QTableView(views_);
  table_->setObjectName(QStringLiteral("TrainTable"));
  tableModel_ = new TrainTableModel(table_);
  table_->setModel(tableModel_);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  table_->setDragDropMode(QAbstractItemView::DragDrop);
  table_->setDefaultDropAction(Qt::MoveAction);
  table_->setDragDropOverwriteMode(false);
  table_->setDropIndicatorShown(true);
  table_->verticalHeader()->hide();
  table_->horizontalHeader()->setStretchLastSection(true);
  table_->setWordWrap(false);
  views_->addWidget(picture_);
  views_->addWidget(table_);
  layout->addWidget(views_, 1);

  auto* bottom = new QHBoxLayout;
  totals_ = new QLabel(this);
  totals_->setObjectName(QStringLiteral("TrainTotals"));
  notice_ = new QLabel(this);
  notice_->setObjectName(QStringLiteral("TrainNotice"));
  bottom->addWidget(totals_, 1);
  bottom->addWidget(notice_);
  layout->addLayout(bottom);
}

void TrainWindow::connectSignals() {
  connect(&document_, &ConsistDocument::changed, this,
          guardedSlot(document_.messages(), [this] { refresh(); }));
  connect(&document_, &ConsistDocument::paged, this, [this] { showStripRange(); });
  connect(&document_, &ConsistDocument::fileNameChanged, this, &TrainWindow::showTitle);

  connect(picture_, &TrainPictureView::moveRequested, this, &TrainWindow::moveBlockTo);
  connect(
      picture_, &TrainPictureView::wagonActivated, this,
      guardedSlot(document_.messages(), [this](int index) { document_.showPosition(index + 1); }));
  // A drop in the table moves the block once the view has finished with the drop.
  connect(tableModel_, &TrainTableModel::moveRequested, this, &TrainWindow::moveBlockTo,
          Qt::QueuedConnection);
  // One selection for both views: the table's.
  picture_->setSelectionModel(table_->selectionModel());
  connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &TrainWindow::showNotice);
  connect(table_, &QTableView::doubleClicked, this,
          guardedSlot(document_.messages(), [this](const QModelIndex& index) {
            document_.showPosition(index.row() + 1);
          }));
}

void TrainWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // Pictures changed on disk while the window was closed are read anew.
  pictures_.clear();
  shown_.clear();
  guarded(document_.messages(), [this] { refresh(); });
}

void TrainWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

std::vector<TrainItem> TrainWindow::trainItems() {
  const ConsistModel& model = document_.model();
  std::vector<TrainItem> items;
  for (int p = 1; p <= model.wagonCount(); ++p) {
    const ConsistModel::Wagon& wagon = model.wagons()[static_cast<std::size_t>(p - 1)];
    items.push_back({p, displayText(wagon.name), drawnMetres(wagon.lengthText),
                     pictures_.forPosition(model, p)});
  }
  return items;
}

void TrainWindow::refresh() {
  const ConsistModel& model = document_.model();
  totals_->setText(totalsText(model));
  const int count = model.wagonCount();
  showStripRange();
  if (!isVisible()) {
    return;
  }
  std::vector<ConsistModel::Wagon> wagons = model.wagons();
  if (wagons == shown_) {
    return;
  }
  // A change this window makes keeps the selection (the operation then selects what it made);
  // one made elsewhere may have put other wagons on the lines selected, so it clears it.
  const std::vector<int> kept = editing_ ? selectedLines() : std::vector<int>();
  const int current = std::min(currentLine(), count);
  shown_ = std::move(wagons);
  tableModel_->setWagons(model.wagons());
  picture_->setItems(trainItems());
  select(kept, current);
}

void TrainWindow::showTitle() {
  const QString name = document_.fileName();
  setWindowTitle(name.isEmpty() ? kTitle : kTitle + QStringLiteral(" — ") + name);
}

void TrainWindow::showStripRange() {
  const ConsistModel& model = document_.model();
  picture_->setStripRange(model.pageStart(),
                          std::min(model.wagonCount(), model.pageStart() + kStripSlots - 1));
}

std::vector<int> TrainWindow::selectedLines() const {
  std::vector<int> lines;
  for (const QModelIndex& index : table_->selectionModel()->selectedRows()) {
    lines.push_back(index.row());
  }
  std::sort(lines.begin(), lines.end());
  return lines;
}

int TrainWindow::currentLine() const {
  const QModelIndex current = table_->selectionModel()->currentIndex();
  return current.isValid() ? current.row() : static_cast<int>(shown_.size());
}

void TrainWindow::select(const std::vector<int>& lines, int current) {
  const int count = tableModel_->rowCount();
  QItemSelection rows;
  for (const int line : lines) {
    if (line >= 0 && line < count) {
      rows.select(tableModel_->index(line, 0),
                  tableModel_->index(line, TrainTableModel::kColumns - 1));
    }
  }
  QItemSelectionModel* selection = table_->selectionModel();
  selection->select(rows, QItemSelectionModel::ClearAndSelect);
  if (current >= 0 && current < count) {
    selection->setCurrentIndex(tableModel_->index(current, 0), QItemSelectionModel::NoUpdate);
  } else {
    selection->clearCurrentIndex();
  }
  showNotice();
}

void TrainWindow::showNotice() {
  const std::size_t selected = table_->selectionModel()->selectedRows().size();
  QString notice;
  if (selected > 0) {
    notice = QStringLiteral("Выбрано вагонов: %1").arg(selected);
  }
  if (!clipboard_.empty()) {
    notice += (notice.isEmpty() ? QString() : QStringLiteral("    ")) +
              QStringLiteral("В буфере: %1").arg(clipboard_.size());
  }
  notice_->setText(notice);
}

bool TrainWindow::edit(const QString& text,
                       const std::function<ConsistModel::AddOutcome(ConsistModel&)>& operation) {
  editing_ = true;
  bool done = false;
  guarded(document_.messages(),
          [&] { done = document_.edit(text, operation) == ConsistModel::AddOutcome::Added; });
  editing_ = false;
  return done;
}

void TrainWindow::removeSelected() {
  const std::vector<int> lines = selectedLines();
  if (lines.empty()) {
    return;
  }
  if (edit(QStringLiteral("Удаление вагонов"), [&](ConsistModel& model) {
        removeBlock(model, lines);
        return Outcome::Added;
      })) {
    select({}, lines.front());
  }
}

void TrainWindow::copySelected() {
  const std::vector<int> lines = selectedLines();
  if (lines.empty()) {
    return;
  }
  clipboard_ = copyBlock(document_.model(), lines);
  showNotice();
}

void TrainWindow::cutSelected() {
  const std::vector<int> lines = selectedLines();
  if (lines.empty()) {
    return;
  }
  const WagonBlock copied = copyBlock(document_.model(), lines);
  if (edit(QStringLiteral("Вырезание вагонов"), [&](ConsistModel& model) {
        removeBlock(model, lines);
        return Outcome::Added;
      })) {
    clipboard_ = copied;
    select({}, lines.front());
  }
}

void TrainWindow::paste() {
  if (clipboard_.empty()) {
    return;
  }
  const int at = std::clamp(currentLine(), 0, document_.model().wagonCount());
  const int count = static_cast<int>(clipboard_.size());
  if (edit(QStringLiteral("Вставка вагонов"),
           [&](ConsistModel& model) { return insertBlock(model, at, clipboard_); })) {
    // The pasted wagons selected, and the next paste after them.
    select(lineRange(at, count), at + count);
    picture_->scrollTo(at + count - 1);
  }
}

void TrainWindow::reverseSelected() {
  const std::vector<int> lines = selectedLines();
  if (lines.size() < 2) {
    return;
  }
  const int current = currentLine();
  edit(QStringLiteral("Разворот вагонов"), [&](ConsistModel& model) {
    reverseBlock(model, lines);
    return Outcome::Added;
  });
  select(lines, current);
}

void TrainWindow::repeatSelected() {
  const std::vector<int> lines = selectedLines();
  if (lines.empty()) {
    return;
  }
  const int current = currentLine();
  const std::optional<int> times = document_.messages().askNumber(
      QStringLiteral("Сколько раз подряд должны стоять выбранные вагоны?"), 2, 2,
      ConsistModel::kMaxWagons);
  if (!times) {
    return;
  }
  edit(QStringLiteral("Повтор вагонов"),
       [&](ConsistModel& model) { return repeatBlock(model, lines, *times); });
  select(lines, current);
}

void TrainWindow::moveBlockTo(const std::vector<int>& dragged, int before) {
  guarded(document_.messages(), [&] {
    // A drop from the table arrives after the view is done with it; the consist may have
    // changed meanwhile.
    const int wagons = document_.model().wagonCount();
    std::vector<int> lines = dragged;
    std::erase_if(lines, [wagons](int line) { return line < 0 || line >= wagons; });
    if (lines.empty()) {
      return;
    }
    before = std::clamp(before, 0, wagons);
    int first = 0;
    const int count = static_cast<int>(blockLines(document_.model(), lines).size());
    if (edit(QStringLiteral("Перемещение вагонов"), [&](ConsistModel& model) {
          first = moveBlock(model, lines, before);
          return Outcome::Added;
        })) {
      select(lineRange(first, count), first);
    }
  });
}

void TrainWindow::focusTrain(bool fromStrip) {
  const ConsistModel& model = document_.model();
  if (fromStrip && model.wagonCount() > 0) {
    const int first = std::clamp(model.pageStart() - 1, 0, model.wagonCount() - 1);
    select({first}, first);
    picture_->scrollTo(first);
    table_->scrollTo(tableModel_->index(first, 0));
  }
  views_->currentWidget()->setFocus(Qt::ActiveWindowFocusReason);
}

std::string TrainWindow::wagonInView() const {
  return document_.model().wagonName(currentLine() + 1);
}

void TrainWindow::showTable(bool table) {
  views_->setCurrentWidget(table ? static_cast<QWidget*>(table_) : picture_);
  tableToggle_->setChecked(table);
  views_->currentWidget()->setFocus();
}

void TrainWindow::exportPicture() {
  if (const std::optional<QString> path =
          exportTrainPicture(trainItems(), document_.fileName(), totalsText(document_.model()),
                             document_.messages())) {
    notice_->setText(QStringLiteral("Картинка сохранена: %1").arg(*path));
  }
}

}  // namespace rakewright
