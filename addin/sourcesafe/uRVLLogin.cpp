#include "addin/sourcesafe/uRVLLogin.h"

#include "addin/diagnostics/uRVLException.h"
#include "addin/frame/uRVLGlobals.h"
#include "addin/settings/uRVLRegFactory.h"
#include "addin/settings/uRVLUtils.h"
#include "addin/settings/uRegUser.h"
#include "addin/settings/uRegVSS.h"
#include "addin/sourcesafe/uLoginFormManager.h"
#include "addin/sourcesafe/uVSSServerRepair.h"
#include "platform/Files.h"
#include "ui/Application.h"

VSSPtr<IVSSDatabase> TRVLLogin::TryOpen(const TCredentials& Credentials) {
  VSSPtr<IVSSDatabase> database = CreateVSSDatabase();
  try {
    database->Open(Credentials.IniPath, Credentials.UserName, Credentials.Password);
  } catch (const std::exception& e) {
    FLastError = e.what();
    return nullptr;
  }
  return database;
}

VSSPtr<IVSSDatabase> TRVLLogin::TryLogin(TCredentials& Credentials) {
  TRVLGlobals& globals = Globals();
  if (Credentials.IniPath.empty()) {
    auto regVSS = TRVLRegFactory::_Instance().CreateRegVSS();
    Credentials.IniPath = regVSS->GetIniPath(regVSS->GetCurrentDatabase());
  }
  if (auto database = TryOpen(Credentials)) return database;

  if (!globals.UserName.empty()) {
    Credentials.UserName = globals.UserName;
    Credentials.Password = globals.Password;
    if (auto database = TryOpen(Credentials)) return database;
  }

  Credentials.UserName = GetEnv("SSUSER");
  if (!Credentials.UserName.empty()) {
    Credentials.Password = GetEnv("SSPWD");
    if (auto database = TryOpen(Credentials)) return database;
  }

  auto regUser = TRVLRegFactory::_Instance().CreateRegUser();
  if (Credentials.UserName.empty()) Credentials.UserName = regUser->GetUserName(Credentials.IniPath);
  Credentials.Password = regUser->GetPassword(Credentials.IniPath);
  if (Credentials.UserName.empty()) Credentials.UserName = regUser->GetLogonName();
  if (auto database = TryOpen(Credentials)) return database;

  VSSPtr<IVSSDatabase> database = DialogPass(Credentials);
  if (database && Credentials.SavePassword) {
    Save(Credentials, Credentials.IniPath);
    Save(Credentials, "");
  }
  return database;
}

VSSPtr<IVSSDatabase> TRVLLogin::Login(const std::string& IniPath) {
  TCredentials credentials;
  credentials.IniPath = IniPath;
  VSSPtr<IVSSDatabase> database;
  Guarded(this, [&] { database = TryLogin(credentials); });
  if (database) Publish(credentials);
  return database;
}

VSSPtr<IVSSDatabase> TRVLLogin::LoginWithDialog() {
  TCredentials credentials;
  VSSPtr<IVSSDatabase> database;
  Guarded(this, [&] {
    credentials.UserName = TRVLRegFactory::_Instance().CreateRegUser()->GetLogonName();
    database = DialogPass(credentials);
    if (database && credentials.SavePassword) Save(credentials, credentials.IniPath);
  });
  return database;
}

VSSPtr<IVSSDatabase> TRVLLogin::LoginByName(const std::string& Name) {
  return Login(TRVLRegFactory::_Instance().CreateRegVSS()->GetIniPath(Name));
}

VSSPtr<IVSSDatabase> TRVLLogin::DialogPass(TCredentials& Credentials) {
  TLoginFormManager& manager = TLoginFormManager::_Instance();
  if (manager.Execute(Credentials.UserName, Credentials.IniPath, FLastError) != mrOk) return nullptr;
  Credentials.UserName = manager.GetUserName();
  Credentials.Password = manager.GetPassword();
  Credentials.SavePassword = manager.GetSavePass();
  VSSPtr<IVSSDatabase> database = manager.GetDatabase();
  if (database) Credentials.IniPath = database->SrcSafeIni();
  return database;
}

void TRVLLogin::Save(const TCredentials& Credentials, const std::string& Key) {
  auto regUser = TRVLRegFactory::_Instance().CreateRegUser();
  regUser->SetUserName(Key, Credentials.UserName);
  regUser->SetPassword(Key, Credentials.Password);
}

void TRVLLogin::Publish(const TCredentials& Credentials) {
  TRVLGlobals& globals = Globals();
  if (!Credentials.UserName.empty()) {
    globals.UserName = Credentials.UserName;
    SetEnv("SSUSER", Credentials.UserName);
  }
  if (!Credentials.Password.empty()) {
    globals.Password = Credentials.Password;
    SetEnv("SSPWD", Credentials.Password);
  }
  if (!Credentials.IniPath.empty()) SetEnv("SSDIR", platform::ExtractFileDir(Credentials.IniPath));
}

VSSPtr<IVSSDatabase> CreateVSSDatabase() {
  try {
    return CoVSSDatabase::Create();
  } catch (const std::exception&) {
    RepairVSSServer();
  }
  try {
    return CoVSSDatabase::Create();
  } catch (const EVSSSystemError& e) {
    const TRVLGlobals& globals = Globals();
    throw ERVLException(globals.ProductName + " could not connect to " + globals.ShortName +
                        ", Please check your installation.\nThe error message was: " + e.what());
  }
}
