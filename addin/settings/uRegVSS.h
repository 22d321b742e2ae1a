#pragma once
// SourceSafe's own settings (HKEY_LOCAL_MACHINE): the registered databases, the current database and
// SourceSafe's installation folder.
#include "addin/settings/uReg.h"

class TRegVSS : public TReg {
public:
  static constexpr char ClassName[] = "TRegVSS";
  TRegVSS();

  // The registered database whose folder is the current database's; empty when none is.
  virtual std::string GetCurrentDatabase();
  // Makes the registered database `Name` the one automation clients use; an unknown name changes
  // nothing.
  virtual void SetCurrentDatabase(const std::string& Name);
  virtual std::string GetInstallDir();
  virtual void SetInstallDir(const std::string& Dir);
  virtual std::vector<std::string> GetDatabaseNames() { return FRegistry->GetValueNames(); }
  // The srcsafe.ini of the registered database `Name`; empty when it is not registered.
  virtual std::string GetIniPath(const std::string& Name);
  virtual void AddDatabase(const std::string& Name, const std::string& IniPath);
  // SourceSafe's command-line program.
  virtual std::string GetSSExePath();

private:
  TRVLRegistry SourceSafe() const;
};
