// SourceSafe path operations, the relative path between two of them, and the shortening for display.
#include <QFont>
#include <gtest/gtest.h>

#include "addin/settings/uSpecPath.h"
#include "ui/Graphics.h"

namespace {

TEST(SpecPath, DollarAndSeparators) {
  EXPECT_EQ(StripDollar("$/"), "/");
  EXPECT_EQ(StripDollar("$/a/b.pas"), "/a/b.pas");
  EXPECT_EQ(StripDollar("/a"), "/a");
  EXPECT_EQ(StripDollar(""), "");
  EXPECT_EQ(LocalToSpec("$\\Sales\\Client\\Main.pas"), "/Sales/Client/Main.pas");
  EXPECT_EQ(LocalToSpec("\\a\\b"), "/a/b");
  EXPECT_EQ(EnsureTrailingSlash("/a"), "/a/");
  EXPECT_EQ(EnsureTrailingSlash("/a/"), "/a/");
  EXPECT_EQ(EnsureTrailingSlash(""), "");
}

TEST(SpecPath, StepsUpAreCollapsedExceptAtTheStart) {
  EXPECT_EQ(CollapseDotDot("/App/../Other/X.pas"), "/Other/X.pas");
  EXPECT_EQ(CollapseDotDot("/a/b/../../c/x.pas"), "/c/x.pas");
  EXPECT_EQ(CollapseDotDot("/../x.pas"), "/../x.pas");
  EXPECT_EQ(CollapseDotDot("/../a/../x.pas"), "/../x.pas");
  EXPECT_EQ(CollapseDotDot("/../../x.pas"), "/../../x.pas") << "a climb above the root stays visible";
  EXPECT_EQ(CollapseDotDot("/a/../../x.pas"), "/../x.pas");
  EXPECT_EQ(CollapseDotDot("$/a/.."), "$");
  EXPECT_EQ(CollapseDotDot("/a/..hidden/x"), "/a/..hidden/x") << "a name starting with dots is no step up";
}

TEST(SpecPath, FolderParentNameAndKey) {
  EXPECT_EQ(SpecFolder("$/a/b.pas"), "$/a");
  EXPECT_EQ(SpecFolder("$/x"), "$/");
  EXPECT_EQ(SpecFolder("$/b.pas"), "$/");
  EXPECT_EQ(SpecFolder("b.pas"), "");
  EXPECT_EQ(SpecFolder("$b.pas"), "");
  EXPECT_EQ(SpecParent("/App/Sub/X.pas"), "/App/Sub");
  EXPECT_EQ(SpecParent("$/b.pas"), "$");
  EXPECT_EQ(SpecName("$/a/b.pas"), "b.pas");
  EXPECT_EQ(SpecName("$/a/"), "");
  EXPECT_EQ(SpecName("b.pas"), "b.pas");
  EXPECT_EQ(SpecFolderKey("$/a/b/x.pas"), "/a/b/");
  EXPECT_EQ(SpecFolderKey("$/x.pas"), "/");
  EXPECT_EQ(SpecFolderKey("/a/x.pas"), "/a/");
}

TEST(SpecPath, RelativePathsClimbToTheSharedFolderIgnoringCase) {
  EXPECT_EQ(RelativeSpec("$/a/b/x.pas", "$/a/c/y.pas"), "../c/y.pas");
  EXPECT_EQ(RelativeSpec("$/a/b/x.pas", "$/a/b/y.pas"), "y.pas");
  EXPECT_EQ(RelativeSpec("$/A/B/x.pas", "$/a/b/y.pas"), "y.pas");
  EXPECT_EQ(RelativeSpec("$/a/x.pas", "$/a/b/c/y.pas"), "b/c/y.pas");
  EXPECT_EQ(RelativeSpec("$/a/b/c/x.pas", "$/y.pas"), "../../../y.pas");
  EXPECT_EQ(RelativeSpec("/p/q/x.pas", "$/r/y.pas"), "../../r/y.pas") << "with and without the dollar";
}

class ShortenSpecTest : public ::testing::Test {
protected:
  QFont FFont{"DejaVu Sans", 10};
  int Width(const std::string& text) const { return TextWidth(FFont, text); }
};

TEST_F(ShortenSpecTest, LeadingFoldersGiveWayStepByStepButNeverTheName) {
  const std::string path = "/alpha/beta/c.pas";
  EXPECT_EQ(ShortenSpec(path, FFont, Width(path)), path) << "already fits";
  const std::vector<std::string> steps = {"/.../beta/c.pas", "/.../c.pas", ".../c.pas", "c.pas"};
  for (const std::string& step : steps)
    EXPECT_EQ(ShortenSpec(path, FFont, Width(step)), step);
  EXPECT_EQ(ShortenSpec(path, FFont, 1), "c.pas") << "the name is never cut";
}

TEST_F(ShortenSpecTest, RootedPathsLoseTheirFoldersFromTheTop) {
  const std::string path = "$/Sales/Client/Main.pas";
  EXPECT_EQ(ShortenSpec(path, FFont, Width(".../Client/Main.pas")), ".../Client/Main.pas");
  EXPECT_EQ(ShortenSpec(path, FFont, Width(".../Main.pas")), ".../Main.pas");
  EXPECT_EQ(ShortenSpec("$/Main.pas", FFont, Width("Main.pas")), "Main.pas");
  EXPECT_EQ(ShortenSpec("Main.pas", FFont, 1), "Main.pas");
}

} // namespace
