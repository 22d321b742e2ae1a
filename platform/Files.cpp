#include "platform/Files.h"

#include "platform/Environment.h"
#include "platform/Text.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

constexpr char Delimiter = '/';

size_t NameStart(const std::string& fileName) {
  const size_t slash = fileName.rfind(Delimiter);
  return slash == std::string::npos ? 0 : slash + 1;
}

// Position of the extension's dot in the name part, or npos.
size_t ExtensionStart(const std::string& fileName) {
  const size_t dot = fileName.rfind('.');
  return dot == std::string::npos || dot < NameStart(fileName) ? std::string::npos : dot;
}

std::string CurrentDirectory() {
  char buffer[PATH_MAX];
  return getcwd(buffer, sizeof buffer) ? buffer : "/";
}

void SetError(std::string* error, const std::string& what, const std::string& fileName, int code) {
  if (error) *error = what + " " + fileName + ": " + std::strerror(code);
}

bool StatOf(const std::string& fileName, struct stat& info) {
  return !fileName.empty() && ::stat(fileName.c_str(), &info) == 0;
}

// Writes all of `content` to `fd`, retrying short writes.
bool WriteAll(int fd, const std::string& content) {
  for (size_t done = 0; done < content.size();) {
    const ssize_t written = ::write(fd, content.data() + done, content.size() - done);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<size_t>(written);
  }
  return true;
}

} // namespace

std::string ExtractFilePath(const std::string& fileName) { return fileName.substr(0, NameStart(fileName)); }

std::string ExtractFileDir(const std::string& fileName) {
  const size_t start = NameStart(fileName);
  // The root keeps its delimiter: the folder of "/a" is "/", not "".
  return fileName.substr(0, start > 1 ? start - 1 : start);
}

std::string ExtractFileName(const std::string& fileName) { return fileName.substr(NameStart(fileName)); }

std::string ExtractFileExt(const std::string& fileName) {
  const size_t dot = ExtensionStart(fileName);
  return dot == std::string::npos ? std::string() : fileName.substr(dot);
}

std::string ChangeFileExt(const std::string& fileName, const std::string& extension) {
  return fileName.substr(0, ExtensionStart(fileName)) + extension;
}

std::string ExtractBaseName(const std::string& fileName) {
  return ExtractFileName(ChangeFileExt(fileName, {}));
}

std::string IncludeTrailingPathDelimiter(const std::string& path) {
  return !path.empty() && path.back() == Delimiter ? path : path + Delimiter;
}

std::string ExcludeTrailingPathDelimiter(const std::string& path) {
  return path.size() > 1 && path.back() == Delimiter ? path.substr(0, path.size() - 1) : path;
}

std::string ExpandFileName(const std::string& fileName) {
  if (fileName.empty()) return fileName;
  const std::string absolute =
      fileName.front() == Delimiter ? fileName : IncludeTrailingPathDelimiter(CurrentDirectory()) + fileName;
  std::vector<std::string> kept;
  for (const std::string& segment : Split(absolute, Delimiter)) {
    if (segment.empty() || segment == ".") continue;
    if (segment == "..") {
      if (!kept.empty()) kept.pop_back();   // ".." above the root stays at the root
    } else {
      kept.push_back(segment);
    }
  }
  std::string result;
  for (const std::string& segment : kept) result += Delimiter + segment;
  const bool folder = absolute.back() == Delimiter || absolute.ends_with("/.") || absolute.ends_with("/..");
  if (result.empty() || folder) result += Delimiter;
  return result;
}

std::string ExtractRelativePath(const std::string& baseFolder, const std::string& target) {
  if (baseFolder.empty() || target.empty()) return target;
  const std::vector<std::string> base = Split(ExcludeTrailingPathDelimiter(ExpandFileName(baseFolder)), Delimiter);
  const std::string expanded = ExpandFileName(target);
  const std::vector<std::string> goal = Split(ExcludeTrailingPathDelimiter(expanded), Delimiter);
  size_t common = 0;
  while (common < base.size() && common < goal.size() && SameText(base[common], goal[common])) ++common;
  std::string result;
  for (size_t i = common; i < base.size(); ++i)
    if (!base[i].empty()) result += "../";
  for (size_t i = common; i < goal.size(); ++i) {
    if (goal[i].empty()) continue;
    result += goal[i];
    if (i + 1 < goal.size()) result += Delimiter;
  }
  if (expanded.back() == Delimiter && !result.empty() && result.back() != Delimiter) result += Delimiter;
  return result.empty() ? "./" : result;
}

bool SamePath(const std::string& a, const std::string& b) {
  return SameText(ExcludeTrailingPathDelimiter(ExpandFileName(a)), ExcludeTrailingPathDelimiter(ExpandFileName(b)));
}

std::string ExistingCase(const std::string& fileName) {
  const std::string path = ExpandFileName(fileName);
  struct stat info;
  if (path.empty() || ::lstat(path.c_str(), &info) == 0) return path;
  std::string result;
  for (const std::string& segment : Split(ExcludeTrailingPathDelimiter(path), Delimiter)) {
    if (segment.empty()) continue;
    std::string exact = result + Delimiter + segment;
    if (::lstat(exact.c_str(), &info) != 0)
      if (DIR* dir = ::opendir(result.empty() ? "/" : result.c_str())) {
        while (const dirent* entry = ::readdir(dir))
          if (SameText(entry->d_name, segment)) {
            exact = result + Delimiter + entry->d_name;
            break;
          }
        ::closedir(dir);
      }
    result = exact;
  }
  return path.back() == Delimiter ? result + Delimiter : result;
}

bool FileExists(const std::string& fileName) {
  struct stat info;
  return StatOf(fileName, info) && !S_ISDIR(info.st_mode);
}

bool DirectoryExists(const std::string& path) {
  struct stat info;
  return StatOf(path, info) && S_ISDIR(info.st_mode);
}

bool ForceDirectories(const std::string& path) {
  if (path.empty()) return false;
  const std::string full = ExcludeTrailingPathDelimiter(ExpandFileName(path));
  for (size_t pos = 1; pos != std::string::npos; pos = full.find(Delimiter, pos + 1)) {
    const std::string part = full.substr(0, pos);
    if (!part.empty() && ::mkdir(part.c_str(), 0777) != 0 && errno != EEXIST) return false;
  }
  if (::mkdir(full.c_str(), 0777) == 0) return true;
  const int code = errno;   // kept for the caller's message
  if (DirectoryExists(full)) return true;
  errno = code == EEXIST ? ENOTDIR : code;
  return false;
}

bool DeleteFile(const std::string& fileName) { return FileExists(fileName) && ::unlink(fileName.c_str()) == 0; }

bool IsReadOnly(const std::string& fileName) {
  struct stat info;
  return StatOf(fileName, info) && !(info.st_mode & S_IWUSR);
}

bool SetReadOnly(const std::string& fileName, bool readOnly) {
  struct stat info;
  if (!StatOf(fileName, info)) return false;
  const mode_t mode = readOnly ? info.st_mode & ~(S_IWUSR | S_IWGRP | S_IWOTH) : info.st_mode | S_IWUSR;
  return ::chmod(fileName.c_str(), mode & 07777) == 0;
}

int64_t FileSize(const std::string& fileName) {
  struct stat info;
  return StatOf(fileName, info) && !S_ISDIR(info.st_mode) ? static_cast<int64_t>(info.st_size) : -1;
}

int64_t FileAge(const std::string& fileName) {
  struct stat info;
  return StatOf(fileName, info) ? static_cast<int64_t>(info.st_mtime) : -1;
}

bool ReadFile(const std::string& fileName, std::string& content, std::string* error) {
  const int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    SetError(error, "Cannot open", fileName, errno);
    return false;
  }
  // Closed also when the content outgrows the memory and raises.
  struct Closer {
    int Fd;
    ~Closer() { ::close(Fd); }
  } closer{fd};
  // Read straight into the string, sized to the file where it has one (a file that grows
  // meanwhile is read to its end as well).
  struct stat info;
  const size_t expected =
      ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) ? static_cast<size_t>(info.st_size) : 0;
  content.assign(expected + 1, '\0');
  size_t size = 0;
  for (;;) {
    if (size == content.size()) content.resize(size + std::max<size_t>(size / 2, 65536));
    const ssize_t got = ::read(fd, content.data() + size, content.size() - size);
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      SetError(error, "Cannot read", fileName, errno);
      return false;
    }
    size += static_cast<size_t>(got);
  }
  content.resize(size);
  return true;
}

unsigned NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

namespace {

// mkstemp's pattern for a temporary file in `folder` (with its delimiter, or empty) named after
// `prefix`. The prefix is cut so the name stays within the file system's limit: a temporary file
// beside a file whose name is already near that limit must still be possible, or that file could
// never be written again.
std::string TempPattern(const std::string& folder, std::string prefix) {
  constexpr size_t Random = 6;
  if (prefix.size() > NAME_MAX - Random) prefix.resize(NAME_MAX - Random);
  return folder + prefix + "XXXXXX";
}

} // namespace

bool WriteFileAtomic(const std::string& name, const std::string& content, std::string* error) {
  // Through a symbolic link the file it names is replaced, and the link stays.
  char resolved[PATH_MAX];
  struct stat link;
  const bool isLink = ::lstat(name.c_str(), &link) == 0 && S_ISLNK(link.st_mode) && ::realpath(name.c_str(), resolved);
  const std::string fileName = isLink ? std::string(resolved) : name;
  struct stat old;
  const bool exists = StatOf(fileName, old);
  if (exists && S_ISDIR(old.st_mode)) {
    SetError(error, "Cannot write", fileName, EISDIR);
    return false;
  }
  // A read-only file stays unchanged, as it would on a file system that honours the attribute.
  if (exists && !(old.st_mode & S_IWUSR)) {
    SetError(error, "Cannot write", fileName, EACCES);
    return false;
  }
  std::string temp = TempPattern(ExtractFilePath(fileName), "." + ExtractFileName(fileName) + ".");
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) {
    SetError(error, "Cannot write", fileName, errno);
    return false;
  }
  const mode_t mode = exists ? old.st_mode & 07777 : NewFileMode();
  const bool ok = ::fchmod(fd, mode) == 0 && WriteAll(fd, content) && ::fsync(fd) == 0;
  const int code = errno;
  ::close(fd);
  if (!ok || ::rename(temp.c_str(), fileName.c_str()) != 0) {
    const int failure = ok ? errno : code;
    ::unlink(temp.c_str());
    SetError(error, "Cannot write", fileName, failure);
    return false;
  }
  // Make the rename itself durable.
  const std::string dir = ExtractFileDir(fileName);
  const int dirFd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd >= 0) {
    ::fsync(dirFd);
    ::close(dirFd);
  }
  return true;
}

std::string UserName() {
  if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_name && *entry->pw_name)
    return entry->pw_name;
  return GetEnv("USER");
}

std::string MachineName() {
  char buffer[HOST_NAME_MAX + 1] = {};
  return ::gethostname(buffer, sizeof buffer - 1) == 0 ? buffer : "";
}

std::string TempDirectory() {
  const std::string dir = GetEnv("TMPDIR");
  return IncludeTrailingPathDelimiter(dir.empty() ? "/tmp" : dir);
}

std::string HomeDirectory() {
  std::string home = GetEnv("HOME");
  if (home.empty())
    if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir) home = entry->pw_dir;
  return home;
}

std::string CreateTempFileName(const std::string& folder, const std::string& prefix) {
  std::string name = TempPattern(IncludeTrailingPathDelimiter(folder.empty() ? TempDirectory() : folder), prefix);
  const int fd = ::mkstemp(name.data());
  if (fd < 0) return {};
  ::close(fd);
  return name;
}

} // namespace platform
