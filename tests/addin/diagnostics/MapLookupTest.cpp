// Look-ups in a map file written by hand in the linker's layout: the nearest entry at or below an
// offset, the block heading that names the source file, and the sections that may be missing.

#include <gtest/gtest.h>

#include "HandlerFixture.h"
#include "platform/Files.h"

namespace {

const char* const Segments =
    "\r\n Start         Length     Name                   Class\r\n"
    " 0001:00000000 000433C0H .text                   CODE\r\n\r\n\r\n";

const char* const PublicsByName =
    "  Address         Publics by Name\r\n\r\n"
    " 0001:00000300       Unit1.TForm1.Button1Click\r\n"
    " 0001:00000228       Unit1.TForm1.FormCreate\r\n\r\n\r\n";

const char* const PublicsByValue =
    "  Address         Publics by Value\r\n\r\n"
    " 0001:00000228       Unit1.TForm1.FormCreate\r\n"
    " 0001:00000300       Unit1.TForm1.Button1Click\r\n\r\n\r\n";

const char* const Lines =
    "Line numbers for Unit1(Unit1.pas) segment .text\r\n\r\n"
    "   169 0001:00000228   170 0001:00000230   171 0001:0000023A   172 0001:00000300\r\n"
    "   173 0001:00000310\r\n\r\n\r\n"
    "Line numbers for Generated segment .text\r\n\r\n"
    "     1 0001:00000400\r\n\r\n";

class MapLookupTest : public HandlerFixture {
protected:
  void Lookup(int32_t offset) {
    found = Handler().FindAddress(offset, lineInfo, function);
  }
  bool found = false;
  std::string lineInfo, function;
};

TEST_F(MapLookupTest, NearestEntryAtOrBelowTheOffset) {
  InstallMap(std::string(Segments) + PublicsByName + PublicsByValue + Lines);
  Start();

  Lookup(0x300);   // exactly on a symbol and a line entry
  EXPECT_TRUE(found);
  EXPECT_EQ(lineInfo, "Unit: Unit1.pas Line: 172");
  EXPECT_EQ(function, "Unit1.TForm1.Button1Click");

  Lookup(0x2FF);   // between two entries: the lower one
  EXPECT_EQ(lineInfo, "Unit: Unit1.pas Line: 171");
  EXPECT_EQ(function, "Unit1.TForm1.FormCreate");

  Lookup(0x100);   // below the first entry of each section
  EXPECT_FALSE(found);
  EXPECT_EQ(lineInfo, "");
  EXPECT_EQ(function, "");

  Lookup(-5);      // a fault below the code: only the offset itself is looked for
  EXPECT_FALSE(found);

  // An entry in a block whose heading names no source file: the line number is not enough.
  Lookup(0x480);
  EXPECT_EQ(lineInfo, "");
  EXPECT_EQ(function, "Unit1.TForm1.Button1Click");
}

TEST_F(MapLookupTest, MissingSectionsLeaveTheirResultEmpty) {
  // Publics but no line numbers: the publics run to the end of the file.
  InstallMap(std::string(Segments) + PublicsByValue);
  Start();
  Lookup(0x305);
  EXPECT_EQ(lineInfo, "");
  EXPECT_EQ(function, "Unit1.TForm1.Button1Click");
  Stop();

  InstallMap(std::string(Segments) + Lines);
  Start();
  Lookup(0x235);
  EXPECT_EQ(lineInfo, "Unit: Unit1.pas Line: 170");
  EXPECT_EQ(function, "");
  Stop();

  InstallMap("not a map at all\r\n");
  Start();
  Lookup(0x235);
  EXPECT_FALSE(found);
}

// The map generator as the build runs it: a refused input gives a message and an error exit, and
// leaves no map behind.
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
