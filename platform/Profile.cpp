#include "platform/Profile.h"

#include "platform/Files.h"
#include "platform/Text.h"

#include <cerrno>
#include <cstdlib>
#include <optional>

namespace platform {
namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

// The file as lines, with what is needed to write it back the way it was.
struct Document {
  std::string Bom;
  std::string LineEnd = "\n";
  std::vector<std::string> Lines;
};

Document Parse(std::string_view content) {
  Document doc;
  if (content.starts_with(ByteOrderMark)) {
    doc.Bom = ByteOrderMark;
    content.remove_prefix(ByteOrderMark.size());
  }
  const size_t firstEnd = content.find('\n');
  if (firstEnd != std::string_view::npos && firstEnd > 0 && content[firstEnd - 1] == '\r') doc.LineEnd = "\r\n";
  doc.Lines = Split(content, '\n');
  if (!doc.Lines.empty() && doc.Lines.back().empty()) doc.Lines.pop_back();   // after the final newline
  for (std::string& line : doc.Lines)
    if (!line.empty() && line.back() == '\r') line.pop_back();
  return doc;
}

// "[name]" -> name.
std::optional<std::string> SectionOf(const std::string& line) {
  const std::string text = Trim(line);
  const size_t close = text.find(']');
  if (text.empty() || text.front() != '[' || close == std::string::npos) return std::nullopt;
  return Trim(std::string_view(text).substr(1, close - 1));
}

// "key = value" -> key and value, both trimmed; comments, headers and junk give nothing.
bool KeyValueOf(const std::string& line, std::string& key, std::string& value) {
  const std::string text = Trim(line);
  const size_t equals = text.find('=');
  if (text.empty() || text.front() == ';' || text.front() == '[' || equals == std::string::npos) return false;
  key = Trim(std::string_view(text).substr(0, equals));
  value = Trim(std::string_view(text).substr(equals + 1));
  return !key.empty();
}

// Lines [Begin, End) of a section: its header line and everything up to the next header.
struct Range {
  size_t Begin = 0, End = 0;
  bool Found = false;
};

Range FindSection(const Document& doc, const std::string& section) {
  Range range;
  for (size_t i = 0; i < doc.Lines.size(); ++i) {
    const auto name = SectionOf(doc.Lines[i]);
    if (!name) continue;
    if (range.Found) {
      range.End = i;
      return range;
    }
    if (SameText(*name, section)) range = {i, doc.Lines.size(), true};
  }
  return range;
}

std::optional<size_t> FindKey(const Document& doc, const Range& range, const std::string& key) {
  std::string name, value;
  for (size_t i = range.Begin + 1; range.Found && i < range.End; ++i)
    if (KeyValueOf(doc.Lines[i], name, value) && SameText(name, key)) return i;
  return std::nullopt;
}

bool SpansLines(const std::string& text) { return text.find_first_of("\r\n") != std::string::npos; }

// A missing or unreadable file reads as empty.
Document Load(const std::string& fileName) {
  std::string content;
  return ReadFile(fileName, content) ? Parse(content) : Document();
}

// Reads for a change: unlike Load, only a missing file counts as empty.
bool LoadForChange(const std::string& fileName, Document& doc, std::string& error) {
  std::string content;
  if (ReadFile(fileName, content, &error)) {
    doc = Parse(content);
    return true;
  }
  if (FileExists(fileName) || DirectoryExists(fileName)) return false;
  doc = Document();
  error.clear();
  return true;
}

bool Save(const std::string& fileName, const Document& doc, std::string& error) {
  std::string content = doc.Bom;
  for (const std::string& line : doc.Lines) content += line + doc.LineEnd;
  return WriteFileAtomic(fileName, content, &error);
}

} // namespace

ProfileFile::ProfileFile(std::string fileName) : FFileName(std::move(fileName)) {}

std::string ProfileFile::ReadString(const std::string& section, const std::string& key,
                                    const std::string& defaultValue) const {
  const Document doc = Load(FFileName);
  const auto line = FindKey(doc, FindSection(doc, section), key);
  std::string name, value;
  return line && KeyValueOf(doc.Lines[*line], name, value) ? value : defaultValue;
}

int ProfileFile::ReadInteger(const std::string& section, const std::string& key, int defaultValue) const {
  const std::string text = ReadString(section, key);
  if (text.empty()) return defaultValue;
  char* end = nullptr;
  errno = 0;
  const long value = std::strtol(text.c_str(), &end, 0);
  if (errno != 0 || *end != '\0' || value < INT32_MIN || value > INT32_MAX) return defaultValue;
  return static_cast<int>(value);
}

bool ProfileFile::ReadBool(const std::string& section, const std::string& key, bool defaultValue) const {
  const std::string text = ReadString(section, key);
  if (SameText(text, "true") || SameText(text, "yes")) return true;
  if (SameText(text, "false") || SameText(text, "no")) return false;
  return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

bool ProfileFile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
  const std::string name = Trim(key), title = Trim(section);
  if (title.empty() || name.empty() || title.find(']') != std::string::npos || name.find('=') != std::string::npos ||
      name.front() == ';' || name.front() == '[' || SpansLines(title) || SpansLines(name) || SpansLines(value)) {
    FError = "Invalid profile entry [" + section + "] " + key + " for " + FFileName;
    return false;
  }
  Document doc;
  if (!LoadForChange(FFileName, doc, FError)) return false;
  const std::string line = name + "=" + Trim(value);
  const Range range = FindSection(doc, section);
  if (!range.Found) {
    if (!doc.Lines.empty() && !Trim(doc.Lines.back()).empty()) doc.Lines.emplace_back();
    doc.Lines.push_back("[" + title + "]");
    doc.Lines.push_back(line);
  } else if (const auto existing = FindKey(doc, range, key)) {
    std::string oldName, oldValue;   // the key keeps the spelling it has in the file
    KeyValueOf(doc.Lines[*existing], oldName, oldValue);
    doc.Lines[*existing] = oldName + "=" + Trim(value);
  } else {
    // After the section's last entry, so blank lines and comments before the next section stay there.
    size_t at = range.Begin + 1;
    std::string k, v;
    for (size_t i = range.Begin + 1; i < range.End; ++i)
      if (KeyValueOf(doc.Lines[i], k, v)) at = i + 1;
    doc.Lines.insert(doc.Lines.begin() + static_cast<std::ptrdiff_t>(at), line);
  }
  return Save(FFileName, doc, FError);
}

bool ProfileFile::WriteInteger(const std::string& section, const std::string& key, int value) {
  return WriteString(section, key, std::to_string(value));
}

bool ProfileFile::SectionExists(const std::string& section) const {
  return FindSection(Load(FFileName), section).Found;
}

bool ProfileFile::ValueExists(const std::string& section, const std::string& key) const {
  const Document doc = Load(FFileName);
  return FindKey(doc, FindSection(doc, section), key).has_value();
}

std::vector<std::string> ProfileFile::Sections() const {
  std::vector<std::string> names;
  for (const std::string& line : Load(FFileName).Lines) {
    const auto name = SectionOf(line);
    if (!name) continue;
    bool seen = false;
    for (const std::string& known : names) seen = seen || SameText(known, *name);
    if (!seen) names.push_back(*name);
  }
  return names;
}

std::vector<std::string> ProfileFile::Keys(const std::string& section) const {
  const Document doc = Load(FFileName);
  const Range range = FindSection(doc, section);
  std::vector<std::string> keys;
  std::string key, value;
  for (size_t i = range.Begin + 1; range.Found && i < range.End; ++i) {
    if (!KeyValueOf(doc.Lines[i], key, value)) continue;
    bool seen = false;
    for (const std::string& known : keys) seen = seen || SameText(known, key);
    if (!seen) keys.push_back(key);
  }
  return keys;
}

bool ProfileFile::DeleteKey(const std::string& section, const std::string& key) {
  Document doc;
  if (!LoadForChange(FFileName, doc, FError)) return false;
  bool changed = false;
  // Every copy of the key, so that a duplicate doesn't surface in its place.
  while (const auto line = FindKey(doc, FindSection(doc, section), key)) {
    doc.Lines.erase(doc.Lines.begin() + static_cast<std::ptrdiff_t>(*line));
    changed = true;
  }
  return !changed || Save(FFileName, doc, FError);
}

bool ProfileFile::DeleteSection(const std::string& section) {
  Document doc;
  if (!LoadForChange(FFileName, doc, FError)) return false;
  const Range range = FindSection(doc, section);
  if (!range.Found) return true;
  doc.Lines.erase(doc.Lines.begin() + static_cast<std::ptrdiff_t>(range.Begin),
                  doc.Lines.begin() + static_cast<std::ptrdiff_t>(range.End));
  return Save(FFileName, doc, FError);
}

} // namespace platform
