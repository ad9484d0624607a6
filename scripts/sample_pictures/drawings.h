// Side-view drawings of rolling stock and the fixed pictures of the program (logo, no-preview and
// no-wagon pictures, the authors picture and the application icon). Every vehicle is drawn in a
// 334 x 120 canvas: rails at the bottom, the vehicle standing on them between x 12 and 322.
// Smaller pictures are the same drawing scaled down, so a preview and a wagon bitmap of one
// vehicle look alike.
#pragma once

#include <QColor>
#include <QImage>
#include <QSize>

class QPainter;

namespace sample {

enum class Shape {
  ElectricLoco,
  TwinElectricLoco,
  DieselLoco,
  TwinDieselLoco,
  Shunter,
  EmuHead,
  EmuCar,
  Coach,
  BaggageCar,
  BoxCar,
  TankCar,
  Gondola,
  Hopper,
  FlatContainer,
  FlatTimber,
  CarCarrier,
  Crane,
};

// How one vehicle looks: its outline and two colours.
struct Look {
  Shape shape = Shape::Coach;
  QColor body;
  QColor accent;
};

inline constexpr QSize kCanvas{334, 120};

// Canvas geometry: the vehicle's ends, the top of the rails, the wheels and the underframe.
inline constexpr qreal kLeft = 12;
inline constexpr qreal kRight = 322;
inline constexpr qreal kRailTop = 105;
inline constexpr qreal kWheelRadius = 6.5;
inline constexpr qreal kWheelY = kRailTop - kWheelRadius;
inline constexpr qreal kFrameTop = 84;
inline constexpr qreal kFrameBottom = 90;
inline constexpr QSize kPreviewSize{334, 120};
inline constexpr QSize kWagonBitmapSize{167, 60};

// Draws the vehicle in canvas coordinates (no background, no track).
void drawVehicle(QPainter& painter, const Look& look);

// Rails, sleepers and ballast across the canvas width `width`, for canvas height 120.
void drawTrack(QPainter& painter, int width);

// A vehicle on its track on a white background, scaled to `size`.
QImage vehiclePicture(const Look& look, QSize size);

QImage logoPicture();       // 462 x 157, the preview box at start-up
QImage noPreviewPicture();  // 167 x 60, a wagon without a picture
QImage noWagonPicture();    // 167 x 60, an empty slot of the strip
QImage authorsPicture();    // 500 x 166, the authors window
// The application icon, size x size with transparency, drawn for its size (the 128 one is the
// program's PNG; 16 to 256 go into the Windows icon).
QImage applicationIcon(int size = 128);
inline constexpr int kIconSizes[] = {16, 24, 32, 48, 64, 128, 256};

}  // namespace sample
