#include "app/widgets.h"

#include <algorithm>

#include <QComboBox>
#include <QFont>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

namespace rakewright {

namespace {

QFont fontOf(const QString& family, QFont::StyleHint hint, int pixelSize, bool bold) {
  QFont font(family);
  font.setStyleHint(hint);
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  return font;
}

}  // namespace

QFont uiFont(int pixelSize, bool bold) {
  return fontOf(QStringLiteral("Tahoma"), QFont::SansSerif, pixelSize, bold);
}

QFont typewriterFont(int pixelSize, bool bold) {
  return fontOf(QStringLiteral("Unispace"), QFont::TypeWriter, pixelSize, bold);
}

QFont titleFont(int pixelSize, bool bold) {
  return fontOf(QStringLiteral("Gill Sans MT"), QFont::SansSerif, pixelSize, bold);
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

void ListBox::mousePressEvent(QMouseEvent* event) {
  if (!indexAt(event->position().toPoint()).isValid()) {
    event->accept();
    return;
  }
  QListWidget::mousePressEvent(event);
}

void ListBox::mouseDoubleClickEvent(QMouseEvent* event) {
  if (indexAt(event->position().toPoint()).isValid()) {
    QListWidget::mouseDoubleClickEvent(event);
  } else {
    event->accept();
  }
  if (event->button() == Qt::LeftButton) {
    emit listDoubleClicked();
  }
}

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {}

void PictureBox::setImage(const QImage& image) {
  image_ = image;
  update();
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

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
  emit mouseReleased(event->button());
  event->accept();
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
