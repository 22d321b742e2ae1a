// Built into the add-in library only: its start-up block, run when the IDE loads the library and
// before it calls RVLENTRY, and the leak check run when the library is unloaded.
#include <iostream>

#include "addin/frame/uRVLStartup.h"
#include "addin/sourcesafe/uRVLItem.h"
#include "addin/sourcesafe/uRVLProject.h"
#include "ui/Application.h"

namespace {

[[maybe_unused]] const bool HostClassesRegistered = [] {
  Guarded(nullptr, RegisterHostClasses);
  return true;
}();

void ReportLiveCount(const char* unit, const char* text, int count) {
  if (count != 0) std::cerr << "Ravelin: " << unit << ": " << text << count << '\n';
}

// Every project and item belongs to a list that the client frees; any still alive at unload leaked.
struct TUnloadCheck {
  ~TUnloadCheck() {
    ReportLiveCount("uRVLProjects", "PCount is ", TRVLProject::LiveCount());
    ReportLiveCount("uRVLItems", "VCount is ", TRVLItem::LiveCount());
  }
} UnloadCheck;

} // namespace
