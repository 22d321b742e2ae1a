#pragma once
// Forms: the top-level windows of the IDE and of the add-in. A form's class name (Q_OBJECT in every
// descendant) and component name identify it; it can run modally with a result, and keeps its
// normal bounds so that a maximized window's placement can be saved and restored.
#include <functional>
#include <string>

#include <QAbstractButton>
#include <QPointer>
#include <QRect>
#include <QWidget>

#include "ui/Object.h"

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;
constexpr TModalResult mrAll = 8;
constexpr TModalResult mrNoToAll = 9;
constexpr TModalResult mrYesToAll = 10;

enum TWindowState { wsNormal, wsMinimized, wsMaximized };

class QEventLoop;

class TForm : public QWidget, public TObject {
  Q_OBJECT
public:
  // `owner` may be a widget (the form stays a separate top-level window, deleted with it), the
  // application or any other object (the form is deleted when it is), or nullptr.
  explicit TForm(QObject* owner = nullptr);
  ~TForm() override;

  QObject* Owner() const { return FOwner; }
  std::string Name() const;
  void SetName(const std::string& name);
  std::string Caption() const;
  void SetCaption(const std::string& caption);
  // The component of this form named `name` (ignoring case), or nullptr.
  QObject* FindComponent(const std::string& name) const;

  // Shows the form modally in a local event loop until ModalResult becomes non-zero (a button, the
  // program, or closing the window, which gives mrCancel); returns it. Throws Exception when the
  // form is already visible or modal. A registered modal hook gets the form once the loop runs.
  TModalResult ShowModal();
  TModalResult ModalResult() const { return FModalResult; }
  // Setting a non-zero result while the form runs modally ends the modal loop.
  void SetModalResult(TModalResult result);
  bool IsModal() const { return FModalLoop != nullptr; }

  // A button that closes the form with `result` when clicked (a dialog's OK, Cancel, Yes...).
  void SetButtonResult(QAbstractButton* button, TModalResult result);
  // The button Return presses (unless the focused control takes Return itself) and the button
  // Escape presses; nullptr for none.
  void SetDefaultButton(QAbstractButton* button) { FDefaultButton = button; }
  void SetCancelButton(QAbstractButton* button) { FCancelButton = button; }

  void Show();
  // Closes the form: hides it (a modal form with no result gets mrCancel). Forms asked to close
  // through OnCloseQuery may refuse.
  void Close();
  std::function<bool()> OnCloseQuery;   // false keeps the form open
  TNotifyEvent OnShow;
  TNotifyEvent OnClose;

  TWindowState WindowState() const;
  void SetWindowState(TWindowState state);
  // The bounds of the normal (not maximized, not minimized) window, kept while it is maximized.
  QRect NormalBounds() const { return FNormalBounds; }
  void SetNormalBounds(const QRect& bounds);
  int Left() const { return FNormalBounds.left(); }
  int Top() const { return FNormalBounds.top(); }
  int Width() const { return FNormalBounds.width(); }
  int Height() const { return FNormalBounds.height(); }
  void SetLeft(int left);
  void SetTop(int top);
  void SetWidth(int width);
  void SetHeight(int height);

protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

private:
  void RememberNormalBounds();

  QPointer<QObject> FOwner;
  TModalResult FModalResult = mrNone;
  QEventLoop* FModalLoop = nullptr;
  QRect FNormalBounds;
  QPointer<QAbstractButton> FDefaultButton;
  QPointer<QAbstractButton> FCancelButton;
};

using TModalHook = std::function<void(TForm& form)>;
// Installs the hook that is given every form right after its modal loop starts (tests and the
// IDE's script mode answer dialogs through it); returns the hook that was installed before. An empty
// hook removes it.
TModalHook SetModalHook(TModalHook hook);
