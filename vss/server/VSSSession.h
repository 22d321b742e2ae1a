#pragma once
// One open database as one user. The database object and every object it hands out share the
// session, so items stay usable after the database object is released or opened again.
#include <cstdint>
#include <memory>
#include <string>

#include "vss/server/VSSListing.h"
#include "vss/server/VSSStatCache.h"
#include "vss/server/VSSStore.h"

struct VSSSession {
  // Opens the database of `iniPath` (or its folder; empty: the current database in the registry)
  // and checks the user's password. Raises SourceSafe's errors: password too long, database not
  // found, user not found, invalid password.
  static std::shared_ptr<VSSSession> Open(const std::string& iniPath, const std::string& user,
                                          const std::string& password);

  std::unique_ptr<VSSStore> Store;
  std::string IniPath;
  std::string Name;       // registered name, else the folder's name
  int64_t UserId = 0;
  std::string UserName;   // as stored
  // The current project set in this session; it holds even when the database can't store it.
  std::string CurrentProject;
  // What local files held when this user last read or wrote them on this machine.
  VSSStatCache LocalFiles{VSSStatCache::DefaultFile()};
  // Projects' listings as last read (see VSSTree::ListingOf).
  VSSListings Listings;
};
