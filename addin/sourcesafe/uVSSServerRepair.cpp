#include "addin/sourcesafe/uVSSServerRepair.h"

#include <cstdio>
#include <dlfcn.h>
#include <memory>

#include "addin/frame/uRVLGlobals.h"
#include "addin/settings/uRVLRegFactory.h"
#include "addin/settings/uRVLUtils.h"
#include "addin/settings/uRegVSS.h"
#include "platform/Files.h"
#include "vss/api/CoVSSDatabase.h"

namespace {

const char ServerFileName[] = "libssapi.so";

struct TLibraryCloser {
  void operator()(void* handle) const { dlclose(handle); }
};

} // namespace

bool RegisterServerFile(const std::string& FileName) {
  std::unique_ptr<void, TLibraryCloser> library(dlopen(FileName.c_str(), RTLD_NOW | RTLD_LOCAL));
  if (!library) return false;
  auto registerServer = reinterpret_cast<VSSDllRegisterServerFunc>(dlsym(library.get(), VSSDllRegisterServerName));
  if (!registerServer) return false;
  if (const int32_t result = registerServer(); result != 0) {
    char code[16];
    std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(result));
    throw EVSSSystemError("Registering the SourceSafe automation server " + FileName + " failed with error " + code,
                          static_cast<uint32_t>(result));
  }
  return true;
}

void RepairVSSServer() {
  const TRVLGlobals& globals = Globals();
  auto regVSS = TRVLRegFactory::_Instance().CreateRegVSS();
  const std::string installed = platform::IncludeTrailingPathDelimiter(regVSS->GetInstallDir()) + ServerFileName;
  if (platform::FileExists(installed) && RegisterServerFile(installed)) return;

  if (ShowMessageBox(globals.ProductName + " could not connect to " + globals.ShortName +
                         ",\nWould you like to try and fix this?",
                     MB_ICONQUESTION | MB_YESNO) != IDYES)
    return;
  ShowMessageBox(std::string("Please enter the path to the '") + ServerFileName +
                     "' file.\nThe file should reside in your " + globals.ShortName + " directory",
                 MB_ICONINFORMATION);
  TOpenDialogOptions options;
  options.DefaultExt = ".so";
  options.FileName = ServerFileName;
  options.Filter = std::string("SSApi File (") + ServerFileName + ")|" + ServerFileName + "|Any File (*)|*";
  options.FileMustExist = true;
  options.PathMustExist = true;
  std::vector<std::string> files;
  if (!OpenFile(options, files) || files.empty() || !RegisterServerFile(files.front())) return;
  regVSS->SetInstallDir(platform::ExtractFileDir(files.front()));
  ShowMessageBox(globals.ProductName + " can now connect to " + globals.ShortName +
                     ", and will continue normal operation",
                 MB_ICONINFORMATION);
}
