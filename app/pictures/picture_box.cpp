#include "app/pictures/picture_box.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

namespace rakewright {

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

}  // namespace rakewright
