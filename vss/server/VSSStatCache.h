#pragma once
// Which content each local file held when it was last read, against the file's stat data (size,
// modification and change times in nanoseconds, inode, device), so that asking whether an untouched
// file differs costs a stat and a lookup, not a read and a hash. Kept per user and machine in a
// SQLite file outside the shared database; several processes may use it at once.
//
// An entry is a fact ("a file with this stat data held this content") and is trusted only when the
// file's stat data is unchanged and the entry is not racy: a file modified or changed within
// TimeGranularityNs before the entry was made could change again within the same tick of the
// file-time clock without its times showing it, so such an entry is hashed again. Whatever writes a
// file (Get, Check In, Undo, the user) gives it a new change time or inode, so its entry no longer
// matches and the next question reads the file and records it afresh.
// The cache never fails a caller: a cache file that is corrupt or not the user's own is set aside
// and rebuilt, and whatever else goes wrong with it only means the file is read and hashed.
#include <cstdint>
#include <string>
#include <unordered_map>
#include <unordered_set>

struct sqlite3;
struct VSSContentInfo;

class VSSStatCache {
public:
  // Covers the coarsest file times in use (2 seconds) and the lag of the kernel's file-time clock.
  static constexpr int64_t TimeGranularityNs = 2'000'000'000;

  // $XDG_CACHE_HOME (else $HOME/.cache) + "/ravelin/sourcesafe/<machine>.db"; empty without a home.
  static std::string DefaultFile();
  // The file is opened (made when missing) at the first use.
  explicit VSSStatCache(std::string file);
  ~VSSStatCache();
  VSSStatCache(const VSSStatCache&) = delete;
  VSSStatCache& operator=(const VSSStatCache&) = delete;

  // Whether the file at `path` holds `content`: false when it is missing or its size differs.
  // Raises SourceSafe's errors for a folder or a file that can't be read.
  bool Holds(const std::string& path, const VSSContentInfo& content);

private:
  struct Entry {
    int64_t Size = 0, ModifiedNs = 0, ChangedNs = 0, Inode = 0, Device = 0;
    std::string Hash;
    int64_t Since = 0;
    bool SameStatAs(const Entry& other) const;
    // Made within the time granularity of the file's last modification or change.
    bool Racy() const;
  };
  const Entry* Find(const std::string& path);
  void Save(const std::string& path, const Entry& entry);

  bool Open();
  int OpenFile();   // an SQLite result code
  void Close() noexcept;
  // After an SQLite error: a corrupt file is set aside (a fresh one is made at the next use).
  void Failed(int code);
  bool SetAside();

  std::string FFile;
  sqlite3* FDb = nullptr;
  bool FUnusable = false;
  // Entries read from the file, a folder at a time, and those made since.
  std::unordered_map<std::string, Entry> FEntries;
  std::unordered_set<std::string> FLoadedFolders;
};
