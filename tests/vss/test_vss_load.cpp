// Twenty processes check out, check in and label the files of one project on a PostgreSQL server
// for a bounded time, while one of them is killed and the server is stopped at once and started
// again: every check-out had exactly one holder, every acknowledged version and label is there
// with its content, and the clients carried on.
#include <chrono>
#include <csignal>
#include <map>
#include <set>
#include <sstream>
#include <thread>

#include "TempDirTest.h"
#include "VSSTestServer.h"
#include "platform/Files.h"
#include "platform/Process.h"
#include "vss/api/VSSErrors.h"
#include "vss/api/VSSFlags.h"
#include "vss/server/VSSAdmin.h"
#include "vss/server/VSSDatabaseObject.h"

namespace {

constexpr int Clients = 20;
constexpr int Files = 6;
constexpr int Seconds = 14;

class VSSLoad : public TempDirTest {
protected:
  void SetUp() override {
    TempDirTest::SetUp();
    if (VSSTestServer::Superuser().empty()) GTEST_SKIP() << VSSTestServer::NoServer;
    // A server of its own: the others' tests must not see it restart.
    const TProgramRun started = RunProgram({Script(), "start"});
    ASSERT_EQ(started.Code, 0) << started.Err;
    std::istringstream lines(started.Out);
    std::getline(lines, FServerDir);
    std::getline(lines, FConninfo);
    std::string error;
    ASSERT_TRUE(VSSTestServer::Run("CREATE DATABASE load", error, FConninfo)) << error;
    VSSAdmin::CreateDatabase(PathOf("db"), FConninfo + " dbname=load");
    for (int client = 0; client < Clients; ++client) VSSAdmin::AddUser(PathOf("db"), "U" + std::to_string(client));
    VSSPtr<IVSSDatabase> db(new VSSDatabaseObject());
    db->Open(PathOf("db"), "Admin", "");
    db->VSSItem("$/")->NewSubproject("P", "");
    for (int file = 0; file < Files; ++file) {
      const std::string name = "f" + std::to_string(file) + ".txt";
      db->VSSItem("$/P")->Add(WriteFile("seed/" + name, "seed prev=none\n"), "", 0);
    }
  }
  void TearDown() override {
    if (!FServerDir.empty()) RunProgram({Script(), "stop", FServerDir});
    TempDirTest::TearDown();
  }
  static std::string Script() { return RAVELIN_SOURCE_DIR "/scripts/test-postgres"; }
  bool Start(platform::Process& process, int client, int seconds) {
    const std::string id = std::to_string(client);
    platform::ForceDirectories(PathOf("c" + id));
    return process.Start({VSS_TEST_HELPER, "load", PathOf("db"), "U" + id, "", "$/P", PathOf("c" + id),
                          std::to_string(seconds), PathOf("log" + id)});
  }

  std::string FServerDir, FConninfo;
};

TEST_F(VSSLoad, EveryAcknowledgedChangeSurvivesAKilledClientAndAServerRestart) {
  const auto start = std::chrono::steady_clock::now();
  auto at = [&](int seconds) { std::this_thread::sleep_until(start + std::chrono::seconds(seconds)); };
  platform::Process clients[Clients];
  for (int client = 0; client < Clients; ++client) ASSERT_TRUE(Start(clients[client], client, Seconds));
  at(4);
  ::kill(clients[7].Pid(), SIGKILL);
  EXPECT_EQ(clients[7].Wait(10000), 128 + SIGKILL);
  ASSERT_TRUE(Start(clients[7], 7, Seconds - 5));   // the same user again: it gives back what it held
  at(7);
  const TProgramRun restarted = RunProgram({Script(), "restart", FServerDir});
  ASSERT_EQ(restarted.Code, 0) << restarted.Err;
  for (auto& client : clients) EXPECT_EQ(client.Wait(120000), 0) << "a client failed (see its stderr)";

  // What the clients were told.
  std::map<std::string, std::set<std::string>> checkedIn, labelled;   // spec -> tokens, labels
  size_t errors = 0, versions = 0, labels = 0;
  for (int client = 0; client < Clients; ++client) {
    std::istringstream log(ReadFile(PathOf("log" + std::to_string(client))));
    for (std::string kind, spec, rest; log >> kind && std::getline(log, rest);) {
      std::istringstream words(rest);
      words >> spec;
      if (kind == "in") versions += checkedIn[spec].insert(rest.substr(rest.rfind(' ') + 1)).second;
      if (kind == "label") labels += labelled[spec].insert(rest.substr(rest.rfind(' ') + 1)).second;
      if (kind == "error") {
        ++errors;
        EXPECT_TRUE(rest.find("SourceSafe database load on server") != std::string::npos ||
                    rest.find("The database is busy") != std::string::npos)
            << rest;
      }
    }
  }
  EXPECT_GT(versions, 0u);
  std::printf("%zu check-ins and %zu labels acknowledged, %zu errors reported\n", versions, labels, errors);

  // What the database holds: each file's contents form one chain (each version built on the one
  // before it, so no two clients ever held a check-out at once), holding every acknowledged one.
  VSSPtr<IVSSDatabase> db(new VSSDatabaseObject());
  db->Open(PathOf("db"), "Admin", "");
  for (int file = 0; file < Files; ++file) {
    const std::string spec = "$/P/f" + std::to_string(file) + ".txt";
    VSSPtr<IVSSItem> item = db->VSSItem(spec);
    std::string previous = "seed";
    std::set<std::string> stored;
    for (int32_t number = 2; number <= item->VersionNumber(); ++number) {
      std::string local = PathOf("check/" + std::to_string(number));
      item->Version(std::to_string(number))->Get(local, VSSFLAG_REPREPLACE);
      const std::string content = ReadFile(local);
      const std::string token = content.substr(0, content.find(' '));
      if (token == previous) continue;   // a label's version: the same content
      EXPECT_EQ(content, token + " prev=" + previous + "\n") << spec << " version " << number;
      stored.insert(token);
      previous = token;
    }
    for (const std::string& token : checkedIn[spec]) EXPECT_TRUE(stored.contains(token)) << spec << " lost " << token;
    for (const std::string& label : labelled[spec]) {
      try {
        item->Version(label);
      } catch (const EVSSAutomation& error) {
        ADD_FAILURE() << spec << " lost the label " << label << ": " << error.what();
      }
    }
    EXPECT_LE(item->Checkouts()->Count(), 1) << spec;
  }
}

} // namespace
