#pragma once
// Entries as the tree lists them, and the listings of projects a session keeps: a walk over a tree
// done again reads nothing from the store while the store is unchanged.
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct VSSContentInfo {
  int64_t Size = 0;
  std::string Hash;
};

struct VSSEntry {
  int64_t Id = 0;
  int64_t Parent = 0;   // 0 for the root
  int64_t Item = 0;
  std::string Name;
  bool Deleted = false;
  int32_t Type = 0;
  bool Binary = false;
  // A file's latest content, where the query that listed the entry read it.
  std::optional<VSSContentInfo> Latest;
};

// A project's children (projects first, then files, each in name order), its spec and the user's
// working folder of it.
struct VSSListing {
  std::vector<VSSEntry> Children;
  std::string Spec;
  std::string Folder;
};

// The listings read in one generation of the store (see VSSStore::Generation); a listing of an
// older generation never counts. What is kept is bounded: past the bound it starts afresh.
class VSSListings {
public:
  std::shared_ptr<const VSSListing> Find(int64_t generation, int64_t project, bool includeDeleted) const;
  void Keep(int64_t generation, int64_t project, bool includeDeleted, std::shared_ptr<const VSSListing> listing);

private:
  int64_t FGeneration = -1;
  size_t FEntries = 0;   // children held by the kept listings
  std::map<std::pair<int64_t, bool>, std::shared_ptr<const VSSListing>> FKept;
};
