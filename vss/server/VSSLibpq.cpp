#include "vss/server/VSSLibpq.h"

#include <dlfcn.h>
#include <string>

#include "vss/api/VSSErrors.h"

namespace {

constexpr const char* LibraryName = "libpq.so.5";

[[noreturn]] void CannotLoad(const std::string& detail) {
  throw EVSSAutomation("The PostgreSQL client library " + std::string(LibraryName) + " cannot be loaded (" + detail +
                           "): install libpq5 to use a database on a server",
                       VSSError::DatabaseNotFound);
}

VSSLibpq Load() {
  void* library = ::dlopen(LibraryName, RTLD_NOW | RTLD_LOCAL);
  if (!library) CannotLoad(::dlerror());
  VSSLibpq loaded;
#define VSS_LIBPQ_LOAD(name)                                                         \
  loaded.name = reinterpret_cast<decltype(&::name)>(::dlsym(library, #name));        \
  if (!loaded.name) CannotLoad(#name " is missing");
  VSS_LIBPQ_FUNCTIONS(VSS_LIBPQ_LOAD)
#undef VSS_LIBPQ_LOAD
  return loaded;
}

} // namespace

const VSSLibpq& Pq() {
  static const VSSLibpq library = Load();
  return library;
}
