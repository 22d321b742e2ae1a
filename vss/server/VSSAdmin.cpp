#include "vss/server/VSSAdmin.h"

#include <dlfcn.h>
#include <unistd.h>

#include "platform/Files.h"
#include "platform/Text.h"
#include "vss/api/CoVSSDatabase.h"
#include "vss/api/VSSErrors.h"
#include "vss/server/VSSIni.h"
#include "vss/server/VSSPassword.h"
#include "vss/server/VSSRegistry.h"
#include "vss/server/VSSStore.h"
#include "vss/server/VSSTree.h"

namespace VSSAdmin {

namespace {

constexpr const char* AdminUser = "Admin";
constexpr size_t MaxUserNameLength = 31;
constexpr const char* DataFolder = "data";

std::unique_ptr<VSSStore> OpenStore(const std::string& database) {
  return VSSStore::Open(IniPathOf(database));
}

void CheckUserName(const std::string& user) {
  bool valid = !user.empty() && platform::Trim(user) == user && VSSPassword::Length(user) <= MaxUserNameLength;
  for (unsigned char c : user) valid = valid && c >= 0x20 && c != 0x7F && c != ',' && c != ';' && c != '"';
  if (!valid) throw EVSSAutomation("\"" + user + "\" is not a valid user name", VSSError::InvalidName);
}

void CheckPassword(const std::string& password) {
  if (VSSPassword::Length(password) > VSSPassword::MaxLength)
    throw EVSSAutomation("A password can have at most 128 characters", VSSError::Overflow);
}

void InsertUser(VSSStore& store, const std::string& user, const std::string& password) {
  if (store.QueryInt("SELECT id FROM users WHERE folded = ?", platform::FoldCase(user)))
    throw EVSSAutomation("User \"" + user + "\" already exists", VSSError::AlreadyExists);
  store.Execute("INSERT INTO users(name, folded, password) VALUES(?, ?, ?)", user, platform::FoldCase(user),
                VSSPassword::Hash(password));
}

int64_t UserId(VSSStore& store, const std::string& user) {
  const auto id = store.QueryInt("SELECT id FROM users WHERE folded = ?", platform::FoldCase(user));
  if (!id) throw EVSSAutomation("User \"" + user + "\" not found", VSSError::UserNotFound);
  return *id;
}

// Copies every row of `table`, in the order of its first column (ids, so a row comes after the
// rows it refers to); columns by name, values as stored.
void CopyRows(VSSStore& from, VSSStore& to, const std::string& table) {
  VSSStore::Statement rows(from, ("SELECT * FROM " + table + " ORDER BY 1").c_str());
  std::string insert;
  while (rows.Step("reading the database to copy")) {
    VSSStoreCursor& row = rows.Cursor();
    if (insert.empty()) {
      std::string columns, values;
      for (int column = 0; column < row.Columns(); ++column) {
        columns += (column ? ", \"" : "\"") + row.ColumnName(column) + "\"";
        values += column ? ", ?" : "?";
      }
      insert = "INSERT INTO " + table + "(" + columns + ") VALUES(" + values + ")";
    }
    VSSStore::Statement copy(to, insert.c_str());
    for (int column = 0; column < row.Columns(); ++column) {
      switch (row.KindOf(column)) {
      case VSSStoreCursor::Kind::Null: copy.BindNull(column + 1); break;
      case VSSStoreCursor::Kind::Int: copy.Bind(column + 1, row.Int(column)); break;
      case VSSStoreCursor::Kind::Blob: copy.BindBlob(column + 1, row.Text(column)); break;
      case VSSStoreCursor::Kind::Text: copy.Bind(column + 1, row.Text(column)); break;
      }
    }
    copy.Run("copying into the database");
  }
}

void RemoveStoreFiles(const std::string& file) {
  for (const char* suffix : {"", "-wal", "-shm"}) ::unlink((file + suffix).c_str());
}

} // namespace

std::string IniPathOf(const std::string& database) { return VSSIni::IniPathOf(database); }

void CreateDatabase(const std::string& folderIn, const std::string& server) {
  const std::string folder = platform::ExcludeTrailingPathDelimiter(platform::ExpandFileName(folderIn));
  const std::string ini = platform::IncludeTrailingPathDelimiter(folder) + VSSIni::FileName;
  const std::string data = platform::IncludeTrailingPathDelimiter(folder) + DataFolder;
  if (platform::FileExists(ini)) throw EVSSAutomation("A database already exists in " + folder, VSSError::AlreadyExists);
  if (!platform::ForceDirectories(data))
    throw EVSSAutomation("Access to folder \"" + data + "\" denied", VSSError::AccessDenied);
  const std::string file = VSSStore::StoreFileIn(data);
  if (platform::FileExists(file)) throw EVSSAutomation("A database already exists in " + folder, VSSError::AlreadyExists);
  auto fill = [](VSSStore& store) {
    VSSTree::CreateRoot(store, AdminUser);
    InsertUser(store, AdminUser, "");
  };
  // The ini is written last: its presence is what makes the folder a database.
  auto writeIni = [&](const std::string& dataSource) {
    std::string error;
    if (!VSSIni::Write(ini, DataFolder, dataSource, error))
      throw EVSSAutomation("Cannot write " + ini + ": " + error, VSSError::AccessDenied);
  };
  if (!server.empty()) {
    writeIni(VSSStore::CreateOnServer(server, fill));
    return;
  }
  VSSStore::Create(file);
  try {
    VSSStore store(file, folder);
    store.Write([&] { fill(store); });
    writeIni({});
  } catch (...) {
    RemoveStoreFiles(file);
    throw;
  }
}

void CopyDatabase(const std::string& source, const std::string& destination) {
  auto from = OpenStore(source);
  auto to = OpenStore(destination);
  to->Write([&] {
    if (to->QueryInt("SELECT COUNT(*) FROM versions") > 1 || to->QueryInt("SELECT COUNT(*) FROM users") > 1 ||
        to->QueryInt("SELECT COUNT(*) FROM workfolders") > 0)
      throw EVSSAutomation("The database " + destination + " is not empty: copy only into a database just made",
                           VSSError::AlreadyExists);
    const std::vector<std::string> tables = to->Tables();
    for (auto table = tables.rbegin(); table != tables.rend(); ++table)
      to->Execute(("DELETE FROM " + *table).c_str());
    from->Read([&] {
      for (const std::string& table : from->Tables()) CopyRows(*from, *to, table);
    });
    to->RestartIds();
  });
}

void AddUser(const std::string& database, const std::string& user, const std::string& password) {
  CheckUserName(user);
  CheckPassword(password);
  auto store = OpenStore(database);
  store->Write([&] { InsertUser(*store, user, password); });
}

void DeleteUser(const std::string& database, const std::string& user) {
  if (platform::SameText(user, AdminUser))
    throw EVSSAutomation("The Admin user can't be deleted", VSSError::InvalidOperation);
  auto store = OpenStore(database);
  store->Write([&] {
    const int64_t id = UserId(*store, user);
    store->Execute("DELETE FROM checkouts WHERE \"user\" = ?", id);
    store->Execute("DELETE FROM workfolders WHERE \"user\" = ?", id);
    store->Execute("DELETE FROM users WHERE id = ?", id);
  });
}

void SetPassword(const std::string& database, const std::string& user, const std::string& password) {
  CheckPassword(password);
  auto store = OpenStore(database);
  const std::string hash = VSSPassword::Hash(password);
  store->Write([&] { store->Execute("UPDATE users SET password = ? WHERE id = ?", hash, UserId(*store, user)); });
}

std::vector<std::string> Users(const std::string& database) {
  auto store = OpenStore(database);
  VSSStore::Statement rows(*store, "SELECT name FROM users ORDER BY folded");
  std::vector<std::string> users;
  while (rows.Step()) users.push_back(rows.Text(0));
  return users;
}

void SetMultipleCheckouts(const std::string& database, bool allow) {
  const std::string ini = IniPathOf(database);
  VSSStore::StoreFileOf(ini);   // refuses a folder that isn't a database
  std::string error;
  if (!VSSIni::SetMultipleCheckouts(ini, allow, error))
    throw EVSSAutomation("Cannot write " + ini + ": " + error, VSSError::AccessDenied);
}

bool MultipleCheckouts(const std::string& database) {
  const std::string ini = IniPathOf(database);
  VSSStore::StoreFileOf(ini);
  return VSSIni::MultipleCheckouts(ini);
}

void RegisterDatabase(const std::string& name, const std::string& database, bool makeCurrent) {
  if (platform::Trim(name).empty() || name.find('\\') != std::string::npos)
    throw EVSSAutomation("\"" + name + "\" is not a valid database name", VSSError::InvalidName);
  const std::string ini = IniPathOf(database);
  VSSStore::StoreFileOf(ini);
  const std::string folder = platform::ExtractFileDir(ini);
  VSSRegistry::AddDatabase(name, folder);
  if (makeCurrent) VSSRegistry::SetCurrentDatabase(folder);
}

void UnregisterDatabase(const std::string& name) { VSSRegistry::RemoveDatabase(name); }

std::vector<std::pair<std::string, std::string>> RegisteredDatabases() { return VSSRegistry::Databases(); }

void InstallServer(const std::string& installDirIn) {
  const std::string installDir = platform::ExcludeTrailingPathDelimiter(platform::ExpandFileName(installDirIn));
  const std::string library = installDir + "/libssapi.so";
  // Kept in memory after dlclose: the server's static data then stays reachable, and a later
  // CoVSSDatabase::Create finds it loaded.
  void* handle = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
  if (!handle) {
    const char* error = dlerror();
    throw EVSSSystemError("Cannot load " + library + ": " + (error ? error : "unknown error"), VSSError::ServerNotLoadable);
  }
  auto registerServer = reinterpret_cast<VSSDllRegisterServerFunc>(dlsym(handle, VSSDllRegisterServerName));
  const int32_t result = registerServer ? registerServer() : -1;
  dlclose(handle);
  if (!registerServer)
    throw EVSSSystemError(library + " has no entry point " + VSSDllRegisterServerName, VSSError::ServerNotLoadable);
  if (result != 0)
    throw EVSSSystemError("Registering " + library + " failed", static_cast<uint32_t>(result));
  VSSRegistry::SetSCCServerPath(installDir + "/libssscc.so");
}

} // namespace VSSAdmin
