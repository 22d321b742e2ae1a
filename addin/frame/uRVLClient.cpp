#include "addin/frame/uRVLClient.h"

#include "addin/frame/uRVLGlobals.h"
#include "addin/settings/uRVLRegFactory.h"
#include "addin/settings/uRVLUtils.h"
#include "addin/settings/uRegTips.h"
#include "ui/Application.h"

TRVLClient::TRVLClient() : FToolServices(Globals().ToolServices) {}

std::string TRVLClient::GetMenuName() {
  std::string name;
  Guarded(this, [&] { name = Globals().MenuName; });
  return name;
}

int TRVLClient::GetVerbCount() {
  if (!FToolServices) return 0;
  // The IDE's first request after start-up completes the add-in's installation; later requests
  // change nothing.
  Guarded(this, [this] {
    if (FInitialized) return;
    FInitialized = true;
    ShowUpdateTip();
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
