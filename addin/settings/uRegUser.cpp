#include "addin/settings/uRegUser.h"

#include "addin/frame/uRVLGlobals.h"
#include "platform/Files.h"

std::string TRegUser::GetUserName(const std::string& Database) {
  return FRegistry->ReadString(Database + "-" + Globals().UserNameValue, "");
}

void TRegUser::SetUserName(const std::string& Database, const std::string& Name) {
  FRegistry->WriteString(Database + "-" + Globals().UserNameValue, Name);
}

std::string TRegUser::GetPassword(const std::string& Database) {
  return FRegistry->ReadScrambledString(Database + "-" + Globals().PasswordValue, "");
}

void TRegUser::SetPassword(const std::string& Database, const std::string& Password) {
  FRegistry->WriteScrambledString(Database + "-" + Globals().PasswordValue, Password);
}

std::string TRegUser::GetLogonName() { return platform::UserName(); }
