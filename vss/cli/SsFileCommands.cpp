#include "vss/cli/SsFileCommands.h"

#include <cstdio>

#include "platform/Exception.h"
#include "platform/Files.h"
#include "vss/api/VSSErrors.h"
#include "vss/api/VSSFlags.h"

namespace vsscli {

namespace {

VSSPtr<IVSSItem> FileItem(SsSession& session, const std::string& spec) {
  VSSPtr<IVSSItem> item = session.Item(spec);
  if (item->Type() != VSSITEM_FILE) throw Exception(item->Spec() + " is a project, not a file");
  return item;
}

void Done(IVSSItem& item) { std::printf("%s\n", item.Spec().c_str()); }

// Fetches one file; a writable local copy that differs is replaced only when the user said yes
// (-IY). Otherwise it is kept and reported, and false returned.
bool GetFile(SsSession& session, IVSSItem& file, std::string local, int32_t flags) {
  if (session.AnswerYes()) flags |= VSSFLAG_REPREPLACE;
  try {
    file.Get(local, flags);
  } catch (const EVSSAutomation& e) {
    if (e.ErrorCode() != VSSError::WritableCopyExists) throw;
    std::fprintf(stderr, "%s\n", e.what());
    return false;
  }
  Done(file);
  return true;
}

// Gets every file of a project into `folder`, and with `recursive` every subproject into its own
// working folder or, without one, the subfolder of its name.
bool GetProject(SsSession& session, IVSSItem& project, const std::string& folder, int32_t flags,
                bool recursive) {
  bool complete = true;
  platform::ForceDirectories(folder);
  VSSPtr<IVSSItems> items = project.Items(false);
  ForEachItem(*items, [&](IVSSItem& child) {
    if (child.Type() == VSSITEM_FILE) {
      complete = GetFile(session, child, folder + "/" + child.Name(), flags) && complete;
    } else if (recursive) {
      std::string own = child.LocalSpec();
      std::string childFolder = own.empty() ? folder + "/" + child.Name() : own;
      complete = GetProject(session, child, childFolder, flags, true) && complete;
    }
  });
  return complete;
}

} // namespace

int RunAdd(SsSession& session, const CommandLine& line) {
  line.Validate("Add", "CB", 1);
  int32_t flags = 0;
  if (line.Has('B')) flags = line.Value('B') == "-" ? VSSFLAG_BINTEXT : VSSFLAG_BINBINARY;
  VSSPtr<IVSSItem> project = session.CurrentProject();
  for (const std::string& file : line.Arguments()) {
    std::string path = platform::ExpandFileName(file);
    if (!platform::FileExists(path))
      throw EVSSAutomation("File \"" + file + "\" not found", VSSError::LocalFileNotFound);
    Done(*project->Add(path, line.Comment(), flags));
  }
  return 0;
}

int RunCheckout(SsSession& session, const CommandLine& line) {
  line.Validate("Checkout", "CG", 1);
  int32_t flags = line.Value('G') == "-" ? VSSFLAG_GETNO : 0;
  for (const std::string& spec : line.Arguments()) {
    VSSPtr<IVSSItem> item = FileItem(session, spec);
    item->Checkout(line.Comment(), session.LocalPathOf(*item), flags);
    Done(*item);
  }
  return 0;
}

int RunCheckin(SsSession& session, const CommandLine& line) {
  line.Validate("Checkin", "CK", 1);
  int32_t flags = line.IsOn('K') ? VSSFLAG_KEEPYES : 0;
  for (const std::string& spec : line.Arguments()) {
    VSSPtr<IVSSItem> item = FileItem(session, spec);
    item->Checkin(line.Comment(), session.LocalPathOf(*item), flags);
    Done(*item);
  }
  return 0;
}

int RunUndoCheckout(SsSession& session, const CommandLine& line) {
  line.Validate("Undocheckout", "G", 1);
  // -G- keeps the local copy as it is (made read-only) instead of fetching the latest version.
  int32_t flags = line.Value('G') == "-" ? VSSFLAG_DELNOREPLACE : VSSFLAG_DELNO;
  for (const std::string& spec : line.Arguments()) {
    VSSPtr<IVSSItem> item = FileItem(session, spec);
    item->UndoCheckout(session.LocalPathOf(*item), flags);
    Done(*item);
  }
  return 0;
}

int RunGet(SsSession& session, const CommandLine& line) {
  line.Validate("Get", "RVW", 1);
  int32_t flags = line.IsOn('W') ? VSSFLAG_USERRONO : 0;
  bool recursive = line.IsOn('R');
  bool complete = true;
  for (const std::string& spec : line.Arguments()) {
    VSSPtr<IVSSItem> item = session.Item(spec);
    if (item->Type() == VSSITEM_PROJECT) {
      if (line.Has('V')) throw Exception("-V applies to files only: " + item->Spec());
      complete = GetProject(session, *item, session.FolderOf(*item), flags, recursive) && complete;
      continue;
    }
    std::string local = session.LocalPathOf(*item);
    // -Vn is version n, -VLlabel (or any other text) a label.
    std::string version = line.Value('V');
    if (version.size() > 1 && (version[0] == 'L' || version[0] == 'l')) version = version.substr(1);
    VSSPtr<IVSSItem> source = line.Has('V') ? item->Version(version) : item;
    complete = GetFile(session, *source, local, flags) && complete;
  }
  return complete ? 0 : 100;
}

} // namespace vsscli
