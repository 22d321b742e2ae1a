#pragma once
// Administration of SourceSafe databases (what ssadmin does): creating a database, its users and
// options, and SourceSafe's registry entries for databases and the automation server. `database`
// arguments name the folder holding srcsafe.ini, or that srcsafe.ini itself. Failures raise
// EVSSAutomation (unknown database or user, name taken, bad name) or, for the server, EVSSSystemError.
#include <string>
#include <utility>
#include <vector>

namespace VSSAdmin {

// The srcsafe.ini path of a database given as a folder or as the ini file itself.
std::string IniPathOf(const std::string& database);

// Makes a new database in `folder` (created when missing; an existing database there is refused):
// srcsafe.ini with Data_Path = data, the store in data/, the root project "$/" and the user Admin
// with an empty password. With `server` (a PostgreSQL connection string, as a role that may make
// tables and roles), the store is made in that empty database instead, with a login role for the
// clients, and srcsafe.ini names it in Data_Source.
void CreateDatabase(const std::string& folder, const std::string& server = {});
// Copies everything in the database `source` (items, versions and contents, labels, shares,
// deleted items, users, check-outs, working folders) into `destination`, which must hold no more
// than CreateDatabase made; in one transaction, so a failed copy leaves it as it was.
void CopyDatabase(const std::string& source, const std::string& destination);

void AddUser(const std::string& database, const std::string& user, const std::string& password = {});
void DeleteUser(const std::string& database, const std::string& user);   // Admin can't be deleted
void SetPassword(const std::string& database, const std::string& user, const std::string& password);
std::vector<std::string> Users(const std::string& database);              // in name order

// The Multiple_Checkouts option of srcsafe.ini.
void SetMultipleCheckouts(const std::string& database, bool allow);
bool MultipleCheckouts(const std::string& database);

// SourceSafe's registry (HKLM Software\Microsoft\SourceSafe): the Databases list (name -> folder)
// and, with makeCurrent, "API Current Database" and "Current Database".
void RegisterDatabase(const std::string& name, const std::string& database, bool makeCurrent = true);
void UnregisterDatabase(const std::string& name);
std::vector<std::pair<std::string, std::string>> RegisteredDatabases();   // (name, folder)

// Registers the automation server libssapi.so found in `installDir` (by calling its
// DllRegisterServer) and sets SCCServerPath to `installDir`/libssscc.so.
void InstallServer(const std::string& installDir);

} // namespace VSSAdmin
