// The map generator as the build runs it: a refused input gives a message and an error exit, and
// leaves no map behind.
#include <gtest/gtest.h>

#include "TempDirTest.h"
#include "platform/Files.h"
#include "platform/Process.h"

namespace {

class MapGeneratorTest : public TempDirTest {
protected:
  int Run(const std::vector<std::string>& arguments) {
    std::vector<std::string> command{RVLMAPGEN};
    command.insert(command.end(), arguments.begin(), arguments.end());
    platform::Process process;
    EXPECT_TRUE(process.Start(command)) << process.Error();
    return process.Wait(60000);
  }
};

TEST_F(MapGeneratorTest, RefusesWhatIsNotAModule) {
  std::string text = WriteFile("notes.txt", "not a module");
  EXPECT_EQ(Run({text, PathOf("notes.map")}), 1);
  EXPECT_EQ(Run({PathOf("missing.so"), PathOf("missing.map")}), 1);
  EXPECT_EQ(Run({text}), 2) << "usage";
  EXPECT_FALSE(platform::FileExists(PathOf("notes.map")));
  EXPECT_FALSE(platform::FileExists(PathOf("notes.map.tmp")));
}

TEST_F(MapGeneratorTest, WritesTheMapOfAModule) {
  const std::string module = RVLMAPGEN;   // the generator is itself a module with debug information
  ASSERT_EQ(Run({"--root", "/nowhere", module, PathOf("self.map")}), 0);
  const std::string map = ReadFile(PathOf("self.map"));
  EXPECT_NE(map.find("  Address         Publics by Value\r\n"), std::string::npos);
  EXPECT_NE(map.find("       main\r\n"), std::string::npos);
  // Outside the root, source files keep their full path.
  EXPECT_NE(map.find("(/"), std::string::npos);
  EXPECT_NE(map.find("/addin/diagnostics/mapgen/rvlmapgen.cpp) segment .text\r\n"), std::string::npos);
}

} // namespace
