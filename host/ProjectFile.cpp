#include "host/ProjectFile.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "platform/Files.h"
#include "platform/Text.h"

using namespace platform;

namespace {

// A unit's path as a project names it, resolved as Windows would: backslashes and slashes separate
// names (a C string literal may double the backslash), ".." climbs, and a name that doesn't exist in
// the case given is found ignoring case.
std::string UnitPath(const std::string& folder, const std::string& name) {
  std::string path;
  for (char c : name)
    if (c != '\\' && c != '/')
      path += c;
    else if (path.empty() || path.back() != '/')
      path += '/';
  return ExistingCase(!path.empty() && path[0] == '/' ? path : folder + path);
}

void AddUnit(TProjectInfo& info, const std::string& unit, bool hasForm) {
  info.Units.push_back(unit);
  if (hasForm) info.Forms.push_back(ExistingCase(ChangeFileExt(unit, ".dfm")));
}

bool IsIdentStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool IsIdentChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// The offset of each line's first character, so that an offset can be turned into a line number.
std::vector<size_t> LineStarts(const std::string& text) {
  std::vector<size_t> starts{0};
  for (size_t i = 0; i < text.size(); ++i)
    if (text[i] == '\n') starts.push_back(i + 1);
  return starts;
}

size_t LineAt(const std::vector<size_t>& starts, size_t offset) {
  return static_cast<size_t>(std::upper_bound(starts.begin(), starts.end(), offset) - starts.begin()) - 1;
}

// A USE… macro of a C++Builder project source: USEFORM("Unit1.cpp", Form1), USEUNIT("Util.cpp"), ….
struct TUseMacro {
  std::string Macro;  // USEFORM, USEUNIT, USERES, …
  std::string Path;   // the quoted argument as written; empty when it has none
  size_t At = 0;      // offset of the macro's name
};

// The USE… macros of a C++ source outside comments and literals, in one pass over the text. A quoted
// argument ends at its closing quote or at the end of its line, so an unterminated one reads nothing.
std::vector<TUseMacro> ScanUseMacros(const std::string& text) {
  std::vector<TUseMacro> macros;
  const size_t n = text.size();
  // The offset after a literal opened by text[from] ('"' or '\''): its closing quote, or its line's end.
  auto literalEnd = [&](size_t from) {
    size_t i = from + 1;
    while (i < n && text[i] != text[from] && text[i] != '\n') i += text[i] == '\\' ? 2 : 1;
    return std::min(n, i < n && text[i] == text[from] ? i + 1 : i);
  };
  size_t i = 0;
  while (i < n) {
    const char c = text[i];
    if (c == '/' && i + 1 < n && text[i + 1] == '/') {
      i = text.find('\n', i);
      if (i == std::string::npos) break;
    } else if (c == '/' && i + 1 < n && text[i + 1] == '*') {
      size_t close = text.find("*/", i + 2);
      i = close == std::string::npos ? n : close + 2;
    } else if (c == '"' || c == '\'') {
      i = literalEnd(i);
    } else if (IsIdentStart(c)) {
      const size_t start = i;
      while (i < n && IsIdentChar(text[i])) ++i;
      if (i - start <= 3 || text.compare(start, 3, "USE") != 0) continue;
      TUseMacro macro{text.substr(start, i - start), {}, start};
      size_t j = i;
      while (j < n && (text[j] == ' ' || text[j] == '\t')) ++j;
      if (j >= n || text[j] != '(') continue;
      ++j;
      while (j < n && (text[j] == ' ' || text[j] == '\t' || text[j] == '\r' || text[j] == '\n')) ++j;
      if (j < n && text[j] == '"') {
        const size_t close = text.find_first_of("\"\n", j + 1);
        if (close == std::string::npos || text[close] != '"') {
          i = close == std::string::npos ? n : close;
          continue;
        }
        macro.Path = text.substr(j + 1, close - j - 1);
        j = close + 1;
      }
      macros.push_back(std::move(macro));
      i = j;
    } else {
      ++i;
    }
  }
  return macros;
}

// The macros that name a file of the project: units (with or without a form), and the other files
// the user added (USEFILE) and resources (USERES), which belong to the project as much as its units.
bool NamesProjectFile(const TUseMacro& macro) {
  return !macro.Path.empty() && (macro.Macro == "USEFORM" || macro.Macro == "USEUNIT" || macro.Macro == "USEFILE" ||
                                 macro.Macro == "USERES");
}

bool LoadBuilderProject(TProjectInfo& info, std::string& error) {
  info.MainSource = ChangeFileExt(info.FileName, ".cpp");
  std::string source;
  if (!ReadFile(info.MainSource, source)) {
    error = "The project's main source " + info.MainSource + " cannot be read.";
    return false;
  }
  info.Units.push_back(info.MainSource);
  const std::string folder = ExtractFilePath(info.FileName);
  for (const TUseMacro& macro : ScanUseMacros(source))
    if (NamesProjectFile(macro)) AddUnit(info, UnitPath(folder, macro.Path), macro.Macro == "USEFORM");
  return true;
}

// An entry of a Delphi uses clause that names its file: `Name in 'path' [{Form}]`.
struct TUsesEntry {
  std::string Path;
  bool HasForm = false;
  size_t At = 0;   // offset of the quoted path
};

// Scans a Delphi source: finds the uses clause outside comments and strings and reads its entries
// `Name [in 'path'] [{Form}]`. One pass over the text.
class TDelphiUsesReader {
public:
  explicit TDelphiUsesReader(const std::string& text) : FText(text) {}

  std::vector<TUsesEntry> Entries;
  size_t End = 0;   // offset of the ';' that closes the clause

  // False with a message naming `fileName` when there is no uses clause or it does not end.
  bool Read(const std::string& fileName, std::string& error) {
    if (!SkipToUses()) {
      error = "No uses clause was found in " + fileName + ".";
      return false;
    }
    TUsesEntry entry;
    bool closed = false;
    while (FPos < FText.size() && !closed) {
      char c = FText[FPos];
      if (c == '{' && Peek(1) != '$') {
        size_t close = FText.find('}', FPos);
        if (close == std::string::npos) break;
        entry.HasForm = !entry.Path.empty() || entry.HasForm;
        FPos = close + 1;
      } else if (c == '\'') {
        size_t close = FText.find('\'', FPos + 1);
        if (close == std::string::npos) break;
        entry.Path = FText.substr(FPos + 1, close - FPos - 1);
        entry.At = FPos;
        FPos = close + 1;
      } else if (c == ',' || c == ';') {
        if (!entry.Path.empty()) Entries.push_back(entry);
        entry = TUsesEntry{};
        closed = c == ';';
        End = FPos;
        ++FPos;
      } else if (!SkipComment()) {
        ++FPos;
      }
    }
    if (!closed) {
      error = "The uses clause of " + fileName + " does not end.";
      return false;
    }
    return true;
  }

private:
  char Peek(size_t ahead) const { return FPos + ahead < FText.size() ? FText[FPos + ahead] : '\0'; }

  // Skips a comment or string at FPos; false when there is none.
  bool SkipComment() {
    auto skipTo = [this](const std::string& end, size_t from) {
      size_t at = FText.find(end, from);
      FPos = at == std::string::npos ? FText.size() : at + end.size();
      return true;
    };
    char c = FText[FPos];
    if (c == '/' && Peek(1) == '/') return skipTo("\n", FPos);
    if (c == '(' && Peek(1) == '*') return skipTo("*)", FPos + 2);
    if (c == '{') return skipTo("}", FPos);
    if (c == '\'') return skipTo("'", FPos + 1);
    return false;
  }

  bool SkipToUses() {
    while (FPos < FText.size()) {
      if (SkipComment()) continue;
      if (IsIdentStart(FText[FPos])) {
        size_t start = FPos;
        while (FPos < FText.size() && IsIdentChar(FText[FPos])) ++FPos;
        if (FPos - start == 4 && SameText(std::string_view(FText).substr(start, 4), "uses")) return true;
      } else {
        ++FPos;
      }
    }
    return false;
  }

  const std::string& FText;
  size_t FPos = 0;
};

// The resource files of a Delphi project source's {$R file} directives after `from`, outside comments
// and strings, in one pass; "*" stands for the project's own name, as in {$R *.RES}.
std::vector<std::string> DelphiResources(const std::string& text, size_t from, const std::string& projectName) {
  std::vector<std::string> names;
  const size_t n = text.size();
  auto skipPast = [&](size_t at, const char* end) {
    const size_t found = text.find(end, at);
    return found == std::string::npos ? n : found + std::string_view(end).size();
  };
  for (size_t i = from; i < n;) {
    if (text.compare(i, 2, "//") == 0) {
      i = skipPast(i, "\n");
    } else if (text.compare(i, 2, "(*") == 0) {
      i = skipPast(i + 2, "*)");
    } else if (text[i] == '\'') {
      i = skipPast(i + 1, "'");
    } else if (text[i] == '{') {
      const size_t close = text.find('}', i);
      if (close == std::string::npos) break;
      const std::string_view body(text.data() + i + 1, close - i - 1);
      if (body.size() > 3 && body[0] == '$' && (body[1] == 'R' || body[1] == 'r') && (body[2] == ' ' || body[2] == '\t')) {
        std::string name = Trim(body.substr(3));
        if (name.starts_with('\''))
          name = name.substr(1, name.find('\'', 1) - 1);
        else
          name = name.substr(0, name.find_first_of(" \t"));
        if (const size_t star = name.find('*'); star != std::string::npos) name.replace(star, 1, projectName);
        if (!name.empty()) names.push_back(name);
      }
      i = close + 1;
    } else {
      ++i;
    }
  }
  return names;
}

bool LoadDelphiProject(TProjectInfo& info, std::string& error) {
  info.MainSource = info.FileName;
  std::string source;
  if (!ReadFile(info.FileName, source)) {
    error = "The project " + info.FileName + " cannot be read.";
    return false;
  }
  info.Units.push_back(info.MainSource);
  TDelphiUsesReader reader(source);
  if (!reader.Read(info.FileName, error)) return false;
  for (const TUsesEntry& entry : reader.Entries)
    AddUnit(info, UnitPath(ExtractFilePath(info.FileName), entry.Path), entry.HasForm);
  // The resources it links belong to the project as a C++Builder project's USERES files do.
  for (const std::string& resource : DelphiResources(source, reader.End, ExtractBaseName(info.FileName)))
    AddUnit(info, UnitPath(ExtractFilePath(info.FileName), resource), false);
  return true;
}

} // namespace

bool IsProjectFileName(const std::string& fileName) {
  std::string ext = ExtractFileExt(fileName);
  return SameText(ext, ".bpr") || SameText(ext, ".dpr");
}

bool LoadProjectFile(const std::string& fileName, TProjectInfo& info, std::string& error) {
  info = TProjectInfo{};
  info.FileName = ExpandFileName(fileName);
  if (!FileExists(info.FileName)) {
    error = "The project " + info.FileName + " does not exist.";
    return false;
  }
  std::string ext = ExtractFileExt(info.FileName);
  if (SameText(ext, ".bpr")) return LoadBuilderProject(info, error);
  if (SameText(ext, ".dpr")) return LoadDelphiProject(info, error);
  error = info.FileName + " is not a project (.bpr or .dpr).";
  return false;
}

namespace {

// The source split into lines that keep their own line breaks, so edits leave the others as
// they were.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    end = end == std::string::npos ? text.size() : end + 1;
    lines.push_back(text.substr(start, end - start));
    start = end;
  }
  return lines;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line;
  return text;
}

std::string LineBreakOf(const std::string& text) { return text.find("\r\n") != std::string::npos ? "\r\n" : "\n"; }

// The unit's path as the project names it: relative to the project's folder when below it.
std::string ProjectRelative(const TProjectInfo& info, const std::string& unit) {
  return ExtractRelativePath(ExtractFilePath(info.FileName), unit);
}

bool IsBuilder(const TProjectInfo& info) { return SameText(ExtractFileExt(info.FileName), ".bpr"); }

// The line of the project source that names `unit`, or -1. A .bpr names it in a USE… line, a .dpr in an `in '…'` entry.
int UnitLine(const TProjectInfo& info, const std::string& source, const std::string& unit) {
  const std::string folder = ExtractFilePath(info.FileName);
  const std::vector<size_t> starts = LineStarts(source);
  if (IsBuilder(info)) {
    for (const TUseMacro& macro : ScanUseMacros(source))
      if (NamesProjectFile(macro) && SamePath(UnitPath(folder, macro.Path), unit))
        return static_cast<int>(LineAt(starts, macro.At));
    return -1;
  }
  TDelphiUsesReader reader(source);
  std::string ignored;
  if (!reader.Read(info.FileName, ignored)) return -1;
  for (const TUsesEntry& entry : reader.Entries)
    if (SamePath(UnitPath(folder, entry.Path), unit)) return static_cast<int>(LineAt(starts, entry.At));
  return -1;
}

bool IsHdrStop(std::string_view line) {
  auto skipBlanks = [&line] {
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
  };
  skipBlanks();
  if (!line.starts_with("#pragma")) return false;
  line.remove_prefix(7);
  const size_t before = line.size();
  skipBlanks();
  return line.size() < before && line.starts_with("hdrstop");
}

// A line's text without its line break and trailing blanks.
std::string Content(const std::string& line) {
  size_t end = line.find_last_not_of(" \t\r\n");
  return end == std::string::npos ? std::string() : line.substr(0, end + 1);
}

std::string Ending(const std::string& line) { return line.substr(Content(line).size()); }

} // namespace

bool AddUnitToSource(const TProjectInfo& info, std::string& source, const std::string& unit,
                     const std::string& formName, std::string& error) {
  std::vector<std::string> lines = Lines(source);
  const std::string br = LineBreakOf(source);
  std::string relative = ProjectRelative(info, unit);
  if (IsBuilder(info)) {
    // After the last USE… line, else after #pragma hdrstop.
    const std::vector<TUseMacro> macros = ScanUseMacros(source);
    int at = -1;
    if (!macros.empty()) {
      at = static_cast<int>(LineAt(LineStarts(source), macros.back().At));
    } else {
      for (size_t i = 0; i < lines.size() && at < 0; ++i)
        if (IsHdrStop(lines[i])) at = static_cast<int>(i);
    }
    if (at < 0) {
      error = "The project source " + info.MainSource + " has no place for units (no #pragma hdrstop).";
      return false;
    }
    std::string escaped;
    for (char c : relative) escaped += c == '/' ? std::string("\\\\") : std::string(1, c);
    std::string line = formName.empty() ? "USEUNIT(\"" + escaped + "\");"
                                        : "USEFORM(\"" + escaped + "\", " + formName + ");";
    if (lines[static_cast<size_t>(at)].find('\n') == std::string::npos) lines[static_cast<size_t>(at)] += br;
    lines.insert(lines.begin() + at + 1, line + br);
  } else {
    // The entry that ends the uses clause (its ';') gives way to a new last entry.
    TDelphiUsesReader reader(source);
    std::string ignored;
    const int last = reader.Read(info.FileName, ignored) ? static_cast<int>(LineAt(LineStarts(source), reader.End)) : -1;
    if (last < 0 || Content(lines[static_cast<size_t>(last)]).back() != ';') {
      error = "The uses clause of " + info.FileName + " can't be extended: its last entry was not found.";
      return false;
    }
    std::string& end = lines[static_cast<size_t>(last)];
    std::string content = Content(end);
    end = content.substr(0, content.size() - 1) + "," + Ending(end);
    std::string name = ExtractBaseName(unit);
    for (char& c : relative)
      if (c == '/') c = '\\';
    std::string entry = "  " + name + " in '" + relative + "'" + (formName.empty() ? "" : " {" + formName + "}") + ";";
    lines.insert(lines.begin() + last + 1, entry + (Ending(end).empty() ? br : Ending(end)));
  }
  source = Joined(lines);
  return true;
}

bool RemoveUnitFromSource(const TProjectInfo& info, std::string& source, const std::string& unit,
                          std::string& error) {
  std::vector<std::string> lines = Lines(source);
  int at = UnitLine(info, source, unit);
  if (at < 0) {
    error = unit + " is not named in the project source " + info.MainSource + ".";
    return false;
  }
  std::string removed = Content(lines[static_cast<size_t>(at)]);
  lines.erase(lines.begin() + at);
  // A .dpr entry that ended the uses clause hands its ';' to the entry before it.
  if (!IsBuilder(info) && !removed.empty() && removed.back() == ';' && at > 0) {
    std::string& previous = lines[static_cast<size_t>(at - 1)];
    std::string content = Content(previous);
    if (!content.empty() && content.back() == ',') previous = content.substr(0, content.size() - 1) + ";" + Ending(previous);
  }
  source = Joined(lines);
  return true;
}
