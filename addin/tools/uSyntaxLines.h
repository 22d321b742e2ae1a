#pragma once
// Colours the text of one difference-viewer pane like the IDE's code editor: comments, reserved
// words and everything else in the editor's own styles. The language comes from the file's extension
// through "Syntax.ini" in the installation folder, which names its reserved words and comment
// delimiters. Every row is split into tokens once, when the object is made; drawing a row only walks
// its tokens.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "addin/settings/uRegIDE.h"
#include "platform/Profile.h"

class QPainter;
class QRect;

enum TSyntaxTokenKind : uint8_t { tkWord = 0, tkComment = 1, tkBlanks = 2, tkSymbols = 3, tkReserved = 4 };

class TSyntaxLines {
public:
  // `Rows` are a pane's row strings: number field, then text; a filler row has no text.
  TSyntaxLines(const std::string& FileName, const std::vector<std::string_view>& Rows);

  // Draws the tokens of row `Index` from the rectangle's left edge rightwards, each over the brush
  // colour the caller left (its background shows behind the text).
  void DrawLine(QPainter& Canvas, const QRect& Rect, int Index) const;

  struct TToken {
    uint32_t Start;    // in the row's text
    uint32_t Length;
    TSyntaxTokenKind Kind;
  };
  // The tokens of row `Index` and the text they point into.
  std::vector<TToken> Tokens(int Index) const;
  std::string_view Text(int Index) const;
  int Count() const { return int(FLineStarts.size()) - 1; }

  bool HasSyntax = false;
  std::unique_ptr<platform::ProfileFile> SyntaxIni;
  std::vector<std::string> Words;   // sorted, folded to lower case
  std::vector<std::string> BlockStarts;
  std::vector<std::string> BlockEnds;
  std::vector<std::string> LineRemarks;
  int BlockState = -1;   // index into BlockStarts of the block comment still open, or -1
  TEditorFont CommentFont;
  TEditorFont ReservedFont;
  TEditorFont IdentifierFont;

private:
  void Tokenise(std::string_view text);
  void Analyse(std::string_view text, size_t first);
  void Emit(size_t start, size_t end, TSyntaxTokenKind kind);
  bool IsReserved(std::string_view token) const;
  const TEditorFont* FontOf(TSyntaxTokenKind kind) const;

  // The rows' texts one after the other, and all tokens of all rows in order; row i's text starts
  // at FTextStarts[i] and its first token is FLineStarts[i] (one more entry ends the last row).
  std::string FText;
  std::vector<size_t> FTextStarts;
  std::vector<TToken> FTokens;
  std::vector<uint32_t> FLineStarts;
  size_t FLongestWord = 0;
};
