// The side views of rolling stock and the track they stand on.
#include "drawings.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace sample {
namespace {

const QColor kGlass(196, 222, 238);
const QColor kRoofGrey(118, 122, 128);
const QColor kSteel(52, 52, 56);

QPen outline(const QColor& colour, qreal width = 1.2) {
  return QPen(colour.darker(170), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void drawWheel(QPainter& p, qreal x) {
  p.setPen(QPen(QColor(25, 25, 25), 1));
  p.setBrush(QColor(60, 60, 64));
  p.drawEllipse(QPointF(x, kWheelY), kWheelRadius, kWheelRadius);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(165, 165, 170));
  p.drawEllipse(QPointF(x, kWheelY), 2.2, 2.2);
}

void drawBogie(QPainter& p, qreal centre, int axles) {
  const qreal spacing = 15;
  const qreal half = spacing * (axles - 1) / 2;
  for (int i = 0; i < axles; ++i) {
    drawWheel(p, centre - half + i * spacing);
  }
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(40, 40, 44));
  p.drawRoundedRect(QRectF(centre - half - 8, kFrameBottom + 2, 2 * half + 16, 5), 2, 2);
  p.setBrush(QColor(95, 95, 100));
  p.drawRect(QRectF(centre - 4, kFrameBottom, 8, 6));
}

void drawBogies(QPainter& p, qreal left, qreal right, int axles, qreal inset = 30) {
  drawBogie(p, left + inset, axles);
  drawBogie(p, right - inset, axles);
}

void drawUnderframe(QPainter& p, qreal left, qreal right) {
  p.setPen(Qt::NoPen);
  p.setBrush(kSteel);
  p.drawRect(QRectF(left, kFrameTop, right - left, kFrameBottom - kFrameTop));
  // couplers and buffers
  p.setBrush(QColor(70, 70, 74));
  p.drawRect(QRectF(left - 7, kFrameTop + 1.5, 7, 3));
  p.drawRect(QRectF(right, kFrameTop + 1.5, 7, 3));
  p.drawRect(QRectF(left - 9, kFrameTop - 0.5, 3, 7));
  p.drawRect(QRectF(right + 6, kFrameTop - 0.5, 3, 7));
}

// A row of equal windows centred between left and right.
void drawWindowRow(QPainter& p, qreal left, qreal right, qreal top, qreal height, qreal width,
                   qreal gap, const QColor& frame) {
  const int count = static_cast<int>((right - left + gap) / (width + gap));
  if (count <= 0) {
    return;
  }
  const qreal used = count * width + (count - 1) * gap;
  qreal x = left + (right - left - used) / 2;
  p.setPen(QPen(frame.darker(150), 1));
  p.setBrush(kGlass);
  for (int i = 0; i < count; ++i, x += width + gap) {
    p.drawRoundedRect(QRectF(x, top, width, height), 1.5, 1.5);
  }
}

void drawVerticalRibs(QPainter& p, qreal left, qreal right, qreal top, qreal bottom, qreal step,
                      const QColor& colour) {
  p.setPen(QPen(colour, 1.4));
  for (qreal x = left + step; x < right - step / 2; x += step) {
    p.drawLine(QPointF(x, top), QPointF(x, bottom));
  }
}

void drawPantograph(QPainter& p, qreal x, qreal roof) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(90, 90, 95));
  p.drawRect(QRectF(x - 12, roof - 3, 24, 3));
  p.setPen(QPen(QColor(35, 35, 38), 1.4, Qt::SolidLine, Qt::RoundCap));
  const QPointF foot(x - 9, roof - 3);
  const QPointF knee(x + 4, roof - 12);
  const QPointF head(x - 3, roof - 21);
  p.drawLine(foot, knee);
  p.drawLine(knee, head);
  p.drawLine(QPointF(x - 15, roof - 21), QPointF(x + 9, roof - 21));
}

void drawDoor(QPainter& p, qreal x, qreal top, qreal width, const QColor& body) {
  p.setPen(QPen(body.darker(160), 1));
  p.setBrush(body.darker(108));
  p.drawRect(QRectF(x, top, width, kFrameTop - top - 1));
  p.setBrush(kGlass);
  p.drawRect(QRectF(x + 2.5, top + 4, width - 5, 10));
}

// A locomotive or motor-car body with sloped cab ends where `cabLeft` / `cabRight`.
QPainterPath cabBody(qreal l, qreal r, qreal top, bool cabLeft, bool cabRight) {
  QPainterPath body;
  body.moveTo(l, kFrameTop);
  if (cabLeft) {
    body.lineTo(l, top + 16);
    body.quadTo(l + 1, top + 2, l + 11, top);
  } else {
    body.lineTo(l, top);
  }
  if (cabRight) {
    body.lineTo(r - 11, top);
    body.quadTo(r - 1, top + 2, r, top + 16);
  } else {
    body.lineTo(r, top);
  }
  body.lineTo(r, kFrameTop);
  body.closeSubpath();
  return body;
}

void drawWindscreens(QPainter& p, qreal l, qreal r, qreal top, bool cabLeft, bool cabRight,
                     const QColor& body) {
  p.setPen(QPen(body.darker(170), 1));
  p.setBrush(kGlass);
  if (cabLeft) {
    p.drawPolygon(QPolygonF({QPointF(l + 1.5, top + 16), QPointF(l + 4, top + 6),
                             QPointF(l + 20, top + 6), QPointF(l + 20, top + 16)}));
  }
  if (cabRight) {
    p.drawPolygon(QPolygonF({QPointF(r - 1.5, top + 16), QPointF(r - 4, top + 6),
                             QPointF(r - 20, top + 6), QPointF(r - 20, top + 16)}));
  }
}

void drawElectricSection(QPainter& p, qreal l, qreal r, const Look& look, bool cabLeft,
                         bool cabRight, int axles) {
  const qreal top = 36;
  p.setPen(Qt::NoPen);
  p.setBrush(kRoofGrey);
  p.drawRect(QRectF(l + 10, top - 3, r - l - 20, 4));
  p.setPen(outline(look.body));
  p.setBrush(look.body);
  p.drawPath(cabBody(l, r, top, cabLeft, cabRight));
  p.setPen(Qt::NoPen);
  p.setBrush(look.accent);
  p.drawRect(QRectF(l + 0.6, 66, r - l - 1.2, 6));
  drawWindscreens(p, l, r, top, cabLeft, cabRight, look.body);
  const qreal inner = 30;
  if (cabLeft) {
    drawDoor(p, l + 24, top + 6, 9, look.body);
  }
  if (cabRight) {
    drawDoor(p, r - 33, top + 6, 9, look.body);
  }
  // machine-room windows and grilles
  drawWindowRow(p, l + inner + 10, r - inner - 10, 44, 9, 10, 14, look.body);
  p.setPen(QPen(look.body.darker(140), 1));
  for (qreal x = l + inner + 12; x < r - inner - 10; x += 5) {
    p.drawLine(QPointF(x, 56), QPointF(x, 63));
  }
  drawBogies(p, l, r, axles, axles == 3 ? 34 : 28);
}

void drawElectricLoco(QPainter& p, const Look& look, bool twin) {
  drawUnderframe(p, kLeft, kRight);
  if (twin) {
    const qreal mid = (kLeft + kRight) / 2;
    drawElectricSection(p, kLeft, mid - 2, look, true, false, 2);
    drawElectricSection(p, mid + 2, kRight, look, false, true, 2);
    drawPantograph(p, mid - 40, 33);
    drawPantograph(p, mid + 40, 33);
  } else {
    drawElectricSection(p, kLeft, kRight, look, true, true, 3);
    drawPantograph(p, kLeft + 90, 33);
    drawPantograph(p, kRight - 90, 33);
  }
}

void drawDieselSection(QPainter& p, qreal l, qreal r, const Look& look, bool cabLeft,
                       bool cabRight) {
  const qreal top = 36;
  p.setPen(outline(look.body));
  p.setBrush(look.body);
  p.drawPath(cabBody(l, r, top, cabLeft, cabRight));
  p.setPen(Qt::NoPen);
  p.setBrush(look.accent);
  p.drawRect(QRectF(l + 0.6, 70, r - l - 1.2, 5));
  p.drawRect(QRectF(l + 0.6, 77, r - l - 1.2, 2));
  drawWindscreens(p, l, r, top, cabLeft, cabRight, look.body);
  if (cabLeft) {
    drawDoor(p, l + 24, top + 6, 9, look.body);
  }
  if (cabRight) {
    drawDoor(p, r - 33, top + 6, 9, look.body);
  }
  // louvres along the engine room
  const qreal from = l + (cabLeft ? 42 : 10);
  const qreal to = r - (cabRight ? 42 : 10);
  p.setPen(QPen(look.body.darker(150), 1));
  p.setBrush(look.body.darker(115));
  for (qreal x = from; x + 18 <= to; x += 24) {
    p.drawRect(QRectF(x, 45, 18, 16));
  }
  p.setPen(QPen(look.body.darker(170), 0.8));
  for (qreal x = from; x + 18 <= to; x += 24) {
    for (qreal y = 48; y < 60; y += 3) {
      p.drawLine(QPointF(x + 2, y), QPointF(x + 16, y));
    }
  }
  // roof fans and exhaust
  p.setPen(Qt::NoPen);
  p.setBrush(kRoofGrey);
  const qreal mid = (l + r) / 2;
  p.drawRoundedRect(QRectF(mid - 24, top - 4, 18, 4), 1.5, 1.5);
  p.drawRoundedRect(QRectF(mid + 6, top - 4, 18, 4), 1.5, 1.5);
  p.setBrush(QColor(45, 45, 45));
  p.drawRect(QRectF(mid - 2, top - 7, 5, 7));
  drawBogies(p, l, r, 3, 34);
}

void drawDieselLoco(QPainter& p, const Look& look, bool twin) {
  drawUnderframe(p, kLeft, kRight);
  if (twin) {
    const qreal mid = (kLeft + kRight) / 2;
    drawDieselSection(p, kLeft, mid - 2, look, true, false);
    drawDieselSection(p, mid + 2, kRight, look, false, true);
  } else {
    drawDieselSection(p, kLeft, kRight, look, true, true);
  }
}

void drawShunter(QPainter& p, const Look& look) {
  drawUnderframe(p, kLeft, kRight);
  const qreal cabLeft = kRight - 92;
  const qreal cabRight = kRight - 22;
  // long hood
  p.setPen(outline(look.body));
  p.setBrush(look.body);
  p.drawRoundedRect(QRectF(kLeft + 6, 50, cabLeft - kLeft - 6, kFrameTop - 50), 4, 4);
  p.drawRoundedRect(QRectF(cabRight, 58, kRight - cabRight - 3, kFrameTop - 58), 3, 3);
  // cab
  p.drawRoundedRect(QRectF(cabLeft, 28, cabRight - cabLeft, kFrameTop - 28), 3, 3);
  p.setPen(Qt::NoPen);
  p.setBrush(kRoofGrey);
  p.drawRoundedRect(QRectF(cabLeft - 3, 25, cabRight - cabLeft + 6, 5), 2, 2);
  drawWindowRow(p, cabLeft + 6, cabRight - 6, 36, 16, 24, 8, look.body);
  // hood louvres, stack, handrail and stripes
  p.setPen(QPen(look.body.darker(150), 1));
  for (qreal x = kLeft + 30; x < cabLeft - 20; x += 6) {
    p.drawLine(QPointF(x, 56), QPointF(x, 70));
  }
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(40, 40, 40));
  p.drawRect(QRectF(kLeft + 60, 42, 6, 8));
  p.setPen(QPen(QColor(230, 230, 230), 1.2));
  p.drawLine(QPointF(kLeft + 10, 46), QPointF(cabLeft - 4, 46));
  p.setPen(Qt::NoPen);
  p.setBrush(look.accent);
  for (qreal x = kLeft + 8; x < kRight - 8; x += 14) {
    p.drawPolygon(QPolygonF({QPointF(x, kFrameTop), QPointF(x + 7, kFrameTop),
                             QPointF(x + 12, kFrameBottom), QPointF(x + 5, kFrameBottom)}));
  }
  drawBogies(p, kLeft, kRight, 3, 40);
}

void drawCoachBody(QPainter& p, const Look& look, bool nose, bool baggage) {
  const qreal l = kLeft;
  const qreal r = kRight;
  const qreal top = 36;
  p.setPen(Qt::NoPen);
  p.setBrush(kRoofGrey);
  p.drawRoundedRect(QRectF(l + (nose ? 14 : 3), top - 5, r - l - (nose ? 17 : 6), 9), 4, 4);
  p.setPen(outline(look.body));
  p.setBrush(look.body);
  if (nose) {
    p.drawPath(cabBody(l, r, top, true, false));
  } else {
    p.drawRoundedRect(QRectF(l, top, r - l, kFrameTop - top), 4, 4);
  }
  p.setPen(Qt::NoPen);
  p.setBrush(look.accent);
  p.drawRect(QRectF(l + 0.6, 61, r - l - 1.2, 4));
  p.drawRect(QRectF(l + 0.6, 76, r - l - 1.2, 2));
  if (nose) {
    drawWindscreens(p, l, r, top, true, false, look.body);
    p.setBrush(look.accent);
    p.drawRect(QRectF(l + 0.6, 56, 14, 20));
    drawDoor(p, l + 26, top + 5, 13, look.body);
  } else {
    drawDoor(p, l + 7, top + 5, 13, look.body);
  }
  drawDoor(p, r - 20, top + 5, 13, look.body);
  if (baggage) {
    const qreal mid = (l + r) / 2;
    drawDoor(p, mid - 50, top + 5, 26, look.body);
    drawDoor(p, mid + 24, top + 5, 26, look.body);
    drawWindowRow(p, l + 30, mid - 56, 44, 11, 12, 10, look.body);
    drawWindowRow(p, mid + 56, r - 30, 44, 11, 12, 10, look.body);
  } else {
    drawWindowRow(p, l + (nose ? 46 : 28), r - 28, 43, 13, 13, 7, look.body);
  }
  drawUnderframe(p, l, r);
  drawBogies(p, l, r, 2, 34);
}

void drawBoxCar(QPainter& p, const Look& look) {
  const qreal l = kLeft;
  const qreal r = kRight;
  const qreal mid = (l + r) / 2;
  p.setPen(Qt::NoPen);
  p.setBrush(look.body.darker(135));
  p.drawRoundedRect(QRectF(l - 1, 34, r - l + 2, 5), 2, 2);
  p.setPen(outline(look.body));
  p.setBrush(look.body);
  p.drawRect(QRectF(l, 38, r - l, kFrameTop - 38));
  drawVerticalRibs(p, l, r, 39, kFrameTop - 1, 16, look.body.darker(125));
  p.setPen(QPen(look.body.darker(170), 1.2));
  p.setBrush(look.body.darker(112));
  p.drawRect(QRectF(mid - 24, 42, 48, kFrameTop - 44));
  p.drawLine(QPointF(mid - 34, 41), QPointF(mid + 34, 41));
  p.setPen(Qt::NoPen);
  p.setBrush(look.accent);
  p.drawRect(QRectF(l + 18, 66, 40, 9));
  p.drawRect(QRectF(r - 58, 66, 40, 9));
  drawUnderframe(p, l, r);
  drawBogies(p, l, r, 2);
}

void drawTankCar(QPainter& p, const Look& look) {
  const qreal l = kLeft;
  const qreal r = kRight;
  const qreal mid = (l + r) / 2;
  p.setPen(Qt::NoPen);
  p.setBrush(kSteel);
  p.drawRect(QRectF(l, 78, r - l, kFrameTop - 78));
  p.setPen(outline(look.body));
  p.setBrush(look.body);
  p.drawRoundedRect(QRectF(mid - 15, 34, 30, 12), 3, 3);
  p.drawRoundedRect(QRectF(l + 6, 42, r - l - 12, 38), 19, 19);
  p.setPen(Qt::NoPen);
  p.setBrush(look.accent);
  p.drawRect(QRectF(l + 24, 59, r - l - 48, 5));
  p.setPen(QPen(look.body.darker(140), 1.2));
  for (qreal x : {l + 70, mid - 30, mid + 30, r - 70}) {
    p.drawLine(QPointF(x, 43), QPointF(x, 79));
  }
  // ladder
  p.setPen(QPen(QColor(60, 60, 60), 1));
  p.drawLine(QPointF(mid + 40, 40), QPointF(mid + 40, 84));
  p.drawLine(QPointF(mid + 46, 40), QPointF(mid + 46, 84));
  for (qreal y = 44; y < 84; y += 6) {
    p.drawLine(QPointF(mid + 40, y), QPointF(mid + 46, y));
  }
  drawUnderframe(p, l, r);
  drawBogies(p, l, r, 2);
}

void drawGondola(QPainter& p, const Look& look) {
  const qreal l = kLeft;
  const qreal r = kRight;
  // the load heaped above the sides
  QPainterPath heap;
  heap.moveTo(l + 4, 52);
  const qreal step = 22;
  for (qreal x = l + 4; x < r - 4; x += step) {
    heap.quadTo(x + step / 2, 30 + ((static_cast<int>(x) / 11) % 3) * 3, x + step, 52);
  }
  heap.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(look.accent);
  p.drawPath(heap);
  p.setPen(outline(look.body));
  p.setBrush(look.body);
  p.drawRect(QRectF(l, 50, r - l, kFrameTop - 50));
  p.setPen(Qt::NoPen);
  p.setBrush(look.body.darker(130));
  p.drawRect(QRectF(l, 48, r - l, 4));
  drawVerticalRibs(p, l, r, 52, kFrameTop - 1, 19, look.body.darker(130));
  drawUnderframe(p, l, r);
  drawBogies(p, l, r, 2);
}

void drawHopper(QPainter& p, const Look& look) {
  const qreal l = kLeft;
  const qreal r = kRight;
  p.setPen(Qt::NoPen);
  p.setBrush(look.body.darker(140));
  for (qreal x = l + 40; x < r - 40; x += 58) {
    p.drawRect(QRectF(x, 35, 30, 5));
  }
  p.setPen(outline(look.body));
  p.setBrush(look.body);
  QPainterPath body;
  body.moveTo(l, 39);
  body.lineTo(r, 39);
  body.lineTo(r, 70);
  const qreal pocket = (r - l - 40) / 3;
  for (int i = 2; i >= 0; --i) {
    const qreal x = l + 20 + i * pocket;
    body.lineTo(x + pocket, 70);
    body.lineTo(x + pocket - 14, 86);
    body.lineTo(x + 14, 86);
    body.lineTo(x, 70);
  }
  body.lineTo(l, 70);
  body.closeSubpath();
  p.drawPath(body);
  drawVerticalRibs(p, l, r, 40, 69, 21, look.body.darker(125));
  p.setPen(Qt::NoPen);
  p.setBrush(look.accent);
  p.drawRect(QRectF(l + 0.6, 52, r - l - 1.2, 5));
  p.setBrush(kSteel);
  p.drawRect(QRectF(l - 1, 80, 22, 6));
  p.drawRect(QRectF(r - 21, 80, 22, 6));
  drawBogies(p, l, r, 2, 22);
}

void drawFlatFrame(QPainter& p, const QColor& colour) {
  p.setPen(outline(colour));
  p.setBrush(colour);
  p.drawRect(QRectF(kLeft, 76, kRight - kLeft, kFrameTop - 76 + 2));
  drawUnderframe(p, kLeft, kRight);
  drawBogies(p, kLeft, kRight, 2);
}

void drawContainer(QPainter& p, qreal l, qreal r, const QColor& colour) {
  p.setPen(outline(colour));
  p.setBrush(colour);
  p.drawRect(QRectF(l, 38, r - l, 38));
  p.setPen(QPen(colour.lighter(118), 1.5));
  for (qreal x = l + 5; x < r - 3; x += 5) {
    p.drawLine(QPointF(x, 41), QPointF(x, 73));
  }
  p.setPen(Qt::NoPen);
  p.setBrush(colour.darker(150));
  p.drawRect(QRectF(l, 38, r - l, 3));
  p.drawRect(QRectF(l, 73, r - l, 3));
}

void drawFlatContainer(QPainter& p, const Look& look) {
  const qreal mid = (kLeft + kRight) / 2;
  drawContainer(p, kLeft + 6, mid - 2, look.body);
  drawContainer(p, mid + 2, kRight - 6, look.accent);
  drawFlatFrame(p, QColor(70, 64, 58));
}

void drawFlatTimber(QPainter& p, const Look& look) {
  const qreal l = kLeft + 8;
  const qreal r = kRight - 8;
  for (int row = 0; row < 5; ++row) {
    const qreal y = 44 + row * 6.5;
    p.setPen(QPen(look.accent.darker(150), 0.8));
    p.setBrush(row % 2 == 0 ? look.accent : look.accent.lighter(112));
    p.drawRoundedRect(QRectF(l + (row % 2) * 4, y, r - l - 4, 6.5), 3, 3);
  }
  p.setPen(QPen(look.body.darker(130), 2.2));
  for (qreal x = kLeft + 10; x < kRight; x += 50) {
    p.drawLine(QPointF(x, 40), QPointF(x, 77));
  }
  drawFlatFrame(p, look.body);
}

void drawCarCarrier(QPainter& p, const Look& look) {
  const qreal l = kLeft;
  const qreal r = kRight;
  p.setPen(outline(look.body));
  p.setBrush(look.body);
  p.drawRoundedRect(QRectF(l, 24, r - l, kFrameTop - 24), 3, 3);
  p.setPen(Qt::NoPen);
  p.setBrush(look.body.darker(160));
  p.drawRect(QRectF(l + 10, 30, r - l - 20, 21));
  p.drawRect(QRectF(l + 10, 56, r - l - 20, 21));
  // the cars inside, seen through the slats
  const QColor cars[] = {QColor(200, 40, 40), QColor(235, 235, 235), QColor(60, 110, 190),
                         QColor(40, 40, 40), QColor(230, 190, 60)};
  int k = 0;
  for (qreal deck : {38.0, 64.0}) {
    for (qreal x = l + 16; x + 44 < r - 10; x += 52, ++k) {
      p.setBrush(cars[k % 5]);
      p.drawRoundedRect(QRectF(x, deck + 2, 44, 9), 3, 3);
      p.drawRoundedRect(QRectF(x + 10, deck - 4, 22, 8), 3, 3);
    }
  }
  p.setPen(QPen(look.body.lighter(115), 2));
  for (qreal x = l + 16; x < r - 10; x += 8) {
    p.drawLine(QPointF(x, 30), QPointF(x, 51));
    p.drawLine(QPointF(x, 56), QPointF(x, 77));
  }
  p.setPen(Qt::NoPen);
  p.setBrush(look.accent);
  p.drawRect(QRectF(l + 0.6, 78, r - l - 1.2, 4));
  drawUnderframe(p, l, r);
  drawBogies(p, l, r, 2);
}

void drawCrane(QPainter& p, const Look& look) {
  const qreal l = kLeft;
  const qreal r = kRight;
  // jib lying along the wagon on its rest
  p.setPen(QPen(look.body.darker(150), 1.4));
  p.setBrush(Qt::NoBrush);
  const QPointF jibFoot(l + 128, 50);
  const QPointF jibTip(r - 6, 44);
  p.drawLine(jibFoot, jibTip);
  p.drawLine(QPointF(l + 128, 62), QPointF(r - 6, 50));
  for (qreal t = 0; t < 1.0; t += 0.08) {
    const qreal x0 = l + 128 + t * (r - 6 - l - 128);
    const qreal x1 = x0 + 0.04 * (r - 6 - l - 128);
    p.drawLine(QPointF(x0, 50 - 6 * t), QPointF(x1, 62 - 12 * (t + 0.04)));
  }
  p.setPen(QPen(QColor(50, 50, 50), 2));
  p.drawLine(QPointF(r - 60, 74), QPointF(r - 50, 49));
  p.drawLine(QPointF(r - 40, 74), QPointF(r - 50, 49));
  // cabin, counterweight and platform
  p.setPen(outline(look.body));
  p.setBrush(look.body);
  p.drawRoundedRect(QRectF(l + 24, 34, 108, 40), 3, 3);
  p.setBrush(look.body.darker(125));
  p.drawRect(QRectF(l + 6, 48, 20, 26));
  drawWindowRow(p, l + 36, l + 124, 40, 13, 18, 8, look.body);
  p.setPen(Qt::NoPen);
  p.setBrush(kSteel);
  p.drawRect(QRectF(l, 74, r - l, kFrameTop - 74));
  p.setBrush(look.accent);
  p.drawRect(QRectF(l, 74, r - l, 2.5));
  drawUnderframe(p, l, r);
  drawBogies(p, l, r, 3, 36);
}

}  // namespace

void drawVehicle(QPainter& painter, const Look& look) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  switch (look.shape) {
    case Shape::ElectricLoco:
      drawElectricLoco(painter, look, false);
      break;
    case Shape::TwinElectricLoco:
      drawElectricLoco(painter, look, true);
      break;
    case Shape::DieselLoco:
      drawDieselLoco(painter, look, false);
      break;
    case Shape::TwinDieselLoco:
      drawDieselLoco(painter, look, true);
      break;
    case Shape::Shunter:
      drawShunter(painter, look);
      break;
    case Shape::EmuHead:
      drawCoachBody(painter, look, true, false);
      drawPantograph(painter, kLeft + 120, 31);
      break;
    case Shape::EmuCar:
      drawCoachBody(painter, look, false, false);
      drawPantograph(painter, kLeft + 110, 31);
      break;
    case Shape::Coach:
      drawCoachBody(painter, look, false, false);
      break;
    case Shape::BaggageCar:
      drawCoachBody(painter, look, false, true);
      break;
    case Shape::BoxCar:
      drawBoxCar(painter, look);
      break;
    case Shape::TankCar:
      drawTankCar(painter, look);
      break;
    case Shape::Gondola:
      drawGondola(painter, look);
      break;
    case Shape::Hopper:
      drawHopper(painter, look);
      break;
    case Shape::FlatContainer:
      drawFlatContainer(painter, look);
      break;
    case Shape::FlatTimber:
      drawFlatTimber(painter, look);
      break;
    case Shape::CarCarrier:
      drawCarCarrier(painter, look);
      break;
    case Shape::Crane:
      drawCrane(painter, look);
      break;
  }
  painter.restore();
}

void drawTrack(QPainter& painter, int width) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(226, 221, 212));
  painter.drawRect(QRectF(0, 109, width, 11));
  painter.setBrush(QColor(141, 123, 104));
  for (qreal x = 3; x < width; x += 13) {
    painter.drawRect(QRectF(x, 106.5, 8, 4));
  }
  painter.setBrush(QColor(92, 92, 96));
  painter.drawRect(QRectF(0, kRailTop, width, 2.6));
  painter.restore();
}

QImage vehiclePicture(const Look& look, QSize size) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.scale(size.width() / qreal(kCanvas.width()), size.height() / qreal(kCanvas.height()));
  drawTrack(painter, kCanvas.width());
  drawVehicle(painter, look);
  return image;
}

}  // namespace sample
