#include "addin/settings/uRegVSS.h"

#include "addin/frame/uRVLGlobals.h"
#include "platform/Files.h"

namespace {

std::string IniPathIn(const std::string& folder) {
  return folder.empty() ? std::string() : platform::IncludeTrailingPathDelimiter(folder) + "srcsafe.ini";
}

} // namespace

TRegVSS::TRegVSS() : TReg(ClassName) {
  FRegistry->SetRootKey(platform::Hive::LocalMachine);
  FRegistry->SetKey(Globals().DatabasesKey);
}

TRVLRegistry TRegVSS::SourceSafe() const { return At(Globals().SourceSafeKey); }

std::string TRegVSS::GetCurrentDatabase() {
  TRVLRegistry sourceSafe = SourceSafe();
  const std::string current = sourceSafe.ReadString(
      Globals().APICurrentDatabaseValue, sourceSafe.ReadString(Globals().CurrentDatabaseValue, ""));
  const std::string iniPath = IniPathIn(current);
  if (iniPath.empty()) return {};
  for (const std::string& name : GetDatabaseNames())
    if (platform::SamePath(GetIniPath(name), iniPath)) return name;
  return {};
}

void TRegVSS::SetCurrentDatabase(const std::string& Name) {
  const std::string iniPath = GetIniPath(Name);
  if (iniPath.empty()) return;
  SourceSafe().WriteString(Globals().APICurrentDatabaseValue, platform::ExtractFileDir(iniPath));
}

std::string TRegVSS::GetInstallDir() {
  const std::string server = SourceSafe().ReadString(Globals().SCCServerPathValue, "");
  return server.empty() ? std::string() : platform::ExtractFileDir(server);
}

void TRegVSS::SetInstallDir(const std::string& Dir) {
  SourceSafe().WriteString(Globals().SCCServerPathValue,
                           platform::IncludeTrailingPathDelimiter(Dir) + "libssscc.so");
}

std::string TRegVSS::GetIniPath(const std::string& Name) {
  return IniPathIn(FRegistry->ReadString(Name, ""));
}

void TRegVSS::AddDatabase(const std::string& Name, const std::string& IniPath) {
  FRegistry->WriteString(Name, platform::ExtractFileDir(IniPath));
}

std::string TRegVSS::GetSSExePath() {
  const std::string dir = GetInstallDir();
  return dir.empty() ? std::string() : platform::IncludeTrailingPathDelimiter(dir) + "ss";
}
