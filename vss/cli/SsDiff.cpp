#include "vss/cli/SsDiff.h"

#include <cstdio>
#include <fstream>

#include "platform/Exception.h"
#include "platform/Files.h"
#include "platform/Text.h"
#include "vss/api/VSSErrors.h"
#include "vss/api/VSSFlags.h"
#include "vss/cli/DiffReport.h"

namespace vsscli {

namespace {

bool IsSpec(const std::string& name) { return !name.empty() && name[0] == '$'; }

std::string ReadLocal(const std::string& fileName) {
  std::string content;
  if (!platform::ReadFile(fileName, content))
    throw EVSSAutomation("File \"" + fileName + "\" not found", VSSError::LocalFileNotFound);
  return content;
}

// The latest version of a file in the database, fetched through a temporary copy.
std::string ReadSpec(SsSession& session, const std::string& spec) {
  VSSPtr<IVSSItem> item = session.Item(spec);
  if (item->Type() != VSSITEM_FILE) throw Exception(spec + " is a project, not a file");
  std::string local = platform::CreateTempFileName(platform::TempDirectory(), "ssdiff");
  struct Remove {
    std::string& Name;
    ~Remove() {
      platform::SetReadOnly(Name, false);
      platform::DeleteFile(Name);
    }
  } remove{local};
  item->Get(local, VSSFLAG_REPREPLACE | VSSFLAG_USERRONO);
  return ReadLocal(local);
}

std::string Read(SsSession& session, const std::string& name) {
  return IsSpec(name) ? ReadSpec(session, name) : ReadLocal(name);
}

bool Exists(const std::string& name) { return IsSpec(name) || platform::FileExists(name); }

// Callers that put file names on a command line without quotes split a name with blanks into
// several arguments. With more than two, the split into two existing names is taken.
void TwoNames(const std::vector<std::string>& arguments, std::string& a, std::string& b) {
  auto join = [&](size_t from, size_t to) {
    std::string name = arguments[from];
    for (size_t i = from + 1; i < to; ++i) name += " " + arguments[i];
    return name;
  };
  a = arguments[0];
  b = join(1, arguments.size());
  for (size_t split = 1; arguments.size() > 2 && split < arguments.size(); ++split) {
    std::string left = join(0, split), right = join(split, arguments.size());
    if (Exists(left) && Exists(right)) {
      a = left;
      b = right;
      return;
    }
  }
}

DiffOptions OptionsOf(const CommandLine& line) {
  DiffOptions options;
  for (const std::string& value : line.Values('I'))
    for (char c : platform::UpperCase(value)) {
      if (c == 'W') options.IgnoreWhiteSpace = true;
      if (c == 'C') options.IgnoreCase = true;
      if (c == 'E') options.IgnoreEndOfLine = true;
    }
  return options;
}

ReportStyle StyleOf(const CommandLine& line) {
  std::string style = platform::UpperCase(line.Value('D'));
  if (style.empty() || style == "S") return ReportStyle::SourceSafe;
  if (style == "U") return ReportStyle::Unified;
  throw Exception("Invalid option: -D" + line.Value('D') + " (use -DS or -DU)");
}

// The distinct files named by -O@file and -O&file.
std::vector<std::string> ReportFiles(const CommandLine& line) {
  std::vector<std::string> files;
  for (const std::string& value : line.Values('O')) {
    if (value.size() < 2 || (value[0] != '@' && value[0] != '&'))
      throw Exception("Invalid option: -O" + value + " (use -O@file or -O&file)");
    std::string file = platform::ExpandFileName(value.substr(1));
    bool known = false;
    for (const std::string& f : files) known = known || f == file;
    if (!known) files.push_back(file);
  }
  return files;
}

} // namespace

int RunDiff(SsSession& session, const CommandLine& line) {
  line.Validate("Diff", "DO", 2);
  std::string nameA, nameB;
  TwoNames(line.Arguments(), nameA, nameB);
  DiffOptions options = OptionsOf(line);
  ReportStyle style = StyleOf(line);
  std::vector<std::string> reportFiles = ReportFiles(line);

  const std::string contentA = Read(session, nameA), contentB = Read(session, nameB);
  std::vector<TextLine> a = SplitLines(contentA);
  std::vector<TextLine> b = SplitLines(contentB);
  std::vector<DiffHunk> hunks = DiffLines(a, b, options);
  std::string report = DiffReport(style, nameA, a, nameB, b, hunks);

  if (reportFiles.empty()) {
    std::fwrite(report.data(), 1, report.size(), stdout);
  }
  for (const std::string& file : reportFiles) {
    std::ofstream out(file, std::ios::binary | std::ios::app);
    out << report;
    out.close();
    if (!out) throw Exception("Can not write the report to " + file);
  }
  return hunks.empty() ? 0 : 1;
}

} // namespace vsscli
