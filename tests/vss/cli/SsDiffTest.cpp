// ss Diff as the add-in and people run it: local files and specs, report files, exit codes.
#include "SsFixture.h"

#include <gtest/gtest.h>

TEST_F(SsTest, DiffWritesTheReportOnceIntoTheNamedFile) {
  WriteFile("work/a.pas", "unit A;\ninterface\n  x := 1;\nold line\nend.\n");
  WriteFile("work/b.pas", "unit A;\ninterface\n\tx  :=  1;\nnew line\nend.\nextra\n");
  // The add-in's command line: Diff L R  -I- -IW -Ds "-O&D" -O@D
  TProgramRun diff = Ss({"Diff", "a.pas", "b.pas", "-I-", "-IW", "-Ds", "-O&r.txt", "-O@r.txt"});
  EXPECT_EQ(diff.Code, 1);
  EXPECT_EQ(diff.Out, "");
  EXPECT_EQ(ReadFile(PathOf("work/r.txt")),
            "Diffing: a.pas\n"
            "Against: b.pas\n"
            "     4  Change: old line\n"
            "              To: new line\n"
            "     6  Ins: extra\n"
            "\n");

  // Without -IW the white space counts.
  TProgramRun strict = Ss({"Diff", "a.pas", "b.pas"});
  EXPECT_EQ(strict.Code, 1);
  EXPECT_NE(strict.Out.find("     3  Change:   x := 1;\n              To: \tx  :=  1;\n"), std::string::npos)
      << strict.Out;
}

TEST_F(SsTest, DiffOfEqualFilesAndDeletions) {
  WriteFile("work/a.txt", "1\n2\n3\n");
  WriteFile("work/same.txt", "1\n2\n3\n");
  WriteFile("work/short.txt", "1\n");
  TProgramRun same = Ss({"diff", "a.txt", "same.txt", "-O@r.txt"});
  EXPECT_EQ(same.Code, 0);
  EXPECT_EQ(ReadFile(PathOf("work/r.txt")), "Diffing: a.txt\nAgainst: same.txt\nNo differences.\n\n");

  // -O@ appends to what is there.
  EXPECT_EQ(Ss({"Diff", "a.txt", "short.txt", "-O@r.txt"}).Code, 1);
  EXPECT_EQ(ReadFile(PathOf("work/r.txt")),
            "Diffing: a.txt\nAgainst: same.txt\nNo differences.\n\n"
            "Diffing: a.txt\nAgainst: short.txt\n     2  Del: 2\n     3  Del: 3\n\n");

  TProgramRun unified = Ss({"Diff", "a.txt", "short.txt", "-DU"});
  EXPECT_EQ(unified.Out, "--- a.txt\n+++ short.txt\n@@ -1,3 +1,1 @@\n 1\n-2\n-3\n");

  TProgramRun missing = Ss({"Diff", "a.txt", "nothere.txt"});
  EXPECT_EQ(missing.Code, 100);
  EXPECT_EQ(missing.Err, "File \"nothere.txt\" not found\n");
  EXPECT_EQ(Ss({"Diff", "a.txt", "same.txt", "-DX"}).Code, 100);
  EXPECT_EQ(Ss({"Diff", "a.txt"}).Code, 100);
}

TEST_F(SsTest, DiffAgainstTheDatabaseAndNamesWithBlanks) {
  WriteFile("work/my file.txt", "alpha\nbeta\n");
  ASSERT_EQ(Ss({"Add", "my file.txt"}).Code, 0);
  WriteFile("work/copy of it.txt", "alpha\nBETA\n");

  TProgramRun diff = Ss({"Diff", "$/my file.txt", "copy of it.txt"});
  EXPECT_EQ(diff.Code, 1);
  EXPECT_EQ(diff.Out, "Diffing: $/my file.txt\nAgainst: copy of it.txt\n     2  Change: beta\n"
                      "              To: BETA\n\n");
  EXPECT_EQ(Ss({"Diff", "$/my file.txt", "copy of it.txt", "-IC"}).Code, 0);

  // Names with blanks passed without quotes arrive split into words; the split that names two
  // existing files is taken.
  TProgramRun split = Ss({"Diff", PathOf("work/my"), "file.txt", PathOf("work/copy"), "of", "it.txt", "-IC"});
  EXPECT_EQ(split.Code, 0) << split.Err;
  EXPECT_NE(split.Out.find("Against: " + PathOf("work/copy of it.txt")), std::string::npos) << split.Out;
}
