#include "ui/StatusBar.h"

#include <algorithm>

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include "platform/Exception.h"
#include "ui/Application.h"
#include "ui/Graphics.h"

int TStatusPanel::Index() const {
  for (int i = 0; i < FStatusBar->PanelCount(); ++i)
    if (FStatusBar->Panels(i) == this) return i;
  return -1;
}

void TStatusPanel::SetText(const std::string& text) {
  if (text == FText) return;
  FText = text;
  FStatusBar->update();
}

void TStatusPanel::SetWidth(int width) {
  FWidth = std::max(0, width);
  FStatusBar->update();
}

void TStatusPanel::SetBevel(TStatusPanelBevel bevel) {
  FBevel = bevel;
  FStatusBar->update();
}

void TStatusPanel::SetStyle(TStatusPanelStyle style) {
  FStyle = style;
  FStatusBar->update();
}

void TStatusPanel::SetAlignment(TAlignment alignment) {
  FAlignment = alignment;
  FStatusBar->update();
}

TStatusBar::TStatusBar(QWidget* parent) : QWidget(parent) {
  setFont(StatusBarFont());
  setFixedHeight(fontMetrics().height() + 8);
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

TStatusBar::~TStatusBar() = default;

TStatusPanel* TStatusBar::Panels(int index) const {
  if (index < 0 || index >= PanelCount())
    throw Exception("Status panel index " + std::to_string(index) + " out of range");
  return FPanels[index].get();
}

TStatusPanel* TStatusBar::AddPanel() { return InsertPanel(PanelCount()); }

TStatusPanel* TStatusBar::InsertPanel(int index) {
  if (index < 0 || index > PanelCount())
    throw Exception("Status panel index " + std::to_string(index) + " out of range");
  auto inserted = FPanels.insert(FPanels.begin() + index, std::unique_ptr<TStatusPanel>(new TStatusPanel(this, FNextID++)));
  update();
  return inserted->get();
}

void TStatusBar::DeletePanel(int index) {
  Panels(index);   // checks the index
  FPanels.erase(FPanels.begin() + index);
  update();
}

TStatusPanel* TStatusBar::FindPanelByID(int id) const {
  for (const auto& panel : FPanels)
    if (panel->ID() == id) return panel.get();
  return nullptr;
}

QRect TStatusBar::PanelRect(int index) const {
  Panels(index);   // checks the index
  int left = 0;
  for (int i = 0; i < index; ++i) left += FPanels[i]->Width();
  const int right = index == PanelCount() - 1 ? std::max(left, width()) : left + FPanels[index]->Width();
  return QRect(left, 0, right - left, height());
}

int TStatusBar::PanelAtX(int x) const {
  if (FSimplePanel || x < 0) return -1;
  for (int i = 0; i < PanelCount(); ++i) {
    const QRect rect = PanelRect(i);
    if (x >= rect.left() && x <= rect.right()) return i;
  }
  return -1;
}

void TStatusBar::SetSimplePanel(bool simple) {
  FSimplePanel = simple;
  update();
}

void TStatusBar::SetSimpleText(const std::string& text) {
  FSimpleText = text;
  update();
}

std::string TStatusBar::Hint() const { return toolTip().toStdString(); }

void TStatusBar::SetHint(const std::string& hint) { setToolTip(QString::fromStdString(hint)); }

bool TStatusBar::ShowHint() const { return ShowHintOf(this); }

void TStatusBar::SetShowHint(bool show) { SetShowHintOf(this, show); }

namespace {

void DrawBevel(QPainter& painter, const QRect& rect, TStatusPanelBevel bevel) {
  if (bevel == pbNone) return;
  const QColor light = ColorToQColor(clBtnHighlight);
  const QColor dark = ColorToQColor(clBtnShadow);
  const QColor topLeft = bevel == pbRaised ? light : dark;
  const QColor bottomRight = bevel == pbRaised ? dark : light;
  const QRect r = rect.adjusted(1, 1, -2, -2);
  painter.setPen(topLeft);
  painter.drawLine(r.topLeft(), r.topRight());
  painter.drawLine(r.topLeft(), r.bottomLeft());
  painter.setPen(bottomRight);
  painter.drawLine(r.bottomLeft(), r.bottomRight());
  painter.drawLine(r.topRight(), r.bottomRight());
}

Qt::Alignment AlignmentOf(TAlignment alignment) {
  switch (alignment) {
  case taRightJustify: return Qt::AlignRight | Qt::AlignVCenter;
  case taCenter: return Qt::AlignHCenter | Qt::AlignVCenter;
  default: return Qt::AlignLeft | Qt::AlignVCenter;
  }
}

} // namespace

void TStatusBar::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), ColorToQColor(clBtnFace));
  if (FSimplePanel) {
    painter.setPen(ColorToQColor(clBtnText));
    painter.drawText(rect().adjusted(4, 0, -4, 0), Qt::AlignLeft | Qt::AlignVCenter, QString::fromStdString(FSimpleText));
    return;
  }
  for (int i = 0; i < PanelCount(); ++i) {
    TStatusPanel* panel = FPanels[i].get();
    const QRect rect = PanelRect(i);
    if (rect.width() <= 0) continue;
    DrawBevel(painter, rect, panel->Bevel());
    const QRect inner = rect.adjusted(3, 2, -3, -2);
    if (panel->Style() == psOwnerDraw) {
      if (OnDrawPanel) {
        painter.save();
        Guarded(this, [&] { OnDrawPanel(this, panel, painter, inner); });
        painter.restore();
      }
      continue;
    }
    painter.setPen(ColorToQColor(clBtnText));
    painter.drawText(inner, AlignmentOf(panel->Alignment()), QString::fromStdString(panel->Text()));
  }
}

void TStatusBar::FireMouse(const TMouseEvent& handler, QMouseEvent* event) {
  if (!handler) return;
  TMouseButton button = mbLeft;
  if (event->button() == Qt::RightButton) button = mbRight;
  else if (event->button() == Qt::MiddleButton) button = mbMiddle;
  const TShiftState shift = ShiftStateOf(event->modifiers(), event->buttons() | event->button());
  const QPoint pos = event->position().toPoint();
  TMouseEvent copy = handler;   // the handler may replace itself
  Guarded(this, [&] { copy(this, button, shift, pos.x(), pos.y()); });
}

void TStatusBar::mousePressEvent(QMouseEvent* event) { FireMouse(OnMouseDown, event); }

void TStatusBar::mouseReleaseEvent(QMouseEvent* event) { FireMouse(OnMouseUp, event); }
