#include "app/train/train_drawing.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "app/common/widgets.h"
#include "platform/numbers.h"

namespace rakewright {

namespace {

constexpr double kShortest = 2;
constexpr double kLongest = 60;
// A length field that is not a number cannot be in a consist; should one be, it is drawn so.
constexpr double kUnreadableLength = 14;

const QColor kSelection(0x1E, 0x64, 0xC8);
const QColor kStripMark(0x30, 0xA0, 0x50);
const QColor kFrame(0x80, 0x80, 0x80);

// The export: 12 pixels per metre puts a 14-metre wagon at 168 pixels, a slot of the strip; rows
// of at most 1,600 pixels of train.
constexpr double kExportScale = 12;
constexpr int kExportRowWidth = 1600;
constexpr int kExportMargin = 16;
constexpr int kExportPictureHeight = 60;
constexpr int kExportRowGap = 14;

// The distance between two marks of the scale: the smallest of 1, 2, 5, 10, 20, ... metres that
// leaves room for a label.
double scaleStep(double pixelsPerMetre) {
  constexpr int kLabelRoom = 64;
  for (double decade = 1;; decade *= 10) {
    for (const double step : {decade, 2 * decade, 5 * decade}) {
      if (step * pixelsPerMetre >= kLabelRoom || step >= 1e6) {
        return step;
      }
    }
  }
}

}  // namespace

double drawnMetres(std::string_view lengthText) {
  double metres = kUnreadableLength;
  try {
    metres = parseDecimal(lengthText);
  } catch (const ConversionError&) {
  }
  return std::clamp(std::isfinite(metres) ? metres : kLongest, kShortest, kLongest);
}

TrainRows TrainRows::forPictures(int pictureHeight, const QFontMetrics& metrics) {
  TrainRows rows;
  const int text = metrics.height();
  rows.numbersTop = 2;
  rows.picturesTop = rows.numbersTop + text + 2;
  rows.pictureHeight = pictureHeight;
  rows.namesTop = rows.picturesTop + pictureHeight + 5;
  rows.scaleTop = rows.namesTop + text + 4;
  rows.height = rows.scaleTop + 8 + text + 2;
  return rows;
}

void drawTrainRow(QPainter& painter, const std::vector<TrainItem>& items, std::size_t first,
                  std::size_t last, double left, double pixelsPerMetre, int top,
                  const TrainRows& rows, const TrainMarks* marks) {
  const QFontMetrics metrics = painter.fontMetrics();
  double x = left;
  int numbersEnd = std::numeric_limits<int>::min();
  for (std::size_t i = first; i < last; ++i) {
    const TrainItem& item = items[i];
    const double width = item.metres * pixelsPerMetre;
    const int x0 = static_cast<int>(std::lround(x));
    const int x1 = static_cast<int>(std::lround(x + width));
    x += width;
    // A gap of one pixel between wagons, where they are wide enough to spare it.
    const QRect box(x0, top + rows.picturesTop, std::max(1, x1 - x0 - (x1 - x0 > 3 ? 1 : 0)),
                    rows.pictureHeight);
    if (painter.clipBoundingRect().isValid() &&
        !painter.clipBoundingRect().intersects(QRectF(box.adjusted(-80, -200, 80, 200)))) {
      continue;
    }
    if (item.picture.isNull()) {
      painter.setPen(kFrame);
      painter.drawRect(box.adjusted(0, 0, -1, -1));
    } else {
      painter.drawImage(box, item.picture);
    }
    if (marks != nullptr && i < marks->selected.size() && marks->selected[i]) {
      QColor fill = kSelection;
      fill.setAlpha(80);
      painter.fillRect(box, fill);
      painter.setPen(QPen(kSelection, 2));
      painter.drawRect(box.adjusted(1, 1, -1, -1));
    }
    if (marks != nullptr && item.position >= marks->stripFirst &&
        item.position <= marks->stripLast) {
      painter.fillRect(QRect(x0, top + rows.namesTop - 4, box.width(), 3), kStripMark);
    }

    painter.setPen(Qt::black);
    const QString number = QString::number(item.position);
    const int numberWidth = metrics.horizontalAdvance(number);
    const int numberLeft = x0 + (box.width() - numberWidth) / 2;
    if (numberLeft > numbersEnd + 4) {
      painter.drawText(QPoint(numberLeft, top + rows.numbersTop + metrics.ascent()), number);
      numbersEnd = numberLeft + numberWidth;
    }
    if (box.width() >= 24) {
      const QString name = metrics.elidedText(item.name, Qt::ElideRight, box.width() - 2);
      painter.drawText(QPoint(x0 + 1, top + rows.namesTop + metrics.ascent()), name);
    }
  }
}

void drawScale(QPainter& painter, double fromMetres, double toMetres, double left,
               double pixelsPerMetre, int top) {
  const QFontMetrics metrics = painter.fontMetrics();
  painter.setPen(Qt::black);
  const auto xOf = [&](double metres) {
    return static_cast<int>(std::lround(left + (metres - fromMetres) * pixelsPerMetre));
  };
  painter.drawLine(xOf(fromMetres), top, xOf(toMetres), top);
  const double step = scaleStep(pixelsPerMetre);
  for (double mark = std::ceil(fromMetres / step) * step; mark <= toMetres + 1e-9; mark += step) {
    const int x = xOf(mark);
    painter.drawLine(x, top, x, top + 5);
    const QString label = QStringLiteral("%1 м").arg(mark, 0, 'g', 10);
    const int labelLeft = std::max(xOf(fromMetres), x - metrics.horizontalAdvance(label) / 2);
    painter.drawText(QPoint(labelLeft, top + 7 + metrics.ascent()), label);
  }
}

QImage trainPicture(const std::vector<TrainItem>& items, const QStringList& caption) {
  QFont font = uiFont(12);
  QFont title = uiFont(17, true);
  const QFontMetrics metrics(font);
  const QFontMetrics titleMetrics(title);
  const TrainRows rows = TrainRows::forPictures(kExportPictureHeight, metrics);

  // The rows: as many whole wagons as fit the row width, at least one.
  struct Row {
    std::size_t first, last;
    double fromMetres, toMetres;
  };
  std::vector<Row> lines;
  double metres = 0;
  for (std::size_t i = 0; i < items.size();) {
    Row row{i, i, metres, metres};
    double width = 0;
    while (row.last < items.size() &&
           (row.last == i || width + items[row.last].metres * kExportScale <= kExportRowWidth)) {
      width += items[row.last].metres * kExportScale;
      row.toMetres += items[row.last].metres;
      ++row.last;
    }
    metres = row.toMetres;
    i = row.last;
    lines.push_back(row);
  }

  int widest = 0;
  for (const Row& row : lines) {
    widest = std::max(widest,
                      static_cast<int>(std::ceil((row.toMetres - row.fromMetres) * kExportScale)));
  }
  int captionWidth = 0;
  for (const QString& text : caption) {
    captionWidth = std::max(captionWidth, titleMetrics.horizontalAdvance(text));
  }
  const int captionHeight = static_cast<int>(caption.size()) * (titleMetrics.height() + 2) + 10;
  // Room on the right for the label of the scale's last mark.
  const int width = 2 * kExportMargin + std::max({widest + 40, captionWidth, 200});
  const int height = 2 * kExportMargin + captionHeight +
                     static_cast<int>(lines.size()) * (rows.height + kExportRowGap);

  QImage picture(width, height, QImage::Format_RGB32);
  picture.fill(Qt::white);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.setFont(title);
  painter.setPen(Qt::black);
  int top = kExportMargin;
  for (const QString& text : caption) {
    painter.drawText(QPoint(kExportMargin, top + titleMetrics.ascent()), text);
    top += titleMetrics.height() + 2;
  }
  top += 10;
  painter.setFont(font);
  for (const Row& row : lines) {
    drawTrainRow(painter, items, row.first, row.last, kExportMargin, kExportScale, top, rows);
    drawScale(painter, row.fromMetres, row.toMetres, kExportMargin, kExportScale,
              top + rows.scaleTop);
    top += rows.height + kExportRowGap;
  }
  return picture;
}

}  // namespace rakewright
