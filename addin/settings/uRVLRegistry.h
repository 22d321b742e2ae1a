#pragma once
// The add-in's access to the registry: one key (plus an optional subkey), opened for each single read
// or write and closed again, so that nothing is cached and every section sees the latest values.
#include <string>
#include <vector>

#include "platform/Registry.h"

class TRVLRegistry {
public:
  explicit TRVLRegistry(std::string key, platform::Hive root = platform::Hive::CurrentUser);
  virtual ~TRVLRegistry() = default;

  virtual std::string ReadString(const std::string& Name, const std::string& Default);
  // Reads a value written by WriteScrambledString; an empty or unreadable value gives Default.
  virtual std::string ReadScrambledString(const std::string& Name, const std::string& Default);
  virtual int ReadInteger(const std::string& Name, int Default);
  virtual bool ReadBool(const std::string& Name, bool Default);
  virtual void WriteString(const std::string& Name, const std::string& Value);
  virtual void WriteScrambledString(const std::string& Name, const std::string& Value);
  virtual void WriteInteger(const std::string& Name, int Value);
  virtual void WriteBool(const std::string& Name, bool Value);
  virtual std::vector<std::string> GetValueNames();
  virtual std::vector<std::string> GetKeyNames();
  virtual bool ValueExists(const std::string& Name);
  // Deletes the key itself (not only the subkey), with everything below it.
  virtual void DeleteKey();

  void SetKey(const std::string& Path) { FKey = Path; }
  const std::string& GetKey() const { return FKey; }
  // Addresses the subkey `Name` of the key; an empty name addresses the key itself.
  void SetSubKey(const std::string& Name) { FSubKey = "\\" + Name; }
  void SetRootKey(platform::Hive Root) { FRoot = Root; }
  platform::Hive GetRootKey() const { return FRoot; }

private:
  platform::RegistryKey Open() const;

  platform::Hive FRoot;
  std::string FKey;
  std::string FSubKey;
};
