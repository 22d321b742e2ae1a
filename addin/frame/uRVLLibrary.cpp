// Built into the add-in library only: its start-up block, run when the IDE loads the library and
// before it calls RVLENTRY.
#include "addin/frame/uRVLStartup.h"
#include "ui/Application.h"

namespace {

[[maybe_unused]] const bool HostClassesRegistered = [] {
  Guarded(nullptr, RegisterHostClasses);
  return true;
}();

} // namespace
