// The map generator as the build runs it: a refused input gives a message and an error exit, and
// leaves no map behind.
#include <gtest/gtest.h>

#include "TempDirTest.h"
#include "platform/Files.h"

namespace {

class MapGeneratorTest : public TempDirTest {
protected:
  TProgramRun Run(std::vector<std::string> arguments) const {
    arguments.insert(arguments.begin(), RVLMAPGEN);
    return RunProgram(arguments);
  }
};

TEST_F(MapGeneratorTest, RefusesWhatIsNotAModule) {
  std::string text = WriteFile("notes.txt", "not a module");
  const TProgramRun refused = Run({text, PathOf("notes.map")});
  EXPECT_EQ(refused.Code, 1);
  EXPECT_NE(refused.Err, "");
  EXPECT_EQ(Run({PathOf("missing.so"), PathOf("missing.map")}).Code, 1);
  EXPECT_EQ(Run({text}).Code, 2) << "usage";
  EXPECT_FALSE(platform::FileExists(PathOf("notes.map")));
  EXPECT_FALSE(platform::FileExists(PathOf("notes.map.tmp")));
}

TEST_F(MapGeneratorTest, WritesTheMapOfAModule) {
  const std::string module = RVLMAPGEN;   // the generator is itself a module with debug information
  ASSERT_EQ(Run({"--root", "/nowhere", module, PathOf("self.map")}).Code, 0);
  const std::string map = ReadFile(PathOf("self.map"));
  EXPECT_NE(map.find("  Address         Publics by Value\r\n"), std::string::npos);
  EXPECT_NE(map.find("       main\r\n"), std::string::npos);
  // Outside the root, source files keep their full path.
  EXPECT_NE(map.find("(/"), std::string::npos);
  EXPECT_NE(map.find("/addin/diagnostics/mapgen/rvlmapgen.cpp) segment .text\r\n"), std::string::npos);
}

} // namespace
