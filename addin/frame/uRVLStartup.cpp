#include "addin/frame/uRVLStartup.h"

#include "addin/commands/uRVLCommandsFactory.h"
#include "addin/dialogs/uRVLFormFactory.h"
#include "addin/dialogs/uRVLHintManager.h"
#include "addin/execute/uRVLExecuteFactory.h"
#include "addin/frame/uRVLFactory.h"
#include "addin/frame/uRVLGlobals.h"
#include "addin/selection/uRVLFileListBuilderFactory.h"
#include "addin/settings/uRVLRegFactory.h"
#include "addin/sourcesafe/uLoginFormManager.h"

// A class registered as itself can no longer be replaced: the first registration for a name wins.
void RegisterHostClasses() {
  TRVLB3Factory::RegisterAs(TRVLFactory::StaticClass());
  TRVLB3RegFactory::RegisterAs(TRVLRegFactory::StaticClass());
  TRVLExecuteFactory::RegisterAs(TRVLExecuteFactory::StaticClass());
  TRVLFormFactory::RegisterAs(TRVLFormFactory::StaticClass());
  TRVLFileListBuilderFactory::RegisterAs(TRVLFileListBuilderFactory::StaticClass());
  TRVLCommandsFactory::RegisterAs(TRVLCommandsFactory::StaticClass());
  TRVLB3Globals::RegisterAs(TRVLGlobals::StaticClass());
  TRVLHintManager::RegisterAs(TRVLHintManager::StaticClass());
  TLoginFormManager::RegisterAs(TLoginFormManager::StaticClass());
}
