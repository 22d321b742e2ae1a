#include "vss/cli/SsReports.h"

#include <cstdio>
#include <ctime>

#include "vss/api/VSSDate.h"
#include "vss/api/VSSFlags.h"

namespace vsscli {

std::string FormatDate(double date) { return VSSDateText(date); }

namespace {

VSSPtr<IVSSItem> ItemOrCurrent(SsSession& session, const CommandLine& line) {
  return line.Arguments().empty() ? session.CurrentProject() : session.Item(line.Arguments()[0]);
}

// Dir: "$/project:", then "$sub" per subproject and the file names, a blank line, and the count.
size_t ListProject(IVSSItem& project, bool recursive, bool deleted) {
  std::printf("%s:\n", project.Spec().c_str());
  VSSPtr<IVSSItems> items = project.Items(deleted);
  size_t count = 0;
  ForEachItem(*items, [&](IVSSItem& child) {
    std::string name = child.Type() == VSSITEM_PROJECT ? "$" + child.Name() : child.Name();
    if (deleted && child.Deleted()) name += " (deleted)";
    std::printf("%s\n", name.c_str());
    ++count;
  });
  std::printf("\n%zu item(s)\n", count);
  if (recursive)
    ForEachItem(*items, [&](IVSSItem& child) {
      if (child.Type() == VSSITEM_PROJECT && !child.Deleted()) {
        std::printf("\n");
        count += ListProject(child, true, deleted);
      }
    });
  return count;
}

// Status: one line per check-out: spec, user, date, version, machine and folder.
size_t ListCheckouts(IVSSItem& item, bool recursive, bool top) {
  size_t count = 0;
  if (item.Type() == VSSITEM_FILE) {
    VSSPtr<IVSSCheckouts> checkouts = item.Checkouts();
    for (int32_t i = 1, n = checkouts->Count(); i <= n; ++i) {
      VSSPtr<IVSSCheckout> c = checkouts->Item(i);
      std::printf("%-40s %-12s %s  v%d  %s  %s\n", item.Spec().c_str(), c->Username().c_str(),
                  FormatDate(c->Date()).c_str(), c->VersionNumber(), c->Machine().c_str(),
                  c->LocalSpec().c_str());
      ++count;
    }
  } else if (top || recursive) {
    VSSPtr<IVSSItems> items = item.Items(false);
    ForEachItem(*items, [&](IVSSItem& child) { count += ListCheckouts(child, recursive, false); });
  }
  return count;
}

} // namespace

int RunHistory(SsSession& session, const CommandLine& line) {
  line.Validate("History", "R", 1, 1);
  VSSPtr<IVSSItem> item = session.Item(line.Arguments()[0]);
  std::printf("History of %s\n", item->Spec().c_str());
  VSSPtr<IVSSVersions> versions = item->Versions(line.IsOn('R') ? VSSFLAG_RECURSYES : 0);
  VSSPtr<IVSSVersion> version;
  while (versions->Next(version.Out())) {
    std::printf("\n*****  Version %d  *****\nUser: %-12s Date: %s\n%s\n", version->VersionNumber(),
                version->Username().c_str(), FormatDate(version->Date()).c_str(), version->Action().c_str());
    std::string labelComment;
    if (!version->Label().empty()) {
      std::printf("Label: '%s'\n", version->Label().c_str());
      VSSPtr<IVSSVersion2> labelled = version.Query<IVSSVersion2>();
      if (labelled) labelComment = labelled->LabelComment();
      if (!labelComment.empty()) std::printf("Label comment: %s\n", labelComment.c_str());
    }
    // A label's comment is the version's comment too; it is shown once.
    std::string comment = version->Comment();
    if (!comment.empty() && comment != labelComment) std::printf("Comment: %s\n", comment.c_str());
  }
  return 0;
}

int RunDir(SsSession& session, const CommandLine& line) {
  line.Validate("Dir", "RD", 0, 1);
  VSSPtr<IVSSItem> item = ItemOrCurrent(session, line);
  if (item->Type() == VSSITEM_FILE) {
    std::printf("%s\n", item->Spec().c_str());
    return 0;
  }
  return ListProject(*item, line.IsOn('R'), line.IsOn('D')) == 0 ? 1 : 0;
}

int RunStatus(SsSession& session, const CommandLine& line) {
  line.Validate("Status", "R", 0, 1);
  VSSPtr<IVSSItem> item = ItemOrCurrent(session, line);
  if (ListCheckouts(*item, line.IsOn('R'), true) > 0) return 1;
  std::printf("No checked out files found.\n");
  return 0;
}

int RunWhoami(SsSession& session, const CommandLine& line) {
  line.Validate("Whoami", "", 0, 0);
  std::printf("%s\n", session.Database().UserName().c_str());
  return 0;
}

} // namespace vsscli
