#include "VSSTestServer.h"

#include <atomic>
#include <cstdlib>
#include <libpq-fe.h>
#include <stdexcept>
#include <unistd.h>

namespace VSSTestServer {

bool Wanted() {
  const char* store = std::getenv("RAVELIN_VSS_STORE");
  return store && std::string(store) == "postgres";
}

std::string Superuser() {
  const char* conninfo = std::getenv("RAVELIN_TEST_POSTGRES");
  return conninfo ? conninfo : "";
}

bool Run(const std::string& sql, std::string& error, const std::string& conninfo) {
  PGconn* conn = PQconnectdb((conninfo.empty() ? Superuser() : conninfo).c_str());
  bool ok = PQstatus(conn) == CONNECTION_OK;
  if (ok) {
    PGresult* result = PQexec(conn, sql.c_str());
    ok = PQresultStatus(result) == PGRES_COMMAND_OK || PQresultStatus(result) == PGRES_TUPLES_OK;
    PQclear(result);
  }
  if (!ok) error = PQerrorMessage(conn);
  PQfinish(conn);
  return ok;
}

Database::Database() {
  static std::atomic<int> count{0};
  FName = "vss_" + std::to_string(::getpid()) + "_" + std::to_string(++count);
  FConninfo = Superuser() + " dbname=" + FName;
  std::string error;
  if (!Run("CREATE DATABASE " + FName, error)) throw std::runtime_error("Cannot make a test database: " + error);
}

Database::~Database() {
  std::string error;
  Run("DROP DATABASE IF EXISTS " + FName + " WITH (FORCE)", error);
  Run("DROP ROLE IF EXISTS " + FName + "_sourcesafe", error);
}

} // namespace VSSTestServer
