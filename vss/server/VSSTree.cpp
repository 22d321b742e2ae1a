#include "vss/server/VSSTree.h"

#include <ctime>

#include "platform/Text.h"
#include "vss/api/VSSErrors.h"
#include "vss/api/VSSFlags.h"
#include "vss/server/VSSContent.h"

namespace {

[[noreturn]] void NotFound() { throw EVSSAutomation("File or project not found", VSSError::NotFound); }

constexpr const char* EntryColumns =
    "SELECT e.id, COALESCE(e.parent, 0), e.item, e.name, e.deleted, i.type, i.\"binary\" FROM entries e "
    "JOIN items i ON i.id = e.item ";

VSSEntry EntryOf(const VSSStore::Statement& row) {
  return {row.Int(0), row.Int(1), row.Int(2), row.Text(3), row.Int(4) != 0, static_cast<int32_t>(row.Int(5)),
          row.Int(6) != 0, std::nullopt};
}

constexpr const char* VersionColumns =
    "SELECT id, item, number, \"user\", date, action, comment, label, label_comment, COALESCE(content, 0), "
    "COALESCE(file_time, -1) FROM versions ";

VSSVersionRow VersionOf(const VSSStore::Statement& row) {
  return {row.Int(0),  row.Int(1),  static_cast<int32_t>(row.Int(2)), row.Text(3), row.Int(4), row.Text(5),
          row.Text(6), row.Text(7), row.Text(8),                      row.Int(9),  row.Int(10)};
}

} // namespace

void VSSTree::CreateRoot(VSSStore& store, const std::string& user) {
  store.Write([&] {
    // The first rows of a new store: the ids both engines give them are the root's.
    const int64_t item = store.Insert("INSERT INTO items(type) VALUES(?) RETURNING id", int64_t{VSSITEM_PROJECT});
    const int64_t entry =
        store.Insert("INSERT INTO entries(parent, item, name, folded) VALUES(NULL, ?, '$/', '$/') RETURNING id", item);
    if (entry != RootEntry)
      throw EVSSAutomation("Internal error: the root project was made in a store that isn't new", VSSError::InvalidOperation);
    store.Execute("INSERT INTO versions(item, number, \"user\", date, action) VALUES(?, 1, ?, ?, 'Created $/')", item,
                  user, static_cast<int64_t>(std::time(nullptr)));
  });
}

VSSEntry VSSTree::Entry(int64_t id) {
  VSSStore::Statement row(FStore, (std::string(EntryColumns) + "WHERE e.id = ?").c_str());
  row.Bind(1, id);
  if (!row.Step()) NotFound();
  return EntryOf(row);
}

std::string VSSTree::SpecOf(int64_t entryId) {
  if (entryId == RootEntry) return "$/";
  std::string spec;
  for (int64_t id = entryId; id != RootEntry;) {
    const VSSEntry entry = Entry(id);
    spec = "/" + entry.Name + spec;
    id = entry.Parent;
  }
  return "$" + spec;
}

std::vector<int64_t> VSSTree::Ancestors(int64_t entryId) {
  std::vector<int64_t> result;
  for (int64_t id = Entry(entryId).Parent; id != 0; id = Entry(id).Parent) result.push_back(id);
  return result;
}

bool VSSTree::IsLive(int64_t entryId) {
  for (int64_t id = entryId; id != 0;) {
    const VSSEntry entry = Entry(id);
    if (entry.Deleted) return false;
    id = entry.Parent;
  }
  return true;
}

std::optional<int64_t> VSSTree::LiveChild(int64_t parent, const std::string& name) {
  return FStore.QueryInt("SELECT id FROM entries WHERE parent = ? AND folded = ? AND deleted = 0", parent,
                         platform::FoldCase(name));
}

std::optional<int64_t> VSSTree::Resolve(const std::vector<std::string>& names, bool deleted) {
  int64_t id = RootEntry;
  for (size_t i = 0; i < names.size(); ++i) {
    const bool last = i + 1 == names.size();
    std::optional<int64_t> child;
    if (last && deleted)
      child = FStore.QueryInt("SELECT id FROM entries WHERE parent = ? AND folded = ? ORDER BY deleted DESC, id DESC",
                              id, platform::FoldCase(names[i]));
    else
      child = LiveChild(id, names[i]);
    if (!child) return std::nullopt;
    id = *child;
  }
  return id;
}

std::vector<VSSEntry> VSSTree::Children(int64_t parent, bool includeDeleted) {
  VSSStore::Statement rows(
      FStore, "SELECT e.id, COALESCE(e.parent, 0), e.item, e.name, e.deleted, i.type, i.\"binary\", c.size, c.hash "
              "FROM entries e JOIN items i ON i.id = e.item "
              "LEFT JOIN contents c ON i.type = ?3 "
              "AND c.id = (SELECT content FROM versions WHERE item = e.item ORDER BY number DESC LIMIT 1) "
              "WHERE e.parent = ?1 AND (?2 <> 0 OR e.deleted = 0) ORDER BY i.type, e.folded, e.id");
  rows.BindAll(parent, int64_t{includeDeleted}, int64_t{VSSITEM_FILE});
  std::vector<VSSEntry> result;
  while (rows.Step()) {
    result.push_back(EntryOf(rows));
    if (!rows.IsNull(8)) result.back().Latest = VSSContentInfo{rows.Int(7), rows.Text(8)};
  }
  return result;
}

std::shared_ptr<const VSSListing> VSSTree::ListingOf(int64_t project, bool includeDeleted) {
  const std::optional<int64_t> generation = FStore.Generation();
  if (generation)
    if (auto kept = FSession.Listings.Find(*generation, project, includeDeleted)) return kept;
  auto listing =
      std::make_shared<const VSSListing>(VSSListing{Children(project, includeDeleted), SpecOf(project), WorkingFolder(project)});
  if (generation) FSession.Listings.Keep(*generation, project, includeDeleted, listing);
  return listing;
}

std::vector<int64_t> VSSTree::EntriesOfItem(int64_t item) {
  VSSStore::Statement rows(FStore, "SELECT id FROM entries WHERE item = ? ORDER BY id");
  rows.Bind(1, item);
  std::vector<int64_t> result;
  while (rows.Step()) result.push_back(rows.Int(0));
  return result;
}

int64_t VSSTree::NewItem(int32_t type, bool binary) {
  return FStore.Insert("INSERT INTO items(type, \"binary\") VALUES(?, ?) RETURNING id", int64_t{type}, int64_t{binary});
}

int64_t VSSTree::NewEntry(int64_t parent, int64_t item, const std::string& name) {
  return FStore.Insert("INSERT INTO entries(parent, item, name, folded) VALUES(?, ?, ?, ?) RETURNING id", parent, item,
                       name, platform::FoldCase(name));
}

int32_t VSSTree::LatestVersion(int64_t item) {
  return static_cast<int32_t>(FStore.QueryInt("SELECT MAX(number) FROM versions WHERE item = ?", item).value_or(0));
}

VSSVersionRow VSSTree::Version(int64_t item, int32_t number) {
  VSSStore::Statement row(FStore, (std::string(VersionColumns) + "WHERE item = ? AND number = ?").c_str());
  row.BindAll(item, int64_t{number});
  if (!row.Step()) throw EVSSAutomation("Version " + std::to_string(number) + " not found", VSSError::NotFound);
  return VersionOf(row);
}

std::vector<VSSVersionRow> VSSTree::Versions(int64_t item) {
  VSSStore::Statement rows(FStore, (std::string(VersionColumns) + "WHERE item = ? ORDER BY id DESC").c_str());
  rows.Bind(1, item);
  std::vector<VSSVersionRow> result;
  while (rows.Step()) result.push_back(VersionOf(rows));
  return result;
}

std::vector<VSSVersionRow> VSSTree::LabelsAfter(int64_t projectItem, int64_t after) {
  VSSStore::Statement rows(FStore, (std::string(VersionColumns) +
                                    "WHERE item = ? AND id > ? AND label <> '' ORDER BY id DESC")
                                       .c_str());
  rows.BindAll(projectItem, after);
  std::vector<VSSVersionRow> result;
  while (rows.Step()) result.push_back(VersionOf(rows));
  return result;
}

int32_t VSSTree::AddVersion(int64_t item, const NewVersion& version) {
  const int32_t number = LatestVersion(item) + 1;
  VSSStore::Statement insert(FStore,
                             "INSERT INTO versions(item, number, \"user\", date, action, comment, label, label_comment, "
                             "content, file_time) VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
  insert.BindAll(item, int64_t{number}, FSession.UserName, static_cast<int64_t>(std::time(nullptr)), version.Action,
                 version.Comment, version.Label, version.LabelComment);
  if (version.Content) insert.Bind(9, version.Content); else insert.BindNull(9);
  if (version.FileTime >= 0) insert.Bind(10, version.FileTime); else insert.BindNull(10);
  insert.Run();
  return number;
}

std::optional<int64_t> VSSTree::ContentWithHash(const std::string& hash) {
  VSSStore::Statement find(FStore, "SELECT id FROM contents WHERE hash = ?");
  find.BindBlob(1, hash);
  if (!find.Step()) return std::nullopt;
  return find.Int(0);
}

void VSSTree::PutChunk(int64_t contentId, int64_t number, const std::string& compressed) {
  VSSStore::Statement insert(FStore, "INSERT INTO content_chunks(content, number, data) VALUES(?, ?, ?)");
  insert.Bind(1, contentId).Bind(2, number).BindBlob(3, compressed);
  insert.Run();
}

int64_t VSSTree::PutContent(const VSSContent::Source& read) {
  VSSContent::Hasher hasher;
  VSSContent::Compressor compressor;
  int64_t size = 0, chunks = 0;
  int64_t chunked = 0;   // the content's row once it has more than one chunk
  std::string first;     // the first chunk, compressed, until it is known whether another follows
  for (std::string_view piece; !(piece = read()).empty();)
    for (size_t at = 0; at < piece.size(); at += VSSContent::ChunkSize) {
      const std::string_view part = piece.substr(at, VSSContent::ChunkSize);
      hasher.Add(part);
      size += static_cast<int64_t>(part.size());
      const std::string& compressed = compressor.Compress(part);
      if (chunks == 1) {
        // The row is made before its hash is known: it gets a stand-in of a length no real hash
        // has, random so that writers in parallel never collide on it.
        std::string standIn(16, '\0');
        randombytes_buf(standIn.data(), standIn.size());
        VSSStore::Statement insert(FStore, "INSERT INTO contents(hash, size, data) VALUES(?, 0, ?) RETURNING id");
        insert.BindBlob(1, standIn).BindBlob(2, std::string());
        insert.Step();
        chunked = insert.Int(0);
        PutChunk(chunked, 0, first);
      }
      if (chunks == 0)
        first = compressed;
      else
        PutChunk(chunked, chunks, compressed);
      ++chunks;
    }
  const std::string hash = hasher.Final();
  const std::optional<int64_t> known = ContentWithHash(hash);
  if (chunked == 0) {
    if (known) return *known;
    VSSStore::Statement insert(FStore, "INSERT INTO contents(hash, size, data) VALUES(?, ?, ?) RETURNING id");
    insert.BindBlob(1, hash).Bind(2, size).BindBlob(3, chunks == 0 ? compressor.Compress({}) : first);
    insert.Step();
    return insert.Int(0);
  }
  if (known) {
    FStore.Execute("DELETE FROM content_chunks WHERE content = ?", chunked);
    FStore.Execute("DELETE FROM contents WHERE id = ?", chunked);
    return *known;
  }
  VSSStore::Statement finish(FStore, "UPDATE contents SET hash = ?, size = ? WHERE id = ?");
  finish.BindBlob(1, hash).Bind(2, size).Bind(3, chunked);
  finish.Run();
  return chunked;
}

void VSSTree::ReadContent(int64_t contentId, const VSSContent::Sink& write) {
  VSSStore::Statement row(FStore, "SELECT hash, size, data FROM contents WHERE id = ?");
  row.Bind(1, contentId);
  if (!row.Step()) throw EVSSAutomation("A stored version is missing its content", VSSError::DatabaseCorrupt);
  VSSContent::Expander expander(static_cast<size_t>(row.Int(1)), row.Text(0), write);
  if (const std::string whole = row.Text(2); !whole.empty()) {
    expander.Add(whole);
  } else {
    // A query per chunk, so that only one chunk is held at a time whichever engine runs it (a
    // server hands over a statement's whole result at once).
    for (int64_t number = -1;;) {
      VSSStore::Statement chunk(FStore, "SELECT number, data FROM content_chunks WHERE content = ? AND number > ? "
                                        "ORDER BY number LIMIT 1");
      chunk.BindAll(contentId, number);
      if (!chunk.Step()) break;
      number = chunk.Int(0);
      expander.Add(chunk.Text(1));
    }
  }
  expander.Finish();
}

VSSContentInfo VSSTree::ContentInfo(int64_t contentId) {
  VSSStore::Statement row(FStore, "SELECT size, hash FROM contents WHERE id = ?");
  row.Bind(1, contentId);
  if (!row.Step()) throw EVSSAutomation("A stored version is missing its content", VSSError::DatabaseCorrupt);
  return {row.Int(0), row.Text(1)};
}

std::optional<VSSContentInfo> VSSTree::FileContent(int64_t entryId, int32_t number) {
  VSSStore::Statement row(FStore,
                          "SELECT c.size, c.hash FROM entries e JOIN items i ON i.id = e.item AND i.type = ?3 "
                          "JOIN versions v ON v.item = e.item AND v.number = COALESCE(NULLIF(?2, 0), "
                          "(SELECT MAX(number) FROM versions WHERE item = e.item)) "
                          "JOIN contents c ON c.id = v.content WHERE e.id = ?1");
  row.BindAll(entryId, int64_t{number}, int64_t{VSSITEM_FILE});
  if (!row.Step()) return std::nullopt;
  return VSSContentInfo{row.Int(0), row.Text(1)};
}

void VSSTree::DropUnusedContents() {
  FStore.Execute("DELETE FROM content_chunks WHERE content NOT IN "
                 "(SELECT content FROM versions WHERE content IS NOT NULL)");
  FStore.Execute("DELETE FROM contents WHERE id NOT IN (SELECT content FROM versions WHERE content IS NOT NULL)");
}

std::string VSSTree::WorkingFolder(int64_t projectEntry) {
  std::string below;
  for (int64_t id = projectEntry; id != 0;) {
    const VSSEntry entry = Entry(id);
    VSSStore::Statement row(FStore, "SELECT folder FROM workfolders WHERE \"user\" = ? AND item = ?");
    row.BindAll(FSession.UserId, entry.Item);
    if (row.Step()) return row.Text(0) + below;
    below = "/" + entry.Name + below;
    id = entry.Parent;
  }
  return {};
}

void VSSTree::SetWorkingFolder(int64_t projectItem, const std::string& folder) {
  if (folder.empty())
    FStore.Execute("DELETE FROM workfolders WHERE \"user\" = ? AND item = ?", FSession.UserId, projectItem);
  else
    FStore.Execute("INSERT INTO workfolders(\"user\", item, folder) VALUES(?, ?, ?) "
                   "ON CONFLICT(\"user\", item) DO UPDATE SET folder = excluded.folder",
                   FSession.UserId, projectItem, folder);
}
