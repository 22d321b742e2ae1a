#include "vss/server/VSSRegistry.h"

#include "platform/Files.h"
#include "platform/Registry.h"
#include "vss/api/CoVSSDatabase.h"
#include "vss/api/VSSErrors.h"

namespace VSSRegistry {

namespace {

using platform::Hive;
using platform::RegistryKey;

RegistryKey OpenForWrite(const std::string& path) {
  RegistryKey key(Hive::LocalMachine, path, true);
  if (!key.IsOpen())
    throw EVSSAutomation("Cannot write the registry key HKLM\\" + path + ": " + key.Error(), VSSError::AccessDenied);
  return key;
}

void Check(bool written, const RegistryKey& key) {
  if (!written)
    throw EVSSAutomation("Cannot write the registry key HKLM\\" + key.Path() + ": " + key.Error(), VSSError::AccessDenied);
}

} // namespace

std::vector<std::pair<std::string, std::string>> Databases() {
  std::vector<std::pair<std::string, std::string>> result;
  RegistryKey key(Hive::LocalMachine, DatabasesKey, false);
  for (const platform::RegValue& value : key.Values())
    if (value.Type == platform::ValueType::String) result.emplace_back(value.Name, value.Text);
  return result;
}

void AddDatabase(const std::string& name, const std::string& folder) {
  RegistryKey key = OpenForWrite(DatabasesKey);
  Check(key.WriteString(name, folder), key);
}

void RemoveDatabase(const std::string& name) {
  RegistryKey key(Hive::LocalMachine, DatabasesKey, false);
  if (key.IsOpen() && key.ValueExists(name)) Check(key.DeleteValue(name), key);
}

std::string NameOfFolder(const std::string& folder) {
  const std::string wanted = platform::ExcludeTrailingPathDelimiter(folder);
  for (const auto& [name, registered] : Databases())
    if (platform::SamePath(platform::ExcludeTrailingPathDelimiter(registered), wanted)) return name;
  return {};
}

std::string CurrentDatabase() {
  RegistryKey key(Hive::LocalMachine, SourceSafeKey, false);
  return key.ReadString("API Current Database", key.ReadString("Current Database"));
}

void SetCurrentDatabase(const std::string& folder) {
  RegistryKey key = OpenForWrite(SourceSafeKey);
  Check(key.WriteString("API Current Database", folder) && key.WriteString("Current Database", folder), key);
}

void SetSCCServerPath(const std::string& path) {
  RegistryKey key = OpenForWrite(SourceSafeKey);
  Check(key.WriteString("SCCServerPath", path), key);
}

void SetServerLibrary(const std::string& path) {
  RegistryKey key = OpenForWrite(VSSServerRegistrationKey());
  Check(key.WriteString("", path), key);
}

void RemoveServerLibrary() {
  const std::string classKey = std::string("Software\\Classes\\CLSID\\") + CLSID_VSSDatabaseText;
  std::string error;
  if (RegistryKey::KeyExists(Hive::LocalMachine, classKey) && !RegistryKey::DeleteKey(Hive::LocalMachine, classKey, &error))
    throw EVSSAutomation("Cannot remove the registry key HKLM\\" + classKey + ": " + error, VSSError::AccessDenied);
}

} // namespace VSSRegistry
