#include "addin/settings/uRegIDE.h"

#include <array>
#include <charconv>
#include <optional>

#include "addin/frame/uRVLGlobals.h"
#include "addin/settings/uRVLRegFactory.h"
#include "addin/settings/uRegIntl.h"
#include "opentools/ToolIntf.h"

namespace {

// Field `n` (from 1) of a comma-separated highlight string: the text before its n-th comma. The
// text after the last comma is not a field.
std::string Field(const std::string& text, int n) {
  size_t start = 0;
  for (int i = 1; i < n; ++i) {
    start = text.find(',', start);
    if (start == std::string::npos) return {};
    ++start;
  }
  const size_t end = text.find(',', start);
  return end == std::string::npos ? std::string() : text.substr(start, end - start);
}

std::optional<int> ToInteger(const std::string& text) {
  int value = 0;
  const char* end = text.data() + text.size();
  auto [last, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || last != end || text.empty()) return std::nullopt;
  return value;
}

TColor FieldColor(const std::string& highlight, int colorField, int defaultFlagField, TColor systemColor) {
  if (Field(highlight, defaultFlagField) != "0") return systemColor;
  return ToInteger(Field(highlight, colorField)).value_or(systemColor);
}

// The C++Builder editor's sixteen colours, by index.
constexpr std::array<TColor, 16> Palette = {clBlack, clMaroon, clGreen,  clOlive, clNavy, clPurple,
                                            clTeal,  clSilver, clGray,   clRed,   clLime, clYellow,
                                            clBlue,  clFuchsia, clAqua, clWhite};

TColor PaletteColor(int index) { return index >= 0 && index < 16 ? Palette[index] : 0; }

} // namespace

TEditorFont ParseHighlightFont(const std::string& Highlight) {
  const std::string styles = Field(Highlight, 3);
  TEditorFont font;
  font.Bold = styles.find('B') != std::string::npos;
  font.Italic = styles.find('I') != std::string::npos;
  font.Underline = styles.find('U') != std::string::npos;
  font.Color = FieldColor(Highlight, 1, 4, clWindowText);
  return font;
}

TColor ParseHighlightBackground(const std::string& Highlight) {
  return FieldColor(Highlight, 2, 5, clWindow);
}

TRegIDE::TRegIDE(const std::string& className)
    : TReg(className), FLangKey(TRVLRegFactory::_Instance().CreateRegIntl()->GetIDELangKey()) {}

std::optional<TRVLRegistry> TRegIDE::IDEKey(const std::string& tail) const {
  TIToolServices* services = Globals().ToolServices;
  if (!services) return std::nullopt;
  return At(services->GetBaseRegistryKey() + tail);
}

std::string TRegIDE::GetHighlight(const std::string& Element) {
  const std::string fallback = "0,0,,1,1,0,0";
  auto key = IDEKey("\\Highlight");
  return key ? key->ReadString(Element, fallback) : fallback;
}

std::string TRegIDE::GetReadOnlyText() { return At(FLangKey).ReadString("Read Only", "Read Only"); }

TColor TRegIDE::ElementFont(const std::string& element, TEditorFont& font) {
  const std::string highlight = GetHighlight(element);
  font = ParseHighlightFont(highlight);
  return ParseHighlightBackground(highlight);
}

std::string TRegIDE::GetFontName() {
  auto key = IDEKey("\\Editor");
  return key ? key->ReadString("FontName", "Courier New") : "Courier New";
}

int TRegIDE::GetFontSize() {
  auto key = IDEKey("\\Editor");
  return key ? ToInteger(key->ReadString("FontSize", "10")).value_or(10) : 10;
}

TColor TRegIDE::GetIdentifierBackground() { return ParseHighlightBackground(GetHighlight("Identifier")); }

TColor TRegIDE::GetIdentifierForeground() { return ParseHighlightFont(GetHighlight("Identifier")).Color; }

std::string TRVLB3RegIDE::GetHighlight(const std::string& Element) {
  auto key = IDEKey("\\Editor\\Highlight\\" + Element);
  if (!key) return TRegIDE::GetHighlight(Element);
  const TColor foreground = PaletteColor(key->ReadInteger("Foreground Color", 0));
  const TColor background = PaletteColor(key->ReadInteger("Background Color", 0));
  const char* defaultForeground = key->ReadString("Default Foreground", "-1") == "-1" ? "1" : "0";
  const char* defaultBackground = key->ReadString("Default Background", "-1") == "-1" ? "1" : "0";
  std::string styles;
  if (key->ReadString("Bold", "false") == "true") styles += 'B';
  if (key->ReadString("Italic", "false") == "true") styles += 'I';
  if (key->ReadString("Underline", "false") == "true") styles += 'U';
  return std::to_string(foreground) + "," + std::to_string(background) + "," + styles + "," +
         defaultForeground + "," + defaultBackground + ",0,0";
}

std::string TRVLB3RegIDE::GetFontName() {
  auto key = IDEKey("\\Editor\\Options");
  return key ? key->ReadString("Editor Font", "Courier New") : "Courier New";
}

int TRVLB3RegIDE::GetFontSize() {
  auto key = IDEKey("\\Editor\\Options");
  return key ? key->ReadInteger("Font Size", 10) : 10;
}
