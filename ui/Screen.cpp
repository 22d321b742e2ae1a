#include "ui/Screen.h"

#include <algorithm>

#include <QApplication>
#include <QCursor>

#include "ui/Component.h"
#include "ui/Form.h"

namespace {

Qt::CursorShape ShapeOf(TCursor cursor) {
  switch (cursor) {
  case crNone: return Qt::BlankCursor;
  case crCross: return Qt::CrossCursor;
  case crIBeam: return Qt::IBeamCursor;
  case crSizeAll: return Qt::SizeAllCursor;
  case crSizeNESW: return Qt::SizeBDiagCursor;
  case crSizeNS: return Qt::SizeVerCursor;
  case crSizeNWSE: return Qt::SizeFDiagCursor;
  case crSizeWE: return Qt::SizeHorCursor;
  case crUpArrow: return Qt::UpArrowCursor;
  case crHourGlass: case crSQLWait: return Qt::WaitCursor;
  case crDrag: case crMultiDrag: return Qt::DragCopyCursor;
  case crNoDrop: case crNo: return Qt::ForbiddenCursor;
  case crHSplit: return Qt::SplitHCursor;
  case crVSplit: return Qt::SplitVCursor;
  case crAppStart: return Qt::BusyCursor;
  case crHelp: return Qt::WhatsThisCursor;
  case crHandPoint: return Qt::PointingHandCursor;
  default: return Qt::ArrowCursor;
  }
}

} // namespace

TScreen& Screen() {
  static TScreen screen;
  return screen;
}

TForm* TScreen::ActiveForm() const {
  QWidget* window = QApplication::activeWindow();
  if (!window) return nullptr;
  if (auto form = qobject_cast<TForm*>(window)) return form;
  return OwnerForm(window);
}

void TScreen::SetCursor(TCursor cursor) {
  if (cursor == FCursor) return;
  // One override cursor of ours at most: replaced while set, removed for crDefault.
  if (FCursor != crDefault) QApplication::restoreOverrideCursor();
  FCursor = cursor;
  if (cursor != crDefault) QApplication::setOverrideCursor(QCursor(ShapeOf(cursor)));
}

QPoint TScreen::CursorPos() const { return QCursor::pos(); }

void TScreen::AddForm(TForm* form) { FForms.push_back(form); }

void TScreen::RemoveForm(TForm* form) { std::erase(FForms, form); }

TWaitCursor::TWaitCursor() : FSaved(Screen().Cursor()) { Screen().SetCursor(crHourGlass); }

TWaitCursor::~TWaitCursor() { Screen().SetCursor(FSaved); }
