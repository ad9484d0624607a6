// Small widgets of the windows, one job each: the stretched picture box that reports the mouse
// button released over it, the status bar of text panels, and the label that sizes itself to its
// caption.
#pragma once

#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QWidget>

#include <initializer_list>
#include <vector>

class QComboBox;
class QFont;

namespace rakewright {

// The fonts of the windows, each with a height in pixels: the face of every control (Tahoma's
// role), the typewriter face of the totals' heading and the authors' alias (Unispace's role), and
// the title face of the authors window (Gill Sans MT's role).
QFont uiFont(int pixelSize, bool bold = false);
QFont typewriterFont(int pixelSize, bool bold = false);
QFont titleFont(int pixelSize, bool bold = false);

// Sets a label's caption and sizes the label to it, keeping its top-left corner.
void setCaption(QLabel* label, const QString& caption);

// The background of the fields and drop-down boxes that show the selection: the tool-tip colour.
inline const QColor kInfoBackground{0xFF, 0xFF, 0xE1};

// A control named `name` (objectName) at its fixed place in `parent`.
template <typename Widget>
Widget* placed(QWidget* parent, const char* name, int left, int top, int width, int height) {
  auto* widget = new Widget(parent);
  widget->setObjectName(QLatin1String(name));
  widget->setGeometry(left, top, width, height);
  return widget;
}

// A plain-text label whose top-left corner is at (left, top), sized to its caption; in `font`
// when one is given, else in its parent's.
QLabel* placedLabel(QWidget* parent, const char* name, int left, int top, const QString& caption,
                    const QFont* font = nullptr);

// The colour behind the text of an edit field, a list or a combo box.
void setBaseColour(QWidget* widget, const QColor& colour);

// An editable drop-down list 21 pixels high: the typed text stays typed (Enter adds no item), and
// at start no item is selected while the box shows `text`.
QComboBox* dropDownBox(QWidget* parent, const char* name, int left, int top, int width,
                       const QStringList& items, const QString& text, const QColor& background);

// A picture stretched to the box. An empty box draws nothing, so its parent shows through.
class PictureBox : public QWidget {
  Q_OBJECT
 public:
  explicit PictureBox(QWidget* parent = nullptr);

  const QImage& image() const { return image_; }
  void setImage(const QImage& image);
  void clear();

 signals:
  // A mouse button was released after being pressed over the box.
  void mouseReleased(Qt::MouseButton button);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QImage image_;
};

// A list in the geometry of a classic list box: a sunken border of 2 pixels and rows of 13 pixels,
// so row k of a list at Top lies at Top + 2 + 13k. A click below the last row leaves the selection
// as it is, instead of clearing it, and a double-click anywhere in the list is reported, also one
// below the last row (where it concerns the selected item).
class ListBox : public QListWidget {
  Q_OBJECT
 public:
  static constexpr int kBorder = 2;
  static constexpr int kRowHeight = 13;

  explicit ListBox(QWidget* parent = nullptr);

 signals:
  // A double-click of the left button in the list, after a click on an item has selected it.
  void listDoubleClicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
};

// A status bar of sunken text panels of fixed widths, from the left; the last one reaches the
// right edge.
class StatusBar : public QWidget {
  Q_OBJECT
 public:
  StatusBar(std::initializer_list<int> widths, QWidget* parent = nullptr);

  QString panelText(int panel) const;
  void setPanelText(int panel, const QString& text);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  std::vector<QLabel*> panels_;
};

}  // namespace rakewright
