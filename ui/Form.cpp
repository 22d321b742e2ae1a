#include "ui/Form.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QTimer>

#include "platform/Exception.h"
#include "ui/Application.h"
#include "ui/Component.h"
#include "ui/Screen.h"

namespace {

TModalHook& ModalHook() {
  static TModalHook hook;
  return hook;
}

} // namespace

TModalHook SetModalHook(TModalHook hook) {
  TModalHook previous = std::move(ModalHook());
  ModalHook() = std::move(hook);
  return previous;
}

TForm::TForm(QObject* owner) : QWidget(qobject_cast<QWidget*>(owner), Qt::Window), FOwner(owner) {
  // An owner that is not a widget cannot be the Qt parent; it still ends the form's life.
  if (owner && !owner->isWidgetType()) connect(owner, &QObject::destroyed, this, [this] { delete this; });
  FNormalBounds = geometry();
  Screen().AddForm(this);
}

TForm::~TForm() {
  if (FModalLoop) FModalLoop->exit();
  Screen().RemoveForm(this);
}

std::string TForm::Name() const { return objectName().toStdString(); }

void TForm::SetName(const std::string& name) { setObjectName(QString::fromStdString(name)); }

std::string TForm::Caption() const { return windowTitle().toStdString(); }

void TForm::SetCaption(const std::string& caption) { setWindowTitle(QString::fromStdString(caption)); }

QObject* TForm::FindComponent(const std::string& name) const { return ::FindComponent(this, name); }

TModalResult TForm::ShowModal() {
  if (FModalLoop || isVisible()) throw Exception("Cannot make a visible window modal");
  FModalResult = mrNone;
  setWindowModality(Qt::ApplicationModal);
  QEventLoop loop;
  FModalLoop = &loop;
  QPointer<TForm> self(this);
  show();
  if (ModalHook()) {
    // Queued, so that the hook runs inside the loop, as a person's input would.
    QTimer::singleShot(0, &loop, [self] {
      if (self && self->FModalLoop && ModalHook()) {
        TModalHook hook = ModalHook();
        Guarded(self.data(), [&] { hook(*self); });
      }
    });
  }
  if (FModalResult == mrNone) loop.exec(QEventLoop::DialogExec);
  if (!self) return mrCancel;
  FModalLoop = nullptr;
  hide();
  setWindowModality(Qt::NonModal);
  return FModalResult;
}

void TForm::SetModalResult(TModalResult result) {
  FModalResult = result;
  if (result != mrNone && FModalLoop) FModalLoop->exit();
}

void TForm::SetButtonResult(QAbstractButton* button, TModalResult result) {
  connect(button, &QAbstractButton::clicked, this, [this, result] { SetModalResult(result); });
}

void TForm::keyPressEvent(QKeyEvent* event) {
  QAbstractButton* button = nullptr;
  if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
    if (event->key() == Qt::Key_Escape) button = FCancelButton;
    else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) button = FDefaultButton;
  }
  if (button && button->isEnabled() && button->isVisible()) button->click();
  else QWidget::keyPressEvent(event);
}

void TForm::Show() {
  show();
  raise();
  activateWindow();
}

void TForm::Close() { close(); }

void TForm::closeEvent(QCloseEvent* event) {
  bool canClose = true;
  if (OnCloseQuery) Guarded(this, [&] { canClose = OnCloseQuery(); });
  if (!canClose) {
    event->ignore();
    return;
  }
  if (OnClose) Guarded(this, [&] { OnClose(this); });
  event->accept();
  if (FModalLoop && FModalResult == mrNone) SetModalResult(mrCancel);
}

void TForm::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (OnShow) Guarded(this, [&] { OnShow(this); });
}

TWindowState TForm::WindowState() const {
  if (isMinimized()) return wsMinimized;
  if (isMaximized()) return wsMaximized;
  return wsNormal;
}

void TForm::SetWindowState(TWindowState state) {
  switch (state) {
  case wsNormal: setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized)); break;
  case wsMinimized: setWindowState((windowState() & ~Qt::WindowMaximized) | Qt::WindowMinimized); break;
  case wsMaximized: setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized); break;
  }
  if (state == wsNormal) setGeometry(FNormalBounds);
}

void TForm::SetNormalBounds(const QRect& bounds) {
  FNormalBounds = bounds;
  if (WindowState() == wsNormal) setGeometry(bounds);
}

void TForm::SetLeft(int left) { SetNormalBounds(FNormalBounds.translated(left - FNormalBounds.left(), 0)); }

void TForm::SetTop(int top) { SetNormalBounds(FNormalBounds.translated(0, top - FNormalBounds.top())); }

void TForm::SetWidth(int width) {
  QRect bounds = FNormalBounds;
  bounds.setWidth(width);
  SetNormalBounds(bounds);
}

void TForm::SetHeight(int height) {
  QRect bounds = FNormalBounds;
  bounds.setHeight(height);
  SetNormalBounds(bounds);
}

void TForm::RememberNormalBounds() {
  if (WindowState() == wsNormal && !windowState().testFlag(Qt::WindowFullScreen)) FNormalBounds = geometry();
}

void TForm::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  RememberNormalBounds();
}

void TForm::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  RememberNormalBounds();
}
