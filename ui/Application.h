#pragma once
// The application object shared by the IDE and the add-in: main form, exception and hint events,
// window hooks and the components the application owns.
//
// There is one instance per process, created on first use of Application() once a QApplication
// exists, and destroyed with the QApplication.
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>

#include "ui/Form.h"
#include "ui/Object.h"

class QWidget;
class THintWindow;

using TExceptionEvent = std::function<void(TObject* sender, const std::exception& e)>;

// What the application knows about a hint about to show; a show-hint handler may change every field.
// Positions are screen coordinates except CursorPos and CursorRect, which are in the hint control's
// client coordinates.
struct THintInfo {
  QWidget* HintControl = nullptr;
  std::string HintWindowClass = "THintWindow";   // a registered hint window class (HintWindow.h)
  QPoint HintPos;               // top-left corner of the hint window
  int HintMaxWidth = 0;         // wrap width in pixels
  QPoint CursorPos;             // the mouse, in the control
  QRect CursorRect;             // the hint hides when the mouse leaves this rectangle
  int ReshowTimeout = 0;        // ms after which the hint is asked for again; 0 never
  int HideTimeout = 0;          // ms after which the hint hides; 0 never
};

// Runs before every hint: may change the text, refuse the hint (canShow := false) or change `info`.
using TShowHintEvent = std::function<void(std::string& hintText, bool& canShow, THintInfo& info)>;

// Window messages the hooks see, with the values of the system they come from.
constexpr unsigned WM_ACTIVATE = 6;
constexpr unsigned WM_WININICHANGE = 26;
constexpr unsigned WA_INACTIVE = 0;
constexpr unsigned WA_ACTIVE = 1;        // activated by the keyboard or by the program
constexpr unsigned WA_CLICKACTIVE = 2;   // activated by a mouse click

// One message as a window hook sees it.
struct TCWPStruct {
  unsigned Message = 0;     // WM_ACTIVATE or WM_WININICHANGE
  uintptr_t WParam = 0;     // WM_ACTIVATE: WA_*
  intptr_t LParam = 0;
  QWidget* Window = nullptr;   // the top-level window the message is for; nullptr for broadcasts
};

using TWindowHook = std::function<void(const TCWPStruct& message)>;
using THookId = int;

class TApplication : public QObject, public TObject {
  Q_OBJECT
public:
  // The IDE's main window, owner of the add-in's windows; nullptr before the IDE sets it.
  TForm* MainForm() const { return FMainForm; }
  void SetMainForm(TForm* form);
  // The caption of message boxes raised by the application itself.
  std::string Title() const { return FTitle; }
  void SetTitle(const std::string& title) { FTitle = title; }

  // Exception event: receives every exception that escapes an event handler. A caller that takes it
  // over keeps the previous one (OnException()) and puts it back later.
  const TExceptionEvent& OnException() const { return FOnException; }
  void SetOnException(TExceptionEvent handler) { FOnException = std::move(handler); }
  // Hands `e` to OnException, or without a handler shows it in an error box through the prompter.
  // Never throws.
  void HandleException(TObject* sender, const std::exception& e);
  // The error box: the exception's message, the application's title, an error icon.
  void ShowException(const std::exception& e);

  // Hint event and timing (ms). HintHidePause is the default hide timeout of a hint.
  const TShowHintEvent& OnShowHint() const { return FOnShowHint; }
  void SetOnShowHint(TShowHintEvent handler) { FOnShowHint = std::move(handler); }
  int HintHidePause() const { return FHintHidePause; }
  void SetHintHidePause(int ms) { FHintHidePause = ms; }
  bool ShowHint() const { return FShowHint; }   // false: no hints at all
  void SetShowHint(bool show) { FShowHint = show; }
  // Asks for the hint of `control` as if the mouse rested at `pos` (control coordinates): runs the
  // show-hint event and shows the hint window. True when a hint is now showing.
  bool ActivateHint(QWidget* control, QPoint pos);
  void CancelHint();
  // The hint window now showing, or nullptr.
  THintWindow* ActiveHintWindow() const;
  // Destroys the application's hint window when it is of class `className`: its code may be about
  // to go (an add-in that registered the class unloads).
  void ReleaseHintWindowClass(const std::string& className);

  // Window hooks, called in installation order for top-level window activations and the
  // settings-changed broadcast. An exception from a hook goes to HandleException.
  THookId AddWindowHook(TWindowHook hook);
  void RemoveWindowHook(THookId id);
  // Sends WM_WININICHANGE to the hooks (what changing the options of a program announces).
  void BroadcastSettingChange();

  // Components the application owns (its QObject children), e.g. the IDE's version-control menu.
  std::vector<QObject*> Components() const;
  QObject* FindComponent(const std::string& name) const;

  // Runs pending events once (long operations call it to keep windows painted).
  void ProcessMessages();

  ~TApplication() override;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  friend TApplication& Application();
  TApplication();

  struct THookEntry {
    THookId Id;
    TWindowHook Hook;
  };
  class THintController;

  void SendToHooks(const TCWPStruct& message);
  void WindowActivated(QWidget* window, bool active);

  QPointer<TForm> FMainForm;
  std::string FTitle;
  TExceptionEvent FOnException;
  TShowHintEvent FOnShowHint;
  int FHintHidePause = 2500;
  bool FShowHint = true;
  std::vector<THookEntry> FHooks;
  THookId FNextHookId = 1;
  QPointer<QWidget> FClickedWindow;   // a window a mouse press went to while it was inactive
  std::unique_ptr<THintController> FHints;
};

// The one application object (created on first use; a QApplication must exist).
TApplication& Application();

// Runs `action`; an exception escaping it goes to Application().HandleException(sender, e).
// For event handlers that Qt calls directly (signals), where exceptions must not escape.
void Guarded(TObject* sender, const std::function<void()>& action);

// Hints of any widget: a widget shows hints when this is on; by default it is on exactly when the
// widget has a tool tip. The hint of a widget is asked from the nearest widget (it or a parent in the
// same window) that shows hints.
bool ShowHintOf(const QWidget* widget);
void SetShowHintOf(QWidget* widget, bool show);
