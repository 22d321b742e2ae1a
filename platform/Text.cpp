#include "platform/Text.h"

#include <clocale>
#include <cwctype>
#include <locale.h>

namespace platform {
namespace {

// The UTF-8 character classification the folding uses, independent of the process's own locale.
locale_t Utf8Locale() {
  static const locale_t locale = [] {
    locale_t created = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t(0));
    return created ? created : newlocale(LC_CTYPE_MASK, "C", locale_t(0));
  }();
  return locale;
}


template <typename Map>
std::string MapCase(std::string_view text, Map map) {
  std::string out;
  out.reserve(text.size());
  for (size_t pos = 0; pos < text.size();) {
    char32_t code;
    const size_t length = DecodeUtf8(text, pos, code);
    if (length == 0) {
      out += text[pos++];   // not UTF-8: kept as it is
      continue;
    }
    const wint_t mapped = map(static_cast<wint_t>(code), Utf8Locale());
    // A mapping into the surrogates or beyond Unicode would not encode back; keep the original then.
    const bool valid = mapped <= 0x10FFFF && !(mapped >= 0xD800 && mapped <= 0xDFFF);
    EncodeUtf8(valid ? static_cast<char32_t>(mapped) : code, out);
    pos += length;
  }
  return out;
}

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

} // namespace

size_t DecodeUtf8(std::string_view text, size_t pos, char32_t& code) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(pos);
  size_t length;
  char32_t minimum;
  if (lead < 0x80) {
    code = lead;
    return 1;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2, code = lead & 0x1F, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, code = lead & 0x0F, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, code = lead & 0x07, minimum = 0x10000;
  } else {
    return 0;
  }
  if (pos + length > text.size()) return 0;
  for (size_t i = 1; i < length; ++i) {
    if ((byte(pos + i) & 0xC0) != 0x80) return 0;
    code = (code << 6) | (byte(pos + i) & 0x3F);
  }
  if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return length;
}

void EncodeUtf8(char32_t code, std::string& out) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

std::string FoldCase(std::string_view text) { return MapCase(text, towlower_l); }

std::string UpperCase(std::string_view text) { return MapCase(text, towupper_l); }

bool SameText(std::string_view a, std::string_view b) { return CompareText(a, b) == 0; }

int CompareText(std::string_view a, std::string_view b) {
  const int result = FoldCase(a).compare(FoldCase(b));
  return result < 0 ? -1 : result > 0 ? 1 : 0;
}

bool StartsWithText(std::string_view text, std::string_view prefix) {
  return FoldCase(text).starts_with(FoldCase(prefix));
}

std::string Trim(std::string_view text) {
  size_t begin = 0, end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return std::string(text.substr(begin, end - begin));
}

std::vector<std::string> Split(std::string_view text, char delimiter) {
  std::vector<std::string> parts;
  if (text.empty()) return parts;
  size_t start = 0;
  for (size_t pos; (pos = text.find(delimiter, start)) != std::string_view::npos; start = pos + 1)
    parts.emplace_back(text.substr(start, pos - start));
  parts.emplace_back(text.substr(start));
  return parts;
}

} // namespace platform
