#pragma once
// What the add-in reads from the host IDE's own settings: the editor's colours, styles and font, and
// the IDE's word for read-only files in its chosen language. `TRVLB3RegIDE` reads the C++Builder
// editor's keys.
#include <optional>

#include "addin/settings/uReg.h"
#include "ui/Graphics.h"

// The style and colour an editor element is drawn with.
struct TEditorFont {
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  TColor Color = clWindowText;
};

// An element's highlight string "foreground,background,styles,default-fg,default-bg,...": the font
// it gives, and its background colour.
TEditorFont ParseHighlightFont(const std::string& Highlight);
TColor ParseHighlightBackground(const std::string& Highlight);

class TRegIDE : public TReg {
public:
  static constexpr char ClassName[] = "TRegIDE";
  TRegIDE() : TRegIDE(ClassName) {}

  virtual std::string GetHighlight(const std::string& Element);
  virtual std::string GetReadOnlyText();
  // Set the font's style and colour from the element; return its background colour.
  virtual TColor GetIdentifierFont(TEditorFont& Font) { return ElementFont("Identifier", Font); }
  virtual TColor GetReservedWordFont(TEditorFont& Font) { return ElementFont("Reserved_word", Font); }
  virtual TColor GetCommentFont(TEditorFont& Font) { return ElementFont("Comment", Font); }
  virtual std::string GetFontName();
  virtual int GetFontSize();
  virtual TColor GetIdentifierBackground();
  virtual TColor GetIdentifierForeground();

protected:
  explicit TRegIDE(const std::string& className);

  TColor ElementFont(const std::string& element, TEditorFont& font);
  // A registry on the IDE's base key + `tail`; nullopt before the IDE gave its services, when
  // there is no IDE key to read and every value keeps its default.
  std::optional<TRVLRegistry> IDEKey(const std::string& tail) const;

  std::string FLangKey;
};

class TRVLB3RegIDE : public TRegIDE {
public:
  static constexpr char ClassName[] = "TRVLB3RegIDE";
  TRVLB3RegIDE() : TRegIDE(ClassName) {}

  std::string GetHighlight(const std::string& Element) override;
  TColor GetReservedWordFont(TEditorFont& Font) override { return ElementFont("Reserved word", Font); }
  std::string GetFontName() override;
  int GetFontSize() override;
};
