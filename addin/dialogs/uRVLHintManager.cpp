#include "addin/dialogs/uRVLHintManager.h"

#include <memory>

#include <QApplication>

#include "addin/dialogs/uRVLForm.h"
#include "addin/dialogs/uRVLHelpHintWindow.h"
#include "addin/dialogs/uRVLHintWindow.h"
#include "addin/ide/uEditHook.h"
#include "platform/Text.h"
#include "ui/Component.h"

namespace {

template <class T>
void RegisterWindowClass() {
  RegisterHintWindowClass(T::staticMetaObject.className(), [] { return std::make_unique<T>(); });
}

} // namespace

void TRVLHintManager::Init() {
  RegisterWindowClass<TRVLHintWindow>();
  RegisterWindowClass<TRVLHelpHintWindow>();
  FOldOnShowHint = Application().OnShowHint();
  Application().SetOnShowHint(
      [this](std::string& hintStr, bool& canShow, THintInfo& hintInfo) { ShowHint(hintStr, canShow, hintInfo); });
}

void TRVLHintManager::Done() {
  // Without an application (its process is ending) there is nothing left to restore.
  if (!qApp) return;
  Application().SetOnShowHint(std::move(FOldOnShowHint));
  UnregisterHintWindowClass(TRVLHintWindow::staticMetaObject.className());
  UnregisterHintWindowClass(TRVLHelpHintWindow::staticMetaObject.className());
}

void TRVLHintManager::ShowHint(std::string& HintStr, bool& CanShow, THintInfo& HintInfo) {
  bool handled = false;
  TForm* owner = HintInfo.HintControl ? OwnerForm(HintInfo.HintControl) : nullptr;
  if (auto* form = qobject_cast<TRVLForm*>(owner))
    handled = form->DoShowHint(HintStr, CanShow, HintInfo);
  else if (owner && platform::SameText(::ClassName(static_cast<QObject*>(owner)), "TEDITWINDOW"))
    if (auto* hook = qobject_cast<TEditHookComp*>(FindComponent(owner, "EditorHookComp")))
      handled = hook->StatusHint(HintStr, HintInfo);
  if (!handled && FOldOnShowHint) FOldOnShowHint(HintStr, CanShow, HintInfo);
}
