#include "app/widgets.h"

#include <algorithm>

#include <QApplication>
#include <QComboBox>
#include <QDrag>
#include <QFont>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QStyledItemDelegate>

namespace rakewright {

namespace {

// The families are compiled into the program (see prepareApplication), with real bold faces.
// Hinting is fixed to the vertical direction only: the advance widths then stay those of the
// font's design, whatever hint style the machine's fontconfig asks for, so a caption is as wide on
// every machine as on the one where the layout was checked.
QFont fontOf(const QString& family, QFont::StyleHint hint, int pixelSize, bool bold) {
  QFont font(family);
  font.setStyleHint(hint);
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  font.setHintingPreference(QFont::PreferVerticalHinting);
  return font;
}

}  // namespace

QFont uiFont(int pixelSize, bool bold) {
  return fontOf(QStringLiteral("Liberation Sans"), QFont::SansSerif, pixelSize, bold);
}

QFont typewriterFont(int pixelSize, bool bold) {
  return fontOf(QStringLiteral("Liberation Mono"), QFont::TypeWriter, pixelSize, bold);
}

QFont titleFont(int pixelSize, bool bold) {
  return fontOf(QStringLiteral("Liberation Sans"), QFont::SansSerif, pixelSize, bold);
}

void setCaption(QLabel* label, const QString& caption) {
  label->setText(caption);
  label->adjustSize();
}

QLabel* placedLabel(QWidget* parent, const char* name, int left, int top, const QString& caption,
                    const QFont* font) {
  auto* label = new QLabel(parent);
  label->setObjectName(QLatin1String(name));
  label->setTextFormat(Qt::PlainText);  // names from data files are never markup
  if (font != nullptr) {
    label->setFont(*font);
  }
  label->move(left, top);
  setCaption(label, caption);
  return label;
}

void setBaseColour(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Base, colour);
  widget->setPalette(palette);
}

QComboBox* dropDownBox(QWidget* parent, const char* name, int left, int top, int width,
                       const QStringList& items, const QString& text, const QColor& background) {
  auto* box = placed<QComboBox>(parent, name, left, top, width, 21);
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);
  box->addItems(items);
  box->setCurrentIndex(-1);
  box->setEditText(text);
  setBaseColour(box, background);
  return box;
}

namespace {

// Every row of a ListBox has the same height, whatever the font asks for.
class FixedRowDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return {QStyledItemDelegate::sizeHint(option, index).width(), ListBox::kRowHeight};
  }
};

}  // namespace

ListBox::ListBox(QWidget* parent) : QListWidget(parent) {
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(kBorder);
  setItemDelegate(new FixedRowDelegate(this));
  // Every item is one line of the same font: the list need not measure twenty thousand of them.
  setUniformItemSizes(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
}

ListBox::~ListBox() = default;

void ListBox::setDragData(DragData data) {
  dragData_ = std::move(data);
}

void ListBox::setDragExec(DragExec exec) {
  dragExec_ = std::move(exec);
}

void ListBox::setBottomReserve(int pixels) {
  setViewportMargins(0, 0, 0, std::max(0, pixels));
}

void ListBox::mousePressEvent(QMouseEvent* event) {
  // A press of another button while the left one holds an item: the held press happened first.
  deliverHeldPress();
  dragging_ = false;
  const QModelIndex index = indexAt(event->position().toPoint());
  if (!index.isValid()) {
    event->accept();
    return;
  }
  if (!dragData_ || passPresses_ || event->button() != Qt::LeftButton) {
    QListWidget::mousePressEvent(event);
    return;
  }
  HeldPress press{event->position().toPoint(), QPersistentModelIndex(index), nullptr};
  if (selectionModel()->isSelected(index)) {
    QListWidget::mousePressEvent(event);
  } else {
    press.deferred.reset(event->clone());
    event->accept();
  }
  held_ = std::move(press);
}

void ListBox::mouseMoveEvent(QMouseEvent* event) {
  const bool leftDown = (event->buttons() & Qt::LeftButton) != 0;
  if (!leftDown) {
    // The release never came (the button went up outside the program): no click, no drag.
    held_.reset();
    dragging_ = false;
  }
  if (!dragData_ || !leftDown) {
    QListWidget::mouseMoveEvent(event);
    return;
  }
  // With the left button down the mouse drags an item, never the selection.
  event->accept();
  if (!held_ || (event->position().toPoint() - held_->position).manhattanLength() <
                    QApplication::startDragDistance()) {
    return;
  }
  const HeldPress press = std::move(*held_);
  held_.reset();
  dragging_ = true;
  startItemDrag(press);
}

void ListBox::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    if (dragging_) {
      dragging_ = false;
      event->accept();
      return;
    }
    deliverHeldPress();
  }
  QListWidget::mouseReleaseEvent(event);
}

void ListBox::mouseDoubleClickEvent(QMouseEvent* event) {
  deliverHeldPress();
  dragging_ = false;
  // Qt answers a double-click on an item that the last press did not hit with a press of its own;
  // that press selects at once, as a press did before.
  passPresses_ = true;
  if (indexAt(event->position().toPoint()).isValid()) {
    QListWidget::mouseDoubleClickEvent(event);
  } else {
    event->accept();
  }
  passPresses_ = false;
  if (event->button() == Qt::LeftButton) {
    emit listDoubleClicked();
  }
}

void ListBox::deliverHeldPress() {
  if (!held_) {
    return;
  }
  const std::unique_ptr<QMouseEvent> press = std::move(held_->deferred);
  // When the list scrolled or changed under the held button, the press would hit another item.
  const bool itemStillThere =
      held_->index.isValid() && indexAt(held_->position) == QModelIndex(held_->index);
  held_.reset();
  if (press && itemStillThere) {
    QListWidget::mousePressEvent(press.get());
  }
}

void ListBox::startItemDrag(const HeldPress& press) {
  QListWidgetItem* item = itemFromIndex(press.index);
  if (item == nullptr) {
    return;
  }
  std::unique_ptr<QMimeData> data = dragData_(*item);
  if (!data) {
    return;
  }
  constexpr Qt::DropActions kActions = Qt::CopyAction;
  auto* drag = new QDrag(this);
  drag->setMimeData(data.release());
  // The row as it looks under the mouse goes with it.
  const QRect row = visualItemRect(item).intersected(viewport()->rect());
  if (!row.isEmpty()) {
    drag->setPixmap(viewport()->grab(row));
    drag->setHotSpot(press.position - row.topLeft());
  }
  if (dragExec_) {
    dragExec_(*drag, kActions);
    delete drag;
    return;
  }
  // The drag manager may schedule the drag's deletion itself when the drop is over.
  const QPointer<QDrag> running(drag);
  drag->exec(kActions, Qt::CopyAction);
  if (running) {
    running->deleteLater();
  }
}

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {}

void PictureBox::setImage(const QImage& image) {
  image_ = image;
  update();
}

QSize PictureBox::pixelSize() const {
  return size() * devicePixelRatioF();
}

void PictureBox::clear() {
  image_ = QImage();
  update();
}

void PictureBox::paintEvent(QPaintEvent* /*event*/) {
  if (image_.isNull()) {
    return;
  }
  QPainter painter(this);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(rect(), image_);
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
  dragged_ = false;
  pressedAt_ = event->position().toPoint();
  event->accept();
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
  if (!dragEnabled_ || dragged_ || !(event->buttons() & Qt::LeftButton) ||
      (event->position().toPoint() - pressedAt_).manhattanLength() <
          QApplication::startDragDistance()) {
    return;
  }
  dragged_ = true;
  emit dragStarted();
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  if (dragged_) {
    dragged_ = false;
    return;
  }
  emit mouseReleased(event->button());
}

namespace {
constexpr int kPanelGap = 2;  // between status panels, and above them
}  // namespace

StatusBar::StatusBar(std::initializer_list<int> widths, QWidget* parent) : QWidget(parent) {
  int left = 0;
  for (const int width : widths) {
    auto* panel = new QLabel(this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setIndent(3);
    panel->setTextFormat(Qt::PlainText);
    panel->setObjectName(QStringLiteral("Panel%1").arg(panels_.size()));
    panel->setGeometry(left, kPanelGap, width - kPanelGap, 0);
    panels_.push_back(panel);
    left += width;
  }
}

QString StatusBar::panelText(int panel) const {
  return panels_.at(static_cast<std::size_t>(panel))->text();
}

void StatusBar::setPanelText(int panel, const QString& text) {
  panels_.at(static_cast<std::size_t>(panel))->setText(text);
}

void StatusBar::resizeEvent(QResizeEvent* /*event*/) {
  for (QLabel* panel : panels_) {
    panel->resize(panel->width(), height() - kPanelGap);
  }
  // The last panel reaches the right edge, as in a classic status bar.
  if (!panels_.empty()) {
    QLabel* last = panels_.back();
    last->resize(std::max(last->width(), width() - last->x()), last->height());
  }
}

}  // namespace rakewright
