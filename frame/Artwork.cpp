// SPDX-License-Identifier: Apache-2.0
#include "frame/Artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace marlo::artwork {

namespace {

const QColor kTitleTop(70, 110, 170);
const QColor kTitleBottom(30, 60, 115);
const QColor kBorder(95, 125, 175);
const QColor kBorderDark(40, 65, 110);

QPixmap Filled(int w, int h, const QColor& top, const QColor& bottom, Qt::Orientation direction) {
  QPixmap pixmap(w, h);
  QPainter painter(&pixmap);
  QLinearGradient gradient(0, 0, direction == Qt::Vertical ? 0 : w,
                           direction == Qt::Vertical ? h : 0);
  gradient.setColorAt(0, top);
  gradient.setColorAt(1, bottom);
  painter.fillRect(pixmap.rect(), gradient);
  return pixmap;
}

QPixmap TitlePiece(bool leftEdge, bool rightEdge) {
  QPixmap pixmap = Filled(19, 30, kTitleTop, kTitleBottom, Qt::Vertical);
  QPainter painter(&pixmap);
  painter.setPen(kTitleTop.lighter(140));
  painter.drawLine(0, 0, 18, 0);
  painter.setPen(kBorderDark);
  if (leftEdge) painter.drawLine(0, 0, 0, 29);
  if (rightEdge) painter.drawLine(18, 0, 18, 29);
  return pixmap;
}

QPixmap BorderPiece(bool left, bool right, bool bottom) {
  QPixmap pixmap(19, 30);
  pixmap.fill(QColor(207, 207, 207));
  QPainter painter(&pixmap);
  painter.setPen(QPen(kBorder, 3));
  if (left) painter.drawLine(1, 0, 1, 29);
  if (right) painter.drawLine(17, 0, 17, 29);
  if (bottom) painter.drawLine(0, 28, 18, 28);
  return pixmap;
}

QPixmap Button(void (*glyph)(QPainter&)) {
  QPixmap pixmap(13, 13);
  pixmap.fill(kTitleBottom.lighter(150));
  QPainter painter(&pixmap);
  painter.setPen(Qt::white);
  painter.drawRect(0, 0, 12, 12);
  painter.setPen(QPen(Qt::white, 1.6));
  painter.setRenderHint(QPainter::Antialiasing);
  glyph(painter);
  return pixmap;
}

}  // namespace

QPixmap TitleLeft() { return TitlePiece(true, false); }
QPixmap TitleMain() { return TitlePiece(false, false); }
QPixmap TitleRight() { return TitlePiece(false, true); }
QPixmap WindowLeft() { return BorderPiece(true, false, false); }
QPixmap WindowRight() { return BorderPiece(false, true, false); }
QPixmap WindowBottom() { return BorderPiece(false, false, true); }
QPixmap WindowBottomLeft() { return BorderPiece(true, false, true); }
QPixmap WindowBottomRight() { return BorderPiece(false, true, true); }

QPixmap TitleClose() {
  return Button([](QPainter& p) {
    p.drawLine(QPointF(3.5, 3.5), QPointF(9.5, 9.5));
    p.drawLine(QPointF(9.5, 3.5), QPointF(3.5, 9.5));
  });
}

QPixmap TitleMinimize() {
  return Button([](QPainter& p) { p.drawLine(QPointF(3.5, 9), QPointF(9.5, 9)); });
}

QPixmap TitleHelp() {
  return Button([](QPainter& p) {
    QPainterPath path;
    path.moveTo(4.5, 4.5);
    path.cubicTo(4.5, 2.5, 8.5, 2.5, 8.5, 4.5);
    path.cubicTo(8.5, 6.0, 6.5, 6.0, 6.5, 7.8);
    p.drawPath(path);
    p.drawPoint(QPointF(6.5, 10));
  });
}

namespace {

QPixmap ResultMark(const QColor& fill, void (*glyph)(QPainter&)) {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(fill.darker(130), 1));
  painter.setBrush(fill);
  painter.drawEllipse(QRectF(1, 1, 14, 14));
  painter.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  glyph(painter);
  return pixmap;
}

}  // namespace

QPixmap ResultOk() {
  return ResultMark(QColor(40, 160, 70), [](QPainter& p) {
    p.drawPolyline(QPolygonF({QPointF(4.5, 8.5), QPointF(7, 11), QPointF(11.5, 5.5)}));
  });
}

QPixmap ResultError() {
  return ResultMark(QColor(200, 45, 40), [](QPainter& p) {
    p.drawLine(QPointF(5.5, 5.5), QPointF(10.5, 10.5));
    p.drawLine(QPointF(10.5, 5.5), QPointF(5.5, 10.5));
  });
}

QPixmap ResultSkipped() {
  return ResultMark(QColor(130, 130, 130),
                    [](QPainter& p) { p.drawLine(QPointF(4.5, 8), QPointF(11.5, 8)); });
}

QPixmap ResultWarning() {
  return ResultMark(QColor(215, 150, 20), [](QPainter& p) {
    p.drawLine(QPointF(8, 4.5), QPointF(8, 8.5));
    p.drawPoint(QPointF(8, 11));
  });
}

QPixmap IconPixmap(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  const qreal s = size;
  // Two overlapping pages: one code turning into another.
  painter.setPen(QPen(kBorderDark, s / 24));
  painter.setBrush(QColor(250, 220, 120));
  painter.drawRoundedRect(QRectF(s * 0.08, s * 0.08, s * 0.55, s * 0.62), s / 10, s / 10);
  painter.setBrush(QColor(120, 180, 240));
  painter.drawRoundedRect(QRectF(s * 0.37, s * 0.30, s * 0.55, s * 0.62), s / 10, s / 10);
  painter.setPen(QPen(Qt::white, s / 12, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(QPointF(s * 0.50, s * 0.61), QPointF(s * 0.79, s * 0.61));
  painter.drawLine(QPointF(s * 0.70, s * 0.52), QPointF(s * 0.79, s * 0.61));
  painter.drawLine(QPointF(s * 0.70, s * 0.70), QPointF(s * 0.79, s * 0.61));
  return pixmap;
}

QIcon WindowIcon() {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 128, 256}) icon.addPixmap(IconPixmap(size));
  return icon;
}

QPixmap SplashBackground(int width, int height) {
  QPixmap pixmap =
      Filled(width, height, QColor(235, 240, 250), QColor(150, 175, 215), Qt::Vertical);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(255, 255, 255, 60));
  painter.drawEllipse(QPointF(width * 0.85, height * 0.15), height * 0.6, height * 0.6);
  painter.setPen(QPen(kBorderDark, 2));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(pixmap.rect().adjusted(1, 1, -1, -1));
  return pixmap;
}

}  // namespace marlo::artwork
