// The PostgreSQL store's own rules: a SQLite database copied onto a server reads the same through
// `ss`, the clients' login can change rows but not the schema, and a server that can't be reached
// or refuses the login is named in the error, within a bounded wait.
#include "VSSTestDatabase.h"

#include <arpa/inet.h>
#include <chrono>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "VSSTestContent.h"
#include "platform/Files.h"
#include "platform/Profile.h"
#include "vss/api/VSSErrors.h"
#include "vss/server/VSSAdmin.h"
#include "vss/server/VSSContent.h"
#include "vss/server/VSSIni.h"

namespace {

class VSSServer : public VSSTestDatabase {
protected:
  void SetUp() override {
    if (VSSTestServer::Superuser().empty()) GTEST_SKIP() << VSSTestServer::NoServer;
    VSSTestDatabase::SetUp();
  }
  // `ss` run as Alice on the database in `folder`.
  TProgramRun Ss(const std::string& folder, std::vector<std::string> arguments) {
    SetEnvironment("SSDIR", folder.c_str());
    SetEnvironment("SSUSER", "Alice");
    SetEnvironment("SSPWD", "alice-pw");
    arguments.insert(arguments.begin(), (BuildDir() / "sourcesafe" / "ss").string());
    return RunProgram(arguments, Dir().string());
  }
  static std::string ClientLogin(const std::string& folder) {
    return platform::ProfileFile(folder + "/srcsafe.ini").ReadString(VSSIni::Section, "Data_Source");
  }
  // Opening a database whose srcsafe.ini names `server`: the error's code and text, and how long it took.
  std::tuple<uint32_t, std::string, double> OpenServer(const std::string& server) {
    WriteFile("elsewhere/srcsafe.ini", "[SourceSafe]\nData_Path = data\nData_Source = " + server + "\n");
    platform::ForceDirectories(PathOf("elsewhere/data"));
    const auto start = std::chrono::steady_clock::now();
    try {
      OpenAt(PathOf("elsewhere"), "Admin", "");
    } catch (const EVSSAutomation& error) {
      const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
      return {error.ErrorCode(), error.what(), took.count()};
    }
    return {0, "opened", 0};
  }
};

TEST_F(VSSServer, ACopyOnTheServerReadsTheSameAndTakesNewChanges) {
  {
    auto admin = Open("Admin", "");
    admin->VSSItem("$/")->NewSubproject("App", "the application");
    admin->VSSItem("$/")->NewSubproject("Lib", "");
    auto main = AddFile(admin.Get(), "$/App", "main.cpp", "int main() {}\n");
    AddFile(admin.Get(), "$/App", "logo.bin", std::string("PNG\0\x01\xff binary", 14));
    AddFile(admin.Get(), "$/App", "big.bin", VSSTestContent(3, 2 * VSSContent::ChunkSize + 7));   // in chunks
    Revise(main.Get(), PathOf("admin/main.cpp"), "int main() { return 1; }\n", "returns one");
    main->Label("v1", "first release");
    Revise(main.Get(), PathOf("admin/main.cpp"), "int main() { return 2; }\n");
    admin->VSSItem("$/App")->Label("beta", "");
    admin->VSSItem("$/Lib")->Share(main.Get(), "shared", 0);
    AddFile(admin.Get(), "$/App", "old.cpp", "gone\n")->SetDeleted(true);
    auto alice = Open();
    alice->VSSItem("$/App")->SetLocalSpec(PathOf("alice"));
    alice->VSSItem("$/App/main.cpp")->Checkout("mine now", PathOf("alice/main.cpp"), 0);
  }
  VSSTestServer::Database server;
  const std::string copy = PathOf("copy");
  VSSAdmin::CreateDatabase(copy, server.Conninfo());
  VSSAdmin::CopyDatabase(DatabaseDir(), copy);

  const std::vector<std::vector<std::string>> reports{
      {"Dir", "$/", "-R", "-D"}, {"History", "$/", "-R"}, {"Status", "$/", "-R"}, {"Workfold", "$/App"}};
  for (const auto& report : reports) {
    const TProgramRun original = Ss(DatabaseDir(), report), copied = Ss(copy, report);
    EXPECT_EQ(copied.Out, original.Out) << report[0];
    EXPECT_EQ(copied.Code, original.Code) << report[0] << ": " << copied.Err;
  }
  EXPECT_EQ(VSSAdmin::Users(copy), VSSAdmin::Users(DatabaseDir()));
  auto from = Open(), to = OpenAt(copy + "/srcsafe.ini", "Alice", "alice-pw");
  for (const std::string spec : {"$/App/main.cpp", "$/App/logo.bin", "$/App/big.bin", "$/Lib/main.cpp"}) {
    const int32_t versions = from->VSSItem(spec)->VersionNumber();
    ASSERT_EQ(to->VSSItem(spec)->VersionNumber(), versions) << spec;
    for (int32_t number = 1; number <= versions; ++number) {
      std::string a = PathOf("a/" + std::to_string(number)), b = PathOf("b/" + std::to_string(number));
      from->VSSItem(spec)->Version(std::to_string(number))->Get(a, VSSFLAG_REPREPLACE);
      to->VSSItem(spec)->Version(std::to_string(number))->Get(b, VSSFLAG_REPREPLACE);
      EXPECT_EQ(ReadFile(b), ReadFile(a)) << spec << " version " << number;
    }
  }

  // The copy refuses a second copy and goes on taking changes (new rows get new ids).
  EXPECT_EQ(ErrorOf([&] { VSSAdmin::CopyDatabase(DatabaseDir(), copy); }), VSSError::AlreadyExists);
  AddFile(to.Get(), "$/Lib", "new.cpp", "new\n");
  to->VSSItem("$/App/main.cpp")->Checkin("done", PathOf("alice/main.cpp"), 0);
  EXPECT_EQ(Ss(copy, {"Dir", "$/Lib"}).Out.find("new.cpp") != std::string::npos, true);
  EXPECT_EQ(to->VSSItem("$/App/main.cpp")->IsCheckedOut(), VSSFILE_NOTCHECKEDOUT);
}

TEST_F(VSSServer, TheClientsLoginChangesRowsButNotTheSchema) {
  VSSTestServer::Database server;
  VSSAdmin::CreateDatabase(PathOf("team"), server.Conninfo());
  const std::string login = ClientLogin(PathOf("team"));
  ASSERT_NE(login.find("password="), std::string::npos) << login;
  std::string error;
  EXPECT_TRUE(VSSTestServer::Run("UPDATE users SET current_project = '$/'", error, login)) << error;
  for (const char* change : {"DROP TABLE versions", "CREATE TABLE extra(x int)", "ALTER TABLE users ADD x int",
                             "TRUNCATE versions"})
    EXPECT_FALSE(VSSTestServer::Run(change, error, login)) << change;
  // A second store in the same database is refused.
  EXPECT_EQ(ErrorOf([&] { VSSAdmin::CreateDatabase(PathOf("again"), server.Conninfo()); }), VSSError::AlreadyExists);
}

TEST_F(VSSServer, AServerThatCannotServeIsNamedWithinABoundedWait) {
  // Nothing listens; the login doesn't exist; a server that accepts but never answers.
  const int silent = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof address;
  ASSERT_EQ(::bind(silent, reinterpret_cast<sockaddr*>(&address), size), 0);
  ASSERT_EQ(::listen(silent, 4), 0);
  ::getsockname(silent, reinterpret_cast<sockaddr*>(&address), &size);
  const std::string port = std::to_string(ntohs(address.sin_port));
  const int closed = ::socket(AF_INET, SOCK_STREAM, 0);
  address.sin_port = 0;
  ::bind(closed, reinterpret_cast<sockaddr*>(&address), sizeof address);
  ::getsockname(closed, reinterpret_cast<sockaddr*>(&address), &size);
  const std::string closedPort = std::to_string(ntohs(address.sin_port));   // bound, not listening

  const struct {
    std::string Server, Says;
  } cases[] = {
      {"host=127.0.0.1 port=" + closedPort + " dbname=team", "server 127.0.0.1:" + closedPort},
      {VSSTestServer::Superuser() + " user=nobody_here", "nobody_here"},
      {"postgresql://127.0.0.1:" + port + "/team", "server 127.0.0.1:" + port},
  };
  for (const auto& bad : cases) {
    const auto [code, says, seconds] = OpenServer(bad.Server);
    EXPECT_EQ(code, VSSError::DatabaseNotFound) << says;
    EXPECT_NE(says.find("Cannot connect to the SourceSafe database"), std::string::npos) << says;
    EXPECT_NE(says.find(bad.Says), std::string::npos) << says;
    EXPECT_LT(seconds, 15.0) << says;
  }
  ::close(silent);
  ::close(closed);
}

} // namespace
