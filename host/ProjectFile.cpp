#include "host/ProjectFile.h"

#include <cctype>
#include <regex>

#include "platform/Files.h"
#include "platform/Text.h"

using namespace platform;

namespace {

// Project files name units with '\' (Windows-made) or '/'; C string literals double the '\'.
std::string UnitPath(const std::string& folder, std::string name, bool cString) {
  if (cString) {
    std::string unescaped;
    for (size_t i = 0; i < name.size(); ++i) {
      if (name[i] == '\\' && i + 1 < name.size()) ++i;
      unescaped += name[i];
    }
    name = unescaped;
  }
  for (char& c : name)
    if (c == '\\') c = '/';
  if (!name.empty() && name[0] == '/') return ExpandFileName(name);
  return ExpandFileName(folder + name);
}

void AddUnit(TProjectInfo& info, const std::string& unit, bool hasForm) {
  info.Units.push_back(unit);
  if (hasForm) info.Forms.push_back(ChangeFileExt(unit, ".dfm"));
}

// Drops // comments so that commented-out USEFORM lines don't count.
std::string WithoutLineComments(const std::string& text) {
  std::string out;
  for (const std::string& line : Split(text, '\n')) {
    size_t quote = 0, pos = 0;
    for (; pos + 1 < line.size(); ++pos) {
      if (line[pos] == '"') ++quote;
      if (quote % 2 == 0 && line[pos] == '/' && line[pos + 1] == '/') break;
    }
    out += pos + 1 < line.size() ? line.substr(0, pos) : line;
    out += '\n';
  }
  return out;
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
  static const std::regex use(R"re(\b(USEFORM|USEUNIT)\s*\(\s*"((?:[^"\\]|\\.)*)")re");
  source = WithoutLineComments(source);
  for (std::sregex_iterator it(source.begin(), source.end(), use), end; it != end; ++it)
    AddUnit(info, UnitPath(folder, (*it)[2].str(), true), (*it)[1].str() == "USEFORM");
  return true;
}

// Scans a Delphi source: finds the uses clause outside comments and strings and reads its entries
// `Name [in 'path'] [{Form}]`.
class TDelphiUsesReader {
public:
  TDelphiUsesReader(const std::string& text, const std::string& folder) : FText(text), FFolder(folder) {}

  bool Read(TProjectInfo& info, std::string& error) {
    if (!SkipToUses()) {
      error = "No uses clause was found in " + info.FileName + ".";
      return false;
    }
    std::string path;
    bool hasForm = false, closed = false;
    while (FPos < FText.size() && !closed) {
      char c = FText[FPos];
      if (c == '{' && Peek(1) != '$') {
        size_t close = FText.find('}', FPos);
        if (close == std::string::npos) break;
        hasForm = !path.empty() || hasForm;
        FPos = close + 1;
      } else if (c == '\'') {
        size_t close = FText.find('\'', FPos + 1);
        if (close == std::string::npos) break;
        path = FText.substr(FPos + 1, close - FPos - 1);
        FPos = close + 1;
      } else if (c == ',' || c == ';') {
        if (!path.empty()) AddUnit(info, UnitPath(FFolder, path, false), hasForm);
        path.clear();
        hasForm = false;
        closed = c == ';';
        ++FPos;
      } else if (!SkipComment()) {
        ++FPos;
      }
    }
    if (!closed) {
      error = "The uses clause of " + info.FileName + " does not end.";
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
      if (std::isalpha(static_cast<unsigned char>(FText[FPos])) || FText[FPos] == '_') {
        size_t start = FPos;
        while (FPos < FText.size() && (std::isalnum(static_cast<unsigned char>(FText[FPos])) || FText[FPos] == '_'))
          ++FPos;
        if (SameText(FText.substr(start, FPos - start), "uses")) return true;
      } else {
        ++FPos;
      }
    }
    return false;
  }

  const std::string& FText;
  std::string FFolder;
  size_t FPos = 0;
};

bool LoadDelphiProject(TProjectInfo& info, std::string& error) {
  info.MainSource = info.FileName;
  std::string source;
  if (!ReadFile(info.FileName, source)) {
    error = "The project " + info.FileName + " cannot be read.";
    return false;
  }
  info.Units.push_back(info.MainSource);
  return TDelphiUsesReader(source, ExtractFilePath(info.FileName)).Read(info, error);
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

// The line of the project source that names `unit`, or -1. A .bpr names it in a USEFORM/USEUNIT
// line, a .dpr in an `in '…'` entry.
int UnitLine(const TProjectInfo& info, const std::vector<std::string>& lines, const std::string& unit) {
  const std::string folder = ExtractFilePath(info.FileName);
  static const std::regex use(R"re(^\s*(USEFORM|USEUNIT)\s*\(\s*"((?:[^"\\]|\\.)*)")re");
  static const std::regex entry(R"re(\bin\s+'([^']*)')re", std::regex::icase);
  for (size_t i = 0; i < lines.size(); ++i) {
    std::smatch match;
    if (IsBuilder(info) ? std::regex_search(lines[i], match, use) : std::regex_search(lines[i], match, entry)) {
      std::string named = IsBuilder(info) ? UnitPath(folder, match[2].str(), true) : UnitPath(folder, match[1].str(), false);
      if (SamePath(named, unit)) return static_cast<int>(i);
    }
  }
  return -1;
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
    static const std::regex anchor(R"(^\s*(USEFORM|USEUNIT|USERES|USEPACKAGE|USELIB|USEOBJ)\s*\()");
    static const std::regex hdrstop(R"(^\s*#pragma\s+hdrstop)");
    int at = -1;
    for (size_t i = 0; i < lines.size(); ++i)
      if (std::regex_search(lines[i], anchor) || (at < 0 && std::regex_search(lines[i], hdrstop)))
        at = static_cast<int>(i);
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
    int last = -1;
    static const std::regex usesEnd(R"re(\bin\s+'[^']*'\s*(\{[^}]*\})?\s*;)re", std::regex::icase);
    for (size_t i = 0; i < lines.size() && last < 0; ++i)
      if (std::regex_search(lines[i], usesEnd)) last = static_cast<int>(i);
    if (last < 0) {
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
  int at = UnitLine(info, lines, unit);
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
