#pragma once
// The store the SourceSafe tests run against: RAVELIN_VSS_STORE=postgres makes each test's database
// on the PostgreSQL server whose superuser connection string is in RAVELIN_TEST_POSTGRES
// (scripts/test starts a throw-away one); otherwise the SQLite store.
#include <string>

namespace VSSTestServer {

bool Wanted();            // the tests should use the PostgreSQL store
std::string Superuser();  // RAVELIN_TEST_POSTGRES, or empty when no server was started
// Why a test of the PostgreSQL store can't run here.
inline constexpr const char* NoServer =
    "no PostgreSQL server for the tests: RAVELIN_TEST_POSTGRES is not set (scripts/test starts one)";

// A fresh, empty database on the server, dropped again (with the login role the store made for it)
// when this ends.
class Database {
public:
  Database();
  ~Database();
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;
  // Its connection string, as the superuser.
  const std::string& Conninfo() const { return FConninfo; }

private:
  std::string FName, FConninfo;
};

// Runs `sql` on the server as the superuser (on its maintenance database, or on `conninfo`);
// false with the server's message in `error` on failure.
bool Run(const std::string& sql, std::string& error, const std::string& conninfo = {});

} // namespace VSSTestServer
