#pragma once
// SourceSafe's own registry entries (HKLM): the list of databases, the current database, the
// installation's SCCServerPath and the automation server's class registration.
#include <string>
#include <utility>
#include <vector>

namespace VSSRegistry {

inline constexpr const char* SourceSafeKey = "Software\\Microsoft\\SourceSafe";
inline constexpr const char* DatabasesKey = "Software\\Microsoft\\SourceSafe\\Databases";

std::vector<std::pair<std::string, std::string>> Databases();   // (name, folder), in creation order
void AddDatabase(const std::string& name, const std::string& folder);
void RemoveDatabase(const std::string& name);
// The name a folder is registered under, or empty.
std::string NameOfFolder(const std::string& folder);
// "API Current Database", falling back to "Current Database".
std::string CurrentDatabase();
void SetCurrentDatabase(const std::string& folder);
void SetSCCServerPath(const std::string& path);
// The automation server's registration (the library path).
void SetServerLibrary(const std::string& path);
void RemoveServerLibrary();

} // namespace VSSRegistry
