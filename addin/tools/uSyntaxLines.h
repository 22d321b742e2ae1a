#pragma once
// Colours the text of one difference-viewer pane like the IDE's code editor: comments, reserved
// words and everything else in the editor's own styles. The language comes from the file's extension
// through "Syntax.ini" in the installation folder, which names its reserved words and comment
// delimiters. A row is split into tokens when it is first drawn or asked for, together with every row
// above it not split yet (a block comment carries from row to row); each row is split once.
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
  // `Texts` are the texts of a pane's rows, without their number fields; a filler row's is empty.
  TSyntaxLines(const std::string& FileName, const std::vector<std::string_view>& Texts);

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
  int Count() const { return int(FTextStarts.size()) - 1; }

  bool HasSyntax = false;
  std::unique_ptr<platform::ProfileFile> SyntaxIni;
  std::vector<std::string> Words;   // sorted, folded to lower case
  std::vector<std::string> BlockStarts;
  std::vector<std::string> BlockEnds;
  std::vector<std::string> LineRemarks;
  TEditorFont CommentFont;
  TEditorFont ReservedFont;
  TEditorFont IdentifierFont;

private:
  // Splits the rows up to `Index` that are not split yet.
  void SplitUpTo(int Index) const;
  void Tokenise(std::string_view text) const;
  void Analyse(std::string_view text, size_t first) const;
  void Emit(size_t start, size_t end, TSyntaxTokenKind kind) const;
  bool IsReserved(std::string_view token) const;
  const TEditorFont* FontOf(TSyntaxTokenKind kind) const;

  // The rows' texts one after the other, and the tokens of the rows split so far in order; row i's
  // text starts at FTextStarts[i] and its first token is FLineStarts[i] (one more entry ends the last
  // row, of the text and of the rows split).
  std::string FText;
  std::vector<size_t> FTextStarts;
  mutable std::vector<TToken> FTokens;
  mutable std::vector<uint32_t> FLineStarts{0};
  // Index into BlockStarts of the block comment still open after the last row split, or -1.
  mutable int FBlockState = -1;
  size_t FLongestWord = 0;
};
