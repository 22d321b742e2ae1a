#pragma once
// Finding and starting the version-control add-in: a shared library named in the IDE's registry key
// (or given on the command line) whose RVLENTRY entry returns the client.
#include <string>

#include "opentools/VcsEntry.h"

// The IDE's own registry key below HKEY_CURRENT_USER.
extern const char* const BaseRegistryKey;

// The add-in's path from HKCU <BaseRegistryKey>\Version Control, value VCSManager; empty when unset.
std::string RegisteredAddInPath();

class TAddInLibrary {
public:
  TAddInLibrary() = default;
  ~TAddInLibrary();   // unloads the library; release the client first
  TAddInLibrary(const TAddInLibrary&) = delete;
  TAddInLibrary& operator=(const TAddInLibrary&) = delete;

  // Loads the library and calls its entry with `services`. Returns the client (one reference, the
  // caller's), or null with Error() saying what went wrong: a missing or unloadable file, no entry,
  // an entry that returned null or raised an exception.
  TIVCSClient* Load(const std::string& path, TIToolServices* services);
  const std::string& Error() const { return FError; }

private:
  void* FHandle = nullptr;
  std::string FError;
};
