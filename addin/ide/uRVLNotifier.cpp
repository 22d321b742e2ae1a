#include "addin/ide/uRVLNotifier.h"

#include "addin/commands/uRVLCommandsFactory.h"
#include "addin/commands/uRVLFilesCommands.h"
#include "addin/frame/uRVLFactory.h"
#include "addin/frame/uRVLGlobals.h"
#include "addin/settings/uRVLRegFactory.h"
#include "addin/settings/uRVLUtils.h"
#include "addin/settings/uRegOptions.h"
#include "addin/sourcesafe/uRVLItem.h"
#include "addin/sourcesafe/uRVLProjects.h"
#include "opentools/ToolIntf.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/MenuItem.h"

namespace {

// The IDE's Edit|Lock Controls item, nil before the IDE has its main form.
TMenuItem* FindLockControlsItem() {
  TForm* mainForm = Application().MainForm();
  return mainForm ? qobject_cast<TMenuItem*>(mainForm->FindComponent("EditLockControlsItem")) : nullptr;
}

} // namespace

TRVLNotifier::TRVLNotifier(TRVLActiveProjects* ActiveProjects)
    : FActiveProjects(ActiveProjects), FOptions(TRVLRegFactory::_Instance().CreateRegOptions()),
      FFilesCommands(TRVLCommandsFactory::_Instance().CreateFilesCommands()),
      FLockControlsItem(FindLockControlsItem()) {}

TRVLNotifier::~TRVLNotifier() = default;

void TRVLNotifier::FileNotification(TFileNotification NotifyCode, const std::string& FileName, bool& Cancel) {
  // A failed action is reported and leaves Cancel as the IDE gave it.
  Guarded(this, [&] {
    switch (NotifyCode) {
      case fnFileOpened: FileOpened(FileName); break;
      case fnProjectOpened: ProjectOpened(FileName); break;
      case fnProjectClosing: ProjectClosing(); break;
      case fnRemovedFromProject: RemovedFromProject(FileName); break;
      default: return;
    }
    Cancel = false;
  });
}

void TRVLNotifier::FileOpened(const std::string& FileName) {
  TIntfPtr<TIModuleInterface> module(Globals().ToolServices->GetModuleInterface(FileName));
  if (!module) return;
  TIntfPtr<TIFormInterface> form(module->GetFormInterface());
  if (!form) return;
  TRVLFactory& factory = TRVLFactory::_Instance();
  TIntfPtr<TRVLModuleNotifier> notifier = factory.CreateModuleNotifier(
      module.Get(), factory.CreateItemFromFile(form->FileName(), FActiveProjects->GetActiveProject()),
      FLockControlsItem);
  // From here the module holds the notifier, which releases itself when the module goes.
  if (module->AddNotifier(notifier.Get())) notifier.Detach();
}

void TRVLNotifier::ProjectOpened(const std::string& FileName) {
  std::unique_ptr<TRVLProject> created = TRVLFactory::_Instance().CreateProject(FileName);
  TRVLProject* project = created.get();
  FActiveProjects->Add(created.release());
  if (!FOptions->GetSyncOnOpen() || !project->IsBound()) return;
  FFilesCommands->SetProject(project);
  FFilesCommands->SyncProjectOpen();
}

void TRVLNotifier::ProjectClosing() {
  if (!FOptions->GetSyncOnClose()) return;
  TRVLProject* project = FActiveProjects->GetActiveProject();
  if (!project || !project->IsBound()) return;
  FFilesCommands->SetProject(project);
  FFilesCommands->SyncProjectClose();
}

void TRVLNotifier::RemovedFromProject(const std::string& FileName) {
  TRVLProject* project = FActiveProjects->GetActiveProject();
  std::unique_ptr<TRVLItem> item = TRVLFactory::_Instance().CreateItemFromFile(FileName, project);
  if (!item->IsInVSS()) return;
  if (ShowMessageBox("Would you like to remove this file from " + Globals().ShortName + "?",
                     MB_YESNO | MB_ICONQUESTION) != IDYES)
    return;
  FFilesCommands->SetProject(project);
  FFilesCommands->SetCurrentItem(item.get());
  FFilesCommands->RemoveCurrent(true);
}

TRVLModuleNotifier::TRVLModuleNotifier(TIModuleInterface* Module, std::unique_ptr<TRVLItem> Item,
                                       TMenuItem* LockControlsItem)
    : FModule(TIntfPtr<TIModuleInterface>::Share(Module)), FItem(std::move(Item)),
      FLockControlsItem(LockControlsItem) {}

TRVLModuleNotifier::~TRVLModuleNotifier() { FModule->RemoveNotifier(this); }

void TRVLModuleNotifier::Notify(TNotifyCode NotifyCode) {
  if (NotifyCode == ncModuleDeleted) {
    Release();
    return;
  }
  Guarded(this, [&] {
    if (NotifyCode == ncFormSelected)
      SetLockControls(IsCheckedIn());
    else if (NotifyCode == ncFormModified)
      FormModified();
  });
}

bool TRVLModuleNotifier::IsCheckedIn() { return CanBeCheckedOut(FItem.get()); }

void TRVLModuleNotifier::RefreshLockControls() {
  if (TMenuItem* parent = FLockControlsItem->Parent()) parent->Click();
}

void TRVLModuleNotifier::SetLockControls(bool Lock) {
  if (!FLockControlsItem) return;
  RefreshLockControls();
  if (Lock != FLockControlsItem->Checked()) FLockControlsItem->Click();
}

void TRVLModuleNotifier::FormModified() {
  if (!FLockControlsItem) return;
  RefreshLockControls();
  if (!FLockControlsItem->Checked() || !IsCheckedIn()) return;
  ShowMessageBox(FItem->GetLocalSpec() + "\rThe file is checked in, Please check out the form before doing any changes",
                 MB_OK | MB_ICONEXCLAMATION);
  FModule->ShowSource();
}
