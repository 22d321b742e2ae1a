#include "addin/settings/uRVLRegFactory.h"

#include "addin/frame/uRVLGlobals.h"
#include "addin/settings/uRVLRegistry.h"
#include "addin/settings/uRegAssoc.h"
#include "addin/settings/uRegDiffView.h"
#include "addin/settings/uRegIDE.h"
#include "addin/settings/uRegIntl.h"
#include "addin/settings/uRegOptions.h"
#include "addin/settings/uRegProject.h"
#include "addin/settings/uRegRVL.h"
#include "addin/settings/uRegTips.h"
#include "addin/settings/uRegUser.h"
#include "addin/settings/uRegVSS.h"
#include "addin/settings/uRegWindow.h"

std::unique_ptr<TRVLRegistry> TRVLRegFactory::CreateRegistry(const std::string& keyTail) {
  return std::make_unique<TRVLRegistry>(Globals().RegistryKey + "\\" + keyTail);
}

std::unique_ptr<TRegUser> TRVLRegFactory::CreateRegUser() { return std::make_unique<TRegUser>(); }
std::unique_ptr<TRegWindow> TRVLRegFactory::CreateRegWindow() { return std::make_unique<TRegWindow>(); }
std::unique_ptr<TRegRVL> TRVLRegFactory::CreateRegRVL() { return std::make_unique<TRegRVL>(); }
std::unique_ptr<TRegIDE> TRVLRegFactory::CreateRegIDE() { return std::make_unique<TRegIDE>(); }
std::unique_ptr<TRegVSS> TRVLRegFactory::CreateRegVSS() { return std::make_unique<TRegVSS>(); }
std::unique_ptr<TRegAssoc> TRVLRegFactory::CreateRegAssoc() { return std::make_unique<TRegAssoc>(); }
std::unique_ptr<TRegProject> TRVLRegFactory::CreateRegProject() { return std::make_unique<TRegProject>(); }
std::unique_ptr<TRegOptions> TRVLRegFactory::CreateRegOptions() { return std::make_unique<TRegOptions>(); }
std::unique_ptr<TRegDiffView> TRVLRegFactory::CreateRegDiffView() { return std::make_unique<TRegDiffView>(); }
std::unique_ptr<TRegIntl> TRVLRegFactory::CreateRegIntl() { return std::make_unique<TRegIntl>(); }
std::unique_ptr<TRegTips> TRVLRegFactory::CreateRegTips() { return std::make_unique<TRegTips>(); }

std::unique_ptr<TRegIDE> TRVLB3RegFactory::CreateRegIDE() { return std::make_unique<TRVLB3RegIDE>(); }
