#include "addin/dialogs/uRVLHintWindow.h"

#include <QPainter>
#include <QPolygon>

TRVLHintWindow::TRVLHintWindow(QWidget* parent) : THintWindow(parent) { SetHasBorder(false); }

void TRVLHintWindow::paintEvent(QPaintEvent* event) {
  THintWindow::paintEvent(event);
  QPainter painter(this);
  painter.setPen(Qt::black);
  const QRect r = rect();
  painter.drawPolyline(QPolygon({r.topLeft(), r.topRight(), r.bottomRight(), r.bottomLeft(), r.topLeft()}));
}
