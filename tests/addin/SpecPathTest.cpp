// SourceSafe path operations, the relative path between two of them, and the shortening for display.
#include <utility>
#include <vector>

#include <QFont>
#include <gtest/gtest.h>

#include "addin/settings/uSpecPath.h"
#include "ui/Graphics.h"

namespace {

using TRows = std::vector<std::pair<std::string, std::string>>;

// Each row's input through one path operation gives the row's result.
void ExpectRows(std::string (*operation)(const std::string&), const char* name, const TRows& rows) {
  for (const auto& [input, result] : rows) EXPECT_EQ(operation(input), result) << name << "(" << input << ")";
}

TEST(SpecPath, DollarSeparatorsFolderParentNameAndKey) {
  ExpectRows(StripDollar, "StripDollar", {{"$/", "/"}, {"$/a/b.pas", "/a/b.pas"}, {"/a", "/a"}, {"", ""}});
  ExpectRows(LocalToSpec, "LocalToSpec",
             {{"$\\Sales\\Client\\Main.pas", "/Sales/Client/Main.pas"}, {"\\a\\b", "/a/b"}});
  ExpectRows(EnsureTrailingSlash, "EnsureTrailingSlash", {{"/a", "/a/"}, {"/a/", "/a/"}, {"", ""}});
  ExpectRows(SpecFolder, "SpecFolder",
             {{"$/a/b.pas", "$/a"}, {"$/x", "$/"}, {"$/b.pas", "$/"}, {"b.pas", ""}, {"$b.pas", ""}});
  ExpectRows(SpecParent, "SpecParent", {{"/App/Sub/X.pas", "/App/Sub"}, {"$/b.pas", "$"}});
  ExpectRows(SpecName, "SpecName", {{"$/a/b.pas", "b.pas"}, {"$/a/", ""}, {"b.pas", "b.pas"}});
  ExpectRows(SpecFolderKey, "SpecFolderKey", {{"$/a/b/x.pas", "/a/b/"}, {"$/x.pas", "/"}, {"/a/x.pas", "/a/"}});
}

TEST(SpecPath, StepsUpAreCollapsedExceptAtTheStart) {
  ExpectRows(CollapseDotDot, "CollapseDotDot",
             {{"/App/../Other/X.pas", "/Other/X.pas"},
              {"/a/b/../../c/x.pas", "/c/x.pas"},
              {"/../x.pas", "/../x.pas"}, {"/../a/../x.pas", "/../x.pas"},
              {"/../../x.pas", "/../../x.pas"},  // a climb above the root stays visible
              {"/a/../../x.pas", "/../x.pas"}, {"$/a/..", "$"},
              {"/a/..hidden/x", "/a/..hidden/x"}});  // a name starting with dots is no step up
  for (const char* path : {"/a/../x", "../x", "/a/..", "$/.."}) EXPECT_TRUE(HasDotDot(path)) << path;
  for (const char* path : {"/a/..hidden/x", "/a/b..c.pas", "/a/x..", ""}) EXPECT_FALSE(HasDotDot(path)) << path;
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
