// Local copies: get, check out, check in and undo check-out with their flags, and comparing.
#include "VSSTestDatabase.h"

#include <climits>
#include <sqlite3.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <utime.h>

#include "platform/Files.h"
#include "VSSTestContent.h"
#include "vss/server/VSSAdmin.h"
#include "vss/server/VSSContent.h"

namespace {

class VSSFiles : public VSSTestDatabase {
protected:
  void SetUp() override {
    VSSTestDatabase::SetUp();
    if (IsSkipped()) return;
    FDb = Open();
    FDb->VSSItem("$/")->NewSubproject("App", "")->SetLocalSpec(PathOf("alice"));
    FFile = AddFile(FDb.Get(), "$/App", "main.cpp", "version 1\n");
    FLocal = PathOf("alice/main.cpp");
  }
  VSSPtr<IVSSDatabase> FDb;
  VSSPtr<IVSSItem> FFile;
  std::string FLocal;
};

TEST_F(VSSFiles, GetWritesTheLatestVersionReadOnlyIntoTheWorkingFolder) {
  std::string local;
  FFile->Get(local, 0);
  EXPECT_EQ(local, FLocal);
  EXPECT_EQ(ReadFile(FLocal), "version 1\n");
  EXPECT_FALSE(Writable(FLocal));
  EXPECT_FALSE(FFile->IsDifferent(FLocal));
  // A working copy is a normal file: others may read it, as the umask allows.
  struct stat info{};
  ASSERT_EQ(::stat(FLocal.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0444 & platform::NewFileMode());

  std::string other = PathOf("other/copy.cpp");
  FFile->Get(other, VSSFLAG_USERRONO);
  EXPECT_TRUE(Writable(other));
}

TEST_F(VSSFiles, GetOntoAWritableChangedCopyIsRefusedUnlessReplaceOrSkipAndErrorsCarryTheirHelpContext) {
  WriteFile("alice/main.cpp", "my own edit\n");
  std::string local = FLocal;
  try {
    FFile->Get(local, 0);
    FAIL() << "the writable copy was overwritten";
  } catch (const EVSSAutomation& error) {
    EXPECT_EQ(error.ErrorCode(), VSSError::WritableCopyExists);
    EXPECT_EQ(error.HelpContext(), 0);
    EXPECT_EQ(error.Message(), "A writable copy of " + FLocal + " already exists");
  }
  EXPECT_EQ(ReadFile(FLocal), "my own edit\n");
  EXPECT_EQ(ErrorOf([&] { FFile->Get(local, VSSFLAG_REPASK); }), VSSError::WritableCopyExists);

  FFile->Get(local, VSSFLAG_REPSKIP);
  EXPECT_EQ(ReadFile(FLocal), "my own edit\n");
  EXPECT_TRUE(Writable(FLocal));

  FFile->Get(local, VSSFLAG_REPREPLACE);
  EXPECT_EQ(ReadFile(FLocal), "version 1\n");
  EXPECT_FALSE(Writable(FLocal));

  // Other errors carry their number as help context.
  try {
    FDb->VSSItem("$/App/none.cpp");
    FAIL();
  } catch (const EVSSAutomation& error) {
    EXPECT_EQ(error.Message(), "File or project not found");
    EXPECT_EQ(error.HelpContext(), 10609);
  }
}

TEST_F(VSSFiles, CheckoutMakesTheCopyWritableAndShowsWhoHasIt) {
  FFile->Checkout("working on it", FLocal, 0);
  EXPECT_TRUE(Writable(FLocal));
  EXPECT_EQ(ReadFile(FLocal), "version 1\n");
  EXPECT_EQ(FFile->IsCheckedOut(), VSSFILE_CHECKEDOUT_ME);
  auto bobsView = Open("Bob", "bob-pw")->VSSItem("$/App/main.cpp");
  EXPECT_EQ(bobsView->IsCheckedOut(), VSSFILE_CHECKEDOUT);

  auto checkouts = bobsView->Checkouts();
  ASSERT_EQ(checkouts->Count(), 1);
  auto checkout = checkouts->Item(1);
  EXPECT_EQ(checkout->Username(), "Alice");
  EXPECT_EQ(checkout->LocalSpec(), PathOf("alice"));
  EXPECT_EQ(checkout->Project(), "$/App");
  EXPECT_EQ(checkout->Comment(), "working on it");
  EXPECT_EQ(checkout->VersionNumber(), 1);
  EXPECT_EQ(checkout->Machine(), platform::MachineName());
  EXPECT_GT(checkout->Date(), 40000.0);   // an OLE date of this century

  EXPECT_EQ(ErrorOf([&] { FFile->Checkout("", FLocal, 0); }), VSSError::CheckedOutByYou);
  EXPECT_EQ(ErrorOf([&] { bobsView->Checkout("", PathOf("bob/main.cpp"), 0); }), VSSError::CheckedOutByOther);
  EXPECT_FALSE(platform::FileExists(PathOf("bob/main.cpp")));
}

// The temporary file written beside a working copy must fit the name limit too, or a file added
// with a long name could never be got or checked out again.
TEST_F(VSSFiles, FilesWithNamesAtTheLimitStayReachable) {
  for (size_t length : {size_t(NAME_MAX) - 8, size_t(NAME_MAX)}) {
    const std::string name = std::string(length - 4, 'n') + ".cpp";
    auto file = AddFile(FDb.Get(), "$/App", name, "first\n");
    const std::string local = PathOf("alice/" + name);
    std::string got = local;
    file->Get(got, 0);
    EXPECT_EQ(ReadFile(local), "first\n");
    Revise(file.Get(), local, "second\n");
    EXPECT_EQ(ReadFile(local), "second\n");
    EXPECT_FALSE(Writable(local)) << length;
    file->Checkout("", local, 0);
    file->UndoCheckout(local, 0);
    EXPECT_EQ(ReadFile(local), "second\n");
  }
}

// A full disk is reported as one, not as a refused access, and leaves nothing half written.
TEST_F(VSSFiles, AGetOntoAFullDiskSaysTheDiskIsFull) {
  const std::string small = PathOf("small");
  platform::ForceDirectories(small);
  if (::mount("tmpfs", small.c_str(), "tmpfs", 0, "size=64k") != 0) GTEST_SKIP() << "can't mount a small disk here";
  auto big = AddFile(FDb.Get(), "$/App", "big.bin", std::string(256 * 1024, 'b'));
  std::string local = small + "/big.bin";
  uint32_t code = 0;
  std::string message;
  try {
    big->Get(local, 0);
  } catch (const EVSSAutomation& error) {
    code = error.ErrorCode();
    message = error.what();
  }
  EXPECT_EQ(code, VSSError::DiskFull) << message;
  EXPECT_NE(message.find("The disk is full"), std::string::npos) << message;
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(small), {}), 0);
  ::umount(small.c_str());
}

// A file of several chunks round-trips byte for byte through Add, Get, Check In and the comparison
// with a local copy, is stored once however often it is added, and contents stored whole by the
// versions before chunks (their store has no chunk table) still read back; the upgrade also brings
// the children query's index.
TEST_F(VSSFiles, FilesOfManyChunksRoundTripAndWholeStoredContentsStillRead) {
  const std::string first = VSSTestContent(7, 3 * VSSContent::ChunkSize + 12345);
  std::string second = first;
  second[2 * VSSContent::ChunkSize + 5] ^= 1;
  auto big = AddFile(FDb.Get(), "$/App", "big.bin", first);
  EXPECT_TRUE(big->Binary());
  const std::string local = PathOf("alice/big.bin");
  EXPECT_FALSE(big->IsDifferent(PathOf("work/big.bin")));
  EXPECT_TRUE(big->IsDifferent(Local("same-size.bin", second)));
  Revise(big.Get(), local, second);
  EXPECT_EQ(big->VersionNumber(), 2);
  AddFile(FDb.Get(), "$/App", "again.bin", first);
  EXPECT_EQ(StoreColumn("SELECT COUNT(*) FROM content_chunks"), std::vector<std::string>{"8"});

  auto expectBothVersions = [&](IVSSDatabase* db) {
    std::string v1 = PathOf("copies/v1.bin"), v2 = PathOf("copies/v2.bin");
    db->VSSItem("$/App/big.bin")->Version("1")->Get(v1, VSSFLAG_REPREPLACE | VSSFLAG_USERRONO);
    db->VSSItem("$/App/big.bin")->Version("2")->Get(v2, VSSFLAG_REPREPLACE | VSSFLAG_USERRONO);
    EXPECT_TRUE(ReadFile(v1) == first);
    EXPECT_TRUE(ReadFile(v2) == second);
  };
  expectBothVersions(FDb.Get());
  if (OnServer()) return;   // stores on a server were all made with chunks

  sqlite3* store = nullptr;
  ASSERT_EQ(sqlite3_open((DatabaseDir() + "/data/sourcesafe.db").c_str(), &store), SQLITE_OK);
  for (const std::string& content : {first, second}) {
    const std::string whole = VSSContent::Compressor().Compress(content), hash = VSSContent::Hash(content);
    sqlite3_stmt* update = nullptr;
    sqlite3_prepare_v2(store, "UPDATE contents SET data = ? WHERE hash = ?", -1, &update, nullptr);
    sqlite3_bind_blob(update, 1, whole.data(), static_cast<int>(whole.size()), SQLITE_TRANSIENT);
    sqlite3_bind_blob(update, 2, hash.data(), static_cast<int>(hash.size()), SQLITE_TRANSIENT);
    EXPECT_EQ(sqlite3_step(update), SQLITE_DONE);
    sqlite3_finalize(update);
  }
  EXPECT_EQ(sqlite3_exec(store,
                         "DROP TABLE content_chunks; UPDATE meta SET value = '1' WHERE key = 'schema'; "
                         "DROP INDEX entries_parent; CREATE INDEX entries_parent ON entries(parent, folded)",
                         nullptr, nullptr, nullptr),
            SQLITE_OK);
  sqlite3_close(store);
  auto db = Open();
  expectBothVersions(db.Get());
  // The first change adds the chunk table; old and new contents then live side by side.
  const std::string third = VSSTestContent(8, 2 * VSSContent::ChunkSize + 1);
  Revise(db->VSSItem("$/App/big.bin").Get(), local, third);
  expectBothVersions(db.Get());
  std::string v3 = PathOf("copies/v3.bin");
  db->VSSItem("$/App/big.bin")->Version("3")->Get(v3, VSSFLAG_USERRONO);
  EXPECT_TRUE(ReadFile(v3) == third);
  EXPECT_EQ(StoreColumn("SELECT value FROM meta WHERE key = 'schema'"), std::vector<std::string>{"2"});
  EXPECT_EQ(StoreColumn("SELECT sql FROM sqlite_master WHERE name = 'entries_parent'"),
            std::vector<std::string>{"CREATE INDEX entries_parent ON entries(parent, folded, deleted, item, name)"});
}

TEST_F(VSSFiles, MultipleCheckoutsFollowTheIniOption) {
  FFile->Checkout("", FLocal, 0);
  auto bobsView = Open("Bob", "bob-pw")->VSSItem("$/App/main.cpp");
  EXPECT_EQ(ErrorOf([&] { bobsView->Checkout("", PathOf("bob/main.cpp"), 0); }), VSSError::CheckedOutByOther);

  VSSAdmin::SetMultipleCheckouts(DatabaseDir(), true);
  EXPECT_EQ(ErrorOf([&] { bobsView->Checkout("", PathOf("bob/main.cpp"), VSSFLAG_CHKEXCLUSIVEYES); }),
            VSSError::CheckedOutByOther);
  bobsView->Checkout("", PathOf("bob/main.cpp"), 0);
  EXPECT_EQ(bobsView->Checkouts()->Count(), 2);
  EXPECT_EQ(bobsView->IsCheckedOut(), VSSFILE_CHECKEDOUT_ME);

  // An exclusive check-out keeps everyone else out even so.
  auto other = AddFile(FDb.Get(), "$/App", "other.cpp", "x");
  other->Checkout("", PathOf("alice/other.cpp"), VSSFLAG_CHKEXCLUSIVEYES);
  EXPECT_EQ(ErrorOf([&] { Open("Bob", "bob-pw")->VSSItem("$/App/other.cpp")->Checkout("", PathOf("bob/other.cpp"), 0); }),
            VSSError::ExclusivelyCheckedOut);

  // A binary file is never checked out twice.
  auto picture = AddFile(FDb.Get(), "$/App", "logo.bin", std::string("\0\1", 2));
  picture->Checkout("", PathOf("alice/logo.bin"), 0);
  EXPECT_EQ(ErrorOf([&] { Open("Bob", "bob-pw")->VSSItem("$/App/logo.bin")->Checkout("", PathOf("bob/logo.bin"), 0); }),
            VSSError::BinaryCheckedOut);
}

TEST_F(VSSFiles, CheckinOfAnUnchangedFileMakesAVersionOnlyWithUpdUpdate) {
  FFile->Checkout("", FLocal, 0);
  FFile->Checkin("nothing changed", FLocal, VSSFLAG_UPDUNCH);
  EXPECT_EQ(FFile->VersionNumber(), 1);
  EXPECT_EQ(FFile->IsCheckedOut(), VSSFILE_NOTCHECKEDOUT);
  EXPECT_FALSE(Writable(FLocal));

  FFile->Checkout("", FLocal, 0);
  FFile->Checkin("", FLocal, 0);   // the default is UPDUNCH
  EXPECT_EQ(FFile->VersionNumber(), 1);

  FFile->Checkout("", FLocal, 0);
  FFile->Checkin("forced", FLocal, VSSFLAG_UPDUPDATE);
  EXPECT_EQ(FFile->VersionNumber(), 2);
  EXPECT_EQ(Actions(FFile.Get())[0], "Checked in $/App");
}

TEST_F(VSSFiles, CheckinStoresTheNewContentAndKeepYesKeepsItCheckedOut) {
  FFile->Checkout("", FLocal, 0);
  WriteFile("alice/main.cpp", "version 2\n");
  FFile->Checkin("second", FLocal, VSSFLAG_KEEPYES);
  EXPECT_EQ(FFile->VersionNumber(), 2);
  EXPECT_EQ(FFile->IsCheckedOut(), VSSFILE_CHECKEDOUT_ME);
  EXPECT_TRUE(Writable(FLocal));
  EXPECT_EQ(FFile->Checkouts()->Item(1)->VersionNumber(), 2);

  WriteFile("alice/main.cpp", "version 3\n");
  FFile->Checkin("third", FLocal, 0);
  EXPECT_EQ(FFile->IsCheckedOut(), VSSFILE_NOTCHECKEDOUT);
  std::string old = PathOf("old.cpp");
  FFile->Version("2")->Get(old, 0);
  EXPECT_EQ(ReadFile(old), "version 2\n");
  EXPECT_EQ(ErrorOf([&] { FFile->Checkin("", FLocal, 0); }), VSSError::NotCheckedOut);
}

TEST_F(VSSFiles, WithoutALocalPathCheckinAndUndoUseTheFolderCheckedOutTo) {
  const std::string elsewhere = PathOf("elsewhere/main.cpp");
  FFile->Checkout("", elsewhere, 0);
  WriteFile("elsewhere/main.cpp", "edited elsewhere\n");
  FFile->Checkin("", "", VSSFLAG_KEEPYES);
  EXPECT_EQ(FFile->VersionNumber(), 2);
  FFile->UndoCheckout("", VSSFLAG_DELYES);
  EXPECT_FALSE(platform::FileExists(elsewhere));
  // Without a check-out the working folder is used.
  std::string local;
  FFile->Get(local, 0);
  EXPECT_EQ(ReadFile(FLocal), "edited elsewhere\n");
}

TEST_F(VSSFiles, UndoCheckoutReplacesDeletesOrKeepsTheLocalCopy) {
  FFile->Checkout("", FLocal, 0);
  WriteFile("alice/main.cpp", "discarded\n");
  FFile->UndoCheckout(FLocal, 0);   // DELNO: the latest version, read-only
  EXPECT_EQ(ReadFile(FLocal), "version 1\n");
  EXPECT_FALSE(Writable(FLocal));
  EXPECT_EQ(FFile->IsCheckedOut(), VSSFILE_NOTCHECKEDOUT);

  FFile->Checkout("", FLocal, 0);
  WriteFile("alice/main.cpp", "kept\n");
  FFile->UndoCheckout(FLocal, VSSFLAG_DELNOREPLACE);
  EXPECT_EQ(ReadFile(FLocal), "kept\n");
  EXPECT_FALSE(Writable(FLocal));

  FFile->Checkout("", FLocal, VSSFLAG_REPREPLACE);
  FFile->UndoCheckout(FLocal, VSSFLAG_DELYES);
  EXPECT_FALSE(platform::FileExists(FLocal));
  EXPECT_EQ(FFile->VersionNumber(), 1);
  EXPECT_EQ(ErrorOf([&] { FFile->UndoCheckout(FLocal, 0); }), VSSError::NotCheckedOut);
}

TEST_F(VSSFiles, CheckoutWithGetNoLeavesTheContentAndMakesItWritable) {
  std::string local = FLocal;
  FFile->Get(local, 0);
  platform::SetReadOnly(FLocal, false);
  WriteFile("alice/main.cpp", "local work\n");
  platform::SetReadOnly(FLocal, true);
  FFile->Checkout("", FLocal, VSSFLAG_GETNO);
  EXPECT_EQ(ReadFile(FLocal), "local work\n");
  EXPECT_TRUE(Writable(FLocal));
}

TEST_F(VSSFiles, FileTimesFollowTheTimeFlags) {
  const std::string source = Local("work/dated.cpp", "dated\n");
  const int64_t modified = 1000000000;   // 2001-09-09
  struct utimbuf times{modified, modified};
  ASSERT_EQ(::utime(source.c_str(), &times), 0);
  auto file = FDb->VSSItem("$/App")->Add(source, "", 0);
  std::string local = PathOf("times/mod.cpp");
  file->Get(local, VSSFLAG_TIMEMOD);
  EXPECT_EQ(platform::FileAge(local), modified);
  local = PathOf("times/now.cpp");
  file->Get(local, VSSFLAG_TIMENOW);
  EXPECT_GT(platform::FileAge(local), modified);
  local = PathOf("times/upd.cpp");
  file->Get(local, VSSFLAG_TIMEUPD);   // when it was added
  EXPECT_GT(platform::FileAge(local), modified);
  EXPECT_LE(platform::FileAge(local), platform::FileAge(PathOf("times/now.cpp")));
}

TEST_F(VSSFiles, IsDifferentComparesContents) {
  EXPECT_TRUE(FFile->IsDifferent(PathOf("missing.cpp")));
  EXPECT_FALSE(FFile->IsDifferent(Local("same.cpp", "version 1\n")));
  EXPECT_TRUE(FFile->IsDifferent(Local("longer.cpp", "version 1\nmore\n")));
  EXPECT_TRUE(FFile->IsDifferent(Local("samesize.cpp", "version 2\n")));
}

TEST_F(VSSFiles, BadLocalPathsGetTheirErrorAndChangeNothing) {
  const std::string folder = PathOf("alice/folder");
  platform::ForceDirectories(folder);
  std::string asFolder = folder;
  EXPECT_EQ(ErrorOf([&] { FFile->Get(asFolder, 0); }), VSSError::AccessDenied);
  EXPECT_EQ(ErrorOf([&] { FFile->Checkout("", folder, 0); }), VSSError::AccessDenied);
  EXPECT_EQ(FFile->IsCheckedOut(), VSSFILE_NOTCHECKEDOUT);
  EXPECT_EQ(ErrorOf([&] { FFile->IsDifferent(folder); }), VSSError::AccessDenied);
  EXPECT_EQ(ErrorOf([&] { FDb->VSSItem("$/App")->Add(folder, "", 0); }), VSSError::AccessDenied);
  EXPECT_EQ(ErrorOf([&] { FDb->VSSItem("$/App")->Add(PathOf("absent.cpp"), "", 0); }), VSSError::LocalFileNotFound);
  EXPECT_EQ(ErrorOf([&] { FDb->VSSItem("$/App")->Add(UnreadableFile(), "", 0); }), VSSError::AccessDenied);

  FFile->Checkout("", FLocal, 0);
  EXPECT_EQ(ErrorOf([&] { FFile->Checkin("", UnreadableFile(), 0); }), VSSError::AccessDenied);
  EXPECT_EQ(ErrorOf([&] { FFile->Checkin("", PathOf("absent.cpp"), 0); }), VSSError::LocalFileNotFound);
  EXPECT_EQ(FFile->IsCheckedOut(), VSSFILE_CHECKEDOUT_ME);
  EXPECT_EQ(FFile->VersionNumber(), 1);
  EXPECT_EQ(FDb->VSSItem("$/App")->Items()->Count(), 1);
  EXPECT_TRUE(platform::DirectoryExists(folder));
}

TEST_F(VSSFiles, AFailedGetLeavesNoTemporaryFilesOrNewFolders) {
  // A project get checks every file before writing any.
  AddFile(FDb.Get(), "$/App", "second.cpp", "second\n");
  WriteFile("alice/second.cpp", "edited\n");
  std::string folder = PathOf("alice");
  EXPECT_EQ(ErrorOf([&] { FDb->VSSItem("$/App")->Get(folder, 0); }), VSSError::WritableCopyExists);
  EXPECT_FALSE(platform::FileExists(FLocal));
  size_t entries = 0;
  for ([[maybe_unused]] auto& entry : std::filesystem::directory_iterator(folder)) ++entries;
  EXPECT_EQ(entries, 1u);

  FDb->VSSItem("$/App")->Get(folder, VSSFLAG_REPSKIP);
  EXPECT_EQ(ReadFile(FLocal), "version 1\n");
  EXPECT_EQ(ReadFile(PathOf("alice/second.cpp")), "edited\n");
}

TEST_F(VSSFiles, ProjectGetRecursesWithRecursYes) {
  FDb->VSSItem("$/App")->NewSubproject("sub", "");
  AddFile(FDb.Get(), "$/App/sub", "deep.cpp", "deep\n");
  std::string folder = PathOf("flat");
  FDb->VSSItem("$/App")->Get(folder, 0);
  EXPECT_TRUE(platform::FileExists(PathOf("flat/main.cpp")));
  EXPECT_FALSE(platform::DirectoryExists(PathOf("flat/sub")));
  folder = PathOf("deep");
  FDb->VSSItem("$/App")->Get(folder, VSSFLAG_RECURSYES);
  EXPECT_EQ(ReadFile(PathOf("deep/sub/deep.cpp")), "deep\n");
}

} // namespace
