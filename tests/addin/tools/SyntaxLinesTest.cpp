// The syntax highlighter: languages by extension from "Syntax.ini", tokens and their kinds across
// rows, and drawing in the kinds' styles.
#include <algorithm>
#include <filesystem>

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include "DiffFixture.h"
#include "addin/settings/uRVLRegFactory.h"
#include "addin/settings/uRegRVL.h"
#include "addin/tools/uSyntaxLines.h"

namespace {

class SyntaxTest : public DiffTest {
protected:
  // Each row's tokens as "kind:text" joined by "|"; kinds w word, c comment, b blanks, s symbols,
  // r reserved word.
  static std::vector<std::string> Tokens(const std::string& fileName, const std::vector<std::string>& texts) {
    const TSyntaxLines syntax(fileName, std::vector<std::string_view>(texts.begin(), texts.end()));
    std::vector<std::string> described;
    for (int row = 0; row < syntax.Count(); ++row) {
      std::string line;
      for (const TSyntaxLines::TToken& token : syntax.Tokens(row))
        line += std::string(line.empty() ? "" : "|") + "wcbsr"[token.Kind] + ":" +
                std::string(syntax.Text(row).substr(token.Start, token.Length));
      described.push_back(line);
    }
    return described;
  }
};

TEST_F(SyntaxTest, PascalCommentsAndReservedWordsAcrossRows) {
  WriteFile("install/Syntax.ini",
            "[Types]\n.pas=Pascal\n.bas=Basic\n"
            "[pascal]\nLineRemark=//\nBlockRemS={  (*\nBlockRemE=} *)\n"
            "[PascalWords]\nbegin=\nend=1\n"
            "[Basic]\nBlockRemS=rem\nBlockRemE=mer\n[BasicWords]\nremark=\n");
  EXPECT_EQ(Tokens("Unit1.PAS",
                   {
                       "BEGIN x := 1; // note",
                       "end",
                       "a { open",
                       "still *) here } after",
                       "(* x } y *) z",
                       "",
                       "",
                   }),
            (std::vector<std::string>{
                "r:BEGIN|b: |w:x|b: |s::=|b: |w:1|s:;|b: |c://|c: |c:note",
                "r:end",
                "w:a|b: |c:{|c: |c:open",
                "c:still|c: |c:*)|c: |c:here|c: |c:}|b: |w:after",
                "c:(*|c: |c:x|c: |c:}|c: |c:y|c: |c:*)|b: |w:z",
                "",
                "",
            }));
  // A two-character delimiter at the start of a longer run of symbols becomes a token of its own.
  EXPECT_EQ(Tokens("a.pas", {"x(*)y"}), (std::vector<std::string>{"w:x|c:(*|c:)|c:y"}));
  // A reserved word that holds a block-start delimiter opens a comment.
  EXPECT_EQ(Tokens("a.bas", {"remark x"}), (std::vector<std::string>{"c:remark|c: |c:x"}));
  // An extension without a language, or no extension, gives one plain token per row.
  EXPECT_EQ(Tokens("notes.txt", {"begin // x", ""}), (std::vector<std::string>{"w:begin // x", ""}));
  EXPECT_EQ(Tokens("Makefile", {"begin"}), (std::vector<std::string>{"w:begin"}));
}

TEST_F(SyntaxTest, InstalledLanguagesAndAMissingFile) {
  EXPECT_EQ(Tokens("main.cpp", {"#include <x> /* a", "b */ return 0; // done"}),
            (std::vector<std::string>{"r:#include|b: |s:<|w:x|s:>|b: |c:/*|c: |c:a",
                                      "c:b|c: |c:*/|b: |r:return|b: |w:0|s:;|b: |c://|c: |c:done"}));
  EXPECT_EQ(Tokens("Unit1.pas", {"Begin { x } END;"}),
            (std::vector<std::string>{"r:Begin|b: |c:{|c: |c:x|c: |c:}|b: |r:END|s:;"}));
  EXPECT_EQ(Tokens("Query.sql", {"SELECT 1 -- why"}), (std::vector<std::string>{"r:SELECT|b: |w:1|b: |c:--|c: |c:why"}));
  EXPECT_EQ(Tokens("App.java", {"final int x;"}), (std::vector<std::string>{"r:final|b: |r:int|b: |w:x|s:;"}));

  std::filesystem::remove(InstallDir() + "/Syntax.ini");
  const std::string row = "int x; // y";
  const TSyntaxLines none("main.cpp", {row});
  EXPECT_FALSE(none.HasSyntax);
  EXPECT_EQ(none.Tokens(0).size(), 1u);
  TRVLRegFactory::_Instance().CreateRegRVL()->Registry().WriteString("PATH", "");
  EXPECT_FALSE(TSyntaxLines("main.cpp", {row}).HasSyntax) << "no installation folder";
}

// Rows are split when first asked for; a row far below an open block comment, asked for first, has
// the tokens it has when every row is asked for in order.
TEST_F(SyntaxTest, RowAskedForFirstKnowsTheBlockCommentAbove) {
  std::vector<std::string> rows = {"int a; /* open"};
  for (int line = 2; line < 500; ++line) rows.push_back("return b;");
  rows.push_back("still */ return c; /* again");
  rows.push_back("int d;");
  const std::vector<std::string_view> views(rows.begin(), rows.end());
  const TSyntaxLines inOrder("main.cpp", views), lastFirst("main.cpp", views);
  auto same = [](const std::vector<TSyntaxLines::TToken>& a, const std::vector<TSyntaxLines::TToken>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const auto& x, const auto& y) {
      return x.Start == y.Start && x.Length == y.Length && x.Kind == y.Kind;
    });
  };
  const std::vector<TSyntaxLines::TToken> last = lastFirst.Tokens(500);
  for (int row = 0; row < inOrder.Count(); ++row)
    EXPECT_TRUE(same(inOrder.Tokens(row), row == 500 ? last : lastFirst.Tokens(row))) << row;
  ASSERT_FALSE(last.empty());
  EXPECT_TRUE(std::all_of(last.begin(), last.end(), [](const auto& token) { return token.Kind == tkComment; }))
      << "row 501 is still in the comment reopened on row 500";
}

// Each token is drawn in its kind's colour, left to right.
TEST_F(SyntaxTest, DrawsTokensInTheirKindsColours) {
  const std::string first = "return x; // note", second = "x";
  TSyntaxLines syntax("main.cpp", {first, second});
  syntax.CommentFont.Color = clRed;
  syntax.ReservedFont.Color = clBlue;
  syntax.IdentifierFont.Color = clBlack;
  QImage image(400, 20, QImage::Format_RGB32);
  auto columnsOf = [&](int row, QColor colour) {
    image.fill(Qt::white);
    QPainter painter(&image);
    QFont font("Courier New", 10);
    font.setStyleStrategy(QFont::NoAntialias);
    painter.setFont(font);
    syntax.DrawLine(painter, QRect(0, 0, 400, 20), row);
    painter.end();
    int first = -1, last = -1;
    for (int x = 0; x < image.width(); ++x)
      for (int y = 0; y < image.height(); ++y)
        if (image.pixelColor(x, y) == colour) {
          if (first < 0) first = x;
          last = x;
        }
    return std::make_pair(first, last);
  };
  const auto reserved = columnsOf(0, Qt::blue), comment = columnsOf(0, Qt::red), plain = columnsOf(0, Qt::black);
  ASSERT_GE(reserved.first, 0);
  ASSERT_GE(comment.first, 0);
  EXPECT_LT(reserved.second, plain.first) << "the reserved word comes first";
  EXPECT_LT(plain.second, comment.first) << "the comment comes last";
  EXPECT_EQ(columnsOf(1, Qt::red).first, -1) << "a row without a comment has no comment colour";
}

} // namespace
