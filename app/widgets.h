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
// as it is, instead of clearing it.
class ListBox : public QListWidget {
  Q_OBJECT
 public:
  static constexpr int kBorder = 2;
  static constexpr int kRowHeight = 13;

  explicit ListBox(QWidget* parent = nullptr);

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

  int panelCount() const { return static_cast<int>(panels_.size()); }
  QString panelText(int panel) const;
  void setPanelText(int panel, const QString& text);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  std::vector<QLabel*> panels_;
};

}  // namespace rakewright
