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
  const std::string ini = IniPathOf(database);
  return std::make_unique<VSSStore>(VSSStore::StoreFileOf(ini), ini);
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

void RemoveStoreFiles(const std::string& file) {
  for (const char* suffix : {"", "-wal", "-shm"}) ::unlink((file + suffix).c_str());
}

} // namespace

std::string IniPathOf(const std::string& database) { return VSSIni::IniPathOf(database); }

void CreateDatabase(const std::string& folderIn) {
  const std::string folder = platform::ExcludeTrailingPathDelimiter(platform::ExpandFileName(folderIn));
  const std::string ini = platform::IncludeTrailingPathDelimiter(folder) + VSSIni::FileName;
  const std::string data = platform::IncludeTrailingPathDelimiter(folder) + DataFolder;
  if (platform::FileExists(ini)) throw EVSSAutomation("A database already exists in " + folder, VSSError::AlreadyExists);
  if (!platform::ForceDirectories(data))
    throw EVSSAutomation("Access to folder \"" + data + "\" denied", VSSError::AccessDenied);
  const std::string file = VSSStore::StoreFileIn(data);
  if (platform::FileExists(file)) throw EVSSAutomation("A database already exists in " + folder, VSSError::AlreadyExists);
  VSSStore::Create(file);
  try {
    VSSStore store(file, folder);
    store.Write([&] {
      VSSTree::CreateRoot(store, AdminUser);
      InsertUser(store, AdminUser, "");
    });
    // The ini is written last: its presence is what makes the folder a database.
    std::string error;
    if (!VSSIni::Write(ini, DataFolder, error))
      throw EVSSAutomation("Cannot write " + ini + ": " + error, VSSError::AccessDenied);
  } catch (...) {
    RemoveStoreFiles(file);
    throw;
  }
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
    store->Execute("DELETE FROM checkouts WHERE user = ?", id);
    store->Execute("DELETE FROM workfolders WHERE user = ?", id);
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
