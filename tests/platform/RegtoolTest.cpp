#include "platform/Process.h"
#include "platform/Registry.h"

#include "TempDirTest.h"

#include <array>

using namespace platform;
using Args = std::vector<std::string>;

// Each call is a separate regtool process working on this test's registry.
class RegtoolTest : public TempDirTest {
protected:
  TProgramRun Run(Args args) const {
    args.insert(args.begin(), RAVELIN_REGTOOL);
    return RunProgram(args);
  }

  // A failure: the expected code and one line of explanation.
  void ExpectFailure(const Args& args, int code) const {
    const TProgramRun outcome = Run(args);
    EXPECT_EQ(outcome.Code, code) << args[0];
    EXPECT_EQ(outcome.Out, "");
    EXPECT_TRUE(outcome.Err.starts_with("regtool: ") && outcome.Err.find('\n') == outcome.Err.size() - 1)
        << outcome.Err;
  }
};

TEST_F(RegtoolTest, ValuesWrittenByOneProcessAreReadByTheNext) {
  ASSERT_EQ(Run({"set", "HKCU\\Software\\Ravelin", "Name", "--string", "a \"b\" \\c"}).Code, 0);
  ASSERT_EQ(Run({"set", "HKCU\\Software\\Ravelin", "Count", "--dword", "42"}).Code, 0);
  ASSERT_EQ(Run({"set", "HKCU\\Software\\Ravelin", "", "--string", "default"}).Code, 0);
  ASSERT_EQ(Run({"set", "HKCU\\Software\\Ravelin", "Max", "--dword", "4294967295"}).Code, 0);
  ASSERT_EQ(Run({"set", "HKCU\\Software\\Ravelin", "Count", "--dword", "-1"}).Code, 0);

  TProgramRun all = Run({"query", "HKCU\\Software\\Ravelin"});
  EXPECT_EQ(all.Code, 0);
  EXPECT_EQ(all.Out, "Name\tREG_SZ\ta \"b\" \\c\nCount\tREG_DWORD\t4294967295\n(Default)\tREG_SZ\tdefault\n"
                     "Max\tREG_DWORD\t4294967295\n");
  EXPECT_EQ(Run({"query", "HKCU\\Software\\Ravelin", ""}).Out, "(Default)\tREG_SZ\tdefault\n");

  // This process sees what regtool wrote, and regtool what this process writes.
  RegistryKey key(Hive::CurrentUser, "Software\\Ravelin", false);
  EXPECT_EQ(key.ReadInteger("Count"), -1);
  EXPECT_TRUE(key.WriteString("Count", "changed here"));
  EXPECT_EQ(Run({"query", "HKCU\\Software\\Ravelin", "count"}).Out, "Count\tREG_SZ\tchanged here\n");

  ASSERT_EQ(Run({"delete", "HKCU\\Software\\Ravelin", "NAME"}).Code, 0);
  EXPECT_FALSE(key.ValueExists("Name"));
  ASSERT_EQ(Run({"delete", "HKCU\\Software"}).Code, 0);
  EXPECT_FALSE(RegistryKey::KeyExists(Hive::CurrentUser, "Software\\Ravelin"));
}

TEST_F(RegtoolTest, ConcurrentWritersAllLand) {
  // Started together on a registry that doesn't exist yet: they also race to create the hive.
  std::array<Process, 6> writers;
  for (size_t i = 0; i < writers.size(); ++i)
    ASSERT_TRUE(writers[i].Start(Args{RAVELIN_REGTOOL, "set", "HKCU\\Busy\\Sub" + std::to_string(i % 2),
                                      "v" + std::to_string(i), "--dword", std::to_string(i)}));
  for (Process& writer : writers) EXPECT_EQ(writer.Wait(30000), 0);
  size_t values = 0;
  for (const char* key : {"Busy\\Sub0", "Busy\\Sub1"}) values += RegistryKey(Hive::CurrentUser, key, false).Values().size();
  EXPECT_EQ(values, writers.size());
}

TEST_F(RegtoolTest, ExportedSubtreesImportUnchanged) {
  {
    RegistryKey top(Hive::CurrentUser, "Software\\Ravelin\\Projects", true);
    top.WriteString("Path", "C:\\Proj\\\"quoted\"");
    top.WriteInteger("Count", 42);
    top.WriteString("", "default");
    RegistryKey zeta(Hive::CurrentUser, "Software\\Ravelin\\Projects\\Zeta", true);
    zeta.WriteString("Ärger", "ü");
    zeta.WriteString("Masks", "*.b\r\n€\r\n");   // lines: their UTF-16 bytes
    RegistryKey(Hive::CurrentUser, "Software\\Ravelin\\Projects\\Alpha\\Deep", true).WriteInteger("n", -2);
    RegistryKey(Hive::CurrentUser, "Software\\Other", true).WriteString("outside", "x");
  }
  ASSERT_EQ(Run({"export", "hkcu\\software\\ravelin\\projects", PathOf("first.reg")}).Code, 0);
  const std::string first = ReadFile(PathOf("first.reg"));
  EXPECT_EQ(first,
            "Windows Registry Editor Version 5.00\n\n"
            "[HKEY_CURRENT_USER\\Software\\Ravelin\\Projects]\n"
            "\"Path\"=\"C:\\\\Proj\\\\\\\"quoted\\\"\"\n\"Count\"=dword:0000002a\n@=\"default\"\n\n"
            "[HKEY_CURRENT_USER\\Software\\Ravelin\\Projects\\Zeta]\n\"Ärger\"=\"ü\"\n"
            "\"Masks\"=hex(1):2a,00,2e,00,62,00,0d,00,0a,00,ac,20,0d,00,0a,00,00,00\n\n"
            "[HKEY_CURRENT_USER\\Software\\Ravelin\\Projects\\Alpha]\n\n"
            "[HKEY_CURRENT_USER\\Software\\Ravelin\\Projects\\Alpha\\Deep]\n\"n\"=dword:fffffffe\n\n");

  ASSERT_EQ(Run({"delete", "HKCU\\Software\\Ravelin\\Projects"}).Code, 0);
  EXPECT_EQ(Run({"query", "HKCU\\Software\\Ravelin\\Projects\\Zeta"}).Code, 1);
  ASSERT_EQ(Run({"import", PathOf("first.reg")}).Code, 0);
  ASSERT_EQ(Run({"export", "HKCU\\Software\\Ravelin\\Projects", PathOf("second.reg")}).Code, 0);
  EXPECT_EQ(ReadFile(PathOf("second.reg")), first);

  // A file saved with CRLF line ends and a byte-order mark imports the same.
  std::string windows = "\xEF\xBB\xBF";
  for (const char c : first) windows += c == '\n' ? std::string("\r\n") : std::string(1, c);
  WriteFile("windows.reg", windows);
  ASSERT_EQ(Run({"delete", "HKCU\\Software\\Ravelin"}).Code, 0);
  ASSERT_EQ(Run({"import", PathOf("windows.reg")}).Code, 0);
  ASSERT_EQ(Run({"export", "HKCU\\Software\\Ravelin\\Projects", PathOf("third.reg")}).Code, 0);
  EXPECT_EQ(ReadFile(PathOf("third.reg")), first);
  EXPECT_EQ(Run({"query", "HKCU\\Software\\Other", "outside"}).Code, 0);   // outside the subtree: untouched
}

TEST_F(RegtoolTest, MalformedImportWritesNothing) {
  const std::string file = WriteFile("bad.reg",
                                     "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Good]\n"
                                     "\"a\"=\"1\"\n\n[HKEY_CURRENT_USER\\Bad]\n\"b\"=dword:zz\n");
  const TProgramRun outcome = Run({"import", file});
  EXPECT_EQ(outcome.Code, 2);
  EXPECT_NE(outcome.Err.find("line 7"), std::string::npos) << outcome.Err;
  EXPECT_FALSE(RegistryKey::KeyExists(Hive::CurrentUser, "Good"));
  ExpectFailure({"import", PathOf("missing.reg")}, 2);
}

TEST_F(RegtoolTest, ExitCodesTellSuccessMissingAndBadUsage) {
  const TProgramRun help = Run({"--help"});
  EXPECT_EQ(help.Code, 0);
  EXPECT_TRUE(help.Out.starts_with("Usage: regtool query KEY [NAME]")) << help.Out;

  ASSERT_EQ(Run({"set", "HKCU\\K", "v", "--string", "x"}).Code, 0);
  ExpectFailure({"query", "HKCU\\Missing"}, 1);
  ExpectFailure({"query", "HKCU\\K", "missing"}, 1);
  ExpectFailure({"delete", "HKCU\\K", "missing"}, 1);
  ExpectFailure({"delete", "HKCU\\Missing"}, 1);
  ExpectFailure({"export", "HKCU\\Missing", PathOf("x.reg")}, 1);
  EXPECT_FALSE(std::filesystem::exists(PathOf("x.reg")));

  ExpectFailure({}, 2);
  ExpectFailure({"frobnicate"}, 2);
  ExpectFailure({"query"}, 2);
  ExpectFailure({"query", "HKCR\\K"}, 2);
  ExpectFailure({"query", "HKCU\\K", "v", "extra"}, 2);
  ExpectFailure({"set", "HKCU\\K", "v"}, 2);
  ExpectFailure({"set", "HKCU\\K", "v", "--text", "x"}, 2);
  ExpectFailure({"set", "HKCU\\K", "v", "--dword", "12x"}, 2);
  ExpectFailure({"set", "HKCU\\K", "v", "--dword", "4294967296"}, 2);
  ExpectFailure({"delete", "HKCU"}, 2);
  ExpectFailure({"export", "HKCU\\K"}, 2);
  ExpectFailure({"import"}, 2);
  EXPECT_EQ(Run({"query", "HKCU\\K"}).Out, "v\tREG_SZ\tx\n");   // nothing changed on the way
}
