#pragma once
// Paths, file attributes and the names of this user, machine and temporary folder.
#include <cstdint>
#include <string>

namespace platform {

// "/a/b/c.txt" -> "/a/b/" (folder with its last delimiter), "c.txt", ".txt", "c".
// The extension starts at the last dot of the name: "archive.tar.gz" has ".gz".
std::string ExtractFilePath(const std::string& fileName);
std::string ExtractFileDir(const std::string& fileName);    // without the last delimiter
std::string ExtractFileName(const std::string& fileName);
std::string ExtractFileExt(const std::string& fileName);
std::string ChangeFileExt(const std::string& fileName, const std::string& extension);
std::string ExtractBaseName(const std::string& fileName);   // name without extension
std::string IncludeTrailingPathDelimiter(const std::string& path);
std::string ExcludeTrailingPathDelimiter(const std::string& path);
// Collapses "." and ".." segments and doubled delimiters; a relative path is made absolute against
// the current folder.
std::string ExpandFileName(const std::string& fileName);
// The path of `target` relative to the folder `baseFolder`, comparing folder names ignoring case
// ("../x/y.cpp"); "./" for the folder itself; `target` itself when either is empty.
std::string ExtractRelativePath(const std::string& baseFolder, const std::string& target);
bool SamePath(const std::string& a, const std::string& b);   // ignoring case
// The expanded path as it lies on disk: each name that doesn't exist in the case given is matched
// ignoring case, as Windows finds it; names that match nothing stay as given.
std::string ExistingCase(const std::string& fileName);

bool FileExists(const std::string& fileName);        // a file, not a folder
bool DirectoryExists(const std::string& path);
bool ForceDirectories(const std::string& path);   // false with errno set when it fails
bool DeleteFile(const std::string& fileName);
// Read-only means the owner's write permission is off.
bool IsReadOnly(const std::string& fileName);
bool SetReadOnly(const std::string& fileName, bool readOnly);
int64_t FileSize(const std::string& fileName);        // -1 when missing
int64_t FileAge(const std::string& fileName);         // modification time, seconds since 1970; -1
bool ReadFile(const std::string& fileName, std::string& content, std::string* error = nullptr);
// The permissions a newly created file gets: read and write for all, less the process's umask.
unsigned NewFileMode();
// Atomic: writes a temporary file beside it and renames it over the old one, keeping the old file's
// permissions (through a symbolic link, the file it names). A read-only file is not replaced.
bool WriteFileAtomic(const std::string& fileName, const std::string& content, std::string* error = nullptr);

std::string UserName();       // the logon name
std::string MachineName();
std::string TempDirectory();  // $TMPDIR or /tmp, with a trailing delimiter
std::string HomeDirectory();  // $HOME as it is, without a trailing delimiter
// A new unique file name in `folder` (the temporary folder when empty) starting with `prefix` (the
// file is created, empty); empty when it can't be created.
std::string CreateTempFileName(const std::string& folder, const std::string& prefix);

} // namespace platform
