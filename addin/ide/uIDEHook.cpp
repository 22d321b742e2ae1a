#include "addin/ide/uIDEHook.h"

#include "addin/commands/uRVLCommandsFactory.h"
#include "addin/commands/uRVLFilesCommands.h"
#include "addin/frame/uRVLFactory.h"
#include "addin/ide/uEditHook.h"
#include "addin/settings/uRVLRegFactory.h"
#include "addin/settings/uRegOptions.h"
#include "platform/Exception.h"
#include "ui/Screen.h"
#include "platform/Text.h"

namespace {

TIDEHook* HookInstance = nullptr;

constexpr char HookCompName[] = "EditorHookComp";

} // namespace

TIDEHook* TIDEHook::Instance() { return HookInstance; }

TIDEHook::TIDEHook(TRVLActiveFiles* ActiveFiles, TRVLActiveProjects* ActiveProjects)
    : FActiveFiles(ActiveFiles), FActiveProjects(ActiveProjects) {
  if (HookInstance) throw Exception("EditHook created more than once");
  FFilesCommands = TRVLCommandsFactory::_Instance().CreateFilesCommands();
  FHook = Application().AddWindowHook([this](const TCWPStruct& Message) { HookProc(Message); });
  HookInstance = this;
  ReadOptions();
}

TIDEHook::~TIDEHook() {
  Application().RemoveWindowHook(FHook);
  HookInstance = nullptr;
}

void TIDEHook::ReadOptions() {
  FEditorIntegration = TRVLRegFactory::_Instance().CreateRegOptions()->GetUseEI();
}

// A changed option takes effect on the settings broadcast the options dialog sends. Windows are
// hooked when the keyboard or the program activates them, not on a mouse click.
void TIDEHook::HookProc(const TCWPStruct& Message) {
  Guarded(this, [&] {
    if (Message.Message == WM_WININICHANGE)
      SettingsChanged();
    else if (Message.Message == WM_ACTIVATE && (Message.WParam & 0xFFFF) == WA_ACTIVE)
      Activated(Message.Window);
  });
}

// Editor integration switched on or off applies to the editors already open too: each loses its hook
// or gets one, as it would have when it first came to the front.
void TIDEHook::SettingsChanged() {
  ReadOptions();
  const std::vector<TForm*> forms = Screen().Forms();
  for (TForm* form : forms) {
    if (!platform::SameText(::ClassName(static_cast<QObject*>(form)), "TEDITWINDOW")) continue;
    if (!FEditorIntegration)
      delete qobject_cast<TEditHookComp*>(FindComponent(form, HookCompName));
    else if (form->isVisible())
      Activated(form);
  }
}

void TIDEHook::Activated(QWidget* Window) {
  auto* form = qobject_cast<TForm*>(Window);
  if (!form || FindComponent(form, HookCompName)) return;
  const std::string className = ::ClassName(static_cast<QObject*>(form));
  if (platform::SameText(className, "TEDITWINDOW")) {
    if (!FEditorIntegration) return;
    TEditHookComp* hook = TRVLFactory::_Instance().CreateEditHook(form);
    hook->Initialize(FActiveFiles, FActiveProjects, FFilesCommands.get());
    hook->SetName(HookCompName);
  } else if (platform::SameText(className, "TPROJECTMANAGER")) {
    TRVLFactory::_Instance().CreateProjectHook(form)->SetName(HookCompName);
  }
}
