#pragma once
// Which content each local file held when it was last read, against the file's stat data (size,
// modification and change times in nanoseconds, inode, device), so that asking whether an untouched
// file differs costs a stat and a lookup, not a read and a hash. Kept per user and machine in a
// SQLite file outside the shared database; several processes may use it at once.
//
// An entry is a fact ("a file with this stat data held this content") and is trusted only when the
// file's stat data is unchanged and the entry is not racy: a file modified or changed within the
// time granularity of its file system before the entry was made could change again within the same
// tick of the file-time clock without its times showing it, so such an entry is hashed again. On
// file systems that stamp times from this machine's clock to the nanosecond the tick is the clock's
// own; elsewhere TimeGranularityNs is assumed. Whatever writes a file (Get, Check In, Undo, the user)
// gives it a new change time or inode, so an older entry no longer matches. The operations that
// write a file from known content, or read it and only change its mode, record its new entry
// themselves (Wrote), so the next walk need not read it.
// The cache never fails a caller: a cache file that is corrupt or not the user's own is set aside
// and rebuilt, and whatever else goes wrong with it only means the file is read and hashed.
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

struct sqlite3;
struct VSSContentInfo;

class VSSStatCache {
public:
  // Covers the coarsest file times in use (2 seconds) and the lag of a file-time clock that is not
  // known to be this machine's.
  static constexpr int64_t TimeGranularityNs = 2'000'000'000;

  // A regular file's stat data, and the time of the file-time clock just before it was taken.
  struct FileStat {
    int64_t Size = 0, ModifiedNs = 0, ChangedNs = 0, Inode = 0, Device = 0;
    int64_t Since = 0;
    bool ExactTimes = false;   // its file system stamps times from this machine's clock to the nanosecond
    bool SameAs(const FileStat& other) const;
  };
  // What an operation left in a local file: the content it wrote, or the content it read after
  // taking Before (and then changed at most the file's mode).
  struct Written {
    std::string Path;
    std::string Hash;
    std::optional<FileStat> Before;
  };

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
  // The stat data of a regular file; nothing when it is missing or not a file.
  std::optional<FileStat> StatOf(const std::string& path);
  // Records the files an operation has just left, all as of now, once it is done with them. A file
  // read after a Before that could have changed unseen, or that changed since, is left out. Like
  // the entries Holds makes, they are written out with the next batch. An entry still in the tick of
  // its file's last change is hashed again before that batch, once the clock has moved on, so that
  // even a one-file operation leaves an entry the next walk can trust.
  void Wrote(const std::vector<Written>& files);

private:
  struct Entry {
    FileStat Stat;
    std::string Hash;
  };
  // Whether a change made to a file with the stat data `now` after `since` could leave its times as
  // they are.
  static bool Racy(int64_t since, const FileStat& now);
  bool ExactTimes(const std::string& path, int64_t device, int64_t changedNs);
  // An open handle of an absolute path's folder to stat its files from, or -1 (see FDirectory).
  int DirectoryOf(const std::string& path, size_t nameStart);
  // The entries of a folder, by name.
  struct Folder {
    bool Loaded = false;
    std::unordered_map<std::string, Entry> Files;
  };
  static std::string KeyOf(const std::string& path);
  // The entries of the folder a key is in, read from the file the first time.
  Folder& FolderOf(const std::string& key);
  const Entry* Find(const std::string& key);
  // The entry of a key in a folder read already (as those Save made are); reads nothing.
  Entry* Known(const std::string& key);
  // Entries are written out in batches: a walk must not pay a transaction a file.
  void Save(const std::string& path, const Entry& entry);
  void Flush();
  // Hashes again the files Wrote left in the tick of their last change (see Wrote).
  void Recheck();

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
  std::unordered_map<std::string, Folder> FFolders;
  Folder* FLastFolder = nullptr;   // the one FolderOf gave last: a walk asks for one folder at a time
  std::string FLastFolderName;
  std::vector<std::string> FUnsaved;   // keys of entries made but not yet written out
  int64_t FUnsavedSince = 0;           // when the first of them was made (steady clock, ns)
  std::vector<std::string> FRecheck;   // keys of entries Wrote made in their file's last tick
  std::unordered_map<int64_t, bool> FExactDevices;
  // The folder of the file stat'ed last, open: a walk stats a folder's files one after another, and
  // a name looked up from its folder costs one step instead of one per part of the path. It serves
  // only for as long as a walk takes, so a folder replaced meanwhile is not looked in for long.
  int FDirectory = -1;
  std::string FDirectoryName;
  int64_t FDirectoryUsed = 0;   // steady clock, ns
};
