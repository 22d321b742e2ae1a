#include "vss/cli/DiffReport.h"

#include <gtest/gtest.h>

using namespace vsscli;

namespace {

std::string Report(const std::string& a, const std::string& b, ReportStyle style = ReportStyle::SourceSafe) {
  auto oldLines = SplitLines(a), newLines = SplitLines(b);
  return DiffReport(style, "left.txt", oldLines, "right.txt", newLines, DiffLines(oldLines, newLines, {}));
}

} // namespace

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
