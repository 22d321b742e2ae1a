#include "platform/RegFile.h"

#include "platform/Text.h"

#include <cstdio>

namespace platform {
namespace {

constexpr std::string_view Header = "Windows Registry Editor Version 5.00";
constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

std::string Quote(const std::string& text) {
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '\\' || c == '"') quoted += '\\';
    quoted += c;
  }
  return quoted + '"';
}

bool ExportKey(const RegistryKey& key, Hive hive, std::string& text, std::string& error) {
  const std::string path = key.CasedPath();
  text += "[" + HiveName(hive) + (path.empty() ? "" : "\\" + path) + "]\n";
  for (const RegValue& value : key.Values()) {
    text += value.Name.empty() ? "@" : Quote(value.Name);
    if (value.Type == ValueType::DWord) {
      char hex[16];
      std::snprintf(hex, sizeof hex, "%08x", value.DWord);
      text += std::string("=dword:") + hex + "\n";
    } else if (value.Text.find_first_of("\r\n") != std::string::npos ||
               value.Name.find_first_of("\r\n") != std::string::npos) {
      error = "The value \"" + value.Name + "\" of " + path + " spans lines, which the file format can't hold";
      return false;
    } else {
      text += "=" + Quote(value.Text) + "\n";
    }
  }
  text += "\n";
  for (const std::string& name : key.SubKeyNames()) {
    const RegistryKey child(hive, path.empty() ? name : path + "\\" + name, false);
    // A subkey deleted while exporting is simply left out.
    if (child.IsOpen() && !ExportKey(child, hive, text, error)) return false;
  }
  return true;
}

// Reads a quoted string with \\ and \" escapes starting at `pos` (the opening quote); `pos` ends
// after the closing quote.
bool ReadQuoted(std::string_view line, size_t& pos, std::string& text) {
  if (pos >= line.size() || line[pos] != '"') return false;
  text.clear();
  for (++pos; pos < line.size(); ++pos) {
    const char c = line[pos];
    if (c == '"') {
      ++pos;
      return true;
    }
    if (c == '\\') {
      if (++pos >= line.size() || (line[pos] != '\\' && line[pos] != '"')) return false;
    }
    text += line[pos];
  }
  return false;
}

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

// `"name"="text"`, `"name"=dword:0000002a`, or `@=` for the default value.
bool ParseValue(std::string_view line, RegValue& value) {
  size_t pos = 0;
  if (line.starts_with('@'))
    value.Name.clear(), pos = 1;
  else if (!ReadQuoted(line, pos, value.Name))
    return false;
  if (pos >= line.size() || line[pos++] != '=') return false;
  const std::string_view data = line.substr(pos);
  if (data.starts_with('"')) {
    size_t end = 0;
    value.Type = ValueType::String;
    return ReadQuoted(data, end, value.Text) && Trim(data.substr(end)).empty();
  }
  if (!data.starts_with("dword:")) return false;
  const std::string digits = Trim(data.substr(6));
  if (digits.empty() || digits.size() > 8) return false;
  for (const char c : digits)
    if (!IsHexDigit(c)) return false;
  value.Type = ValueType::DWord;
  value.DWord = static_cast<uint32_t>(std::stoul(digits, nullptr, 16));
  return true;
}

} // namespace

bool ExportRegistryText(Hive hive, const std::string& path, std::string& text, std::string& error) {
  const RegistryKey key(hive, path, false);
  if (!key.IsOpen()) {
    error = key.Error();
    return false;
  }
  text = std::string(Header) + "\n\n";
  return ExportKey(key, hive, text, error);
}

bool ParseRegistryText(std::string_view text, std::vector<RegFileSection>& sections, std::string& error) {
  sections.clear();
  if (text.starts_with(ByteOrderMark)) text.remove_prefix(ByteOrderMark.size());
  const std::vector<std::string> lines = Split(text, '\n');
  for (size_t index = 0; index < lines.size(); ++index) {
    std::string_view line = lines[index];
    if (line.ends_with('\r')) line.remove_suffix(1);
    const std::string where = "line " + std::to_string(index + 1) + ": ";
    if (index == 0) {
      if (Trim(line) != Header) {
        error = where + "the file does not start with \"" + std::string(Header) + "\"";
        return false;
      }
      continue;
    }
    const std::string trimmed = Trim(line);
    if (trimmed.empty() || trimmed.front() == ';') continue;
    if (trimmed.front() == '[') {
      RegFileSection section;
      if (trimmed.back() != ']' ||
          !ParseRootedKey(trimmed.substr(1, trimmed.size() - 2), section.KeyHive, section.Path)) {
        error = where + "\"" + trimmed + "\" is not a key of HKEY_CURRENT_USER or HKEY_LOCAL_MACHINE";
        return false;
      }
      sections.push_back(std::move(section));
      continue;
    }
    if (sections.empty()) {
      error = where + "a value before the first key";
      return false;
    }
    RegValue value;
    if (!ParseValue(trimmed, value)) {
      error = where + "\"" + trimmed + "\" is not a \"name\"=\"text\" or \"name\"=dword:00000000 value";
      return false;
    }
    sections.back().Values.push_back(std::move(value));
  }
  if (lines.empty()) {
    error = "line 1: the file is empty";
    return false;
  }
  return true;
}

bool ImportRegistrySections(const std::vector<RegFileSection>& sections, std::string& error) {
  for (const RegFileSection& section : sections) {
    RegistryKey key(section.KeyHive, section.Path, true);
    bool written = key.IsOpen();
    for (const RegValue& value : section.Values) {
      if (!written) break;
      written = value.Type == ValueType::DWord ? key.WriteInteger(value.Name, static_cast<int32_t>(value.DWord))
                                               : key.WriteString(value.Name, value.Text);
    }
    if (!written) {
      error = key.Error();
      return false;
    }
  }
  return true;
}

} // namespace platform
