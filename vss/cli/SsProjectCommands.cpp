#include "vss/cli/SsProjectCommands.h"

#include <cstdio>

#include "platform/Exception.h"
#include "platform/Files.h"
#include "vss/api/VSSFlags.h"

namespace vsscli {

namespace {

VSSPtr<IVSSItem> ProjectItem(SsSession& session, const std::string& spec) {
  VSSPtr<IVSSItem> item = session.Item(spec);
  if (item->Type() != VSSITEM_PROJECT) throw Exception(item->Spec() + " is a file, not a project");
  return item;
}

void Print(const std::string& text) { std::printf("%s\n", text.c_str()); }

} // namespace

int RunCreate(SsSession& session, const CommandLine& line) {
  line.Validate("Create", "C", 1, 1);
  // The new project's parent is everything before the last "/" ("$/a/b" -> "$/a", "b" -> current).
  std::string spec = platform::ExcludeTrailingPathDelimiter(line.Arguments()[0]);
  size_t slash = spec.rfind('/');
  VSSPtr<IVSSItem> parent;
  if (slash == std::string::npos)
    parent = session.CurrentProject();
  else
    parent = session.Item(slash == 1 && spec[0] == '$' ? "$/" : spec.substr(0, slash));
  Print(parent->NewSubproject(spec.substr(slash + 1), line.Comment())->Spec());
  return 0;
}

int RunCP(SsSession& session, const CommandLine& line) {
  line.Validate("CP", "", 0, 1);
  if (!line.Arguments().empty())
    session.Database().SetCurrentProject(ProjectItem(session, line.Arguments()[0])->Spec());
  Print("Current project is " + session.Database().CurrentProject());
  return 0;
}

int RunWorkfold(SsSession& session, const CommandLine& line) {
  line.Validate("Workfold", "", 0, 2);
  const auto& arguments = line.Arguments();
  VSSPtr<IVSSItem> project =
      arguments.empty() ? session.CurrentProject() : ProjectItem(session, arguments[0]);
  if (arguments.size() == 2) {
    std::string folder = platform::ExcludeTrailingPathDelimiter(platform::ExpandFileName(arguments[1]));
    project->SetLocalSpec(folder);
  }
  std::string folder = project->LocalSpec();
  Print(project->Spec() + ": " + (folder.empty() ? "(no working folder)" : folder));
  return 0;
}

int RunLabel(SsSession& session, const CommandLine& line) {
  line.Validate("Label", "LC", 1, 1);
  std::string label = line.Value('L');
  if (label.empty() || label == "-") throw Exception("Label needs a label: -Llabel");
  VSSPtr<IVSSItem> item = session.Item(line.Arguments()[0]);
  item->Label(label, line.Comment());
  Print(item->Spec() + " labeled '" + label + "'");
  return 0;
}

int RunShare(SsSession& session, const CommandLine& line) {
  line.Validate("Share", "RC", 1, 1);
  VSSPtr<IVSSItem> item = session.Item(line.Arguments()[0]);
  VSSPtr<IVSSItem> target = session.CurrentProject();
  bool recursive = line.IsOn('R');
  target->Share(item.Get(), line.Comment(), recursive ? VSSFLAG_RECURSYES : 0);
  Print(item->Spec() + " shared into " + target->Spec());
  return 0;
}

int RunDelete(SsSession& session, const CommandLine& line) {
  line.Validate("Delete", "", 1);
  for (const std::string& spec : line.Arguments()) {
    VSSPtr<IVSSItem> item = session.Item(spec);
    item->SetDeleted(true);
    Print(item->Spec() + " deleted");
  }
  return 0;
}

int RunRecover(SsSession& session, const CommandLine& line) {
  line.Validate("Recover", "", 1);
  for (const std::string& spec : line.Arguments()) {
    VSSPtr<IVSSItem> item = session.Item(spec, true);
    item->SetDeleted(false);
    Print(item->Spec() + " recovered");
  }
  return 0;
}

int RunDestroy(SsSession& session, const CommandLine& line) {
  line.Validate("Destroy", "", 1);
  for (const std::string& spec : line.Arguments()) {
    VSSPtr<IVSSItem> item = session.Item(spec, true);
    std::string name = item->Spec();
    item->Destroy();
    Print(name + " destroyed");
  }
  return 0;
}

} // namespace vsscli
