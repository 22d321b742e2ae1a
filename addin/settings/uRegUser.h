#pragma once
// SourceSafe login data, per database: the user name and the saved (scrambled) password.
#include "addin/settings/uReg.h"

class TRegUser : public TReg {
public:
  static constexpr char ClassName[] = "TRegUser";
  TRegUser() : TReg(ClassName) {}

  virtual std::string GetUserName(const std::string& Database);
  virtual void SetUserName(const std::string& Database, const std::string& Name);
  virtual std::string GetPassword(const std::string& Database);
  virtual void SetPassword(const std::string& Database, const std::string& Password);
  // The logon name of this process's user; not stored.
  virtual std::string GetLogonName();
};
