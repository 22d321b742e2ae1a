#include "host/AddInLoader.h"

#include <dlfcn.h>
#include <exception>

#include "platform/Files.h"
#include "platform/Registry.h"

const char* const BaseRegistryKey = "Software\\Borland\\C++Builder\\3.0";

std::string RegisteredAddInPath() {
  platform::RegistryKey key(platform::Hive::CurrentUser, std::string(BaseRegistryKey) + "\\Version Control", false);
  return key.ReadString("VCSManager");
}

TAddInLibrary::~TAddInLibrary() {
  if (FHandle) dlclose(FHandle);
}

TIVCSClient* TAddInLibrary::Load(const std::string& path, TIToolServices* services) {
  FError.clear();
  if (!platform::FileExists(path)) {
    FError = "The version control add-in " + path + " does not exist.";
    return nullptr;
  }
  FHandle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!FHandle) {
    FError = "The version control add-in " + path + " could not be loaded:\n" + dlerror();
    return nullptr;
  }
  auto entry = reinterpret_cast<TVCSManagerInitProc>(dlsym(FHandle, VCSManagerEntryName));
  if (!entry) {
    FError = "The version control add-in " + path + " has no entry point " + VCSManagerEntryName + ".";
    return nullptr;
  }
  TIVCSClient* client = nullptr;
  try {
    client = entry(services);
  } catch (const std::exception& e) {
    FError = "The version control add-in " + path + " failed to start:\n" + e.what();
    return nullptr;
  } catch (...) {
    FError = "The version control add-in " + path + " failed to start.";
    return nullptr;
  }
  if (!client) FError = "The version control add-in " + path + " did not start (its entry point returned no client).";
  return client;
}
