#include "vss/cli/DiffReport.h"
#include "vss/cli/LineDiff.h"

#include <algorithm>
#include <random>
#include <string>

#include <gtest/gtest.h>

using namespace vsscli;

namespace {

std::vector<TextLine> Lines(const std::string& text) { return SplitLines(text); }

std::vector<DiffHunk> Diff(const std::string& a, const std::string& b, DiffOptions options = {}) {
  return DiffLines(Lines(a), Lines(b), options);
}

// Applies the hunks to `a`: the rebuilt text, and how many lines were removed and added. Fails the
// test when the hunks are out of order or empty.
struct Applied {
  std::vector<std::string> Rebuilt;
  size_t Removed = 0, Added = 0;
};

Applied Apply(const std::vector<TextLine>& a, const std::vector<TextLine>& b, const std::vector<DiffHunk>& hunks) {
  Applied result;
  size_t next = 0;
  for (const DiffHunk& h : hunks) {
    EXPECT_TRUE(h.OldCount + h.NewCount > 0);
    EXPECT_GE(h.OldStart, next);
    for (; next < h.OldStart; ++next) result.Rebuilt.emplace_back(a[next].Text());
    EXPECT_EQ(result.Rebuilt.size(), h.NewStart);
    for (size_t k = 0; k < h.NewCount; ++k) result.Rebuilt.emplace_back(b[h.NewStart + k].Text());
    next += h.OldCount;
    result.Removed += h.OldCount;
    result.Added += h.NewCount;
  }
  for (; next < a.size(); ++next) result.Rebuilt.emplace_back(a[next].Text());
  return result;
}

std::vector<std::string> Texts(const std::vector<TextLine>& lines) {
  std::vector<std::string> texts;
  for (const TextLine& line : lines) texts.emplace_back(line.Text());
  return texts;
}

std::string Report(const std::string& a, const std::string& b, ReportStyle style = ReportStyle::SourceSafe) {
  auto oldLines = SplitLines(a), newLines = SplitLines(b);
  return DiffReport(style, "left.txt", oldLines, "right.txt", newLines, DiffLines(oldLines, newLines, {}));
}

} // namespace

TEST(LineDiff, SplitLinesKeepsEachBreak) {
  auto lines = SplitLines("one\r\ntwo\n\nlast");
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0].Text(), "one");
  EXPECT_EQ(lines[0].Break(), "\r\n");
  EXPECT_EQ(lines[1].Break(), "\n");
  EXPECT_EQ(lines[2].Text(), "");
  EXPECT_EQ(lines[3].Text(), "last");
  EXPECT_EQ(lines[3].Break(), "");
  EXPECT_TRUE(SplitLines("").empty());
  EXPECT_EQ(SplitLines("\n").size(), 1u);
  // Breaks are found a word at a time: any length, any place in a word, and bytes next to a break's
  // value split exactly as a byte-by-byte scan does.
  std::mt19937 random(7);
  const char bytes[] = {'a', '\r', '\n', '\0', '\x0b', '\x09', '\x8a', '\xff'};
  for (int round = 0; round < 3000; ++round) {
    std::string text;
    for (size_t n = random() % 41; n > 0; --n) text += bytes[random() % sizeof bytes];
    std::vector<std::string> expected, got;
    for (size_t start = 0, at; start < text.size(); start = at + 1) {
      at = std::min(text.find('\n', start), text.size());
      expected.push_back(text.substr(start, at + 1 - start));
    }
    for (const TextLine& line : SplitLines(text)) got.push_back(std::string(line.Text()) + std::string(line.Break()));
    ASSERT_EQ(got, expected) << testing::PrintToString(text);
  }
}

TEST(LineDiff, TableOfCases) {
  struct Case {
    const char* Name;
    std::string A, B;
    std::vector<DiffHunk> Expected;
  };
  const std::vector<Case> cases = {
      {"both empty", "", "", {}},
      {"identical", "a\nb\nc\n", "a\nb\nc\n", {}},
      {"all inserted", "", "a\nb\n", {{0, 0, 0, 2}}},
      {"all deleted", "a\nb\n", "", {{0, 2, 0, 0}}},
      {"one changed in the middle", "a\nb\nc\n", "a\nX\nc\n", {{1, 1, 1, 1}}},
      {"change run longer on the right", "a\nb\nc\nz\n", "a\nX\nY\nW\nV\nz\n", {{1, 2, 1, 4}}},
      {"inserted at the end", "a\nb\n", "a\nb\nc\nd\n", {{2, 0, 2, 2}}},
      {"deleted at the start", "a\nb\nc\n", "c\n", {{0, 2, 0, 0}}},
      {"two separate hunks", "a\nb\nc\nd\ne\n", "a\nB\nc\nd\ne\nf\n", {{1, 1, 1, 1}, {5, 0, 5, 1}}},
      {"moved line costs a delete and an insert", "a\nb\nc\n", "b\nc\na\n", {{0, 1, 0, 0}, {3, 0, 2, 1}}},
      {"missing last break differs", "a\nb", "a\nb\n", {{1, 1, 1, 1}}},
      {"CRLF against LF differs", "a\r\nb\r\n", "a\nb\r\n", {{0, 1, 0, 1}}},
  };
  for (const Case& c : cases) EXPECT_EQ(Diff(c.A, c.B), c.Expected) << c.Name;
}

TEST(LineDiff, OptionsIgnoreWhiteSpaceCaseAndLineEnds) {
  DiffOptions white;
  white.IgnoreWhiteSpace = true;
  EXPECT_TRUE(Diff("int  x = 1;\n\tfoo();\n", "int x=1;\n    foo();  \n", white).empty());
  EXPECT_EQ(Diff("int  x = 1;\n", "int x = 2;\n", white).size(), 1u);
  EXPECT_EQ(Diff("int  x = 1;\n", "int x = 1;\n").size(), 1u);

  DiffOptions caseless;
  caseless.IgnoreCase = true;
  EXPECT_TRUE(Diff("Begin\nEND;\n", "begin\nend;\n", caseless).empty());
  EXPECT_FALSE(Diff("Begin\n", "begin\n").empty());

  DiffOptions lineEnds;
  lineEnds.IgnoreEndOfLine = true;
  EXPECT_TRUE(Diff("a\r\nb", "a\nb\n", lineEnds).empty());
  EXPECT_FALSE(Diff("a\r\nb", "a\nc\n", lineEnds).empty());
}

// Applying the hunks to the first text must give the second, with as few changed lines as the
// longest common subsequence allows.
TEST(LineDiff, RandomTextsGiveMinimalCorrectScripts) {
  std::mt19937 random(20261206);
  for (int round = 0; round < 400; ++round) {
    auto make = [&](int length) {
      std::string text;
      for (int i = 0; i < length; ++i) text += std::string(1, char('a' + random() % 4)) + "\n";
      return text;
    };
    const std::string textA = make(int(random() % 30)), textB = make(int(random() % 30));
    auto a = SplitLines(textA), b = SplitLines(textB);
    Applied applied = Apply(a, b, DiffLines(a, b, {}));
    ASSERT_EQ(applied.Rebuilt, Texts(b)) << "round " << round;

    std::vector<std::vector<size_t>> lcs(a.size() + 1, std::vector<size_t>(b.size() + 1, 0));
    for (size_t i = a.size(); i-- > 0;)
      for (size_t j = b.size(); j-- > 0;)
        lcs[i][j] = a[i].Text() == b[j].Text() ? lcs[i + 1][j + 1] + 1 : std::max(lcs[i + 1][j], lcs[i][j + 1]);
    EXPECT_EQ(applied.Removed, a.size() - lcs[0][0]) << "round " << round;
    EXPECT_EQ(applied.Added, b.size() - lcs[0][0]) << "round " << round;
  }
}

// Texts that differ almost everywhere take bounded time and still give a correct script.
TEST(LineDiff, HugeDifferencesStayCorrect) {
  std::string textA, textB;
  for (int i = 0; i < 20000; ++i) {
    textA += (i % 7 == 0 ? "same" + std::to_string(i) : "a" + std::to_string(i)) + "\n";
    textB += (i % 7 == 0 ? "same" + std::to_string(i) : "b" + std::to_string(i)) + "\n";
  }
  auto a = SplitLines(textA), b = SplitLines(textB);
  ASSERT_EQ(Apply(a, b, DiffLines(a, b, {})).Rebuilt, Texts(b));
}

// A long text with many scattered edits, some of which copy lines from elsewhere, so that every
// line occurs in both texts and the comparison has to search: the script stays minimal. The first
// text's lines are distinct and in order, so the longest common subsequence is the longest
// increasing run of line numbers in the second.
TEST(LineDiff, LongTextsWithScatteredEditsStayMinimal) {
  const int count = 30000;
  std::mt19937 random(1506);
  std::string textA, textB;
  for (int i = 0; i < count; ++i) textA += std::to_string(i) + "\n";
  for (int i = 0; i < count; ++i) {
    int roll = int(random() % 100);
    if (roll < 2) continue;                                                          // deleted
    if (roll < 7) textB += std::to_string((i + count / 2) % count) + "\n";   // a copy from far away
    textB += std::to_string(i) + "\n";
  }
  auto a = SplitLines(textA), b = SplitLines(textB);
  std::vector<int> tails;   // patience sorting: the smallest tail of an increasing run of each length
  for (const TextLine& line : b) {
    int value = std::stoi(std::string(line.Text()));
    auto place = std::lower_bound(tails.begin(), tails.end(), value);
    if (place == tails.end()) tails.push_back(value);
    else *place = value;
  }
  const size_t common = tails.size();

  Applied applied = Apply(a, b, DiffLines(a, b, {}));
  ASSERT_EQ(applied.Rebuilt, Texts(b));
  EXPECT_EQ(applied.Removed, a.size() - common);
  EXPECT_EQ(applied.Added, b.size() - common);
}

// The report's lines, numbers and white-space option are checked through the ss program; here what
// those tests don't reach.
TEST(DiffReport, CarriageReturnsAreLeftOut) {
  EXPECT_EQ(Report("if (a)\r\n", "if(a)\r\n"),
            "Diffing: left.txt\nAgainst: right.txt\n     1  Change: if (a)\n              To: if(a)\n\n");
}

TEST(DiffReport, LargeLineNumbersWidenTheField) {
  std::string a;
  for (int i = 0; i < 100005; ++i) a += "x\n";
  std::string report = Report(a, a + "end\n");
  EXPECT_NE(report.find("\n100006  Ins: end\n"), std::string::npos) << report.substr(0, 200);
}

TEST(DiffReport, UnifiedStyle) {
  EXPECT_EQ(Report("1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n", "1\n2\n3\n4\nFIVE\n6\n7\n8\n9\n10\n11\n",
                   ReportStyle::Unified),
            "--- left.txt\n+++ right.txt\n"
            "@@ -2,9 +2,10 @@\n 2\n 3\n 4\n-5\n+FIVE\n 6\n 7\n 8\n 9\n 10\n+11\n");
  EXPECT_EQ(Report("a\n", "a\n", ReportStyle::Unified), "--- left.txt\n+++ right.txt\nNo differences.\n");
  EXPECT_EQ(Report("", "n\n", ReportStyle::Unified), "--- left.txt\n+++ right.txt\n@@ -0,0 +1,1 @@\n+n\n");
}
