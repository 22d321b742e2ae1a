#include "addin/settings/uRVLRegistry.h"

#include "addin/settings/uScramble.h"

TRVLRegistry::TRVLRegistry(std::string key, platform::Hive root) : FRoot(root), FKey(std::move(key)) {}

platform::RegistryKey TRVLRegistry::Open() const {
  std::string path = FKey + FSubKey;
  if (path.ends_with('\\')) path.pop_back();   // a lone "\" subkey addresses the key itself
  return platform::RegistryKey(FRoot, path, true);
}

std::string TRVLRegistry::ReadString(const std::string& Name, const std::string& Default) {
  return Open().ReadString(Name, Default);
}

std::string TRVLRegistry::ReadScrambledString(const std::string& Name, const std::string& Default) {
  const std::string stored = ReadString(Name, "");
  return stored.empty() ? Default : UnscrambleString(stored);
}

int TRVLRegistry::ReadInteger(const std::string& Name, int Default) {
  return Open().ReadInteger(Name, Default);
}

bool TRVLRegistry::ReadBool(const std::string& Name, bool Default) {
  return Open().ReadBool(Name, Default);
}

void TRVLRegistry::WriteString(const std::string& Name, const std::string& Value) {
  Open().WriteString(Name, Value);
}

void TRVLRegistry::WriteScrambledString(const std::string& Name, const std::string& Value) {
  WriteString(Name, Value.empty() ? std::string() : ScrambleString(Value));
}

void TRVLRegistry::WriteInteger(const std::string& Name, int Value) {
  Open().WriteInteger(Name, Value);
}

void TRVLRegistry::WriteBool(const std::string& Name, bool Value) {
  Open().WriteBool(Name, Value);
}

std::vector<std::string> TRVLRegistry::GetValueNames() { return Open().ValueNames(); }

std::vector<std::string> TRVLRegistry::GetKeyNames() { return Open().SubKeyNames(); }

bool TRVLRegistry::ValueExists(const std::string& Name) { return Open().ValueExists(Name); }

void TRVLRegistry::DeleteKey() { platform::RegistryKey::DeleteKey(FRoot, FKey); }
