#pragma once
// Local copies: reading them with SourceSafe's errors, and replacing them in two steps so that a
// failed operation leaves the disk as it was. Only the given path (plus a temporary file and any
// missing folders on the way to it) is ever written.
#include <cstdint>
#include <string>
#include <vector>

#include "vss/server/VSSContent.h"

namespace VSSLocalFile {

enum class Kind { Missing, File, Folder };
Kind KindOf(const std::string& path);
bool IsWritable(const std::string& path);
int64_t ModifiedTime(const std::string& path);   // seconds since 1970; -1 when missing

// A local file read in pieces of VSSContent::ChunkSize bytes (the last may be shorter), so that
// its size doesn't matter. Raises "File "%s" not found" for a missing file and "Access to file "%s"
// denied" for a folder or an unreadable file.
class Reader {
public:
  explicit Reader(const std::string& path);
  ~Reader();
  Reader(const Reader&) = delete;
  Reader& operator=(const Reader&) = delete;
  // The next piece, valid until the next call; empty at the end.
  std::string_view Next();

private:
  std::string FPath;
  int FFile = -1;
  std::string FBuffer;
};
// The content hash of a local file, with Reader's errors.
std::string Hash(const std::string& path);
// Raises "Access to file "%s" denied" when `path` is a folder (a file may be missing).
void CheckNotFolder(const std::string& path);
// Sets or clears the owner's write permission of an existing file; raises on failure.
void SetReadOnly(const std::string& path, bool readOnly);
// Deletes a file; a missing one is fine. Raises on failure.
void Remove(const std::string& path);

// A new content for `path`, written beside it by the constructor and renamed into place by Commit.
// Without Commit the temporary file and any folders it had to make are removed again.
class PendingWrite {
public:
  // `content` passes the content to the sink it is given. fileTime < 0 keeps the time of writing.
  PendingWrite(const std::string& path, const std::function<void(const VSSContent::Sink&)>& content, bool readOnly,
               int64_t fileTime);
  ~PendingWrite();
  PendingWrite(const PendingWrite&) = delete;
  PendingWrite& operator=(const PendingWrite&) = delete;
  void Commit();
  const std::string& Path() const { return FPath; }

private:
  void Discard() noexcept;
  [[noreturn]] void Fail();   // undoes what was done and raises the system's error for the path

  std::string FPath;
  std::string FTemp;
  std::vector<std::string> FMadeFolders;   // deepest first
};

} // namespace VSSLocalFile
