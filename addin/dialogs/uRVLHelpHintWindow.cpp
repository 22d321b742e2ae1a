#include "addin/dialogs/uRVLHelpHintWindow.h"

#include <QCursor>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>

#include "ui/Graphics.h"

namespace {

constexpr double CornerRadius = 2.5;   // corner ellipses of 5 x 5

} // namespace

TRVLHelpHintWindow::TRVLHelpHintWindow(QWidget* parent) : THintWindow(parent) { SetHasBorder(false); }

QRegion TRVLHelpHintWindow::BalloonRegion(int width, int bodyHeight) {
  if (width <= 0 || bodyHeight <= 0) return {};
  QPainterPath body;
  body.addRoundedRect(QRectF(0, 0, width, bodyHeight), CornerRadius, CornerRadius);
  const int w = width, h = bodyHeight, middle = width / 2;
  const QPolygon outline({{2, 2}, {w - 2, 0}, {w - 2, h - 2}, {middle, h - 2}, {middle - 5, h + 13},
                          {middle + 14, h - 2}, {0, h - 2}});
  return QRegion(body.toFillPolygon().toPolygon()).united(QRegion(outline, Qt::OddEvenFill));
}

void TRVLHelpHintWindow::ActivateHint(const QRect& rect, const std::string& text) {
  clearMask();
  FRegion = QRegion();
  QRect bounds = rect.adjusted(0, 0, 0, TailHeight);
  setGeometry(bounds);
  const int w = bounds.width(), h = BodyHeight(bounds.height());
  const QRegion shape = BalloonRegion(w, h);
  if (!shape.isEmpty()) {
    FRegion = shape;
    setMask(shape);
  }
  const QPoint tip(bounds.left() + w / 2 - 5, bounds.top() + h + 16);
  const QPoint mouse = QCursor::pos();
  bounds.translate(mouse.x() + 2 - tip.x(), mouse.y() - 2 - tip.y());
  THintWindow::ActivateHint(bounds, text);
}

void TRVLHelpHintWindow::paintEvent(QPaintEvent* event) {
  THintWindow::paintEvent(event);
  QPainter painter(this);
  painter.setPen(Qt::black);
  // The frame follows the outline: the body's bottom edge is its last row.
  const int w = width(), bottom = BodyHeight(height()) - 1, middle = width() / 2;
  painter.drawRoundedRect(QRectF(0, 0, w - 2, bottom), CornerRadius, CornerRadius);
  painter.drawPolyline(QPolygon({{middle + 1, bottom}, {middle - 4, bottom + 14}, {middle + 13, bottom}}));
  // Opens the frame where the tail joins the body.
  painter.setPen(ColorToQColor(clInfoBk));
  painter.drawLine(middle + 12, bottom, middle + 2, bottom);
}
