#include "vss/server/VSSIni.h"

#include "platform/Files.h"
#include "platform/Profile.h"

namespace VSSIni {

std::string IniPathOf(const std::string& database) {
  const std::string path = platform::ExpandFileName(database);
  return platform::DirectoryExists(path) ? platform::IncludeTrailingPathDelimiter(path) + FileName : path;
}

std::string DataPath(const std::string& iniPath) {
  const std::string data = platform::ProfileFile(iniPath).ReadString(Section, "Data_Path");
  if (data.empty()) return {};
  if (data.front() == '/') return platform::ExpandFileName(data);
  return platform::ExpandFileName(platform::ExtractFilePath(platform::ExpandFileName(iniPath)) + data);
}

std::string DataSource(const std::string& iniPath) {
  return platform::ProfileFile(iniPath).ReadString(Section, "Data_Source");
}

bool MultipleCheckouts(const std::string& iniPath) {
  return platform::ProfileFile(iniPath).ReadBool(Section, "Multiple_Checkouts", false);
}

bool Write(const std::string& iniPath, const std::string& dataFolder, const std::string& dataSource,
           std::string& error) {
  platform::ProfileFile ini(iniPath);
  const bool written = ini.WriteString(Section, "Data_Path", dataFolder) &&
                       (dataSource.empty() || ini.WriteString(Section, "Data_Source", dataSource)) &&
                       ini.WriteString(Section, "Multiple_Checkouts", "No");
  error = ini.Error();
  return written;
}

bool SetMultipleCheckouts(const std::string& iniPath, bool allow, std::string& error) {
  platform::ProfileFile ini(iniPath);
  const bool written = ini.WriteString(Section, "Multiple_Checkouts", allow ? "Yes" : "No");
  error = ini.Error();
  return written;
}

} // namespace VSSIni
