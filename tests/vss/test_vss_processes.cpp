// Several processes on one database: a check-out race has exactly one winner, and a process killed
// in the middle of check-ins leaves every version whole and its local copy as the database says.
#include "VSSTestDatabase.h"

#include <chrono>
#include <csignal>
#include <thread>

#include "VSSTestContent.h"
#include "platform/Files.h"
#include "platform/Process.h"

namespace {

constexpr size_t LargeFile = 3 * 1024 * 1024;

template <class F>
bool WaitUntil(F&& condition, int seconds = 60) {
  const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > limit) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

class VSSProcesses : public VSSTestDatabase {
protected:
  bool Start(platform::Process& process, const std::vector<std::string>& arguments) {
    std::vector<std::string> command{VSS_TEST_HELPER};
    command.insert(command.end(), arguments.begin(), arguments.end());
    return process.Start(command);
  }
  int Progress(const std::string& file) {
    std::string text;
    return platform::ReadFile(file, text) && !text.empty() ? std::stoi(text) : 0;
  }
};

TEST_F(VSSProcesses, ACheckoutRaceHasExactlyOneWinner) {
  AddFile(Open().Get(), "$/", "contested.cpp", "shared work\n");
  const std::string go = PathOf("go");
  platform::Process alice, bob;
  ASSERT_TRUE(Start(alice, {"checkout", IniPath(), "Alice", "alice-pw", "$/contested.cpp", PathOf("alice/c.cpp"), go}));
  ASSERT_TRUE(Start(bob, {"checkout", IniPath(), "Bob", "bob-pw", "$/contested.cpp", PathOf("bob/c.cpp"), go}));
  ASSERT_TRUE(alice.WaitStarted(10000) && bob.WaitStarted(10000));
  WriteFile("go", "");
  const int aliceCode = alice.Wait(60000), bobCode = bob.Wait(60000);

  ASSERT_TRUE((aliceCode == 0 && bobCode == 3) || (aliceCode == 3 && bobCode == 0)) << aliceCode << " " << bobCode;
  auto item = Open("Admin", "")->VSSItem("$/contested.cpp");
  ASSERT_EQ(item->Checkouts()->Count(), 1);
  const std::string winner = aliceCode == 0 ? "Alice" : "Bob";
  EXPECT_EQ(item->Checkouts()->Item(1)->Username(), winner);
  EXPECT_EQ(item->VersionNumber(), 1);
  // The loser's local copy was never written.
  EXPECT_EQ(platform::FileExists(PathOf("alice/c.cpp")), winner == "Alice");
  EXPECT_EQ(platform::FileExists(PathOf("bob/c.cpp")), winner == "Bob");
}

TEST_F(VSSProcesses, AProcessKilledDuringCheckinsLeavesEveryVersionWhole) {
  AddFile(Open().Get(), "$/", "big.bin", VSSTestContent(0, LargeFile));
  const std::string local = PathOf("helper/big.bin");
  const std::string progress = PathOf("progress");
  int done = 0;
  for (int round = 0; round < 3; ++round) {
    platform::Process helper;
    ASSERT_TRUE(Start(helper, {"checkin-loop", IniPath(), "Alice", "alice-pw", "$/big.bin", local,
                               std::to_string(LargeFile), progress}));
    ASSERT_TRUE(WaitUntil([&] { return Progress(progress) >= done + 2; })) << "the helper made no progress";
    ::kill(helper.Pid(), SIGKILL);
    helper.Wait(60000);
    done = Progress(progress);
  }

  auto db = Open("Admin", "");   // a fresh open after the kills works
  auto item = db->VSSItem("$/big.bin");
  const int32_t versions = item->VersionNumber();
  EXPECT_GE(versions, done);
  EXPECT_LE(versions, done + 1);   // at most the check-in that was under way when killed
  for (int32_t number = 1; number <= versions; ++number) {
    std::string target = PathOf("check/v" + std::to_string(number));
    item->Version(std::to_string(number))->Get(target, 0);
    ASSERT_EQ(ReadFile(target), VSSTestContent(number - 1, LargeFile)) << "version " << number;
  }

  if (!OnServer()) {
    EXPECT_EQ(StoreColumn("PRAGMA integrity_check"), std::vector<std::string>{"ok"});
  }

  // The database goes on working: the helper's check-out can be undone and a new version made.
  auto alice = Open()->VSSItem("$/big.bin");
  if (alice->IsCheckedOut() == VSSFILE_CHECKEDOUT_ME) alice->UndoCheckout(PathOf("undo.bin"), VSSFLAG_DELYES);
  alice->Checkout("", local, VSSFLAG_REPREPLACE);
  WriteFile("helper/big.bin", "small at last");
  alice->Checkin("", local, 0);
  EXPECT_EQ(alice->VersionNumber(), versions + 1);
}

// A check-in killed just before or just after its local copy turns read-only: either way the copy's
// state follows the database by the next status read.
TEST_F(VSSProcesses, ACheckinKilledAsItsCopyTurnsReadOnlyLeavesTheCopyAsTheDatabaseSays) {
  for (const std::string when : {"before", "after"}) {
    const std::string spec = "$/" + when + ".cpp", local = PathOf("alice/" + when + ".cpp");
    auto file = AddFile(Open().Get(), "$/", when + ".cpp", "first\n");
    file->Checkout("", local, 0);
    WriteFile("alice/" + when + ".cpp", "second\n");
    SetEnvironment("RAVELIN_TEST_KILL_AT_READ_ONLY", when.c_str());
    platform::Process helper;
    ASSERT_TRUE(Start(helper, {"checkin", IniPath(), "Alice", "alice-pw", spec, local}));
    helper.Wait(60000);
    SetEnvironment("RAVELIN_TEST_KILL_AT_READ_ONLY", nullptr);
    const bool checkedOut = Open()->VSSItem(spec)->IsCheckedOut() == VSSFILE_CHECKEDOUT_ME;
    EXPECT_EQ(Writable(local), checkedOut) << "killed " << when;
  }
}

TEST_F(VSSProcesses, ADatabaseLockedTooLongRefusesChangesClearly) {
  auto item = AddFile(Open().Get(), "$/", "a.cpp", "a");
  auto other = Store();
  other->Write([&] {
    try {
      item->Checkout("", PathOf("work2/a.cpp"), 0);
      ADD_FAILURE() << "changed a locked database";
    } catch (const EVSSAutomation& error) {
      EXPECT_EQ(error.ErrorCode(), VSSError::DatabaseBusy);
      EXPECT_NE(error.Message().find("busy"), std::string::npos);
    }
    EXPECT_EQ(item->IsCheckedOut(), VSSFILE_NOTCHECKEDOUT);   // reading still works meanwhile
    EXPECT_FALSE(platform::FileExists(PathOf("work2/a.cpp")));
  });
  item->Checkout("", PathOf("work2/a.cpp"), 0);
  EXPECT_EQ(item->IsCheckedOut(), VSSFILE_CHECKEDOUT_ME);
}

} // namespace
