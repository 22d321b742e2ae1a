#pragma once
// What every `ss` command works with: the database (SSDIR, SSUSER, SSPWD, or -Yuser[,pwd]), opened on
// first use so that commands on local files alone need none, and the answers to questions: `ss`
// never asks, so -I- (or no -I) takes each question's default ("no") and -IY answers "yes".
#include <string>

#include "vss/api/VSSInterfaces.h"
#include "vss/cli/CommandLine.h"

namespace vsscli {

class SsSession {
public:
  explicit SsSession(const CommandLine& line);

  IVSSDatabase& Database();
  // The item at `spec` (absolute "$/..." or relative to the current project).
  VSSPtr<IVSSItem> Item(const std::string& spec, bool deleted = false);
  VSSPtr<IVSSItem> CurrentProject();

  // Where a file's local copy goes: its working-folder path, else the current folder + its name.
  std::string LocalPathOf(IVSSItem& file);
  // The local folder of a project: its working folder, else the current folder.
  std::string FolderOf(IVSSItem& project);

  bool AnswerYes() const { return FAnswerYes; }

private:
  std::string FUser;
  std::string FPassword;
  bool FAnswerYes = false;
  VSSPtr<IVSSDatabase> FDatabase;
};

// The items of a collection, in order.
template <class Fn>
void ForEachItem(IVSSItems& items, Fn fn) {
  for (int32_t i = 1, n = items.Count(); i <= n; ++i) fn(*items.Item(i));
}

} // namespace vsscli
