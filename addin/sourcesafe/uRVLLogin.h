#pragma once
// Logging in to a SourceSafe database: creates the automation object (mending the server's
// registration when it can't be created) and opens the database with the first credentials that
// work: those given, those of this process's earlier login, the environment's, the saved ones or the
// logon name, and last those the user types into the login dialog. A successful login is remembered
// for the process and published in SSUSER, SSPWD and SSDIR for SourceSafe's command-line tool.
#include <string>

#include "ui/Object.h"
#include "vss/api/VSSApi.h"

class TRVLLogin : public TObject {
public:
  // An open database of the srcsafe.ini `IniPath` (SourceSafe's current database when empty), or
  // nil when no credentials opened it or the user cancelled. Failures are reported, never raised.
  virtual VSSPtr<IVSSDatabase> Login(const std::string& IniPath);
  // Asks the user at once; the credentials are saved when he asks for it, but not published.
  virtual VSSPtr<IVSSDatabase> LoginWithDialog();
  // `Login` to the database SourceSafe registers as `Name`.
  virtual VSSPtr<IVSSDatabase> LoginByName(const std::string& Name);

  // SourceSafe's message for the last attempt that failed.
  const std::string& LastError() const { return FLastError; }

private:
  struct TCredentials {
    std::string IniPath;
    std::string UserName;
    std::string Password;
    bool SavePassword = false;
  };

  VSSPtr<IVSSDatabase> TryOpen(const TCredentials& Credentials);
  VSSPtr<IVSSDatabase> TryLogin(TCredentials& Credentials);
  // Asks the user through the login dialog; fills `Credentials` from it on OK.
  VSSPtr<IVSSDatabase> DialogPass(TCredentials& Credentials);
  static void Publish(const TCredentials& Credentials);
  static void Save(const TCredentials& Credentials, const std::string& Key);

  std::string FLastError;
};

// A new, unopened database object of the registered automation server. When the server can't be
// created, offers to register it again and tries once more; raises ERVLException when that fails.
VSSPtr<IVSSDatabase> CreateVSSDatabase();
