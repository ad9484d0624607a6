// The program's fixed pictures: the logo, the no-preview and no-wagon pictures of the strip, the
// authors picture and the application icon.
#include <QFont>
#include <QLinearGradient>
#include <QPainter>

#include "drawings.h"

namespace sample {

namespace {

QFont font(int pixelSize, bool bold) {
  QFont f(QStringLiteral("DejaVu Sans"));
  f.setPixelSize(pixelSize);
  f.setBold(bold);
  f.setHintingPreference(QFont::PreferNoHinting);
  return f;
}

// A short train of vehicles side by side, each scaled by `scale`, starting at `origin`.
void drawTrain(QPainter& painter, QPointF origin, qreal scale, std::initializer_list<Look> looks,
               int trackWidth) {
  painter.save();
  painter.translate(origin);
  painter.scale(scale, scale);
  drawTrack(painter, static_cast<int>(trackWidth / scale) + 1);
  qreal x = 0;
  for (const Look& look : looks) {
    painter.save();
    painter.translate(x, 0);
    drawVehicle(painter, look);
    painter.restore();
    x += kCanvas.width() - 6;
  }
  painter.restore();
}

}  // namespace

QImage logoPicture() {
  QImage image(462, 157, QImage::Format_RGB32);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  QLinearGradient sky(0, 0, 0, 157);
  sky.setColorAt(0, QColor(22, 50, 79));
  sky.setColorAt(1, QColor(44, 110, 145));
  painter.fillRect(image.rect(), sky);
  painter.setPen(QColor(255, 255, 255));
  painter.setFont(font(46, true));
  painter.drawText(QPointF(22, 58), QStringLiteral("Rakewright"));
  painter.setPen(QColor(191, 227, 245));
  painter.setFont(font(17, false));
  painter.drawText(QPointF(25, 84), QStringLiteral("составитель поездов"));
  const qreal scale = 0.42;
  drawTrain(painter, QPointF(6, 157 - 120 * scale), scale,
            {Look{Shape::ElectricLoco, QColor(190, 40, 40), QColor(245, 225, 170)},
             Look{Shape::Coach, QColor(40, 90, 150), QColor(245, 225, 170)},
             Look{Shape::Coach, QColor(40, 90, 150), QColor(245, 225, 170)}},
            462);
  return image;
}

QImage authorsPicture() {
  QImage image(500, 166, QImage::Format_RGB32);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  QLinearGradient sky(0, 0, 0, 166);
  sky.setColorAt(0, QColor(246, 189, 96));
  sky.setColorAt(1, QColor(250, 231, 190));
  painter.fillRect(image.rect(), sky);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(255, 244, 214));
  painter.drawEllipse(QPointF(420, 58), 30, 30);
  painter.setPen(QColor(43, 45, 66));
  painter.setFont(font(44, true));
  painter.drawText(QRectF(0, 8, 500, 54), Qt::AlignHCenter | Qt::AlignVCenter,
                   QStringLiteral("Rakewright"));
  painter.setFont(font(15, false));
  painter.drawText(QRectF(0, 58, 500, 22), Qt::AlignHCenter | Qt::AlignVCenter,
                   QStringLiteral("составитель поездов"));
  const qreal scale = 0.47;
  drawTrain(painter, QPointF(8, 166 - 120 * scale), scale,
            {Look{Shape::TwinDieselLoco, QColor(46, 125, 80), QColor(240, 200, 60)},
             Look{Shape::BoxCar, QColor(140, 70, 45), QColor(230, 230, 230)},
             Look{Shape::TankCar, QColor(45, 45, 50), QColor(230, 120, 40)}},
            500);
  return image;
}

QImage noPreviewPicture() {
  QImage image(kWagonBitmapSize, QImage::Format_RGB32);
  image.fill(QColor(242, 242, 242));
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  painter.scale(0.5, 0.5);
  painter.setPen(QPen(QColor(176, 176, 176), 2, Qt::DashLine));
  painter.setBrush(Qt::NoBrush);
  painter.drawRoundedRect(QRectF(kLeft, 30, kRight - kLeft, kFrameTop - 30), 8, 8);
  for (qreal x : {kLeft + 26, kLeft + 46, kRight - 46, kRight - 26}) {
    painter.drawEllipse(QPointF(x, kWheelY), kWheelRadius, kWheelRadius);
  }
  painter.setPen(QPen(QColor(200, 200, 200), 2.6));
  painter.drawLine(QPointF(0, kRailTop + 1), QPointF(kCanvas.width(), kRailTop + 1));
  painter.setPen(QColor(105, 105, 105));
  painter.setFont(font(23, true));
  painter.drawText(QRectF(kLeft, 30, kRight - kLeft, kFrameTop - 30), Qt::AlignCenter,
                   QStringLiteral("Нет изображения"));
  return image;
}

QImage noWagonPicture() {
  QImage image(kWagonBitmapSize, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.scale(0.5, 0.5);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(240, 238, 234));
  painter.drawRect(QRectF(0, 109, kCanvas.width(), 11));
  painter.setBrush(QColor(214, 208, 200));
  for (qreal x = 3; x < kCanvas.width(); x += 13) {
    painter.drawRect(QRectF(x, 106.5, 8, 4));
  }
  painter.setBrush(QColor(190, 190, 192));
  painter.drawRect(QRectF(0, kRailTop, kCanvas.width(), 2.6));
  return image;
}

namespace {

// The wagon on its tile, drawn in a 128 x 128 frame: roof, body with ribs and a door, frame,
// wheels, rail. Below 48 pixels the ribs would only blur the body, so they are left out.
void drawIcon(QPainter& painter, bool withRibs) {
  QLinearGradient tile(0, 4, 0, 124);
  tile.setColorAt(0, QColor(44, 110, 145));
  tile.setColorAt(1, QColor(22, 50, 79));
  painter.setPen(Qt::NoPen);
  painter.setBrush(tile);
  painter.drawRoundedRect(QRectF(4, 4, 120, 120), 24, 24);
  const QColor body(233, 196, 106);
  painter.setBrush(body.darker(130));
  painter.drawRoundedRect(QRectF(18, 34, 92, 8), 3, 3);
  painter.setBrush(body);
  painter.drawRoundedRect(QRectF(20, 40, 88, 44), 3, 3);
  if (withRibs) {
    painter.setPen(QPen(body.darker(125), 2.5));
    for (qreal x = 32; x < 104; x += 12) {
      if (x > 52 && x < 78) {
        continue;
      }
      painter.drawLine(QPointF(x, 44), QPointF(x, 80));
    }
  }
  painter.setPen(QPen(body.darker(170), 2));
  painter.setBrush(body.darker(112));
  painter.drawRect(QRectF(52, 45, 24, 39));
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(40, 40, 44));
  painter.drawRect(QRectF(16, 84, 96, 6));
  for (qreal x : {38.0, 90.0}) {
    painter.setBrush(QColor(40, 40, 44));
    painter.drawEllipse(QPointF(x, 96), 10, 10);
    painter.setBrush(QColor(190, 190, 195));
    painter.drawEllipse(QPointF(x, 96), 3.5, 3.5);
  }
  painter.setBrush(QColor(235, 240, 245));
  painter.drawRect(QRectF(12, 106, 104, 4));
}

// Where the parts of the small icon lie, in whole pixels of its size.
struct SmallIconLayout {
  QRectF tile;
  qreal tileRadius;
  QRectF roof;
  QRectF body;
  QRectF door;
  QRectF frame;
  QPointF wheels[2];
  qreal wheelRadius;
  qreal hubRadius;  // 0: none
  QRectF rail;
};

// The same wagon for 16 and 24 pixels, each part on whole pixels so that it stays sharp: no
// ribs, no door frame, hubs only at 24.
void drawSmallIcon(QPainter& painter, const SmallIconLayout& at) {
  QLinearGradient tile(0, at.tile.top(), 0, at.tile.bottom());
  tile.setColorAt(0, QColor(44, 110, 145));
  tile.setColorAt(1, QColor(22, 50, 79));
  painter.setPen(Qt::NoPen);
  painter.setBrush(tile);
  painter.drawRoundedRect(at.tile, at.tileRadius, at.tileRadius);
  const QColor body(233, 196, 106);
  painter.setBrush(body.darker(130));
  painter.drawRect(at.roof);
  painter.setBrush(body);
  painter.drawRect(at.body);
  painter.setBrush(body.darker(135));
  painter.drawRect(at.door);
  painter.setBrush(QColor(40, 40, 44));
  painter.drawRect(at.frame);
  for (const QPointF& wheel : at.wheels) {
    painter.drawEllipse(wheel, at.wheelRadius, at.wheelRadius);
  }
  if (at.hubRadius > 0) {
    painter.setBrush(QColor(190, 190, 195));
    for (const QPointF& wheel : at.wheels) {
      painter.drawEllipse(wheel, at.hubRadius, at.hubRadius);
    }
  }
  painter.setBrush(QColor(235, 240, 245));
  painter.drawRect(at.rail);
}

}  // namespace

QImage applicationIcon(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, true);
  if (size == 16) {
    drawSmallIcon(painter, {QRectF(0, 0, 16, 16),
                            3,
                            QRectF(2, 3, 12, 1),
                            QRectF(2, 4, 12, 6),
                            QRectF(7, 5, 3, 5),
                            QRectF(1, 10, 14, 1),
                            {QPointF(4.5, 11.5), QPointF(11.5, 11.5)},
                            1.5,
                            0,
                            QRectF(1, 13, 14, 1)});
  } else if (size == 24) {
    drawSmallIcon(painter, {QRectF(1, 1, 22, 22),
                            4,
                            QRectF(3, 6, 18, 2),
                            QRectF(4, 7, 16, 9),
                            QRectF(10, 9, 4, 7),
                            QRectF(3, 15, 18, 2),
                            {QPointF(7.5, 18), QPointF(16.5, 18)},
                            2,
                            0.75,
                            QRectF(2, 20, 20, 1)});
  } else {
    if (size != 128) {
      painter.scale(size / 128.0, size / 128.0);
    }
    drawIcon(painter, size >= 48);
  }
  return image;
}

}  // namespace sample
