// rvlupd IDEKEY PID [Quiet]: the add-in's update program. It reports the installed version of the
// add-in for the IDE named by its registry key; with "Quiet" it reports nothing. There is no place to
// fetch newer versions from, so the installed version is always the current one.
#include <cstdio>
#include <cstring>
#include <string>

#include "addin/frame/uRVLGlobals.h"
#include "addin/frame/uRVLStartup.h"
#include "addin/settings/uRVLRegFactory.h"
#include "addin/settings/uRegRVL.h"
#include "platform/Text.h"

namespace {

bool IsProcessId(const char* text) {
  if (!*text) return false;
  for (const char* c = text; *c; ++c)
    if (*c < '0' || *c > '9') return false;
  return true;
}

} // namespace

int main(int argc, char** argv) {
  if (argc < 3 || argc > 4 || !IsProcessId(argv[2]) || (argc == 4 && !platform::SameText(argv[3], "Quiet"))) {
    std::fprintf(stderr, "usage: rvlupd IDEKEY PID [Quiet]\n"
                         "  IDEKEY  the IDE's registry key, e.g. C++Builder\\3.0\n"
                         "  PID     the process identifier of the IDE\n");
    return 2;
  }
  if (argc == 4) return 0;
  RegisterHostClasses();
  const TRVLGlobals& globals = Globals();
  const std::string installPath = TRVLRegFactory::_Instance().CreateRegRVL()->GetInstallPath();
  std::printf("%s %s for %s is installed%s%s and up to date.\n", globals.ProductName.c_str(),
              globals.Version.c_str(), argv[1], installPath.empty() ? "" : " in ", installPath.c_str());
  return 0;
}
