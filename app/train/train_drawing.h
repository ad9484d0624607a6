// The drawing of a train as the whole-train window shows it and exports it: the wagons in one
// row, each as wide as it is long, with its picture, its position number above and its name below
// where they fit, and a scale in metres underneath. The picture view (TrainPictureView) draws one
// row that it scrolls; the export (trainPicture) wraps the train into rows at a fixed scale.
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <string_view>
#include <vector>

class QFontMetrics;
class QPainter;

namespace rakewright {

// One wagon as it is drawn.
struct TrainItem {
  int position = 0;
  QString name;
  double metres = 0;  // the drawn length (drawnMetres)
  QImage picture;     // null when no picture of the chain could be loaded
};

// The length a wagon is drawn with: its length field in metres, within 2 to 60 m, so that a figure
// of a hostile file (0, negative, 1E300) can neither hide a wagon nor push the others out of sight.
double drawnMetres(std::string_view lengthText);

// Where the parts of a row stand, from its top: position numbers, pictures, names, scale.
struct TrainRows {
  int numbersTop = 0;
  int picturesTop = 0;
  int pictureHeight = 0;
  int namesTop = 0;
  int scaleTop = 0;
  int height = 0;  // of the whole row

  static TrainRows forPictures(int pictureHeight, const QFontMetrics& metrics);
};

// What the picture view marks over the wagons.
struct TrainMarks {
  std::vector<bool> selected;  // by item
  int stripFirst = 0;          // the positions the main window's strip shows
  int stripLast = 0;
};

// Draws items [first, last) with the left edge of the first at `left`, `top` being the row's top.
void drawTrainRow(QPainter& painter, const std::vector<TrainItem>& items, std::size_t first,
                  std::size_t last, double left, double pixelsPerMetre, int top,
                  const TrainRows& rows, const TrainMarks* marks = nullptr);

// The scale under a row: metres `fromMetres` to `toMetres` of the train, the first at `left`.
void drawScale(QPainter& painter, double fromMetres, double toMetres, double left,
               double pixelsPerMetre, int top);

// The whole train for sharing: `caption` (file name, totals) on top, then the wagons at a scale
// where a wagon of 14 m is about as wide as a slot of the strip, in rows of at most a readable
// width, each with its scale continuing the last.
QImage trainPicture(const std::vector<TrainItem>& items, const QStringList& caption);

}  // namespace rakewright
