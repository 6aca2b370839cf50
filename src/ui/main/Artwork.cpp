#include "ui/main/Artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

namespace ferrowick::ui::artwork {

namespace {
const QColor kDeep(0x16, 0x32, 0x4f);
const QColor kMid(0x2a, 0x5d, 0x84);
const QColor kLight(0x4a, 0x8c, 0xbd);

QPixmap canvas(QSize size, qreal dpr) {
  QPixmap pixmap(QSize(static_cast<int>(std::lround(size.width() * dpr)),
                       static_cast<int>(std::lround(size.height() * dpr))));
  pixmap.setDevicePixelRatio(dpr);
  pixmap.fill(Qt::transparent);
  return pixmap;
}

// A rounded rectangle filling the canvas, its outline on the half pixel so it stays sharp.
QPixmap roundedPanel(QSize size, qreal dpr, const QColor& outline, const QBrush& fill,
                     qreal radius) {
  QPixmap pixmap = canvas(size, dpr);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setPen(outline);
  painter.setBrush(fill);
  painter.drawRoundedRect(QRectF(QPointF(0, 0), QSizeF(size)).adjusted(0.5, 0.5, -0.5, -0.5),
                          radius, radius);
  return pixmap;
}

// The emblem: a drive with an arrow coming down into it, inside a rounded square.
void drawEmblem(QPainter& painter, const QRectF& box) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  const qreal unit = box.width() / 32.0;
  QLinearGradient fill(box.topLeft(), box.bottomLeft());
  fill.setColorAt(0, kLight);
  fill.setColorAt(1, kDeep);
  painter.setPen(QPen(QColor(255, 255, 255, 110), unit));
  painter.setBrush(fill);
  painter.drawRoundedRect(box.adjusted(unit / 2, unit / 2, -unit / 2, -unit / 2), 7 * unit,
                          7 * unit);

  const QPointF o = box.topLeft();
  auto at = [&](qreal x, qreal y) { return o + QPointF(x * unit, y * unit); };
  // The drive.
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0xf2, 0xf6, 0xfa));
  painter.drawRoundedRect(QRectF(at(6, 19), at(26, 26)), 2 * unit, 2 * unit);
  painter.setBrush(QColor(0x5c, 0xd6, 0x8a));
  painter.drawEllipse(QRectF(at(21, 21.5), at(23.5, 24)));
  // The arrow.
  QPainterPath arrow;
  arrow.moveTo(at(13.5, 5));
  arrow.lineTo(at(18.5, 5));
  arrow.lineTo(at(18.5, 11));
  arrow.lineTo(at(22.5, 11));
  arrow.lineTo(at(16, 17.5));
  arrow.lineTo(at(9.5, 11));
  arrow.lineTo(at(13.5, 11));
  arrow.closeSubpath();
  painter.setBrush(Qt::white);
  painter.drawPath(arrow);
  painter.restore();
}
}  // namespace

QPixmap banner(QSize size, qreal dpr) {
  QPixmap pixmap = canvas(size, dpr);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing, true);
  const QRectF area(QPointF(0, 0), QSizeF(size));

  QLinearGradient sky(area.topLeft(), area.topRight());
  sky.setColorAt(0, kDeep);
  sky.setColorAt(0.55, kMid);
  sky.setColorAt(1, kLight);
  painter.fillRect(area, sky);

  // Soft arcs for depth.
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(255, 255, 255, 18));
  painter.drawEllipse(QPointF(area.width() * 0.78, area.height() * 2.4), area.width() * 0.55,
                      area.height() * 2.1);
  painter.setBrush(QColor(255, 255, 255, 12));
  painter.drawEllipse(QPointF(area.width() * 0.35, -area.height() * 1.6), area.width() * 0.5,
                      area.height() * 2.0);

  // A thin bright rule along the bottom edge.
  QLinearGradient rule(area.topLeft(), area.topRight());
  rule.setColorAt(0, QColor(0x5c, 0xd6, 0x8a, 0));
  rule.setColorAt(0.2, QColor(0x5c, 0xd6, 0x8a, 220));
  rule.setColorAt(1, QColor(0x5c, 0xd6, 0x8a, 60));
  painter.fillRect(QRectF(0, area.height() - 3, area.width(), 3), rule);

  const qreal emblem = 40;
  drawEmblem(painter, QRectF(14, (area.height() - 3 - emblem) / 2, emblem, emblem));

  QFont name = painter.font();
  name.setPixelSize(26);
  name.setBold(true);
  name.setLetterSpacing(QFont::PercentageSpacing, 104);
  painter.setFont(name);
  const QRectF nameBox(66, 0, area.width() - 66, area.height() - 3);
  painter.setPen(QColor(0, 0, 0, 70));
  painter.drawText(nameBox.translated(1, 1), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("Ferrowick"));
  painter.setPen(Qt::white);
  painter.drawText(nameBox, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Ferrowick"));
  return pixmap;
}

QPixmap sidePanel(QSize size, qreal dpr) {
  QLinearGradient fill(0.5, 0.5, 0.5, size.height() - 0.5);
  fill.setColorAt(0, QColor(0xfb, 0xfc, 0xfd));
  fill.setColorAt(1, QColor(0xe2, 0xe8, 0xef));
  return roundedPanel(size, dpr, QColor(0xc3, 0xcc, 0xd6), fill, 4);
}

QPixmap highlightBar(qreal dpr) {
  constexpr int kWidth = 162;
  constexpr int kHeight = 23;
  QPixmap pixmap = canvas(QSize(kWidth, kHeight), dpr);
  QPainter painter(&pixmap);
  QLinearGradient fill(0, 0, kWidth, 0);
  fill.setColorAt(0, QColor(0xcf, 0xcf, 0xcf));
  fill.setColorAt(1, QColor(0xf7, 0xf7, 0xf7));
  painter.fillRect(QRect(0, 0, kWidth, kHeight), fill);
  painter.fillRect(QRect(0, kHeight - 1, kWidth, 1), QColor(0x9c, 0x9c, 0x9c));
  painter.fillRect(QRect(kWidth - 2, 0, 2, kHeight), QColor(75, 75, 75));
  return pixmap;
}

QPixmap badge(QSize size, qreal dpr) {
  return roundedPanel(size, dpr, QColor(255, 255, 255, 70), QColor(255, 255, 255, 26), 6);
}

QPixmap updateIcon(qreal dpr) {
  constexpr int kSide = 16;
  QPixmap pixmap = canvas(QSize(kSide, kSide), dpr);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing, true);
  const QColor green(0x2e, 0x9e, 0x5b);
  painter.setPen(QPen(green, 2.0, Qt::SolidLine, Qt::RoundCap));
  painter.setBrush(Qt::NoBrush);
  const QRectF ring(2.5, 2.5, 11, 11);
  painter.drawArc(ring, 30 * 16, 150 * 16);
  painter.drawArc(ring, 210 * 16, 150 * 16);
  painter.setPen(Qt::NoPen);
  painter.setBrush(green);
  QPainterPath head;
  head.moveTo(13.8, 2.2);
  head.lineTo(14.6, 7.4);
  head.lineTo(9.6, 5.6);
  head.closeSubpath();
  painter.drawPath(head);
  QPainterPath tail;
  tail.moveTo(2.2, 13.8);
  tail.lineTo(1.4, 8.6);
  tail.lineTo(6.4, 10.4);
  tail.closeSubpath();
  painter.drawPath(tail);
  return pixmap;
}

QPixmap bottomStrip(QSize size, qreal dpr) {
  QPixmap pixmap = canvas(size, dpr);
  QPainter painter(&pixmap);
  const QRect area(QPoint(0, 0), size);
  QLinearGradient fill(area.topLeft(), area.bottomLeft());
  fill.setColorAt(0, QColor(0xe9, 0xed, 0xf1));
  fill.setColorAt(1, QColor(0xd7, 0xdd, 0xe4));
  painter.fillRect(area, fill);
  painter.fillRect(QRect(0, 0, size.width(), 1), QColor(0xc3, 0xcc, 0xd6));
  return pixmap;
}

QIcon windowIcon() {
  QIcon icon;
  for (int side : {16, 32}) {
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    drawEmblem(painter, QRectF(0, 0, side, side));
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace ferrowick::ui::artwork
