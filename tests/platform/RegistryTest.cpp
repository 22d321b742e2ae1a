#include "platform/Registry.h"

#include "platform/RegFile.h"
#include "TempDirTest.h"
#include "Unprivileged.h"

#include <sys/stat.h>

using namespace platform;

class RegistryTest : public TempDirTest {};

TEST_F(RegistryTest, FindsTheRegistryFolder) {
  EXPECT_EQ(RegistryDirectory(), PathOf("registry") + "/");
  SetEnvironment("RAVELIN_REGISTRY_DIR", nullptr);
  SetEnvironment("XDG_CONFIG_HOME", "/cfg");
  EXPECT_EQ(RegistryDirectory(), "/cfg/ravelin/registry/");
  SetEnvironment("XDG_CONFIG_HOME", nullptr);
  EXPECT_EQ(RegistryDirectory(), std::string(getenv("HOME")) + "/.config/ravelin/registry/");
}

TEST_F(RegistryTest, ParsesRootedKeys) {
  Hive hive;
  std::string path;
  ASSERT_TRUE(ParseRootedKey("hkcu\\\\Software\\Ravelin\\", hive, path));
  EXPECT_EQ(hive, Hive::CurrentUser);
  EXPECT_EQ(path, "Software\\Ravelin");
  ASSERT_TRUE(ParseRootedKey("HKEY_LOCAL_MACHINE\\Software", hive, path));
  EXPECT_EQ(hive, Hive::LocalMachine);
  ASSERT_TRUE(ParseRootedKey("HKLM", hive, path));
  EXPECT_EQ(path, "");
  EXPECT_FALSE(ParseRootedKey("HKCR\\x", hive, path));
  EXPECT_FALSE(ParseRootedKey("Software\\x", hive, path));
}

TEST_F(RegistryTest, StoresTypedValuesUnderKeysFoundIgnoringCase) {
  {
    RegistryKey key(Hive::CurrentUser, "\\Software\\\\Ärger\\Ravelin\\", true);
    ASSERT_TRUE(key.IsOpen()) << key.Error();
    EXPECT_EQ(key.Path(), "Software\\Ärger\\Ravelin");
    EXPECT_TRUE(key.WriteString("Name", "Project \"1\""));
    EXPECT_TRUE(key.WriteInteger("Count", -5));
    EXPECT_TRUE(key.WriteBool("Flag", true));
    EXPECT_TRUE(key.WriteString("", "default"));
    EXPECT_TRUE(key.WriteString("Number", " 17 "));
  }
  const RegistryKey key(Hive::CurrentUser, "SOFTWARE\\ärger\\RAVELIN", false);
  ASSERT_TRUE(key.IsOpen()) << key.Error();
  EXPECT_EQ(key.CasedPath(), "Software\\Ärger\\Ravelin");
  EXPECT_EQ(key.ReadString("NAME"), "Project \"1\"");
  EXPECT_EQ(key.ReadInteger("count"), -5);
  EXPECT_EQ(key.ReadValue("Count")->DWord, 0xFFFFFFFBu);
  EXPECT_EQ(key.ReadString("Count"), "4294967291");
  EXPECT_TRUE(key.ReadBool("flag"));
  EXPECT_EQ(key.ReadString(""), "default");
  EXPECT_EQ(key.ReadInteger("Number"), 17);
  EXPECT_EQ(key.ReadInteger("Name", 3), 3);
  EXPECT_EQ(key.ReadString("Missing", "dflt"), "dflt");
  EXPECT_FALSE(key.ValueExists("Missing"));

  // The other hive is a different file with different keys.
  EXPECT_FALSE(RegistryKey::KeyExists(Hive::LocalMachine, "Software\\Ärger"));
  EXPECT_TRUE(std::filesystem::exists(PathOf("registry/HKCU.db")));
  EXPECT_FALSE(std::filesystem::exists(PathOf("registry/HKLM.db")));
}

TEST_F(RegistryTest, ListsValuesAndSubkeysInCreationOrder) {
  RegistryKey key(Hive::LocalMachine, "Software\\Order", true);
  for (const char* name : {"zeta", "Alpha", "mid"}) {
    key.WriteString(name, "x");
    RegistryKey(Hive::LocalMachine, std::string("Software\\Order\\") + name + "Key", true);
  }
  key.WriteInteger("ALPHA", 1);   // rewriting keeps the place, the type changes and the name's case stays
  EXPECT_EQ(key.ValueNames(), (std::vector<std::string>{"zeta", "Alpha", "mid"}));
  EXPECT_EQ(key.Values()[1].Type, ValueType::DWord);
  EXPECT_EQ(key.SubKeyNames(), (std::vector<std::string>{"zetaKey", "AlphaKey", "midKey"}));
  EXPECT_TRUE(key.HasSubKeys());

  EXPECT_TRUE(key.DeleteValue("ZETA"));
  EXPECT_FALSE(key.DeleteValue("zeta"));
  EXPECT_NE(key.Error().find("zeta"), std::string::npos);
  key.WriteString("zeta", "again");
  EXPECT_EQ(key.ValueNames(), (std::vector<std::string>{"Alpha", "mid", "zeta"}));
}

TEST_F(RegistryTest, DeletesKeysWithTheirSubtreeOnly) {
  RegistryKey(Hive::CurrentUser, "Root\\A\\B\\C", true).WriteString("v", "1");
  RegistryKey(Hive::CurrentUser, "Root\\A\\B", true).WriteString("v", "2");
  RegistryKey(Hive::CurrentUser, "Root\\AB", true).WriteString("v", "sibling");
  RegistryKey(Hive::CurrentUser, "Root\\A]", true).WriteString("v", "sibling too");
  RegistryKey root(Hive::CurrentUser, "Root", false);

  EXPECT_TRUE(root.DeleteKey("a"));
  EXPECT_FALSE(RegistryKey::KeyExists(Hive::CurrentUser, "Root\\A\\B\\C"));
  EXPECT_FALSE(RegistryKey::KeyExists(Hive::CurrentUser, "Root\\A"));
  EXPECT_EQ(root.SubKeyNames(), (std::vector<std::string>{"AB", "A]"}));
  EXPECT_EQ(RegistryKey(Hive::CurrentUser, "Root\\AB", false).ReadString("v"), "sibling");
  // A key made again under the old name starts empty.
  EXPECT_EQ(RegistryKey(Hive::CurrentUser, "Root\\A\\B", true).ValueNames().size(), 0u);

  std::string error;
  EXPECT_FALSE(RegistryKey::DeleteKey(Hive::CurrentUser, "Root\\Missing", &error));
  EXPECT_NE(error.find("does not exist"), std::string::npos);
  EXPECT_FALSE(RegistryKey::DeleteKey(Hive::CurrentUser, "\\", &error));
  EXPECT_TRUE(RegistryKey::DeleteKey(Hive::CurrentUser, "ROOT", &error)) << error;
  EXPECT_EQ(RegistryKey(Hive::CurrentUser, "", false).SubKeyNames().size(), 0u);
}

TEST_F(RegistryTest, SeesWritesOfOtherConnectionsAtOnce) {
  RegistryKey reader(Hive::CurrentUser, "Shared", true);
  RegistryKey writer(Hive::CurrentUser, "shared", false);
  EXPECT_EQ(reader.ReadInteger("n", -1), -1);
  writer.WriteInteger("n", 1);
  EXPECT_EQ(reader.ReadInteger("n", -1), 1);
  // A key deleted elsewhere reads empty and is made again by the next write.
  ASSERT_TRUE(RegistryKey::DeleteKey(Hive::CurrentUser, "SHARED"));
  EXPECT_EQ(reader.ReadInteger("n", -1), -1);
  EXPECT_TRUE(writer.WriteInteger("n", 2));
  EXPECT_EQ(reader.ReadInteger("n", -1), 2);
}

TEST_F(RegistryTest, MissingKeysReadAsDefaults) {
  RegistryKey key(Hive::CurrentUser, "No\\Such\\Key", false);
  EXPECT_FALSE(key.IsOpen());
  EXPECT_FALSE(key.Error().empty());
  EXPECT_EQ(key.ReadString("x", "d"), "d");
  EXPECT_FALSE(key.WriteString("x", "lost"));
  EXPECT_FALSE(std::filesystem::exists(PathOf("registry")));   // not even the hive is made

  RegistryKey(Hive::CurrentUser, "Other", true);
  EXPECT_FALSE(key.Open(Hive::CurrentUser, "No\\Such\\Key", false));
  EXPECT_NE(key.Error().find("does not exist"), std::string::npos);
}

TEST_F(RegistryTest, KeyThatCannotBeCreatedReadsDefaultsAndSaysWhy) {
  // The registry folder's place is taken by a file.
  WriteFile("registry", "not a folder");
  RegistryKey key(Hive::CurrentUser, "Software\\Ravelin", true);
  EXPECT_FALSE(key.IsOpen());
  EXPECT_NE(key.Error().find(PathOf("registry")), std::string::npos) << key.Error();
  EXPECT_EQ(key.ReadInteger("n", 7), 7);
  EXPECT_FALSE(key.WriteInteger("n", 1));
  EXPECT_TRUE(key.Values().empty());
  EXPECT_EQ(ReadFile(PathOf("registry")), "not a folder");

  // The registry folder can't be made in a folder without write permission.
  std::filesystem::create_directories(PathOf("locked"));
  chmod(Dir().c_str(), 0755);
  chmod(PathOf("locked").c_str(), 0555);
  setenv("RAVELIN_REGISTRY_DIR", PathOf("locked/registry").c_str(), 1);
  EXPECT_TRUE(RunUnprivileged([] {
    RegistryKey locked(Hive::CurrentUser, "Software\\Ravelin", true);
    return !locked.IsOpen() && locked.Error().find("Permission denied") != std::string::npos &&
           locked.ReadString("s", "d") == "d" && !locked.WriteString("s", "v");
  }));
  EXPECT_FALSE(std::filesystem::exists(PathOf("locked/registry")));
}

TEST_F(RegistryTest, DamagedHiveFileReadsDefaultsAndIsLeftAlone) {
  const std::string hive = WriteFile("registry/HKCU.db", std::string(4096, 'x'));
  RegistryKey key(Hive::CurrentUser, "Software", true);
  EXPECT_FALSE(key.IsOpen());
  EXPECT_NE(key.Error().find("HKCU.db"), std::string::npos) << key.Error();
  EXPECT_EQ(key.ReadString("v", "d"), "d");
  EXPECT_FALSE(key.WriteString("v", "x"));
  EXPECT_EQ(ReadFile(hive), std::string(4096, 'x'));
  EXPECT_TRUE(RegistryKey(Hive::LocalMachine, "Software", true).IsOpen());   // the other hive is fine
}

TEST_F(RegistryTest, MovedKeysKeepWorking) {
  RegistryKey first(Hive::CurrentUser, "Moved", true);
  RegistryKey second(std::move(first));
  EXPECT_TRUE(second.WriteString("v", "1"));
  EXPECT_FALSE(first.IsOpen());   // NOLINT: a moved-from key is closed and reads defaults
  EXPECT_EQ(first.ReadString("v", "d"), "d");
  EXPECT_EQ(first.Error(), "");
  first = std::move(second);
  EXPECT_EQ(first.ReadString("v"), "1");
}

TEST_F(RegistryTest, ParsesRegistryFilesAndRejectsMalformedOnes) {
  std::vector<RegFileSection> sections;
  std::string error;
  ASSERT_TRUE(ParseRegistryText("\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n\r\n"
                                "[HKEY_LOCAL_MACHINE\\Software\\X]\r\n"
                                "\"a \\\"q\\\" \\\\ b\"=\"t=\\\"x\\\"\"\r\n@=dword:0000002A\r\n; note\r\n"
                                "[HKCU\\Y]\r\n",
                                sections, error))
      << error;
  ASSERT_EQ(sections.size(), 2u);
  EXPECT_EQ(sections[0].KeyHive, Hive::LocalMachine);
  EXPECT_EQ(sections[0].Path, "Software\\X");
  ASSERT_EQ(sections[0].Values.size(), 2u);
  EXPECT_EQ(sections[0].Values[0].Name, "a \"q\" \\ b");
  EXPECT_EQ(sections[0].Values[0].Text, "t=\"x\"");
  EXPECT_EQ(sections[0].Values[1].Name, "");
  EXPECT_EQ(sections[0].Values[1].DWord, 42u);
  EXPECT_EQ(sections[1].Path, "Y");

  const std::string header = "Windows Registry Editor Version 5.00\n\n";
  const std::vector<std::pair<std::string, std::string>> bad = {
      {"REGEDIT4\n", "line 1:"},
      {"", "line 1:"},
      {header + "\"v\"=\"x\"\n", "line 3:"},
      {header + "[HKCR\\x]\n", "line 3:"},
      {header + "[HKCU\\x\n", "line 3:"},
      {header + "[HKCU\\x]\n\"v\"=\"open\n", "line 4:"},
      {header + "[HKCU\\x]\n\"v\"=dword:123456789\n", "line 4:"},
      {header + "[HKCU\\x]\n\"v\"=dword:xyz\n", "line 4:"},
      {header + "[HKCU\\x]\n\"v\"=hex:00,01\n", "line 4:"},
      {header + "[HKCU\\x]\n\"v\"=\"a\\nb\"\n", "line 4:"},
      {header + "[HKCU\\x]\n\"v\"=\"a\" junk\n", "line 4:"},
      {header + "[HKCU\\x]\nv=\"a\"\n", "line 4:"},
  };
  for (const auto& [text, where] : bad) {
    EXPECT_FALSE(ParseRegistryText(text, sections, error)) << text;
    EXPECT_TRUE(error.starts_with(where)) << text << " -> " << error;
  }
}

// A text that spans lines is written as its bytes; a value name can't be, so it is refused.
TEST_F(RegistryTest, ExportRefusesValueNamesThatSpanLines) {
  RegistryKey(Hive::CurrentUser, "Multi", true).WriteString("text", "one\ntwo");
  std::string text, error;
  EXPECT_TRUE(ExportRegistryText(Hive::CurrentUser, "Multi", text, error)) << error;
  RegistryKey(Hive::CurrentUser, "Multi", true).WriteString("two\nlines", "x");
  EXPECT_FALSE(ExportRegistryText(Hive::CurrentUser, "Multi", text, error));
  EXPECT_NE(error.find("\"two\nlines\""), std::string::npos) << error;
  EXPECT_FALSE(ExportRegistryText(Hive::CurrentUser, "Missing", text, error));
}

// The user's hive holds their scrambled SourceSafe password: no other user may read it.
TEST_F(RegistryTest, UserHiveAndItsFolderArePrivate) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to act as two users";
  auto modeOf = [](const std::string& path) {
    struct stat info {};
    stat(path.c_str(), &info);
    return info.st_mode & 0777;
  };
  const mode_t oldMask = umask(0);
  // One left open by an earlier version is tightened when it is next opened; the machine hive is not.
  ASSERT_TRUE(RegistryKey(Hive::CurrentUser, "Software", true).WriteString("v", "1"));
  ASSERT_TRUE(RegistryKey(Hive::LocalMachine, "Software", true).WriteString("v", "1"));
  EXPECT_EQ(modeOf(PathOf("registry")), 0700u);
  EXPECT_EQ(modeOf(PathOf("registry/HKCU.db")), 0600u);
  EXPECT_NE(modeOf(PathOf("registry/HKLM.db")) & 0004, 0u);
  chmod(PathOf("registry").c_str(), 0755);
  chmod(PathOf("registry/HKCU.db").c_str(), 0644);
  EXPECT_EQ(RegistryKey(Hive::CurrentUser, "Software", false).ReadString("v", ""), "1");
  EXPECT_EQ(modeOf(PathOf("registry")), 0700u);
  EXPECT_EQ(modeOf(PathOf("registry/HKCU.db")), 0600u);

  // A user makes their hive in a folder everyone may write to; a second user can read none of it.
  chmod(Dir().c_str(), 0755);
  std::filesystem::create_directories(PathOf("shared"));
  chmod(PathOf("shared").c_str(), 0777);
  const std::string folder = PathOf("shared/registry");
  setenv("RAVELIN_REGISTRY_DIR", folder.c_str(), 1);
  EXPECT_TRUE(RunUnprivileged([] {
    return RegistryKey(Hive::CurrentUser, "Software\\Ravelin", true).WriteString("Password", "scrambled");
  }));
  EXPECT_TRUE(RunUnprivileged(
      [&] {
        FILE* file = fopen((folder + "/HKCU.db").c_str(), "rb");
        if (file) fclose(file);
        RegistryKey key(Hive::CurrentUser, "Software\\Ravelin", false);
        return !file && errno == EACCES && key.ReadString("Password", "none") == "none";
      },
      SecondUser));
  umask(oldMask);
}
