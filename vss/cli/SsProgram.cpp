#include "vss/cli/SsProgram.h"

#include <cstdio>

#include "platform/Text.h"
#include "vss/api/VSSErrors.h"
#include "vss/cli/SsDiff.h"
#include "vss/cli/SsFileCommands.h"
#include "vss/cli/SsProjectCommands.h"
#include "vss/cli/SsReports.h"

namespace vsscli {

namespace {

const char* const HelpText = R"HELP(ss: SourceSafe's command-line tool.

Usage: ss COMMAND [arguments] [switches]
The database is the folder in SSDIR (where srcsafe.ini is), the user SSUSER (else the logon
name) with the password SSPWD; -Yuser[,password] overrides both. Commands and switches ignore
case. A spec is "$/project/file" or a path relative to the current project (see CP).
ss never asks: -I- (the default) answers every question with its default, -IY with yes.

  Create $/p [-Ccomment]        make a project
  CP [$/p]                      set (or show) your current project
  Workfold [$/p [dir]]          show, or set, your working folder of a project
  Add file... [-Ccomment] [-B]  add local files to the current project (-B binary, -B- text)
  Checkout spec... [-Ccomment] [-G-]
                                check out into the working folder (-G-: don't get the file)
  Checkin spec... [-Ccomment] [-K]
                                check in from the working folder (-K: keep it checked out)
  Undocheckout spec... [-G-]    end a check-out; the latest version replaces the local copy
                                (-G-: keep the local copy as it is, read-only)
  Get spec... [-R] [-Vn|-VLlabel] [-W]
                                get files (a project: its files; -R with subprojects) into the
                                working folder, else the current folder (-W: writable). A writable
                                local copy that differs is kept and reported unless -IY.
  History spec [-R]             the history, newest first (-R: everything below a project)
  Dir [$/p] [-R] [-D]           list a project (-R: with subprojects; -D: deleted items too)
  Status [spec] [-R]            list check-outs
  Label spec -Llabel [-Ccomment]
  Share spec [-R] [-Ccomment]   share a file or project into the current project
  Delete spec...                delete (recoverable)
  Recover spec...               recover a deleted item
  Destroy spec...               remove an item for good
  Diff A B [-IW] [-IC] [-IE] [-DS|-DU] [-O@file] ["-O&file"]
                                compare local files or specs (a spec means its latest version),
                                ignoring white space, case or line ends; -O@/-O& append the report
                                to a file (written once per file) instead of standard output
  Whoami                        the user name
  Help                          this text

Reports:
  Diff -DS (default):  "Diffing: A", "Against: B", then per differing line its number
                       right-aligned in 6 characters, two blanks and "Del: text" (a line only in
                       A, A's number), "Change: text" (A's line and number) followed by 14 blanks
                       and "To: text" (B's line), or "Ins: text" (a line only in B, B's number);
                       "No differences." when equal. A blank line ends the report.
  Diff -DU:            unified form: "--- A", "+++ B", "@@ -a,n +b,m @@" blocks, 3 lines context.
  History:             "History of SPEC", then per version a blank line, "*****  Version N  *****",
                       "User: NAME  Date: YYYY-MM-DD HH:MM", the action, and "Label: 'L'",
                       "Label comment: ..." and "Comment: ..." lines when present.
  Dir:                 "$/project:", one line per item ("$name" for subprojects, " (deleted)"
                       after deleted items with -D), a blank line and "N item(s)"; with -R each
                       subproject follows after a blank line.
  Status:              one line per check-out: spec, user, date, vVERSION, machine, folder;
                       "No checked out files found." when there is none.

Exit codes: 0 success; 1 Diff found differences, Dir found nothing, Status found check-outs;
100 error (the message is on standard error).
)HELP";

using Handler = int (*)(SsSession&, const CommandLine&);

struct Command {
  const char* Name;
  Handler Run;
};

const Command Commands[] = {
    {"Create", RunCreate},       {"CP", RunCP},           {"Workfold", RunWorkfold},
    {"Add", RunAdd},             {"Checkout", RunCheckout}, {"Checkin", RunCheckin},
    {"Undocheckout", RunUndoCheckout}, {"Get", RunGet},   {"History", RunHistory},
    {"Dir", RunDir},             {"Status", RunStatus},   {"Label", RunLabel},
    {"Share", RunShare},         {"Delete", RunDelete},   {"Recover", RunRecover},
    {"Destroy", RunDestroy},     {"Diff", RunDiff},       {"Whoami", RunWhoami},
};

// The lines of the help text that describe `command` (its line and those continuing it).
std::string UsageOf(const std::string& command) {
  std::string usage;
  bool inside = false;
  for (const std::string& line : platform::Split(HelpText, '\n')) {
    const bool continues = line.size() > 2 && line.compare(0, 3, "   ") == 0;
    if (inside && continues) {
      usage += line + "\n";
      continue;
    }
    inside = line.size() > 2 && line.compare(0, 2, "  ") == 0 && !continues &&
             platform::SameText(line.substr(2, line.find(' ', 2) - 2), command);
    if (inside) usage += line + "\n";
  }
  return usage;
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "%s\n", message.c_str());
  return 100;
}

} // namespace

int RunSs(const std::vector<std::string>& arguments) {
  CommandLine line = CommandLine::Parse(arguments);
  if (line.Command().empty() || platform::SameText(line.Command(), "Help")) {
    std::fputs(HelpText, stdout);
    return line.Command().empty() ? 100 : 0;
  }
  for (const Command& command : Commands) {
    if (!platform::SameText(line.Command(), command.Name)) continue;
    if (line.HelpAsked()) {
      std::fputs(("Usage: ss COMMAND [arguments] [switches]\n" + UsageOf(command.Name)).c_str(), stdout);
      return 0;
    }
    try {
      SsSession session(line);
      int code = command.Run(session, line);
      std::fflush(stdout);
      return code;
    } catch (const std::exception& e) {
      std::fflush(stdout);
      return Fail(e.what());
    }
  }
  return Fail("Unknown command: " + line.Command() + " (see ss Help)");
}

} // namespace vsscli
