#include "vss/server/VSSLocalFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

#include "platform/Files.h"
#include "vss/api/VSSErrors.h"

namespace VSSLocalFile {

namespace {

[[noreturn]] void Denied(const std::string& path, const std::string& why) {
  throw EVSSAutomation("Access to file \"" + path + "\" denied" + (why.empty() ? "" : ": " + why),
                       VSSError::AccessDenied);
}

// A failed system call on the local file `path`, with its errno: a full disk or a lack of memory is
// said as such, anything else is a refused access.
[[noreturn]] void Failed(const std::string& path, int code) {
  if (code == ENOSPC || code == EDQUOT)
    throw EVSSAutomation("The disk is full: file \"" + path + "\" cannot be written", VSSError::DiskFull);
  if (code == ENOMEM) throw EVSSAutomation("Out of memory writing file \"" + path + "\"", VSSError::OutOfMemory);
  Denied(path, std::strerror(code));
}

void CheckNamed(const std::string& path) {
  if (path.empty()) throw EVSSAutomation("No local file name was given", VSSError::InvalidOperation);
}

} // namespace

Kind KindOf(const std::string& path) {
  struct stat info;
  if (path.empty() || ::stat(path.c_str(), &info) != 0) return Kind::Missing;
  return S_ISDIR(info.st_mode) ? Kind::Folder : Kind::File;
}

bool IsWritable(const std::string& path) { return KindOf(path) == Kind::File && !platform::IsReadOnly(path); }

int64_t ModifiedTime(const std::string& path) { return platform::FileAge(path); }

Reader::Reader(const std::string& path) : FPath(path) {
  CheckNamed(path);
  switch (KindOf(path)) {
  case Kind::Missing:
    throw EVSSAutomation("File \"" + path + "\" not found", VSSError::LocalFileNotFound);
  case Kind::Folder:
    Denied(path, "it is a folder");
  case Kind::File:
    break;
  }
  FFile = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  struct stat info;
  if (FFile < 0 || ::fstat(FFile, &info) != 0) {
    const int code = errno;
    if (FFile >= 0) ::close(FFile);
    Denied(path, std::strerror(code));
  }
  // A small file needs no more than its size (a file that grows meanwhile gives smaller pieces).
  FBuffer.resize(std::clamp<size_t>(static_cast<size_t>(info.st_size), 4096, VSSContent::ChunkSize));
}

Reader::~Reader() {
  if (FFile >= 0) ::close(FFile);
}

std::string_view Reader::Next() {
  size_t got = 0;
  while (got < FBuffer.size()) {
    const ssize_t n = ::read(FFile, FBuffer.data() + got, FBuffer.size() - got);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      Denied(FPath, std::strerror(errno));
    }
    got += static_cast<size_t>(n);
  }
  return {FBuffer.data(), got};
}

std::string Hash(const std::string& path) {
  Reader file(path);
  VSSContent::Hasher hasher;
  for (std::string_view piece; !(piece = file.Next()).empty();) hasher.Add(piece);
  return hasher.Final();
}

void CheckNotFolder(const std::string& path) {
  if (KindOf(path) == Kind::Folder) Denied(path, "it is a folder");
}

void SetReadOnly(const std::string& path, bool readOnly) {
  if (!platform::SetReadOnly(path, readOnly)) Denied(path, std::strerror(errno));
}

void Remove(const std::string& path) {
  if (KindOf(path) == Kind::Missing) return;
  CheckNotFolder(path);
  if (::unlink(path.c_str()) != 0) Denied(path, std::strerror(errno));
}

PendingWrite::PendingWrite(const std::string& path, const std::function<void(const VSSContent::Sink&)>& content,
                           bool readOnly, int64_t fileTime)
    : FPath(platform::ExpandFileName(path)) {
  CheckNamed(path);
  CheckNotFolder(FPath);
  std::vector<std::string> missing;   // folders on the way that don't exist yet, deepest first
  for (std::string folder = platform::ExtractFileDir(FPath);
       !folder.empty() && folder != "/" && !platform::DirectoryExists(folder); folder = platform::ExtractFileDir(folder))
    missing.push_back(folder);
  for (auto folder = missing.rbegin(); folder != missing.rend(); ++folder) {
    if (::mkdir(folder->c_str(), 0777) != 0) Fail();
    FMadeFolders.insert(FMadeFolders.begin(), *folder);
  }
  FTemp = platform::CreateTempFileName(platform::ExtractFileDir(FPath), "." + platform::ExtractFileName(FPath) + ".");
  if (FTemp.empty()) Fail();
  // The temporary file is new and private: write it, then give it its time and the mode of a new
  // file (so other users can read the working copy), read-only as asked.
  std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(FTemp.c_str(), "wb"), &std::fclose);
  if (!file) Fail();
  try {
    content([&](std::string_view piece) {
      if (std::fwrite(piece.data(), 1, piece.size(), file.get()) != piece.size()) Fail();
    });
  } catch (...) {
    Discard();
    throw;
  }
  bool ok = std::fclose(file.release()) == 0;
  if (ok && fileTime >= 0) {
    struct utimbuf times{static_cast<time_t>(fileTime), static_cast<time_t>(fileTime)};
    ok = ::utime(FTemp.c_str(), &times) == 0;
  }
  ok = ok && ::chmod(FTemp.c_str(), platform::NewFileMode()) == 0;
  if (!ok || !platform::SetReadOnly(FTemp, readOnly)) Fail();
}

PendingWrite::~PendingWrite() { Discard(); }

void PendingWrite::Discard() noexcept {
  if (!FTemp.empty()) ::unlink(FTemp.c_str());
  for (const std::string& folder : FMadeFolders) ::rmdir(folder.c_str());
  FTemp.clear();
  FMadeFolders.clear();
}

void PendingWrite::Fail() {
  const int code = errno;
  Discard();
  Failed(FPath, code);
}

void PendingWrite::Commit() {
  if (::rename(FTemp.c_str(), FPath.c_str()) != 0) Fail();
  FTemp.clear();
  FMadeFolders.clear();
}

} // namespace VSSLocalFile
