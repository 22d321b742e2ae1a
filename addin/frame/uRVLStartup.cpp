#include "addin/frame/uRVLStartup.h"

#include "addin/frame/uRVLFactory.h"
#include "addin/frame/uRVLGlobals.h"
#include "addin/settings/uRVLRegFactory.h"

void RegisterHostClasses() {
  TRVLB3Factory::RegisterAs(TRVLFactory::StaticClass());
  TRVLB3RegFactory::RegisterAs(TRVLRegFactory::StaticClass());
  TRVLB3Globals::RegisterAs(TRVLGlobals::StaticClass());
}
