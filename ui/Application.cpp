#include "ui/Application.h"

#include <algorithm>
#include <cstdio>

#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QVariant>
#include <QWidget>

#include "platform/Exception.h"
#include "platform/Text.h"
#include "ui/Component.h"
#include "ui/Form.h"
#include "ui/HintController.h"
#include "ui/Prompter.h"
#include "ui/VirtualKeys.h"

namespace {

TApplication* Instance = nullptr;

constexpr const char* ShowHintProperty = "ravelinShowHint";

// Windows whose activation the hooks see: not menus, tool tips or hint windows.
bool IsHookedWindow(const QWidget* widget) {
  if (!widget->isWindow()) return false;
  const Qt::WindowType type = widget->windowType();
  return type != Qt::Popup && type != Qt::ToolTip && type != Qt::SplashScreen;
}

} // namespace

TApplication& Application() {
  if (!Instance) {
    if (!qApp) throw Exception("The application object needs a QApplication");
    Instance = new TApplication();
    // Gone before the widgets are: QApplication's destructor runs its post routines first.
    qAddPostRoutine([] { delete Instance; });
  }
  return *Instance;
}

TApplication::TApplication() : FHints(std::make_unique<THintController>(*this)) {
  setObjectName("Application");
  FTitle = QCoreApplication::applicationName().toStdString();
  qApp->installEventFilter(this);
}

TApplication::~TApplication() {
  FHints.reset();
  if (Instance == this) Instance = nullptr;
}

void TApplication::SetMainForm(TForm* form) { FMainForm = form; }

void TApplication::HandleException(TObject* sender, const std::exception& e) {
  try {
    if (FOnException) {
      TExceptionEvent handler = FOnException;   // the handler may replace itself
      handler(sender, e);
    } else {
      ShowException(e);
    }
  } catch (const std::exception& nested) {
    std::fprintf(stderr, "Exception while handling \"%s\": %s\n", e.what(), nested.what());
  } catch (...) {
    std::fprintf(stderr, "Unknown exception while handling \"%s\"\n", e.what());
  }
}

void TApplication::ShowException(const std::exception& e) {
  ::MessageBox(e.what(), FTitle, MB_OK | MB_ICONERROR);
}

bool TApplication::ActivateHint(QWidget* control, QPoint pos) {
  return control && FHints->Activate(control, pos) && FHints->Window();
}

void TApplication::CancelHint() { FHints->Cancel(); }

THintWindow* TApplication::ActiveHintWindow() const { return FHints->Window(); }

void TApplication::ReleaseHintWindowClass(const std::string& className) { FHints->ReleaseClass(className); }

THookId TApplication::AddWindowHook(TWindowHook hook) {
  const THookId id = FNextHookId++;
  FHooks.push_back({id, std::move(hook)});
  return id;
}

void TApplication::RemoveWindowHook(THookId id) {
  std::erase_if(FHooks, [id](const THookEntry& entry) { return entry.Id == id; });
}

void TApplication::BroadcastSettingChange() { SendToHooks({WM_WININICHANGE, 0, 0, nullptr}); }

void TApplication::SendToHooks(const TCWPStruct& message) {
  // A hook may add or remove hooks: run over a copy, skipping those removed meanwhile.
  const std::vector<THookEntry> hooks = FHooks;
  for (const THookEntry& entry : hooks) {
    const bool installed = std::any_of(FHooks.begin(), FHooks.end(), [&](const THookEntry& e) { return e.Id == entry.Id; });
    if (installed) Guarded(this, [&] { entry.Hook(message); });
  }
}

void TApplication::WindowActivated(QWidget* window, bool active) {
  unsigned state = WA_INACTIVE;
  // A click: a press went to the window while it was inactive, or a button is down as it activates.
  if (active) state = FClickedWindow == window || QGuiApplication::mouseButtons() != Qt::NoButton ? WA_CLICKACTIVE : WA_ACTIVE;
  if (active) FClickedWindow = nullptr;
  SendToHooks({WM_ACTIVATE, state, 0, window});
}

std::vector<QObject*> TApplication::Components() const {
  const QObjectList& list = children();
  return {list.begin(), list.end()};
}

QObject* TApplication::FindComponent(const std::string& name) const {
  for (QObject* child : children())
    if (platform::SameText(child->objectName().toStdString(), name)) return child;
  return nullptr;
}

void TApplication::ProcessMessages() { QApplication::processEvents(); }

bool TApplication::eventFilter(QObject* watched, QEvent* event) {
  if (!watched->isWidgetType()) return false;
  auto widget = static_cast<QWidget*>(watched);
  switch (event->type()) {
  case QEvent::KeyPress:
  case QEvent::KeyRelease:
    RecordKeyEvent(static_cast<QKeyEvent*>(event));
    if (event->type() == QEvent::KeyPress) {
      FHints->Cancel();
      FClickedWindow = nullptr;
    }
    break;
  case QEvent::MouseButtonPress:
    FHints->Cancel();
    if (widget->window() != QApplication::activeWindow()) FClickedWindow = widget->window();
    break;
  case QEvent::MouseMove:
    FHints->MouseMoved(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
    break;
  case QEvent::ToolTip:
    return FHints->Activate(widget, static_cast<QHelpEvent*>(event)->pos());
  case QEvent::WindowActivate:
  case QEvent::WindowDeactivate:
    if (IsHookedWindow(widget)) WindowActivated(widget, event->type() == QEvent::WindowActivate);
    break;
  default:
    break;
  }
  return false;
}

void Guarded(TObject* sender, const std::function<void()>& action) {
  try {
    action();
  } catch (const std::exception& e) {
    Application().HandleException(sender, e);
  } catch (...) {
    Application().HandleException(sender, Exception("An unknown exception was raised"));
  }
}

bool ShowHintOf(const QWidget* widget) {
  const QVariant value = widget->property(ShowHintProperty);
  return value.isValid() ? value.toBool() : !widget->toolTip().isEmpty();
}

void SetShowHintOf(QWidget* widget, bool show) { widget->setProperty(ShowHintProperty, show); }
