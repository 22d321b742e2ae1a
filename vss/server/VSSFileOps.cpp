#include "vss/server/VSSFileOps.h"

#include <ctime>
#include <memory>

#include "platform/Files.h"
#include "vss/api/VSSErrors.h"
#include "vss/api/VSSFlags.h"
#include "vss/server/VSSContent.h"
#include "vss/server/VSSIni.h"
#include "vss/server/VSSLocalFile.h"

namespace VSSFileOps {

namespace {

using VSSLocalFile::PendingWrite;
// Each new content with its hash, for the stat cache's entry once it is in place.
struct PlannedWrite {
  std::unique_ptr<PendingWrite> Write;
  std::string Hash;
};
using Writes = std::vector<PlannedWrite>;

VSSEntry LoadFile(VSSTree& tree, int64_t id) {
  VSSEntry entry = tree.Entry(id);
  if (entry.Type != VSSITEM_FILE)
    throw EVSSAutomation(tree.SpecOf(id) + " is a project, not a file", VSSError::InvalidOperation);
  return entry;
}

// A local copy of a stored content, written beside `local` until committed.
PlannedWrite WriteOf(VSSTree& tree, int64_t content, const std::string& local, bool readOnly, int64_t fileTime) {
  return {std::make_unique<PendingWrite>(
              local, [&](const VSSContent::Sink& write) { tree.ReadContent(content, write); }, readOnly, fileTime),
          tree.ContentInfo(content).Hash};
}

bool ReadOnlyWanted(int32_t flags) { return (flags & VSSFLAG_RO_MASK) != VSSFLAG_USERRONO; }

// The file time a fetched version gets: now, or when it was checked in.
int64_t FileTimeOf(const VSSVersionRow& row, int32_t flags) {
  switch (flags & VSSFLAG_TIME_MASK) {
  case VSSFLAG_TIMEMOD: return row.FileTime >= 0 ? row.FileTime : row.Date;
  case VSSFLAG_TIMEUPD: return row.Date;
  default: return -1;
  }
}

// Prepares `local` to receive a version. A writable local copy that differs is only replaced with
// REPREPLACE; REPSKIP leaves it; otherwise the call is refused (help context 0, so callers can ask
// the user and try again). A writable copy that already has the content is left as it is.
void PlanWrite(VSSSession& session, VSSTree& tree, const VSSVersionRow& row, const std::string& local, int32_t flags,
               bool readOnly, Writes& writes) {
  VSSLocalFile::CheckNotFolder(local);
  if (VSSLocalFile::IsWritable(local)) {
    if (session.LocalFiles.Holds(local, tree.ContentInfo(row.Content))) return;
    switch (flags & VSSFLAG_REP_MASK) {
    case VSSFLAG_REPREPLACE: break;
    case VSSFLAG_REPSKIP: return;
    default: throw EVSSAutomation("A writable copy of " + local + " already exists", VSSError::WritableCopyExists);
    }
  }
  writes.push_back(WriteOf(tree, row.Content, local, readOnly, FileTimeOf(row, flags)));
}

void PlanProjectGet(VSSSession& session, VSSTree& tree, int64_t project, const std::string& folder, int32_t flags,
                    Writes& writes) {
  if (VSSLocalFile::KindOf(folder) == VSSLocalFile::Kind::File)
    throw EVSSAutomation("Access to file \"" + folder + "\" denied: it is not a folder", VSSError::AccessDenied);
  const auto listing = tree.ListingOf(project, false);
  for (const VSSEntry& child : listing->Children) {
    const std::string path = platform::IncludeTrailingPathDelimiter(folder) + child.Name;
    if (child.Type == VSSITEM_FILE)
      PlanWrite(session, tree, tree.Version(child.Item, tree.LatestVersion(child.Item)), path, flags,
                ReadOnlyWanted(flags), writes);
    else if ((flags & VSSFLAG_RECURS_MASK) == VSSFLAG_RECURSYES)
      PlanProjectGet(session, tree, child.Id, path, flags, writes);
  }
}

void CommitAll(VSSSession& session, Writes& writes) {
  std::vector<VSSStatCache::Written> written;
  for (PlannedWrite& planned : writes) {
    planned.Write->Commit();
    written.push_back({planned.Write->Path(), std::move(planned.Hash), std::nullopt});
  }
  session.LocalFiles.Wrote(written);
}

// Where the user's own check-out of a file went: the local path given, else the folder it was
// checked out to, else the file's LocalSpec.
std::string CheckedOutPathOf(VSSSession& session, VSSTree& tree, const VSSEntry& entry, const std::string& local) {
  if (!local.empty()) return local;
  VSSStore::Statement row(*session.Store, "SELECT folder FROM checkouts WHERE item = ? AND \"user\" = ?");
  row.BindAll(entry.Item, session.UserId);
  if (row.Step()) return platform::IncludeTrailingPathDelimiter(row.Text(0)) + entry.Name;
  return LocalPathOf(tree, entry, local);
}

[[noreturn]] void NotCheckedOut(VSSTree& tree, const VSSEntry& entry) {
  throw EVSSAutomation("File " + tree.SpecOf(entry.Id) + " is not checked out", VSSError::NotCheckedOut);
}

} // namespace

std::vector<CheckoutRow> CheckoutsOf(VSSStore& store, int64_t item) {
  VSSStore::Statement rows(store,
                           "SELECT c.\"user\", c.exclusive, u.name, c.folder, c.machine, c.project, c.comment, c.date, "
                           "c.version FROM checkouts c JOIN users u ON u.id = c.\"user\" WHERE c.item = ? ORDER BY c.id");
  rows.Bind(1, item);
  std::vector<CheckoutRow> result;
  while (rows.Step())
    result.push_back({rows.Int(0), rows.Int(1) != 0,
                      {rows.Text(2), rows.Text(3), rows.Text(4), rows.Text(5), rows.Text(6), rows.Int(7),
                       static_cast<int32_t>(rows.Int(8))}});
  return result;
}

void MendCheckedOutCopy(const CheckoutRow& row, const std::string& name) {
  if (row.Record.LocalSpec.empty() || row.Record.Machine != platform::MachineName()) return;
  const std::string local = platform::IncludeTrailingPathDelimiter(row.Record.LocalSpec) + name;
  if (VSSLocalFile::KindOf(local) == VSSLocalFile::Kind::File && platform::IsReadOnly(local))
    platform::SetReadOnly(local, false);
}

std::string FileLocalSpec(VSSTree& tree, const VSSEntry& entry) {
  const std::string folder = tree.WorkingFolder(entry.Parent);
  return folder.empty() ? std::string() : platform::IncludeTrailingPathDelimiter(folder) + entry.Name;
}

std::string LocalPathOf(VSSTree& tree, const VSSEntry& entry, const std::string& local) {
  if (!local.empty()) return local;
  const std::string path = entry.Type == VSSITEM_FILE ? FileLocalSpec(tree, entry) : tree.WorkingFolder(entry.Id);
  if (path.empty())
    throw EVSSAutomation("No working folder is set for " + tree.SpecOf(entry.Id), VSSError::InvalidOperation);
  return path;
}

void Get(VSSSession& session, int64_t entryId, int32_t version, std::string& local, int32_t flags) {
  VSSTree tree(session);
  Writes writes;
  session.Store->Read([&] {
    const VSSEntry entry = tree.Entry(entryId);
    local = LocalPathOf(tree, entry, local);
    if (entry.Type == VSSITEM_PROJECT)
      PlanProjectGet(session, tree, entry.Id, local, flags, writes);
    else
      PlanWrite(session, tree, tree.Version(entry.Item, version ? version : tree.LatestVersion(entry.Item)), local,
                flags, ReadOnlyWanted(flags), writes);
  });
  CommitAll(session, writes);
}

void Checkout(VSSSession& session, int64_t entryId, const std::string& comment, const std::string& localIn,
              int32_t flags) {
  VSSTree tree(session);
  const bool multiple = VSSIni::MultipleCheckouts(session.IniPath);
  const bool exclusive = (flags & VSSFLAG_CHKEXCLUSIVE_MASK) == VSSFLAG_CHKEXCLUSIVEYES;
  Writes writes;
  std::string local;
  session.Store->Write([&] {
    const VSSEntry entry = LoadFile(tree, entryId);
    local = LocalPathOf(tree, entry, localIn);
    VSSLocalFile::CheckNotFolder(local);
    const std::string spec = tree.SpecOf(entry.Id);
    const std::vector<CheckoutRow> current = CheckoutsOf(*session.Store, entry.Item);
    for (const CheckoutRow& row : current)
      if (row.UserId == session.UserId)
        throw EVSSAutomation("You currently have file " + spec + " checked out", VSSError::CheckedOutByYou);
    if (!current.empty()) {
      const std::string& owner = current.front().Record.Username;
      if (!multiple || exclusive)
        throw EVSSAutomation("File " + spec + " is currently checked out by " + owner, VSSError::CheckedOutByOther);
      for (const CheckoutRow& row : current)
        if (row.Exclusive)
          throw EVSSAutomation("File " + spec + " is exclusively checked out", VSSError::ExclusivelyCheckedOut);
      if (entry.Binary) throw EVSSAutomation("Binary file already checked out", VSSError::BinaryCheckedOut);
    }
    const int32_t latest = tree.LatestVersion(entry.Item);
    if ((flags & VSSFLAG_GET_MASK) != VSSFLAG_GETNO)
      PlanWrite(session, tree, tree.Version(entry.Item, latest), local, flags, false, writes);
    session.Store->Execute("INSERT INTO checkouts(item, \"user\", folder, machine, project, comment, version, date, exclusive) "
                           "VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?)",
                           entry.Item, session.UserId, platform::ExtractFileDir(platform::ExpandFileName(local)),
                           platform::MachineName(), tree.SpecOf(entry.Parent), comment, int64_t{latest},
                           static_cast<int64_t>(std::time(nullptr)), int64_t{exclusive});
  });
  CommitAll(session, writes);
  if (writes.empty() && VSSLocalFile::KindOf(local) == VSSLocalFile::Kind::File) VSSLocalFile::SetReadOnly(local, false);
}

void Checkin(VSSSession& session, int64_t entryId, const std::string& comment, const std::string& localIn, int32_t flags) {
  VSSTree tree(session);
  const bool keep = (flags & VSSFLAG_KEEP_MASK) == VSSFLAG_KEEPYES;
  std::string local;
  std::optional<VSSContentInfo> before;   // the latest content as the file is compared with it
  session.Store->Read([&] {
    local = CheckedOutPathOf(session, tree, LoadFile(tree, entryId), localIn);
    before = tree.FileContent(entryId, 0);
  });
  // Compared before taking the write lock (mostly from the stat cache): an unchanged large file
  // must not hold up other users, nor be read again.
  const std::optional<VSSStatCache::FileStat> seen = session.LocalFiles.StatOf(local);   // before any read
  VSSLocalFile::Reader file(local);
  const int64_t fileTime = VSSLocalFile::ModifiedTime(local);
  const bool unchanged = before && session.LocalFiles.Holds(local, *before);
  const bool readOnly = !keep && ReadOnlyWanted(flags);
  bool madeReadOnly = false;
  std::string hash;   // of the content checked in
  try {
    session.Store->Write([&] {
      const VSSEntry entry = LoadFile(tree, entryId);
      const auto mine = session.Store->QueryInt("SELECT id FROM checkouts WHERE item = ? AND \"user\" = ?", entry.Item,
                                                session.UserId);
      if (!mine) NotCheckedOut(tree, entry);
      const VSSVersionRow latest = tree.Version(entry.Item, tree.LatestVersion(entry.Item));
      // Another user's check-in since the comparison makes it void.
      const bool stillLatest = unchanged && tree.ContentInfo(latest.Content).Hash == before->Hash;
      const int64_t content = stillLatest ? latest.Content : tree.PutContent([&] { return file.Next(); });
      hash = tree.ContentInfo(content).Hash;
      int32_t number = latest.Number;
      if (content != latest.Content || (flags & VSSFLAG_UPD_MASK) == VSSFLAG_UPDUPDATE)
        number = tree.AddVersion(entry.Item, {.Action = "Checked in " + tree.SpecOf(entry.Parent), .Comment = comment,
                                              .Content = content, .FileTime = fileTime});
      if (keep)
        session.Store->Execute("UPDATE checkouts SET version = ? WHERE id = ?", int64_t{number}, *mine);
      else
        session.Store->Execute("DELETE FROM checkouts WHERE id = ?", *mine);
      // The copy turns read-only as the last step before the check-in commits: an interruption can
      // leave a read-only copy of a file still checked out, which the next status read mends, but
      // never a writable copy of a file checked in.
      if (readOnly) {
        VSSLocalFile::SetReadOnly(local, true);
        madeReadOnly = true;
      }
    });
  } catch (...) {
    if (madeReadOnly) platform::SetReadOnly(local, false);
    throw;
  }
  if (seen) session.LocalFiles.Wrote({{local, hash, seen}});
}

void UndoCheckout(VSSSession& session, int64_t entryId, const std::string& localIn, int32_t flags) {
  VSSTree tree(session);
  const int32_t disposal = flags & VSSFLAG_DEL_MASK;
  Writes writes;
  std::string local;
  session.Store->Write([&] {
    const VSSEntry entry = LoadFile(tree, entryId);
    local = CheckedOutPathOf(session, tree, entry, localIn);
    VSSLocalFile::CheckNotFolder(local);
    const auto mine = session.Store->QueryInt("SELECT id FROM checkouts WHERE item = ? AND \"user\" = ?", entry.Item,
                                              session.UserId);
    if (!mine) NotCheckedOut(tree, entry);
    session.Store->Execute("DELETE FROM checkouts WHERE id = ?", *mine);
    if (disposal != VSSFLAG_DELYES && disposal != VSSFLAG_DELNOREPLACE) {
      const VSSVersionRow latest = tree.Version(entry.Item, tree.LatestVersion(entry.Item));
      writes.push_back(WriteOf(tree, latest.Content, local, ReadOnlyWanted(flags), FileTimeOf(latest, flags)));
    }
  });
  CommitAll(session, writes);
  if (disposal == VSSFLAG_DELYES)
    VSSLocalFile::Remove(local);
  else if (disposal == VSSFLAG_DELNOREPLACE && VSSLocalFile::KindOf(local) == VSSLocalFile::Kind::File)
    VSSLocalFile::SetReadOnly(local, true);
}

bool IsDifferent(VSSSession& session, int64_t entryId, int32_t version, const std::string& localIn) {
  VSSTree tree(session);
  // The usual call names the local file and needs one query, which is a snapshot of its own.
  std::optional<VSSContentInfo> content = tree.FileContent(entryId, version);
  std::string local = localIn;
  if (!content || local.empty()) {
    session.Store->Read([&] {
      local = LocalPathOf(tree, LoadFile(tree, entryId), localIn);   // raises what is wrong with the item
      content = tree.FileContent(entryId, version);
    });
    if (!content) throw EVSSAutomation("Version " + std::to_string(version) + " not found", VSSError::NotFound);
  }
  return !session.LocalFiles.Holds(local, *content);
}

} // namespace VSSFileOps
