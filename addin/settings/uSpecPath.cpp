#include "addin/settings/uSpecPath.h"

#include <algorithm>
#include <vector>

#include "platform/Text.h"
#include "ui/Graphics.h"

namespace {

size_t Delimiter(const std::string& path) { return path.find_last_of("/$"); }

// The folder names of a folder key: "/a/b/" gives a, b.
std::vector<std::string> FolderNames(const std::string& key) {
  std::vector<std::string> names = platform::Split(key, '/');
  if (!names.empty() && names.back().empty()) names.pop_back();
  if (!names.empty() && names.front().empty()) names.erase(names.begin());
  return names;
}

} // namespace

std::string StripDollar(const std::string& Path) {
  return Path.starts_with('$') ? Path.substr(1) : Path;
}

std::string LocalToSpec(const std::string& LocalPath) {
  std::string path = LocalPath;
  std::replace(path.begin(), path.end(), '\\', '/');
  return StripDollar(path);
}

bool HasDotDot(const std::string& Path) {
  for (const std::string& name : platform::Split(Path, '/'))
    if (name == "..") return true;
  return false;
}

std::string CollapseDotDot(const std::string& Path) {
  std::string path = Path;
  size_t at = path.find("/..", 1);
  while (at != std::string::npos) {
    const size_t after = at + 3;
    if (after < path.size() && path[after] != '/') {   // a name such as "/..hidden", not a step up
      at = path.find("/..", at + 1);
      continue;
    }
    const size_t slash = path.rfind('/', at - 1);
    const size_t from = slash == std::string::npos ? 0 : slash;
    // A step up cannot cancel an earlier step up: "/../../x" still climbs above the root.
    if (path.compare(from, at - from, "/..") == 0) {
      at = path.find("/..", at + 1);
      continue;
    }
    path.erase(from, after - from);
    at = path.find("/..", 1);
  }
  return path;
}

std::string EnsureTrailingSlash(const std::string& Path) {
  return Path.empty() || Path.ends_with('/') ? Path : Path + "/";
}

std::string SpecFolder(const std::string& Path) {
  const size_t at = Delimiter(Path);
  if (at == std::string::npos) return {};
  const bool root = Path[at] == '/' && at > 0 && Path[at - 1] == '$';
  return Path.substr(0, root ? at + 1 : at);
}

std::string SpecParent(const std::string& Path) {
  const size_t at = Delimiter(Path);
  return at == std::string::npos ? std::string() : Path.substr(0, at);
}

std::string SpecName(const std::string& Path) {
  const size_t at = Delimiter(Path);
  return at == std::string::npos ? Path : Path.substr(at + 1);
}

std::string SpecFolderKey(const std::string& Path) {
  const std::string key = EnsureTrailingSlash(SpecFolder(Path));
  const size_t dollar = key.find('$');
  return dollar == std::string::npos ? key : key.substr(dollar + 1);
}

std::string RelativeSpec(const std::string& FromPath, const std::string& ToPath) {
  const std::vector<std::string> from = FolderNames(SpecFolderKey(FromPath));
  const std::vector<std::string> to = FolderNames(SpecFolderKey(ToPath));
  size_t shared = 0;
  while (shared < from.size() && shared < to.size() && platform::SameText(from[shared], to[shared])) ++shared;
  std::string result;
  for (size_t i = shared; i < from.size(); ++i) result += "../";
  for (size_t i = shared; i < to.size(); ++i) result += to[i] + "/";
  return result + SpecName(ToPath);
}

std::string ShortenSpec(const std::string& Path, const QFont& Font, int MaxWidth) {
  const std::string name = SpecName(Path);
  std::string head = EnsureTrailingSlash(SpecFolder(Path));
  std::string result = Path;
  while (!head.empty() && TextWidth(Font, result) > MaxWidth) {
    if (head == "/.../") {
      head = ".../";
    } else if (head == "/") {
      head.clear();
    } else {
      const bool rooted = head.starts_with('/');
      if (rooted) head.erase(0, 1);
      if (head.starts_with(".../")) head.erase(0, 4);
      const size_t slash = head.find('/');
      head = slash == std::string::npos ? std::string() : ".../" + head.substr(slash + 1);
      if (rooted) head.insert(0, "/");
    }
    result = head + name;
  }
  return result;
}
