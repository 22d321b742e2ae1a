#include "addin/settings/uRegWindow.h"

#include <algorithm>

#include "ui/Form.h"

void TRegWindow::UseSubKeyOf(QWidget* control) { FRegistry->SetSubKey(::ClassName(control)); }

void TRegWindow::LoadPlacement(QWidget* Control) {
  UseSubKeyOf(Control);
  auto* form = qobject_cast<TForm*>(Control);
  QRect bounds = form ? form->NormalBounds() : Control->geometry();
  bounds = QRect(FRegistry->ReadInteger("Left", bounds.left()), FRegistry->ReadInteger("Top", bounds.top()),
                 FRegistry->ReadInteger("Width", bounds.width()), FRegistry->ReadInteger("Height", bounds.height()));
  bounds.moveTo(std::max(bounds.left(), 0), std::max(bounds.top(), 0));
  if (!form) {
    Control->setGeometry(bounds);
    return;
  }
  // The normal bounds are kept apart from the state, so a window that comes back maximized still
  // restores to the size it had.
  form->SetNormalBounds(bounds);
  form->SetWindowState(static_cast<TWindowState>(FRegistry->ReadInteger("State", form->WindowState())));
}

void TRegWindow::SavePlacement(QWidget* Control) {
  UseSubKeyOf(Control);
  auto* form = qobject_cast<TForm*>(Control);
  if (form) FRegistry->WriteInteger("State", form->WindowState());
  if (form && form->WindowState() != wsNormal) return;
  const QRect bounds = form ? form->NormalBounds() : Control->geometry();
  FRegistry->WriteInteger("Width", bounds.width());
  FRegistry->WriteInteger("Height", bounds.height());
  FRegistry->WriteInteger("Top", bounds.top());
  FRegistry->WriteInteger("Left", bounds.left());
}

int TRegWindow::ReadControlInteger(QWidget* Control, const std::string& Name, int Default) {
  UseSubKeyOf(Control);
  return FRegistry->ReadInteger(Name, Default);
}

void TRegWindow::WriteControlInteger(QWidget* Control, const std::string& Name, int Value) {
  UseSubKeyOf(Control);
  FRegistry->WriteInteger(Name, Value);
}
