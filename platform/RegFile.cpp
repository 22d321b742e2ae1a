#include "platform/RegFile.h"

#include "platform/Text.h"

#include <cstdio>
#include <string>
#include <vector>

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

// UTF-8 to UTF-16 and back, for strings kept as hex(1) bytes. A byte that is not part of a valid
// UTF-8 sequence becomes U+FFFD.
std::u16string ToUtf16(std::string_view text) {
  std::u16string wide;
  for (size_t i = 0; i < text.size();) {
    char32_t code = 0;
    const size_t length = DecodeUtf8(text, i, code);
    if (length == 0) {
      wide += u'\uFFFD';
      ++i;
      continue;
    }
    if (code >= 0x10000) {
      wide += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
      wide += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
    } else {
      wide += static_cast<char16_t>(code);
    }
    i += length;
  }
  return wide;
}

std::string ToUtf8(std::u16string_view wide) {
  std::string text;
  for (size_t i = 0; i < wide.size(); ++i) {
    char32_t code = wide[i];
    if (code >= 0xD800 && code < 0xDC00 && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 && wide[i + 1] < 0xE000)
      code = 0x10000 + ((code - 0xD800) << 10) + (wide[++i] - 0xDC00);
    EncodeUtf8(code, text);
  }
  return text;
}

constexpr std::string_view HexStringPrefix = "hex(1):";

// A string that spans lines (masks, one per line) can't stand between quotes; it is written as its
// UTF-16 bytes with the terminating zero, the form the format has for such strings.
std::string HexString(const std::string& text) {
  std::string hex(HexStringPrefix);
  char digits[4];
  auto add = [&](unsigned byte) {
    std::snprintf(digits, sizeof digits, "%02x", byte);
    if (hex.size() > HexStringPrefix.size()) hex += ',';
    hex += digits;
  };
  for (const char16_t c : ToUtf16(text) + u'\0') {
    add(c & 0xFF);
    add(c >> 8);
  }
  return hex;
}

bool IsHexDigit(char c);

// The bytes after "hex(1):": pairs of hex digits separated by commas, an even number of them; a
// terminating zero is dropped.
bool ParseHexString(std::string_view bytes, std::string& text) {
  std::u16string wide;
  std::vector<unsigned> values;
  for (const std::string& item : Split(bytes, ',')) {
    const std::string digits = Trim(item);
    if (digits.size() != 2 || !IsHexDigit(digits[0]) || !IsHexDigit(digits[1])) return false;
    values.push_back(static_cast<unsigned>(std::stoul(digits, nullptr, 16)));
  }
  if (values.size() % 2 != 0) return false;
  for (size_t i = 0; i < values.size(); i += 2) wide += static_cast<char16_t>(values[i] | (values[i + 1] << 8));
  if (!wide.empty() && wide.back() == u'\0') wide.pop_back();
  text = ToUtf8(wide);
  return true;
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
    } else if (value.Name.find_first_of("\r\n") != std::string::npos) {
      error = "The name of the value \"" + value.Name + "\" of " + path + " spans lines, which the file format can't hold";
      return false;
    } else if (value.Text.find_first_of("\r\n") != std::string::npos) {
      text += "=" + HexString(value.Text) + "\n";
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
  if (data.starts_with(HexStringPrefix)) {
    value.Type = ValueType::String;
    return ParseHexString(data.substr(HexStringPrefix.size()), value.Text);
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
      error = where + "\"" + trimmed + "\" is not a \"name\"=\"text\", \"name\"=hex(1):… or \"name\"=dword:00000000 value";
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
