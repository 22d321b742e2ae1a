#pragma once
// Creates database objects through the registered automation server: the library named by the
// class's InprocServer32 registration is loaded and its factory called. Raises EVSSSystemError when
// the server is not registered or its library can't be loaded.
#include <cstdint>
#include <dlfcn.h>
#include <string>

#include "platform/Registry.h"
#include "vss/api/VSSErrors.h"
#include "vss/api/VSSInterfaces.h"

// The registry key (HKLM) that names the server library in its default value.
inline std::string VSSServerRegistrationKey() {
  return std::string("Software\\Classes\\CLSID\\") + CLSID_VSSDatabaseText + "\\InprocServer32";
}

// The factory every server library exports: a new, unopened database with one reference.
extern "C" {
using VSSCreateDatabaseFunc = IVSSDatabase* (*)();
}
inline constexpr const char* VSSCreateDatabaseName = "VSSCreateDatabase";

// The registration entry points of a server library: 0 on success, an HRESULT on failure.
extern "C" {
using VSSDllRegisterServerFunc = int32_t (*)();
}
inline constexpr const char* VSSDllRegisterServerName = "DllRegisterServer";
inline constexpr const char* VSSDllUnregisterServerName = "DllUnregisterServer";

class CoVSSDatabase {
public:
  static VSSPtr<IVSSDatabase> Create() {
    platform::RegistryKey key;
    std::string library;
    if (key.Open(platform::Hive::LocalMachine, VSSServerRegistrationKey(), false))
      library = key.ReadString("");
    if (library.empty())
      throw EVSSSystemError("Class not registered: the SourceSafe automation server " +
                                std::string(CLSID_VSSDatabaseText) + " is not registered",
                            VSSError::ServerNotRegistered);
    // The library stays loaded: objects it made may live until the process ends.
    void* handle = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
      const char* error = dlerror();
      throw EVSSSystemError("The SourceSafe automation server " + library + " could not be loaded: " +
                                (error ? error : "unknown error"),
                            VSSError::ServerNotLoadable);
    }
    auto factory = reinterpret_cast<VSSCreateDatabaseFunc>(dlsym(handle, VSSCreateDatabaseName));
    if (!factory)
      throw EVSSSystemError("The SourceSafe automation server " + library + " has no entry point " +
                                VSSCreateDatabaseName,
                            VSSError::ServerNotLoadable);
    IVSSDatabase* database = factory();
    if (!database)
      throw EVSSSystemError("The SourceSafe automation server " + library + " could not create a database object",
                            VSSError::ServerNotLoadable);
    return VSSPtr<IVSSDatabase>(database);
  }
};
