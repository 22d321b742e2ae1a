// The viewer's rows without windows: row strings, the pane structure against a plain list, the rules
// for report lines, and cut and mutated reports of the real `ss Diff`.
#include <array>
#include <random>
#include <sstream>

#include <gtest/gtest.h>

#include "DiffFixture.h"
#include "addin/tools/uDiffRows.h"

namespace {

const TDiffReportWords Words{"change:", "ins:", "del:"};

TEST(DiffRows, NumberFieldAndTabs) {
  struct Case {
    int Line;
    std::string Text, Row, Body;
  } cases[] = {
      {1, "begin", "1    begin", "begin"},
      {99999, "x", "99999x", "x"},
      {100000, "x", "100000x", "x"},
      {1234567, "x", "1234567x", "x"},
      {7, "\ta\t\tb", "7      a    b", "  a    b"},
      {12, "", "12   ", ""},
      // From line 10000 on the field has no trailing blank: a text's own leading digits stay its own.
      {12345, "67 apples", "1234567 apples", "67 apples"},
      {100000, "2024;x", "1000002024;x", "2024;x"},
      {1000001, "9", "10000019", "9"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DiffRowText(c.Line, c.Text), c.Row) << c.Line;
    EXPECT_EQ(DiffRowBody(c.Row, c.Line), c.Body) << c.Line;
  }
  EXPECT_EQ(DiffRowBody(DiffFillerText, 0), "");
}

// The pane keeps rows in a tree; a plain list with the same operations must give the same rows.
TEST(DiffRows, PaneAgreesWithAPlainList) {
  std::mt19937 random(915);
  for (int round = 0; round < 200; ++round) {
    const int lines = int(random() % 40);
    TDiffPane pane(lines);
    std::vector<TDiffPane::TRow> plain;
    for (int line = 1; line <= lines; ++line) plain.push_back({line, dkUnchanged});
    for (int step = 0; step < 120; ++step) {
      const int row = int(random() % (plain.size() + 3));
      const TDiffKind kind = TDiffKind(random() % 4);
      switch (random() % 3) {
        case 0:
          pane.InsertFiller(row, kind);
          plain.insert(plain.begin() + std::min<size_t>(size_t(row), plain.size()), {0, kind});
          break;
        case 1:
          ASSERT_EQ(pane.Mark(row, kind), size_t(row) < plain.size());
          if (size_t(row) < plain.size()) plain[size_t(row)].Kind = kind;
          break;
        default: {
          const int line = row - 1;   // from -1 to past the last line
          int expected = -1;
          for (size_t i = 0; i < plain.size(); ++i)
            if (line > 0 && plain[i].Line == line) expected = int(i);
          ASSERT_EQ(pane.FindLine(line), expected) << "round " << round << " line " << line;
        }
      }
    }
    ASSERT_EQ(pane.Count(), int(plain.size()));
    const std::vector<TDiffPane::TRow> rows = pane.Rows();
    for (size_t i = 0; i < rows.size(); ++i) {
      ASSERT_EQ(rows[i].Line, plain[i].Line) << "round " << round << " row " << i;
      ASSERT_EQ(rows[i].Kind, plain[i].Kind) << "round " << round << " row " << i;
    }
  }
}

struct ReadResult {
  TDiffReportResult Result;
  std::vector<TDiffPane::TRow> Left, Right;
};

ReadResult Read(const std::string& report, int leftLines, int rightLines) {
  TDiffPane left(leftLines), right(rightLines);
  std::istringstream in(report);
  ReadResult read{ReadDiffReport(in, Words, left, right, "a.pas", "b.pas"), left.Rows(), right.Rows()};
  return read;
}

TEST(DiffRows, WhichReportLinesCount) {
  struct Case {
    const char* Name;
    std::string Body;
    int DiffCount;
    bool Problem;
  } cases[] = {
      {"keywords in any case", "     2  CHANGE: x\n              To: y\n     3  del: z\n", 2, false},
      {"no differences", "No differences.\n", 0, false},
      {"a keyword needs its colon", "     2  Change x\n", 0, true},
      {"a number with an unknown word", "     2  Moved: x\n", 0, true},
      {"a keyword without a number", "   two  Del: x\n", 0, true},
      {"a line beyond the file still counts", "    40  Del: x\n", 1, true},
      {"line 0", "     0  Ins: x\n", 1, true},
  };
  for (const Case& c : cases) {
    ReadResult read = Read("Diffing: a.pas\nAgainst: b.pas\n" + c.Body + "\n", 3, 3);
    EXPECT_EQ(read.Result.DiffCount, c.DiffCount) << c.Name;
    EXPECT_EQ(!read.Result.Problem.empty(), c.Problem) << c.Name << ": " << read.Result.Problem;
  }
  EXPECT_EQ(Read("    40  Del: x\n", 3, 3).Result.DiffCount, 0) << "the first two lines are never read";
  EXPECT_NE(Read("Diffing: a.pas\nAgainst: b.pas\n    40  Del: x\n\n", 3, 3).Result.Problem.find("\"a.pas\", which has 3 lines"),
            std::string::npos);
  EXPECT_EQ(Read("Diffing: a.pas\nAgainst: b.pas\n     1  Del: x\n\n     2  Del: y\n", 3, 3).Result.DiffCount, 1)
      << "reading ends at the first empty line";
  EXPECT_NE(Read("Diffing: a.pas\nAgainst: b.pas\n     1  Del: x\n", 3, 3).Result.Problem.find("ends early"),
            std::string::npos);
}

// Reports of the real `ss Diff`, cut anywhere and mutated at random, are read without harm: every
// file line stays in its pane once and in order, every kind is one of the four, and a report that
// lost its end says so.
TEST_F(DiffTest, CutAndMutatedReportsAreReadSafely) {
  std::mt19937 random(4021);
  auto text = [&](int lines) {
    std::string content;
    for (int i = 0; i < lines; ++i) content += "line " + std::to_string(random() % 12) + "\n";
    return content;
  };
  std::vector<std::pair<std::string, std::array<int, 2>>> reports;
  for (int pair = 0; pair < 3; ++pair) {
    const int leftLines = 30 + int(random() % 20), rightLines = 30 + int(random() % 20);
    const std::string report = SsDiff(text(leftLines), text(rightLines));
    reports.push_back({ReadFile(report), {leftLines, rightLines}});
  }
  for (int round = 0; round < 400; ++round) {
    const auto& [original, lines] = reports[size_t(round) % reports.size()];
    std::string report = original;
    const bool cut = round % 2 == 0;
    if (cut) report.resize(random() % (report.size() - 1));
    const int flips = round % 5;
    for (int flip = 0; flip < flips && !report.empty(); ++flip) {
      const char noise[] = "0123456789 :-\n\tDelChangeIns\xff";
      report[random() % report.size()] = noise[random() % (sizeof noise - 1)];
    }
    if (round % 7 == 0) report.insert(report.size() / 2, "  99999999999  Del: huge\n  -5  Ins: negative\n");

    ReadResult read = Read(report, lines[0], lines[1]);
    for (const auto* rows : {&read.Left, &read.Right}) {
      int next = 1;
      for (const TDiffPane::TRow& row : *rows) {
        ASSERT_LE(row.Kind, dkUnchanged);
        if (row.Line != 0) {
          ASSERT_EQ(row.Line, next++) << "round " << round;
        }
      }
      ASSERT_EQ(next - 1, rows == &read.Left ? lines[0] : lines[1]) << "round " << round;
    }
    if (cut && flips == 0) {
      EXPECT_FALSE(read.Result.Problem.empty()) << "round " << round << ":\n" << report;
    }
  }
}

} // namespace
