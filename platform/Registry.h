#pragma once
// The registry: two hives, each one SQLite file in the registry folder ($RAVELIN_REGISTRY_DIR, else
// $XDG_CONFIG_HOME/ravelin/registry, else ~/.config/ravelin/registry). Keys are paths separated by '\', compared ignoring case and
// stored with the case they were created with; values are named (ignoring case) strings or 32-bit
// integers. Nothing is cached: each read sees the latest write of any process.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform {

enum class Hive { CurrentUser, LocalMachine };
enum class ValueType { String, DWord };

struct RegValue {
  std::string Name;
  ValueType Type = ValueType::String;
  std::string Text;     // for String
  uint32_t DWord = 0;   // for DWord
};

// The folder that holds the hive files (HKCU.db, HKLM.db), with a trailing delimiter.
std::string RegistryDirectory();

// "HKEY_CURRENT_USER" or "HKEY_LOCAL_MACHINE".
std::string HiveName(Hive hive);

// Parses "HKCU\..." / "HKEY_CURRENT_USER\..." (and HKLM); false when the root is unknown.
bool ParseRootedKey(const std::string& rooted, Hive& hive, std::string& path);

// One open key. A key that can't be opened or created reads as empty (callers get their defaults)
// and ignores writes; Error() says why.
class RegistryKey {
public:
  RegistryKey();
  RegistryKey(Hive hive, const std::string& path, bool create);
  ~RegistryKey();
  RegistryKey(RegistryKey&&) noexcept;
  RegistryKey& operator=(RegistryKey&&) noexcept;

  // Opens `path` (creating it and its parents when `create`); false when missing or on error. The
  // empty path is the hive's root.
  bool Open(Hive hive, const std::string& path, bool create);
  void Close();
  bool IsOpen() const;
  const std::string& Error() const;
  const std::string& Path() const;   // as opened
  // The path with each key's name as it was created (Path() where a key is missing).
  std::string CasedPath() const;

  // A DWORD value reads as its decimal text.
  std::string ReadString(const std::string& name, const std::string& defaultValue = {}) const;
  // A DWORD value, or a string holding a decimal number; otherwise the default.
  int32_t ReadInteger(const std::string& name, int32_t defaultValue = 0) const;
  bool ReadBool(const std::string& name, bool defaultValue = false) const;
  std::optional<RegValue> ReadValue(const std::string& name) const;
  bool ValueExists(const std::string& name) const;

  // A write to a key that another process deleted after it was opened makes the key again.
  bool WriteString(const std::string& name, const std::string& value);
  bool WriteInteger(const std::string& name, int32_t value);
  bool WriteBool(const std::string& name, bool value);
  bool DeleteValue(const std::string& name);

  // In creation order.
  std::vector<std::string> ValueNames() const;
  std::vector<RegValue> Values() const;
  std::vector<std::string> SubKeyNames() const;
  bool HasSubKeys() const;

  // Deletes a subkey (relative path) with everything below it.
  bool DeleteKey(const std::string& subKey);

  static bool KeyExists(Hive hive, const std::string& path);
  // Deletes a key by its full path, with everything below it.
  static bool DeleteKey(Hive hive, const std::string& path, std::string* error = nullptr);

private:
  struct Impl;
  std::unique_ptr<Impl> FImpl;
};

} // namespace platform
