#include "platform/Profile.h"

#include "TempDirTest.h"
#include "Unprivileged.h"

#include <sys/stat.h>

using namespace platform;

class ProfileFileTest : public TempDirTest {};

TEST_F(ProfileFileTest, FindsSectionsAndKeysIgnoringCase) {
  ProfileFile ini(PathOf("vss.rvl"));
  EXPECT_FALSE(std::filesystem::exists(ini.FileName()));
  EXPECT_EQ(ini.ReadString("Project1.bpr", "Path", "none"), "none");
  ASSERT_TRUE(ini.WriteString("Project1.bpr", "Path", "$/Proj"));
  EXPECT_EQ(ini.ReadString("PROJECT1.BPR", "path"), "$/Proj");
  EXPECT_TRUE(ini.SectionExists("project1.BPR"));
  EXPECT_TRUE(ini.ValueExists("PROJECT1.bpr", "PATH"));
  EXPECT_FALSE(ini.ValueExists("PROJECT1.bpr", "Other"));

  ASSERT_TRUE(ini.WriteString("ÄRGER", "Schlüssel", "1"));
  ASSERT_TRUE(ini.WriteString("ärger", "SCHLÜSSEL", "2"));   // the same key, rewritten in place
  EXPECT_EQ(ini.Keys("Ärger"), std::vector<std::string>{"Schlüssel"});
  EXPECT_EQ(ReadFile(ini.FileName()), "[Project1.bpr]\nPath=$/Proj\n\n[ÄRGER]\nSchlüssel=2\n");
}

TEST_F(ProfileFileTest, ReadsNumbersAndBooleans) {
  const std::string file = WriteFile("n.ini", "[n]\na=42\nb=-7\nc=x12\nd=0x10\ne=true\nf=0\ng=\n");
  const ProfileFile ini(file);
  EXPECT_EQ(ini.ReadInteger("n", "a"), 42);
  EXPECT_EQ(ini.ReadInteger("n", "b"), -7);
  EXPECT_EQ(ini.ReadInteger("n", "c", 5), 5);
  EXPECT_EQ(ini.ReadInteger("n", "d"), 16);
  EXPECT_EQ(ini.ReadInteger("n", "g", 9), 9);
  EXPECT_TRUE(ini.ReadBool("n", "a"));
  EXPECT_TRUE(ini.ReadBool("n", "e"));
  EXPECT_FALSE(ini.ReadBool("n", "f", true));
  EXPECT_TRUE(ini.ReadBool("n", "missing", true));
}

TEST_F(ProfileFileTest, ListsInFileOrderAndKeepsPlaces) {
  const std::string file = WriteFile("order.ini",
                                     "; settings\n[Zeta]\nb=1\na=2\n\n; next\n[Alpha]\nx = spaced value \n");
  ProfileFile ini(file);
  EXPECT_EQ(ini.Sections(), (std::vector<std::string>{"Zeta", "Alpha"}));
  EXPECT_EQ(ini.Keys("zeta"), (std::vector<std::string>{"b", "a"}));
  EXPECT_EQ(ini.ReadString("alpha", "X"), "spaced value");

  ASSERT_TRUE(ini.WriteString("zeta", "c", "3"));      // after the section's last key
  ASSERT_TRUE(ini.WriteInteger("New", "n", 12));        // new sections go to the end
  ASSERT_TRUE(ini.WriteString("Alpha", "x", "  y  "));  // values are trimmed
  EXPECT_EQ(ReadFile(file),
            "; settings\n[Zeta]\nb=1\na=2\nc=3\n\n; next\n[Alpha]\nx=y\n\n[New]\nn=12\n");
  EXPECT_EQ(ini.Sections(), (std::vector<std::string>{"Zeta", "Alpha", "New"}));

  ASSERT_TRUE(ini.DeleteKey("ZETA", "A"));
  ASSERT_TRUE(ini.DeleteSection("alpha"));
  ASSERT_TRUE(ini.DeleteKey("none", "none"));
  // The comment above [Alpha] belongs to the lines of [Zeta], so it stays.
  EXPECT_EQ(ReadFile(file), "; settings\n[Zeta]\nb=1\nc=3\n\n; next\n[New]\nn=12\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Dir()), {}), 1);   // no temporary left
}

TEST_F(ProfileFileTest, ReadsWhatItCanOfACorruptFile) {
  const std::string file = WriteFile("bad.ini",
                                     "\xEF\xBB\xBF[First]\r\njunk line\r\n=no key\r\nkey=v1\r\n[broken\r\n"
                                     "\x01\x02\r\n[Second]\r\nk2 = v2");
  ProfileFile ini(file);
  EXPECT_EQ(ini.Sections(), (std::vector<std::string>{"First", "Second"}));
  EXPECT_EQ(ini.ReadString("first", "key"), "v1");
  EXPECT_EQ(ini.ReadString("second", "k2"), "v2");
  EXPECT_EQ(ini.Keys("first"), std::vector<std::string>{"key"});

  // Written back with its own line ends and mark, the junk untouched.
  ASSERT_TRUE(ini.WriteString("second", "k3", "v3"));
  EXPECT_EQ(ReadFile(file), "\xEF\xBB\xBF[First]\r\njunk line\r\n=no key\r\nkey=v1\r\n[broken\r\n"
                            "\x01\x02\r\n[Second]\r\nk2 = v2\r\nk3=v3\r\n");
}

TEST_F(ProfileFileTest, RefusesEntriesThatWouldCorruptTheFile) {
  ProfileFile ini(PathOf("guard.ini"));
  EXPECT_FALSE(ini.WriteString("s", "k", "two\nlines"));
  EXPECT_FALSE(ini.WriteString("s", "a=b", "v"));
  EXPECT_FALSE(ini.WriteString("s]x", "k", "v"));
  EXPECT_FALSE(ini.WriteString("", "k", "v"));
  EXPECT_FALSE(ini.Error().empty());
  EXPECT_FALSE(std::filesystem::exists(ini.FileName()));
}

TEST_F(ProfileFileTest, FailedWriteLeavesTheOldFile) {
  const std::string content = "[Keep]\nk=v\n";
  const std::string file = WriteFile("locked/keep.ini", content);
  chmod(Dir().c_str(), 0755);
  chmod(PathOf("locked").c_str(), 0555);
  chmod(file.c_str(), 0666);
  EXPECT_TRUE(RunUnprivileged([&] {
    ProfileFile ini(file);
    return !ini.WriteString("Keep", "k", "changed") && ini.Error().find("Permission denied") != std::string::npos;
  }));
  EXPECT_EQ(ReadFile(file), content);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(PathOf("locked")), {}), 1);

  // A folder that isn't there at all.
  ProfileFile missing(PathOf("nowhere/x.ini"));
  EXPECT_FALSE(missing.WriteString("s", "k", "v"));
  EXPECT_NE(missing.Error().find("nowhere/x.ini"), std::string::npos);
}
