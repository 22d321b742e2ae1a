#pragma once
// Text helpers shared by every layer: Unicode-aware case folding of UTF-8 and the comparisons that
// ignore case (names, keys, paths).
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Lower-cases UTF-8 text character by character (Unicode simple case mapping). Invalid bytes are kept.
std::string FoldCase(std::string_view text);
std::string UpperCase(std::string_view text);
bool SameText(std::string_view a, std::string_view b);
// <0, 0, >0 like strcmp, on the folded texts.
int CompareText(std::string_view a, std::string_view b);
bool StartsWithText(std::string_view text, std::string_view prefix);
// Removes blanks and control characters from both ends.
std::string Trim(std::string_view text);
// Every part between delimiters, empty parts included; no parts for an empty text.
std::vector<std::string> Split(std::string_view text, char delimiter);

// Decodes one UTF-8 character at `pos`; returns its length, or 0 for an invalid, overlong or
// truncated sequence (or a surrogate).
size_t DecodeUtf8(std::string_view text, size_t pos, char32_t& code);
void EncodeUtf8(char32_t code, std::string& out);

} // namespace platform
