#include "vss/server/VSSStatCache.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <linux/magic.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include "platform/Environment.h"
#include "platform/Files.h"
#include "vss/server/VSSContent.h"
#include "vss/server/VSSLocalFile.h"
#include "vss/server/VSSTree.h"

namespace {

constexpr int BusyTimeoutMs = 250;   // a cache write that waits longer is skipped
constexpr size_t SaveBatch = 1024;   // entries written out at once at the most
constexpr int64_t SaveDelayNs = 1'000'000'000;   // how long a made entry may wait to be written out
constexpr int64_t DirectoryLifeNs = 100'000'000;   // how long an open folder serves after its last use
// 2: entries are timed by the coarse clock file times are stamped from.
constexpr int SchemaVersion = 2;
constexpr const char* Schema =
    "CREATE TABLE IF NOT EXISTS files(folder TEXT NOT NULL, name TEXT NOT NULL, size INTEGER NOT NULL, "
    "modified INTEGER NOT NULL, changed INTEGER NOT NULL, inode INTEGER NOT NULL, device INTEGER NOT NULL, "
    "hash BLOB NOT NULL, since INTEGER NOT NULL, PRIMARY KEY(folder, name)) WITHOUT ROWID";

int64_t Nanoseconds(const timespec& time) { return int64_t{time.tv_sec} * 1'000'000'000 + time.tv_nsec; }

int64_t ClockNs(clockid_t id) {
  timespec now;
  ::clock_gettime(id, &now);
  return Nanoseconds(now);
}

// Local file systems that keep file times to the nanosecond, stamped from the kernel's coarse clock.
bool KeepsExactTimes(int64_t type) {
  switch (type) {
  case EXT4_SUPER_MAGIC:   // ext2 and ext3 too; an inode too small for fractions is told by its times
  case XFS_SUPER_MAGIC:
  case BTRFS_SUPER_MAGIC:
  case TMPFS_MAGIC:
  case F2FS_SUPER_MAGIC:
    return true;
  default:
    return false;
  }
}

// Only a file and folder of this user's own, that nobody else may write, can be trusted.
bool OwnedAndPrivate(const std::string& path, bool folder) {
  struct stat info;
  if (::lstat(path.c_str(), &info) != 0) return false;
  return (folder ? S_ISDIR(info.st_mode) : S_ISREG(info.st_mode)) && info.st_uid == ::geteuid() &&
         (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

// One statement, finalized when it goes; every call returns an SQLite result code.
class Query {
public:
  Query(sqlite3* db, const char* sql) { FCode = sqlite3_prepare_v2(db, sql, -1, &FStatement, nullptr); }
  ~Query() { sqlite3_finalize(FStatement); }
  Query(const Query&) = delete;
  Query& operator=(const Query&) = delete;
  int Code() const { return FCode; }
  sqlite3_stmt* operator*() const { return FStatement; }
  // SQLITE_ROW, SQLITE_DONE or an error.
  int Step() { return FCode == SQLITE_OK ? sqlite3_step(FStatement) : FCode; }

private:
  sqlite3_stmt* FStatement = nullptr;
  int FCode;
};

std::string Column(sqlite3_stmt* row, int column) {
  const auto* data = static_cast<const char*>(sqlite3_column_blob(row, column));
  return data ? std::string(data, static_cast<size_t>(sqlite3_column_bytes(row, column))) : std::string();
}

} // namespace

std::string VSSStatCache::DefaultFile() {
  std::string folder = platform::GetEnv("XDG_CACHE_HOME");
  if (folder.empty() || folder.front() != '/') {   // a relative setting is to be ignored
    const std::string home = platform::HomeDirectory();
    if (home.empty()) return {};
    folder = platform::IncludeTrailingPathDelimiter(home) + ".cache";
  }
  return platform::IncludeTrailingPathDelimiter(folder) + "ravelin/sourcesafe/" + platform::MachineName() + ".db";
}

bool VSSStatCache::FileStat::SameAs(const FileStat& other) const {
  return Size == other.Size && ModifiedNs == other.ModifiedNs && ChangedNs == other.ChangedNs &&
         Inode == other.Inode && Device == other.Device;
}

bool VSSStatCache::Racy(int64_t since, const FileStat& now) {
  const int64_t last = std::max(now.ModifiedNs, now.ChangedNs);
  // With exact times a change after `since` is stamped `since` or later; otherwise it may share
  // the granule of the last one.
  return now.ExactTimes ? since <= last : since - last < TimeGranularityNs;
}

VSSStatCache::VSSStatCache(std::string file) : FFile(std::move(file)) {}

VSSStatCache::~VSSStatCache() {
  Flush();
  Close();
  if (FDirectory >= 0) ::close(FDirectory);
}

int VSSStatCache::DirectoryOf(const std::string& path, size_t nameStart) {
  const int64_t now = ClockNs(CLOCK_MONOTONIC_COARSE);
  const std::string_view folder(path.data(), nameStart);
  if (FDirectory < 0 || now - FDirectoryUsed > DirectoryLifeNs || folder != FDirectoryName) {
    if (FDirectory >= 0) ::close(FDirectory);
    FDirectoryName = folder;
    FDirectory = ::open(FDirectoryName.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
  }
  FDirectoryUsed = now;
  return FDirectory;
}

std::optional<VSSStatCache::FileStat> VSSStatCache::StatOf(const std::string& path) {
  // Taken before the stat, from the clock file times are stamped from: anything that changes the
  // file after it shows in its times.
  const int64_t since = ClockNs(CLOCK_REALTIME_COARSE);
  const size_t nameStart = path.rfind('/') + 1;
  const int folder = path.starts_with('/') ? DirectoryOf(path, nameStart) : -1;
  struct stat info;
  const int code = folder >= 0 ? ::fstatat(folder, path.c_str() + nameStart, &info, 0) : ::stat(path.c_str(), &info);
  if (code != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  FileStat now{info.st_size, Nanoseconds(info.st_mtim), Nanoseconds(info.st_ctim), static_cast<int64_t>(info.st_ino),
               static_cast<int64_t>(info.st_dev), since};
  now.ExactTimes = ExactTimes(path, now.Device, now.ChangedNs);
  return now;
}

bool VSSStatCache::ExactTimes(const std::string& path, int64_t device, int64_t changedNs) {
  // A change time without a fraction: the file system (or this inode) keeps whole seconds.
  if (changedNs % 1'000'000'000 == 0) return false;
  const auto [known, added] = FExactDevices.try_emplace(device, false);
  if (added) {
    struct statfs info;
    known->second = ::statfs(path.c_str(), &info) == 0 && KeepsExactTimes(info.f_type);
  }
  return known->second;
}

std::string VSSStatCache::KeyOf(const std::string& path) {
  // Any spelling of an absolute path will do as the key: an entry only counts for the file it was
  // made from (its inode and times), whatever name it was found under.
  return path.front() == '/' ? path : platform::ExpandFileName(path);
}

bool VSSStatCache::Holds(const std::string& path, const VSSContentInfo& content) {
  const std::optional<FileStat> now = StatOf(path);
  if (!now) {
    VSSLocalFile::CheckNotFolder(path);
    return false;
  }
  if (now->Size != content.Size) return false;
  const std::string key = KeyOf(path);
  if (const Entry* known = Find(key); known && known->Stat.SameAs(*now) && !Racy(known->Stat.Since, *now))
    return known->Hash == content.Hash;
  Entry fresh{*now, VSSLocalFile::Hash(path)};
  Save(key, fresh);
  return fresh.Hash == content.Hash;
}

void VSSStatCache::Wrote(const std::vector<Written>& files) {
  std::vector<std::pair<std::string, Entry>> made;
  for (const Written& file : files) {
    std::optional<FileStat> now = StatOf(file.Path);
    if (!now) continue;
    if (const auto& before = file.Before) {
      // The content read is the file's only when no change could hide after Before, and none
      // showed since (its mode, and with it the change time, the operation may have set).
      if (Racy(before->Since, *before) || before->Size != now->Size || before->ModifiedNs != now->ModifiedNs ||
          before->Inode != now->Inode || before->Device != now->Device)
        continue;
    }
    made.emplace_back(KeyOf(file.Path), Entry{*now, file.Hash});
  }
  // After every stat: from here on a change shows in a file's times, unless the clock is still in
  // the tick it last changed in, which Racy tells.
  const int64_t since = ClockNs(CLOCK_REALTIME_COARSE);
  for (auto& [key, entry] : made) {
    entry.Stat.Since = since;
    if (entry.Stat.ExactTimes && Racy(since, entry.Stat)) FRecheck.push_back(key);
    Save(key, entry);
  }
}

void VSSStatCache::Recheck() {
  std::vector<std::string> keys;
  keys.swap(FRecheck);
  for (const std::string& key : keys) {
    Entry* known = Known(key);
    std::optional<FileStat> now = StatOf(key);
    if (!known || !now || !known->Stat.SameAs(*now)) continue;
    // An exact clock leaves the tick within milliseconds; a change made in it is caught by the hash.
    for (int waited = 0; now && Racy(now->Since, *now) && waited < 50; ++waited) {
      ::usleep(1000);
      now = StatOf(key);
    }
    if (!now || Racy(now->Since, *now)) continue;
    try {
      *known = Entry{*now, VSSLocalFile::Hash(key)};
      FUnsaved.push_back(key);
    } catch (const std::exception&) {
      // Unreadable now: the next question hashes it and says so.
    }
  }
}

VSSStatCache::Folder& VSSStatCache::FolderOf(const std::string& key) {
  std::string path = platform::ExtractFileDir(key);
  if (FLastFolder && path == FLastFolderName) return *FLastFolder;
  Folder& folder = FFolders[path];
  if (!folder.Loaded && Open()) {
    Query rows(FDb, "SELECT name, size, modified, changed, inode, device, hash, since FROM files WHERE folder = ?");
    sqlite3_bind_text(*rows, 1, path.data(), static_cast<int>(path.size()), SQLITE_TRANSIENT);
    int code;
    while ((code = rows.Step()) == SQLITE_ROW) {
      // An entry made in this process is newer than the file's.
      const auto [file, added] = folder.Files.try_emplace(Column(*rows, 0));
      if (added)
        file->second = Entry{{sqlite3_column_int64(*rows, 1), sqlite3_column_int64(*rows, 2), sqlite3_column_int64(*rows, 3),
                              sqlite3_column_int64(*rows, 4), sqlite3_column_int64(*rows, 5), sqlite3_column_int64(*rows, 7)},
                             Column(*rows, 6)};
    }
    folder.Loaded = true;   // not tried again after a failure either
    if (code != SQLITE_DONE) {
      Failed(code);   // a damaged file takes every folder with it, this one too
      return FFolders[path];
    }
  }
  FLastFolder = &folder;
  FLastFolderName = std::move(path);
  return folder;
}

const VSSStatCache::Entry* VSSStatCache::Find(const std::string& key) {
  Folder& folder = FolderOf(key);
  const auto found = folder.Files.find(platform::ExtractFileName(key));
  return found == folder.Files.end() ? nullptr : &found->second;
}

VSSStatCache::Entry* VSSStatCache::Known(const std::string& key) {
  const auto folder = FFolders.find(platform::ExtractFileDir(key));
  if (folder == FFolders.end()) return nullptr;
  const auto found = folder->second.Files.find(platform::ExtractFileName(key));
  return found == folder->second.Files.end() ? nullptr : &found->second;
}

void VSSStatCache::Save(const std::string& key, const Entry& entry) {
  FolderOf(key).Files.insert_or_assign(platform::ExtractFileName(key), entry);
  const int64_t now = ClockNs(CLOCK_MONOTONIC_COARSE);
  if (FUnsaved.empty()) FUnsavedSince = now;
  FUnsaved.push_back(key);
  if (FUnsaved.size() >= SaveBatch || now - FUnsavedSince >= SaveDelayNs) Flush();
}

void VSSStatCache::Flush() {
  Recheck();
  std::vector<std::string> keys;
  keys.swap(FUnsaved);
  if (keys.empty() || !Open()) return;
  int code = sqlite3_exec(FDb, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
  if (code != SQLITE_OK) return Failed(code);
  {
    Query save(FDb, "INSERT OR REPLACE INTO files VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?)");
    code = save.Code();
    for (size_t i = 0; i < keys.size() && code == SQLITE_OK; ++i) {
      const Entry* found = Known(keys[i]);
      if (!found) continue;
      const FileStat& stat = found->Stat;
      const std::string& hash = found->Hash;
      const std::string folder = platform::ExtractFileDir(keys[i]), name = platform::ExtractFileName(keys[i]);
      sqlite3_reset(*save);
      sqlite3_bind_text(*save, 1, folder.data(), static_cast<int>(folder.size()), SQLITE_TRANSIENT);
      sqlite3_bind_text(*save, 2, name.data(), static_cast<int>(name.size()), SQLITE_TRANSIENT);
      int index = 2;
      for (int64_t value : {stat.Size, stat.ModifiedNs, stat.ChangedNs, stat.Inode, stat.Device})
        sqlite3_bind_int64(*save, ++index, value);
      sqlite3_bind_blob(*save, 8, hash.data(), static_cast<int>(hash.size()), SQLITE_TRANSIENT);
      sqlite3_bind_int64(*save, 9, stat.Since);
      code = save.Step();
      if (code == SQLITE_DONE) code = SQLITE_OK;
    }
  }
  if (code == SQLITE_OK) code = sqlite3_exec(FDb, "COMMIT", nullptr, nullptr, nullptr);
  if (code != SQLITE_OK) {
    sqlite3_exec(FDb, "ROLLBACK", nullptr, nullptr, nullptr);
    Failed(code);
  }
}

bool VSSStatCache::Open() {
  if (FDb) return true;
  if (FUnusable || FFile.empty()) return false;
  const std::string folder = platform::ExtractFileDir(FFile);
  platform::ForceDirectories(folder);
  ::chmod(folder.c_str(), 0700);   // the user's own, whatever the umask made it
  if (!OwnedAndPrivate(folder, true)) {
    FUnusable = true;
    return false;
  }
  if (platform::FileExists(FFile) && !OwnedAndPrivate(FFile, false) && !SetAside()) {
    FUnusable = true;
    return false;
  }
  int code = OpenFile();
  if (code == SQLITE_CORRUPT || code == SQLITE_NOTADB) code = SetAside() ? OpenFile() : code;
  if (code != SQLITE_OK) {
    Close();
    FUnusable = true;
  }
  return FDb != nullptr;
}

int VSSStatCache::OpenFile() {
  int code = sqlite3_open_v2(FFile.c_str(), &FDb, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  if (code == SQLITE_OK) code = sqlite3_busy_timeout(FDb, BusyTimeoutMs);
  if (code == SQLITE_OK)
    code = sqlite3_exec(FDb, "PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL", nullptr, nullptr, nullptr);
  int64_t version = 0;
  if (code == SQLITE_OK) {
    Query read(FDb, "PRAGMA user_version");
    code = read.Step();
    if (code == SQLITE_ROW) {
      version = sqlite3_column_int64(*read, 0);
      code = SQLITE_OK;
    }
  }
  if (code == SQLITE_OK && version == 0) {
    const std::string setup = std::string("BEGIN IMMEDIATE; ") + Schema + "; PRAGMA user_version = " +
                              std::to_string(SchemaVersion) + "; COMMIT";
    code = sqlite3_exec(FDb, setup.c_str(), nullptr, nullptr, nullptr);
    version = SchemaVersion;
  }
  // Another layout is another program's file, or a damaged one: either way not to be used.
  if (code == SQLITE_OK && version != SchemaVersion) code = SQLITE_NOTADB;
  if (code != SQLITE_OK) Close();
  return code;
}

void VSSStatCache::Close() noexcept {
  sqlite3_close(FDb);
  FDb = nullptr;
}

void VSSStatCache::Failed(int code) {
  if (code != SQLITE_CORRUPT && code != SQLITE_NOTADB) return;   // busy or the like: only this step is lost
  Close();
  // Entries read so far may have come from the damaged part: they go with it.
  FFolders.clear();
  FLastFolder = nullptr;
  FUnsaved.clear();
  if (!SetAside()) FUnusable = true;
}

bool VSSStatCache::SetAside() {
  // Its journal files belong to it and must not be applied to the new file.
  for (const char* suffix : {"-wal", "-shm"}) ::unlink((FFile + suffix).c_str());
  return std::rename(FFile.c_str(), (FFile + ".bad").c_str()) == 0 || !platform::FileExists(FFile);
}
