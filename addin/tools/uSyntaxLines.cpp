#include "addin/tools/uSyntaxLines.h"

#include <algorithm>

#include <QFontMetrics>
#include <QPainter>

#include "addin/settings/uRVLRegFactory.h"
#include "addin/settings/uRegRVL.h"
#include "platform/Files.h"
#include "platform/Text.h"

namespace {

bool IsBlank(char c) { return c == ' '; }

// ! " $ % & ' ( ) * + , - . / : ; < = > ? [ \ ] ^ ` { | } ~
bool IsSymbol(char c) {
  const unsigned char u = static_cast<unsigned char>(c);
  return (u >= 33 && u <= 34) || (u >= 36 && u <= 47) || (u >= 58 && u <= 63) || (u >= 91 && u <= 94) || u == 96 ||
         (u >= 123 && u <= 126);
}

std::string_view TrimView(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
  return text;
}

// The index of the first delimiter that occurs in `text`, or -1.
int FirstIn(const std::vector<std::string>& delimiters, std::string_view text) {
  for (size_t i = 0; i < delimiters.size(); ++i)
    if (text.find(delimiters[i]) != std::string_view::npos) return int(i);
  return -1;
}

std::vector<std::string> Delimiters(const platform::ProfileFile& ini, const std::string& language, const char* key) {
  std::vector<std::string> pieces;
  for (std::string& piece : platform::Split(ini.ReadString(language, key), ' '))
    if (!piece.empty()) pieces.push_back(std::move(piece));
  return pieces;
}

} // namespace

TSyntaxLines::TSyntaxLines(const std::string& FileName, const std::vector<std::string_view>& Texts) {
  const std::string folder = TRVLRegFactory::_Instance().CreateRegRVL()->GetInstallPath();
  SyntaxIni = std::make_unique<platform::ProfileFile>(platform::IncludeTrailingPathDelimiter(folder) + "Syntax.ini");
  std::unique_ptr<TRegIDE> ide = TRVLRegFactory::_Instance().CreateRegIDE();
  ide->GetCommentFont(CommentFont);
  ide->GetReservedWordFont(ReservedFont);
  ide->GetIdentifierFont(IdentifierFont);

  const std::string extension = platform::ExtractFileExt(FileName);
  // Without an installation folder there is no "Syntax.ini" to read (not one in the root folder).
  const std::string language =
      extension.empty() || folder.empty() ? "" : SyntaxIni->ReadString("types", extension);
  HasSyntax = !language.empty();
  if (HasSyntax) {
    for (const std::string& word : SyntaxIni->Keys(language + "Words")) {
      Words.push_back(platform::FoldCase(word));
      FLongestWord = std::max(FLongestWord, word.size());
    }
    std::sort(Words.begin(), Words.end());
    LineRemarks = Delimiters(*SyntaxIni, language, "LineRemark");
    BlockStarts = Delimiters(*SyntaxIni, language, "BlockRemS");
    BlockEnds = Delimiters(*SyntaxIni, language, "BlockRemE");
  }

  size_t size = 0;
  for (std::string_view text : Texts) size += text.size();
  FText.reserve(size);
  FTextStarts.reserve(Texts.size() + 1);
  for (std::string_view text : Texts) {
    FTextStarts.push_back(FText.size());
    FText += text;
  }
  FTextStarts.push_back(FText.size());
}

void TSyntaxLines::SplitUpTo(int Index) const {
  for (int row = int(FLineStarts.size()) - 1; row <= Index; ++row) {
    const std::string_view text = Text(row);
    const size_t first = FTokens.size();
    if (HasSyntax) {
      Tokenise(text);
      Analyse(text, first);
    } else {
      Emit(0, text.size(), tkWord);
    }
    FLineStarts.push_back(uint32_t(FTokens.size()));
  }
}

std::string_view TSyntaxLines::Text(int Index) const {
  return std::string_view(FText).substr(FTextStarts[size_t(Index)],
                                        FTextStarts[size_t(Index) + 1] - FTextStarts[size_t(Index)]);
}

void TSyntaxLines::Emit(size_t start, size_t end, TSyntaxTokenKind kind) const {
  if (end > start) FTokens.push_back({uint32_t(start), uint32_t(end - start), kind});
}

void TSyntaxLines::Tokenise(std::string_view text) const {
  TSyntaxTokenKind state = tkWord;
  size_t start = 0;   // the token being built runs from here to the current character
  for (size_t i = 0; i < text.size(); ++i) {
    const char ch = text[i];
    const TSyntaxTokenKind kind = IsBlank(ch) ? tkBlanks : IsSymbol(ch) ? tkSymbols : tkWord;
    if (kind != state) {
      Emit(start, i, state);
      start = i;
      state = kind;
    } else if (kind == tkSymbols) {
      // A run of symbols is cut right after a comment delimiter, so "/*" starts a token of its own.
      const std::string_view run = text.substr(start, i + 1 - start);
      if (FirstIn(BlockStarts, run) >= 0 || FirstIn(BlockEnds, run) >= 0) {
        Emit(start, i + 1, state);
        start = i + 1;
      }
    }
  }
  Emit(start, text.size(), state);
}

bool TSyntaxLines::IsReserved(std::string_view token) const {
  if (token.empty() || token.size() > FLongestWord) return false;
  // Most tokens are plain ASCII: lower-cased in place, without the general case folding.
  char lower[64];
  if (token.size() <= sizeof lower &&
      std::all_of(token.begin(), token.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
    for (size_t i = 0; i < token.size(); ++i)
      lower[i] = token[i] >= 'A' && token[i] <= 'Z' ? char(token[i] - 'A' + 'a') : token[i];
    return std::binary_search(Words.begin(), Words.end(), std::string_view(lower, token.size()), std::less<>());
  }
  return std::binary_search(Words.begin(), Words.end(), platform::FoldCase(token));
}

void TSyntaxLines::Analyse(std::string_view text, size_t first) const {
  bool lineComment = false;
  for (size_t i = first; i < FTokens.size(); ++i) {
    TToken& token = FTokens[i];
    const std::string_view t = TrimView(text.substr(token.Start, token.Length));
    if (FBlockState != -1) {
      if (token.Kind == tkSymbols && FirstIn(BlockEnds, t) == FBlockState) FBlockState = -1;
      token.Kind = tkComment;
    } else if (lineComment) {
      token.Kind = tkComment;
    } else {
      if (IsReserved(t)) token.Kind = tkReserved;
      FBlockState = FirstIn(BlockStarts, t);
      if (FBlockState != -1) token.Kind = tkComment;
      if (FirstIn(LineRemarks, t) >= 0) {
        lineComment = true;
        token.Kind = tkComment;
      }
    }
  }
}

std::vector<TSyntaxLines::TToken> TSyntaxLines::Tokens(int Index) const {
  SplitUpTo(Index);
  return {FTokens.begin() + FLineStarts[size_t(Index)], FTokens.begin() + FLineStarts[size_t(Index) + 1]};
}

const TEditorFont* TSyntaxLines::FontOf(TSyntaxTokenKind kind) const {
  switch (kind) {
    case tkComment: return &CommentFont;
    case tkReserved: return &ReservedFont;
    case tkWord:
    case tkBlanks:
    case tkSymbols: return &IdentifierFont;
  }
  return nullptr;
}

void TSyntaxLines::DrawLine(QPainter& Canvas, const QRect& Rect, int Index) const {
  if (Index < 0 || Index >= Count()) return;
  SplitUpTo(Index);
  const std::string_view text = Text(Index);
  const QFont savedFont = Canvas.font();
  const QPen savedPen = Canvas.pen();
  QRect rect = Rect;
  for (uint32_t i = FLineStarts[size_t(Index)]; i < FLineStarts[size_t(Index) + 1] && rect.left() < Rect.right(); ++i) {
    const TToken& token = FTokens[i];
    QFont font = savedFont;
    if (const TEditorFont* style = FontOf(token.Kind)) {
      font.setBold(style->Bold);
      font.setItalic(style->Italic);
      font.setUnderline(style->Underline);
      Canvas.setPen(ColorToQColor(style->Color));
    }
    Canvas.setFont(font);
    const QString part = QString::fromUtf8(text.data() + token.Start, qsizetype(token.Length));
    Canvas.drawText(rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, part);
    rect.setLeft(rect.left() + QFontMetrics(font).horizontalAdvance(part));
    Canvas.setFont(savedFont);
    Canvas.setPen(savedPen);
  }
}
