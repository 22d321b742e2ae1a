#pragma once
// A database's srcsafe.ini: where its data folder is and which options it has. The settings sit in
// the section [SourceSafe]; relative paths are relative to the ini file's folder.
#include <string>

namespace VSSIni {

inline constexpr const char* FileName = "srcsafe.ini";
inline constexpr const char* Section = "SourceSafe";

// A database given as its folder or as its srcsafe.ini -> the ini path (absolute).
std::string IniPathOf(const std::string& database);
// The data folder (absolute), or empty when the ini names none.
std::string DataPath(const std::string& iniPath);
// The PostgreSQL connection string of a database kept on a server (Data_Source), or empty for
// the SQLite store in the data folder.
std::string DataSource(const std::string& iniPath);
bool MultipleCheckouts(const std::string& iniPath);
// Writes a new ini naming `dataFolder` (relative to it) and the server `dataSource` (none when
// empty); false with `error` set on failure.
bool Write(const std::string& iniPath, const std::string& dataFolder, const std::string& dataSource,
           std::string& error);
bool SetMultipleCheckouts(const std::string& iniPath, bool allow, std::string& error);

} // namespace VSSIni
