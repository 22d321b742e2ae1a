// The cache of local files' stat data behind IsDifferent: it answers untouched files, and it never
// calls a changed file unchanged, whatever happened to the file (also right after an operation
// wrote it) or to the cache file.
#include "VSSTestDatabase.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <functional>
#include <thread>
#include <tuple>
#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/Files.h"
#include "platform/Process.h"
#include "vss/server/VSSContent.h"
#include "vss/server/VSSStatCache.h"

namespace {

// Contents of one size, so only a read can tell them apart.
constexpr const char* ContentA = "version A\n";
constexpr const char* ContentB = "version B\n";

struct CacheRow {
  int64_t Modified = 0, Changed = 0, Inode = 0, Since = 0;
  std::string Hash;
};

class VSSStatCacheTest : public VSSTestDatabase {
protected:
  void SetUp() override {
    VSSTestDatabase::SetUp();
    auto db = Open();
    db->VSSItem("$/")->NewSubproject("App", "")->SetLocalSpec(PathOf("alice"));
    AddFile(db.Get(), "$/App", "main.cpp", ContentA);
    FLocal = PathOf("alice/main.cpp");
    std::string local = FLocal;
    db->VSSItem("$/App/main.cpp")->Get(local, VSSFLAG_USERRONO);
  }

  std::string CacheFile() const { return VSSStatCache::DefaultFile(); }
  // Asked in a new session each time, so the answer comes from the cache file, not from memory.
  bool IsDifferent() const { return Open()->VSSItem("$/App/main.cpp")->IsDifferent(FLocal); }

  struct stat Stat(const std::string& path = {}) const {
    struct stat info{};
    ::stat((path.empty() ? FLocal : path).c_str(), &info);
    return info;
  }
  static int64_t Ns(const timespec& time) { return time.tv_sec * 1'000'000'000LL + time.tv_nsec; }

  // Runs `sql` on the cache file with the local file's folder and name bound to ?1 and ?2.
  std::optional<CacheRow> OnCache(const std::string& sql) const { return OnCache(sql, FLocal); }
  std::optional<CacheRow> OnCache(const std::string& sql, const std::string& path) const {
    sqlite3* db = nullptr;
    std::optional<CacheRow> row;
    sqlite3_open(CacheFile().c_str(), &db);
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr);
    const std::string folder = platform::ExtractFileDir(path), name = platform::ExtractFileName(path);
    sqlite3_bind_text(statement, 1, folder.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(statement, 2, name.c_str(), -1, SQLITE_TRANSIENT);
    if (sqlite3_step(statement) == SQLITE_ROW)
      row = CacheRow{sqlite3_column_int64(statement, 0), sqlite3_column_int64(statement, 1),
                     sqlite3_column_int64(statement, 2), sqlite3_column_int64(statement, 3),
                     std::string(static_cast<const char*>(sqlite3_column_blob(statement, 4)),
                                 static_cast<size_t>(sqlite3_column_bytes(statement, 4)))};
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return row;
  }
  std::optional<CacheRow> Row(const std::string& path = {}) const {
    return OnCache("SELECT modified, changed, inode, since, hash FROM files WHERE folder = ?1 AND name = ?2",
                   path.empty() ? FLocal : path);
  }
  // Makes the file's entry claim `hash` for the file as it is now, made `age` ns after its last change.
  void Forge(const std::string& hash, int64_t age, int64_t inodeDelta = 0, int64_t modifiedDelta = 0) const {
    const struct stat now = Stat();
    const int64_t changed = Ns(now.st_ctim);
    OnCache("UPDATE files SET modified = " + std::to_string(Ns(now.st_mtim) + modifiedDelta) +
            ", changed = " + std::to_string(changed) + ", inode = " + std::to_string(now.st_ino + inodeDelta) +
            ", since = " + std::to_string(changed + age) + ", hash = x'" + Hex(hash) +
            "' WHERE folder = ?1 AND name = ?2");
  }
  static std::string Hex(const std::string& bytes) {
    std::string hex;
    for (unsigned char byte : bytes) hex += "0123456789abcdef"[byte >> 4], hex += "0123456789abcdef"[byte & 15];
    return hex;
  }
  void Rewrite(const std::string& content) const {
    platform::SetReadOnly(FLocal, false);
    WriteFile("alice/main.cpp", content);
  }

  std::string FLocal;
};

constexpr int64_t Old = 10 * VSSStatCache::TimeGranularityNs;

TEST_F(VSSStatCacheTest, AnUntouchedFileIsAnsweredFromTheCacheAndAnyChangeToItsStatDataRereadsIt) {
  EXPECT_FALSE(IsDifferent());
  ASSERT_TRUE(Row());
  // An old entry whose stat data matches is believed without reading the file...
  Forge(VSSContent::Hash(ContentB), Old);
  EXPECT_TRUE(IsDifferent());
  // ...but not when it was made in the same tick of the clock as the file's last change, nor when the
  // inode or the modification time differ (the change time differs after every other change).
  for (auto [age, inode, modified] : {std::tuple{int64_t{0}, 0, 0}, {Old, 1, 0}, {Old, 0, 1}}) {
    Forge(VSSContent::Hash(ContentB), age, inode, modified);
    EXPECT_FALSE(IsDifferent()) << age << " " << inode << " " << modified;
  }
}

TEST_F(VSSStatCacheTest, ChangedFilesAreNeverCalledUnchanged) {
  // Rewritten with the same size again and again, at once after each answer.
  for (int round = 0; round < 20; ++round) {
    Rewrite(round % 2 ? ContentA : ContentB);
    EXPECT_EQ(IsDifferent(), round % 2 == 0) << round;
  }
  // Touched back to its old times.
  Rewrite(ContentA);
  EXPECT_FALSE(IsDifferent());
  const struct stat before = Stat();
  Rewrite(ContentB);
  const timespec times[2] = {before.st_atim, before.st_mtim};
  ASSERT_EQ(::utimensat(AT_FDCWD, FLocal.c_str(), times, 0), 0);
  EXPECT_TRUE(IsDifferent());
  // Replaced by another file with the same size and times.
  Rewrite(ContentA);
  EXPECT_FALSE(IsDifferent());
  const std::string other = WriteFile("alice/other.cpp", ContentB);
  const struct stat original = Stat();
  const timespec originalTimes[2] = {original.st_atim, original.st_mtim};
  ASSERT_EQ(::utimensat(AT_FDCWD, other.c_str(), originalTimes, 0), 0);
  ASSERT_EQ(std::rename(other.c_str(), FLocal.c_str()), 0);
  EXPECT_TRUE(IsDifferent());
  // Its folder replaced by another holding a file of the same size, asked again by a session that
  // looked in the old folder a moment (longer than a walk) before.
  Rewrite(ContentA);
  auto file = Open()->VSSItem("$/App/main.cpp");
  EXPECT_FALSE(file->IsDifferent(FLocal));
  WriteFile("twin/main.cpp", ContentB);
  ASSERT_EQ(std::rename(PathOf("alice").c_str(), PathOf("alice.old").c_str()), 0);
  ASSERT_EQ(std::rename(PathOf("twin").c_str(), PathOf("alice").c_str()), 0);
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  EXPECT_TRUE(file->IsDifferent(FLocal));
}

// Rewrites a file where it is (same inode) without touching its mode.
void InPlace(const std::string& path, const std::string& content) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
}

// The entry an operation leaves for the file it wrote is trusted at once when the clock has left the
// tick of the write before the operation returned, and then never lies: whatever happens to the
// file right after (same size, same second), the next question sees it.
TEST_F(VSSStatCacheTest, EntriesLeftByGetCheckinUndoAndAddNeverLie) {
  // Every operation runs in a session of its own, whose entries are in the cache file once it ends.
  std::string spec = "$/App/main.cpp", local = FLocal;
  auto item = [&] { return Open()->VSSItem(spec); };
  auto latest = [&] {
    std::string target = PathOf("latest");
    std::filesystem::remove(target);
    item()->Get(target, VSSFLAG_USERRONO);
    return ReadFile(target);
  };
  auto toggle = [&](const std::string& content) { InPlace(FLocal, content == ContentA ? ContentB : ContentA); };
  int added = 0;
  // Each leaves `local` holding the latest version of `spec`, writable (a change needs no chmod).
  const std::vector<std::pair<std::string, std::function<void()>>> operations{
      {"Get", [&] {
         toggle(latest());
         item()->Get(local, VSSFLAG_REPREPLACE | VSSFLAG_USERRONO);
       }},
      {"Check In", [&] {
         auto file = item();
         file->Checkout("", FLocal, VSSFLAG_GETNO);
         toggle(ReadFile(FLocal));
         // A file saved in the tick it is read in could change unseen after the read.
         std::this_thread::sleep_for(std::chrono::milliseconds(20));
         file->Checkin("", FLocal, VSSFLAG_USERRONO);
       }},
      {"Undo", [&] {
         auto file = item();
         file->Checkout("", FLocal, VSSFLAG_GETNO);
         toggle(latest());
         file->UndoCheckout(FLocal, VSSFLAG_USERRONO);
       }},
      {"Add", [&] {
         spec = "$/App/added" + std::to_string(++added) + ".cpp";
         local = WriteFile("alice/added" + std::to_string(added) + ".cpp", ContentA);
         std::this_thread::sleep_for(std::chrono::milliseconds(20));
         Open()->VSSItem("$/App")->Add(local, "", VSSFLAG_USERRONO);
       }},
  };
  auto other = [&] { return ReadFile(local) == ContentA ? ContentB : ContentA; };
  const std::vector<std::pair<std::string, std::function<void()>>> aftermaths{
      {"untouched", [] {}},
      {"rewritten", [&] { InPlace(local, other()); }},
      {"touched back", [&] {
         const struct stat before = Stat(local);
         InPlace(local, other());
         const timespec times[2] = {before.st_atim, before.st_mtim};
         ASSERT_EQ(::utimensat(AT_FDCWD, local.c_str(), times, 0), 0);
       }},
      {"replaced", [&] {
         const struct stat before = Stat(local);
         const std::string replacement = WriteFile("replacement", other());
         const timespec times[2] = {before.st_atim, before.st_mtim};
         ASSERT_EQ(::utimensat(AT_FDCWD, replacement.c_str(), times, 0), 0);
         ASSERT_EQ(std::rename(replacement.c_str(), local.c_str()), 0);
       }},
  };
  // Whether the cache now answers for `local` without reading it.
  auto trusted = [&] {
    const std::optional<CacheRow> row = Row(local);
    const struct stat now = Stat(local);
    return row && row->Inode == static_cast<int64_t>(now.st_ino) && row->Changed == Ns(now.st_ctim) &&
           row->Modified == Ns(now.st_mtim) && row->Since > std::max(row->Modified, row->Changed);
  };
  for (const auto& [operation, run] : operations) {
    for (const auto& [aftermath, apply] : aftermaths) {
      // The operation ends in the tick of its write now and then; its entry is then rightly
      // hashed again, which would prove nothing here.
      bool isTrusted = false;
      for (int attempt = 0; attempt < 100 && !isTrusted; ++attempt) {
        run();
        isTrusted = trusted();
      }
      EXPECT_TRUE(isTrusted) << operation << ": its entry is never trusted";
      apply();
      const bool different = ReadFile(local) != latest();
      EXPECT_EQ(different, aftermath != "untouched") << operation << ", " << aftermath;
      EXPECT_EQ(item()->IsDifferent(local), different) << operation << ", " << aftermath;
    }
  }
}

// A Get killed half way leaves the files it replaced and those it did not each answered right.
TEST_F(VSSStatCacheTest, AGetKilledHalfWayLeavesNoWrongAnswer) {
  constexpr int Files = 12;
  auto db = Open();
  for (int i = 0; i < Files; ++i) AddFile(db.Get(), "$/App", "f" + std::to_string(i) + ".cpp", ContentA);
  std::string folder = PathOf("alice");
  db->VSSItem("$/App")->Get(folder, VSSFLAG_RECURSYES | VSSFLAG_REPREPLACE);
  auto file = [&](int i) { return db->VSSItem("$/App/f" + std::to_string(i) + ".cpp"); };
  auto local = [&](int i) { return PathOf("alice/f" + std::to_string(i) + ".cpp"); };
  for (int i = 0; i < Files; ++i) EXPECT_FALSE(file(i)->IsDifferent(local(i))) << i;
  for (int i = 0; i < Files; ++i) Revise(file(i).Get(), PathOf("bob/f" + std::to_string(i) + ".cpp"), ContentB);

  SetEnvironment("RAVELIN_TEST_KILL_AT_RENAME", "6");
  platform::Process helper;
  ASSERT_TRUE(helper.Start({VSS_TEST_HELPER, "get", IniPath(), "Alice", "alice-pw", "$/App", folder}));
  helper.Wait(60000);
  SetEnvironment("RAVELIN_TEST_KILL_AT_RENAME", nullptr);
  int replaced = 0;
  for (int i = 0; i < Files; ++i) {
    const bool isNew = ReadFile(local(i)) == ContentB;
    replaced += isNew;
    EXPECT_EQ(Open()->VSSItem("$/App/f" + std::to_string(i) + ".cpp")->IsDifferent(local(i)), !isNew) << i;
  }
  EXPECT_EQ(replaced, 5) << "the helper was not killed half way";
  // The next Get completes the tree and its answers.
  db->VSSItem("$/App")->Get(folder, VSSFLAG_RECURSYES | VSSFLAG_REPREPLACE);
  for (int i = 0; i < Files; ++i) EXPECT_FALSE(Open()->VSSItem("$/App/f" + std::to_string(i) + ".cpp")->IsDifferent(local(i))) << i;
}

TEST_F(VSSStatCacheTest, AListedItemAnswersFromItsListsSnapshotOnlyForAMoment) {
  auto db = Open();
  auto listed = db->VSSItem("$/App")->Items(false)->Item(1);
  // A new version after the list was read.
  auto file = Open()->VSSItem("$/App/main.cpp");
  const std::string other = PathOf("other/main.cpp");
  file->Checkout("", other, 0);
  platform::WriteFileAtomic(other, ContentB);
  file->Checkin("", other, 0);
  Open()->VSSItem("$/App")->SetLocalSpec(PathOf("moved"));

  EXPECT_FALSE(listed->IsDifferent(FLocal)) << "as of the list";
  EXPECT_EQ(listed->LocalSpec(), FLocal);
  EXPECT_TRUE(db->VSSItem("$/App")->Items(false)->Item(1)->IsDifferent(FLocal)) << "a new list sees it";
  std::this_thread::sleep_for(std::chrono::milliseconds(1100));
  EXPECT_TRUE(listed->IsDifferent(FLocal)) << "a kept item asks again";
  EXPECT_EQ(listed->LocalSpec(), PathOf("moved/main.cpp"));
  EXPECT_EQ(listed->Spec(), "$/App/main.cpp");
}

TEST_F(VSSStatCacheTest, AMissingCorruptOrForeignCacheFileIsSetAsideAndRebuiltWithoutError) {
  auto expectRightAnswers = [&](const char* what) {
    Rewrite(ContentA);
    EXPECT_FALSE(IsDifferent()) << what;
    Rewrite(ContentB);
    EXPECT_TRUE(IsDifferent()) << what;
    EXPECT_TRUE(Row()) << what << ": the cache file was not rebuilt";
  };
  std::filesystem::remove_all(HomeDir() / ".cache");
  expectRightAnswers("missing");

  ASSERT_TRUE(platform::WriteFileAtomic(CacheFile(), std::string(4096, 'x')));
  expectRightAnswers("corrupt");
  EXPECT_TRUE(platform::FileExists(CacheFile() + ".bad"));

  // Another user's file is not believed, even when it says something plausible.
  Rewrite(ContentA);
  EXPECT_FALSE(IsDifferent());
  Forge(VSSContent::Hash(ContentB), Old);
  ASSERT_EQ(::chown(CacheFile().c_str(), 4242, 4242), 0);
  EXPECT_FALSE(IsDifferent());
  struct stat info{};
  ASSERT_EQ(::stat(CacheFile().c_str(), &info), 0);
  EXPECT_EQ(info.st_uid, ::geteuid());
}

TEST_F(VSSStatCacheTest, ACacheThatCannotBeWrittenOnlyCostsAReadOfTheFile) {
  // A cache locked by another process's long write.
  EXPECT_FALSE(IsDifferent());
  sqlite3* writer = nullptr;
  ASSERT_EQ(sqlite3_open(CacheFile().c_str(), &writer), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(writer, "BEGIN IMMEDIATE; DELETE FROM files", nullptr, nullptr, nullptr), SQLITE_OK);
  Rewrite(ContentB);
  EXPECT_TRUE(IsDifferent());
  sqlite3_close(writer);
  // No place for a cache at all.
  WriteFile("not-a-folder", "");
  setenv("XDG_CACHE_HOME", PathOf("not-a-folder").c_str(), 1);
  EXPECT_TRUE(IsDifferent());
  Rewrite(ContentA);
  EXPECT_FALSE(IsDifferent());
}

TEST_F(VSSStatCacheTest, TheCacheFileIsPerMachineUnderTheUsersCacheFolder) {
  const std::string name = "/ravelin/sourcesafe/" + platform::MachineName() + ".db";
  for (auto [cacheHome, expected] : {std::pair{PathOf("xdg"), PathOf("xdg") + name},
                                     {std::string("relative/ignored"), HomeDir().string() + "/.cache" + name},
                                     {std::string(), HomeDir().string() + "/.cache" + name}}) {
    setenv("XDG_CACHE_HOME", cacheHome.c_str(), 1);
    EXPECT_EQ(VSSStatCache::DefaultFile(), expected) << cacheHome;
  }
}

} // namespace
