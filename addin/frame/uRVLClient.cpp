#include "addin/frame/uRVLClient.h"

#include "addin/commands/uRVLCommands.h"
#include "addin/commands/uRVLCommandsFactory.h"
#include "addin/commands/uRVLMenu.h"
#include "addin/frame/uRVLFactory.h"
#include "addin/frame/uRVLGlobals.h"
#include "addin/ide/uIDEHook.h"
#include "addin/ide/uRVLNotifier.h"
#include "addin/settings/uRVLRegFactory.h"
#include "addin/settings/uRVLUtils.h"
#include "addin/settings/uRegOptions.h"
#include "addin/settings/uRegTips.h"
#include "addin/sourcesafe/uRVLItems.h"
#include "addin/sourcesafe/uRVLProjects.h"
#include "ui/Application.h"

TRVLClient::TRVLClient() : FToolServices(Globals().ToolServices) {
  TRVLFactory& factory = TRVLFactory::_Instance();
  FActiveProjects = factory.CreateActiveProjects();
  FActiveFiles = factory.CreateActiveFiles(FActiveProjects.get());
  FMenu = factory.CreateMenu(FActiveProjects.get(), FActiveFiles.get());
  FNotifier = factory.CreateNotifier(FActiveProjects.get());
  FIDEHook = factory.CreateIDEHook(FActiveFiles.get(), FActiveProjects.get());
  if (FToolServices) FToolServices->AddNotifier(FNotifier.Get());
  // An update program that can't be started is reported; the add-in works on without it.
  Guarded(this, [] {
    if (TRVLRegFactory::_Instance().CreateRegOptions()->IsUpdateCheckDue())
      TRVLCommandsFactory::_Instance().CreateCommands()->CheckForUpdates(true);
  });
}

// The IDE stops notifying first; the menu and the hook refer to the files and the files to the
// projects, so they go in that order.
TRVLClient::~TRVLClient() {
  if (FToolServices) FToolServices->RemoveNotifier(FNotifier.Get());
  FNotifier.Reset();
  FMenu.reset();
  FIDEHook.reset();
  FActiveFiles.reset();
  FActiveProjects.reset();
}

void TRVLClient::ProjectChange() {
  if (!FToolServices) return;
  Guarded(this, [this] {
    if (!FToolServices->GetProjectName().empty()) return;
    FActiveFiles->Clear();
    FActiveProjects->Clear();
    FMenu->UpdateState();
  });
}

std::string TRVLClient::GetMenuName() { return Globals().MenuName; }

int TRVLClient::GetVerbCount() {
  if (!FToolServices) return 0;
  // The IDE's first request after start-up installs the menus (tried again while the IDE has none);
  // later requests bring them up to date.
  Guarded(this, [this] {
    if (FInitialized) {
      FMenu->UpdateState();
    } else if (FMenu->Install()) {
      FInitialized = true;
      ShowUpdateTip();
    }
  });
  return 0;
}

void TRVLClient::ShowUpdateTip() {
  auto tips = TRVLRegFactory::_Instance().CreateRegTips();
  if (!tips->GetShowUpdateTip()) return;
  const TRVLGlobals& globals = Globals();
  ShowMessageBox("Tip: You can automatically update " + globals.ProductName + "\n by selecting " +
                     globals.ShortName + "|Help |Check Updates ",
                 MB_ICONINFORMATION);
  tips->SetShowUpdateTip(false);
}
