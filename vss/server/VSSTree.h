#pragma once
// The project tree and histories as stored: entries (an item placed in a project under a name),
// items, versions and their contents, working folders. Callers run these inside the store's
// transactions; lookups of things that are gone raise "File or project not found".
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "vss/server/VSSContent.h"
#include "vss/server/VSSListing.h"
#include "vss/server/VSSSession.h"

struct VSSVersionRow {
  int64_t Id = 0;       // orders all versions of the database
  int64_t Item = 0;
  int32_t Number = 0;
  std::string User;
  int64_t Date = 0;     // seconds since 1970
  std::string Action, Comment, Label, LabelComment;
  int64_t Content = 0;  // 0 for projects
  int64_t FileTime = -1;
};

class VSSTree {
public:
  static constexpr int64_t RootEntry = 1;

  explicit VSSTree(VSSSession& session) : FSession(session), FStore(*session.Store) {}

  // Makes the root project of a new store.
  static void CreateRoot(VSSStore& store, const std::string& user);

  VSSEntry Entry(int64_t id);
  std::string SpecOf(int64_t entryId);
  // The entries above `entryId`, its parent first, ending with the root.
  std::vector<int64_t> Ancestors(int64_t entryId);
  bool IsLive(int64_t entryId);   // neither it nor an ancestor deleted
  // The entry at `names` below the root. With `deleted`, a deleted last entry is preferred.
  std::optional<int64_t> Resolve(const std::vector<std::string>& names, bool deleted);
  std::optional<int64_t> LiveChild(int64_t parent, const std::string& name);
  // Projects first, then files, each in name order.
  std::vector<VSSEntry> Children(int64_t parent, bool includeDeleted);
  // A project's children, spec and working folder, kept in the session while the store is unchanged.
  std::shared_ptr<const VSSListing> ListingOf(int64_t project, bool includeDeleted);
  std::vector<int64_t> EntriesOfItem(int64_t item);

  int64_t NewItem(int32_t type, bool binary);
  int64_t NewEntry(int64_t parent, int64_t item, const std::string& name);

  int32_t LatestVersion(int64_t item);
  VSSVersionRow Version(int64_t item, int32_t number);
  std::vector<VSSVersionRow> Versions(int64_t item);   // newest first
  // Labels set on `project`'s versions after version id `after`, newest first.
  std::vector<VSSVersionRow> LabelsAfter(int64_t projectItem, int64_t after);
  struct NewVersion {
    std::string Action{}, Comment{}, Label{}, LabelComment{};
    int64_t Content = 0;
    int64_t FileTime = -1;
  };
  int32_t AddVersion(int64_t item, const NewVersion& version);

  // Stores the content `read` yields once (by hash) and returns its id. A content that fits one
  // chunk is kept whole in its row, a larger one in a row per chunk.
  int64_t PutContent(const VSSContent::Source& read);
  // Passes a stored content to `write` piece by piece; raises when it is damaged, at the latest
  // after its last piece.
  void ReadContent(int64_t contentId, const VSSContent::Sink& write);
  VSSContentInfo ContentInfo(int64_t contentId);
  // The content of a file entry's version (0: the latest) in one query; nothing when the entry is
  // gone or a project, or has no such version.
  std::optional<VSSContentInfo> FileContent(int64_t entryId, int32_t number);
  // Removes contents no version refers to any more.
  void DropUnusedContents();

  // The user's working folder of a project: its own, else the nearest ancestor's plus the names
  // in between; empty when none is set.
  std::string WorkingFolder(int64_t projectEntry);
  void SetWorkingFolder(int64_t projectItem, const std::string& folder);

private:
  std::optional<int64_t> ContentWithHash(const std::string& hash);
  void PutChunk(int64_t contentId, int64_t number, const std::string& compressed);

  VSSSession& FSession;
  VSSStore& FStore;
};
