// PictureBox, a picture stretched to the box, which reports the mouse button released over it and,
// when asked to, the start of a drag. An empty box draws nothing, so its parent shows through.
#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>

class QMouseEvent;
class QPaintEvent;

namespace rakewright {

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

}  // namespace rakewright
