// The exports of libssapi.so: the database factory and the server's self-registration, which
// records this library's own path as the database class's server.
#include <dlfcn.h>

#include "vss/api/CoVSSDatabase.h"
#include "vss/server/VSSDatabaseObject.h"
#include "vss/server/VSSRegistry.h"

#define VSS_EXPORT extern "C" __attribute__((visibility("default")))

namespace {
constexpr int32_t Failed = static_cast<int32_t>(0x80004005);   // E_FAIL
}

VSS_EXPORT IVSSDatabase* VSSCreateDatabase() { return new VSSDatabaseObject(); }

VSS_EXPORT int32_t DllRegisterServer() {
  Dl_info info{};
  if (!dladdr(reinterpret_cast<void*>(&DllRegisterServer), &info) || !info.dli_fname) return Failed;
  try {
    VSSRegistry::SetServerLibrary(info.dli_fname);
    return 0;
  } catch (const std::exception&) {
    return Failed;
  }
}

VSS_EXPORT int32_t DllUnregisterServer() {
  try {
    VSSRegistry::RemoveServerLibrary();
    return 0;
  } catch (const std::exception&) {
    return Failed;
  }
}
