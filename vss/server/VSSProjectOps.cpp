#include "vss/server/VSSProjectOps.h"

#include <algorithm>

#include "platform/Files.h"
#include "vss/api/VSSErrors.h"
#include "vss/api/VSSFlags.h"
#include "vss/server/VSSContent.h"
#include "vss/server/VSSLocalFile.h"
#include "vss/server/VSSSpec.h"

namespace VSSProjectOps {

namespace {

VSSEntry LoadProject(VSSTree& tree, int64_t id) {
  VSSEntry entry = tree.Entry(id);
  if (entry.Type != VSSITEM_PROJECT)
    throw EVSSAutomation(tree.SpecOf(id) + " is a file, not a project", VSSError::InvalidOperation);
  return entry;
}

void CheckNameFree(VSSTree& tree, int64_t project, const std::string& name) {
  if (tree.LiveChild(project, name))
    throw EVSSAutomation("An item with the name " + name + " already exists", VSSError::AlreadyExists);
}

[[noreturn]] void DeleteRoot() { throw EVSSAutomation("Cannot delete the root project", VSSError::DeleteRoot); }

void ShareFile(VSSTree& tree, const VSSEntry& project, const VSSEntry& file, const std::string& comment) {
  for (int64_t id : tree.EntriesOfItem(file.Item)) {
    const VSSEntry other = tree.Entry(id);
    if (other.Parent == project.Id && !other.Deleted)
      throw EVSSAutomation("File " + file.Name + " is already shared by this project", VSSError::AlreadyShared);
  }
  CheckNameFree(tree, project.Id, file.Name);
  tree.NewEntry(project.Id, file.Item, file.Name);
  tree.AddVersion(project.Item, {.Action = "Shared " + tree.SpecOf(file.Id), .Comment = comment});
}

// A shared project is a new project holding shares of the source's files (and, recursively, of
// its subprojects' files).
void ShareProject(VSSTree& tree, const VSSEntry& project, const VSSEntry& source, const std::string& comment,
                  bool recursive) {
  CheckNameFree(tree, project.Id, source.Name);
  const int64_t item = tree.NewItem(VSSITEM_PROJECT, false);
  const VSSEntry copy = tree.Entry(tree.NewEntry(project.Id, item, source.Name));
  tree.AddVersion(item, {.Action = "Created " + tree.SpecOf(copy.Id), .Comment = comment});
  tree.AddVersion(project.Item, {.Action = "Shared " + tree.SpecOf(source.Id), .Comment = comment});
  for (const VSSEntry& child : tree.Children(source.Id, false)) {
    if (child.Type == VSSITEM_FILE)
      ShareFile(tree, copy, child, comment);
    else if (recursive)
      ShareProject(tree, copy, child, comment, true);
  }
}

void DestroyEntry(VSSStore& store, VSSTree& tree, int64_t id) {
  for (const VSSEntry& child : tree.Children(id, true)) DestroyEntry(store, tree, child.Id);
  const int64_t item = tree.Entry(id).Item;
  store.Execute("DELETE FROM entries WHERE id = ?", id);
  if (!tree.EntriesOfItem(item).empty()) return;   // still shared elsewhere
  store.Execute("DELETE FROM checkouts WHERE item = ?", item);
  store.Execute("DELETE FROM workfolders WHERE item = ?", item);
  store.Execute("DELETE FROM versions WHERE item = ?", item);
  store.Execute("DELETE FROM items WHERE id = ?", item);
}

} // namespace

int64_t Add(VSSSession& session, int64_t projectId, const std::string& local, const std::string& comment,
            int32_t flags) {
  VSSTree tree(session);
  const std::string name = platform::ExtractFileName(local);
  VSSSpec::CheckName(name);
  const std::optional<VSSStatCache::FileStat> seen = session.LocalFiles.StatOf(local);   // before the read
  VSSLocalFile::Reader file(local);
  std::string hash;   // of the content added
  const int64_t fileTime = VSSLocalFile::ModifiedTime(local);
  const int64_t entry = session.Store->Write([&] {
    const VSSEntry project = LoadProject(tree, projectId);
    CheckNameFree(tree, project.Id, name);
    bool binary = false;
    const int64_t content = tree.PutContent([&] {
      const std::string_view piece = file.Next();
      binary = binary || VSSContent::LooksBinary(piece);
      return piece;
    });
    hash = tree.ContentInfo(content).Hash;
    if ((flags & VSSFLAG_BIN_MASK) == VSSFLAG_BINBINARY) binary = true;
    if ((flags & VSSFLAG_BIN_MASK) == VSSFLAG_BINTEXT) binary = false;
    const int64_t item = tree.NewItem(VSSITEM_FILE, binary);
    const int64_t id = tree.NewEntry(project.Id, item, name);
    tree.AddVersion(item, {.Action = "Created " + tree.SpecOf(id), .Comment = comment, .Content = content,
                           .FileTime = fileTime});
    tree.AddVersion(project.Item, {.Action = "Added " + name, .Comment = comment});
    return id;
  });
  if ((flags & VSSFLAG_RO_MASK) != VSSFLAG_USERRONO) VSSLocalFile::SetReadOnly(local, true);
  if (seen) session.LocalFiles.Wrote({{local, hash, seen}});
  return entry;
}

int64_t NewSubproject(VSSSession& session, int64_t projectId, const std::string& name, const std::string& comment) {
  VSSSpec::CheckName(name);
  VSSTree tree(session);
  return session.Store->Write([&] {
    const VSSEntry project = LoadProject(tree, projectId);
    CheckNameFree(tree, project.Id, name);
    const int64_t item = tree.NewItem(VSSITEM_PROJECT, false);
    const int64_t id = tree.NewEntry(project.Id, item, name);
    tree.AddVersion(item, {.Action = "Created " + tree.SpecOf(id), .Comment = comment});
    tree.AddVersion(project.Item, {.Action = "Added " + name, .Comment = comment});
    return id;
  });
}

void Share(VSSSession& session, int64_t projectId, int64_t sourceId, const std::string& comment, int32_t flags) {
  VSSTree tree(session);
  session.Store->Write([&] {
    const VSSEntry project = LoadProject(tree, projectId);
    const VSSEntry source = tree.Entry(sourceId);
    if (source.Type == VSSITEM_FILE) {
      ShareFile(tree, project, source, comment);
      return;
    }
    const std::vector<int64_t> above = tree.Ancestors(project.Id);
    if (source.Id == project.Id || std::find(above.begin(), above.end(), source.Id) != above.end())
      throw EVSSAutomation("A project cannot be shared under a descendant", VSSError::ShareUnderDescendant);
    ShareProject(tree, project, source, comment, (flags & VSSFLAG_RECURS_MASK) == VSSFLAG_RECURSYES);
  });
}

void SetDeleted(VSSSession& session, int64_t entryId, bool deleted) {
  VSSTree tree(session);
  session.Store->Write([&] {
    const VSSEntry entry = tree.Entry(entryId);
    if (entry.Parent == 0) DeleteRoot();
    if (entry.Deleted == deleted) return;
    if (!deleted) CheckNameFree(tree, entry.Parent, entry.Name);
    session.Store->Execute("UPDATE entries SET deleted = ? WHERE id = ?", int64_t{deleted}, entry.Id);
    tree.AddVersion(tree.Entry(entry.Parent).Item, {.Action = (deleted ? "Deleted " : "Recovered ") + entry.Name});
  });
}

void Destroy(VSSSession& session, int64_t entryId) {
  VSSTree tree(session);
  session.Store->Write([&] {
    const VSSEntry entry = tree.Entry(entryId);
    if (entry.Parent == 0) DeleteRoot();
    DestroyEntry(*session.Store, tree, entry.Id);
    tree.AddVersion(tree.Entry(entry.Parent).Item, {.Action = "Destroyed " + entry.Name});
    tree.DropUnusedContents();
  });
}

} // namespace VSSProjectOps
