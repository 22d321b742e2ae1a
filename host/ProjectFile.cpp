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
