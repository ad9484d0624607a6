// Small widgets of the windows, one job each: the stretched picture box that reports the mouse
// button released over it, the status bar of text panels, and the label that sizes itself to its
// caption.
#pragma once

#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QWidget>

#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <vector>

class QComboBox;
class QDrag;
class QFont;
class QMimeData;

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
  // The box's size in device pixels: what a picture needs to look sharp in it.
  QSize pixelSize() const;

  // Whether moving the mouse with the left button held starts a drag (dragStarted).
  void setDragEnabled(bool enabled) { dragEnabled_ = enabled; }

 signals:
  // A mouse button was released after being pressed over the box, without a drag in between.
  void mouseReleased(Qt::MouseButton button);
  // The left button was pressed over the box and the mouse moved past the drag distance; the
  // release that ends this press is not reported.
  void dragStarted();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QImage image_;
  bool dragEnabled_ = false;
  bool dragged_ = false;
  QPoint pressedAt_;
};

// A list in the geometry of a classic list box: a sunken border of 2 pixels and rows of 13 pixels,
// so row k of a list at Top lies at Top + 2 + 13k. A click below the last row leaves the selection
// as it is, instead of clearing it, and a double-click anywhere in the list is reported, also one
// below the last row (where it concerns the selected item).
//
// Once its owner says what a dragged item carries (setDragData), an item can be dragged out of the
// list: a press of the left button on it and a move past the platform's drag distance start a
// drag that offers a copy. A drag must leave the selection as it was, so a press on an item that is
// not selected is held back and reaches the list only when the button goes up without a drag; the
// click then selects exactly as a click does in a plain list. Moving the mouse with the button
// held never moves the selection.
class ListBox : public QListWidget {
  Q_OBJECT
 public:
  static constexpr int kBorder = 2;
  static constexpr int kRowHeight = 13;

  // What a drag of `item` carries; nullptr starts no drag.
  using DragData = std::function<std::unique_ptr<QMimeData>(const QListWidgetItem& item)>;
  // Carries out a drag that has begun, offering `actions`. By default QDrag::exec, which runs the
  // platform's drag loop until the drop; a test records the drag here instead of entering that
  // loop. The list deletes the drag afterwards.
  using DragExec = std::function<void(QDrag& drag, Qt::DropActions actions)>;

  explicit ListBox(QWidget* parent = nullptr);
  ~ListBox() override;

  void setDragData(DragData data);
  void setDragExec(DragExec exec);

  // Keeps the lowest `pixels` of the list free of rows, for a control laid over them; the rows
  // above stay where they are and the last row can still be scrolled into view.
  void setBottomReserve(int pixels);

 signals:
  // A double-click of the left button in the list, after a click on an item has selected it.
  void listDoubleClicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  // The left-button press on an item while the button is down: where it was, on which item, and,
  // when the item was not selected, the press itself, not yet delivered to the list.
  struct HeldPress {
    QPoint position;
    QPersistentModelIndex index;
    std::unique_ptr<QMouseEvent> deferred;
  };
  // Delivers the press held back, if any, and forgets the held press.
  void deliverHeldPress();
  void startItemDrag(const HeldPress& press);

  DragData dragData_;
  DragExec dragExec_;
  std::optional<HeldPress> held_;
  // A drag was started by the button still down: its release is no click.
  bool dragging_ = false;
  // A press that Qt's own double-click handling makes goes to the list at once.
  bool passPresses_ = false;
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
