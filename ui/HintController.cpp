#include "ui/HintController.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "platform/Text.h"

namespace {

// The widget whose hint shows over `widget`: it or the nearest parent in its window with hints on.
QWidget* HintControlOf(QWidget* widget) {
  for (QWidget* w = widget; w; w = w->isWindow() ? nullptr : w->parentWidget())
    if (ShowHintOf(w)) return w;
  return nullptr;
}

// The short hint: a hint "short|long" shows its part before the bar.
std::string ShortHint(const QWidget* control) {
  const std::string hint = control->toolTip().toStdString();
  return hint.substr(0, hint.find('|'));
}

int ScreenWidthAt(QPoint globalPos) {
  QScreen* screen = QGuiApplication::screenAt(globalPos);
  if (!screen) screen = QGuiApplication::primaryScreen();
  return screen ? screen->availableGeometry().width() : 640;
}

} // namespace

TApplication::THintController::THintController(TApplication& application) : FApplication(application) {
  FHideTimer.setSingleShot(true);
  FReshowTimer.setSingleShot(true);
  QObject::connect(&FHideTimer, &QTimer::timeout, [this] { Cancel(); });
  QObject::connect(&FReshowTimer, &QTimer::timeout, [this] { Reshow(); });
}

bool TApplication::THintController::Activate(QWidget* widget, QPoint pos) {
  QWidget* control = HintControlOf(widget);
  if (!control) return false;
  Cancel();
  if (!FApplication.ShowHint()) return true;

  const QPoint global = widget->mapToGlobal(pos);
  std::string text = ShortHint(control);
  bool canShow = true;
  THintInfo info;
  info.HintControl = control;
  info.CursorPos = control->mapFromGlobal(global);
  info.CursorRect = control->rect();
  info.HintPos = global + QPoint(0, 20);
  info.HintMaxWidth = ScreenWidthAt(global);
  info.HideTimeout = FApplication.HintHidePause();
  try {
    if (FApplication.OnShowHint()) {
      TShowHintEvent handler = FApplication.OnShowHint();
      handler(text, canShow, info);
    }
    if (!canShow || text.empty() || !info.HintControl) return true;
    if (!FWindow || !platform::SameText(FWindowClass, info.HintWindowClass)) {
      FWindow = CreateHintWindow(info.HintWindowClass);
      FWindowClass = info.HintWindowClass;
    }
    QRect rect = FWindow->CalcHintRect(info.HintMaxWidth, text);
    rect.moveTopLeft(info.HintPos);
    FWindow->ActivateHint(rect, text);
  } catch (const std::exception& e) {
    Cancel();
    FApplication.HandleException(&FApplication, e);
    return true;
  }
  FControl = info.HintControl;
  FCursorRect = QRect(info.HintControl->mapToGlobal(info.CursorRect.topLeft()), info.CursorRect.size());
  if (info.HideTimeout > 0) FHideTimer.start(info.HideTimeout);
  if (info.ReshowTimeout > 0) FReshowTimer.start(info.ReshowTimeout);
  return true;
}

void TApplication::THintController::MouseMoved(QPoint globalPos) {
  if (Window() && !FCursorRect.contains(globalPos)) Cancel();
}

void TApplication::THintController::Cancel() {
  FHideTimer.stop();
  FReshowTimer.stop();
  FControl = nullptr;
  if (FWindow) FWindow->ReleaseHandle();
}

THintWindow* TApplication::THintController::Window() const {
  return FWindow && FWindow->isVisible() ? FWindow.get() : nullptr;
}

void TApplication::THintController::ReleaseClass(const std::string& className) {
  if (!FWindow || !platform::SameText(FWindowClass, className)) return;
  Cancel();
  FWindow.reset();
  FWindowClass.clear();
}

void TApplication::THintController::Reshow() {
  QWidget* control = FControl;
  const QPoint global = QCursor::pos();
  if (control && FCursorRect.contains(global)) Activate(control, control->mapFromGlobal(global));
  else Cancel();   // the mouse left without a move event reaching us
}
