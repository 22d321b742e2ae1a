// The everyday ss commands, run as real programs against a real database, and ssdemo's database
// inspected with ss as a person would.
#include "SsFixture.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "platform/Files.h"
#include "platform/Profile.h"

namespace {

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

} // namespace

TEST_F(SsTest, ProjectsCurrentProjectAndWorkingFolders) {
  EXPECT_EQ(Ss({"Create", "$/Proj", "-CFirst project"}).Code, 0);
  EXPECT_EQ(Ss({"create", "$/Proj/Sub"}).Code, 0);

  EXPECT_EQ(Ss({"CP", "$/Proj"}).Out, "Current project is $/Proj\n");
  EXPECT_EQ(Ss({"cp"}).Out, "Current project is $/Proj\n");   // kept in the database

  std::string folder = PathOf("work/proj");
  EXPECT_EQ(Ss({"Workfold", "$/Proj", folder}).Code, 0);
  EXPECT_EQ(Ss({"Workfold"}).Out, "$/Proj: " + folder + "\n");
  // A subproject inherits its parent's folder plus its name.
  EXPECT_EQ(Ss({"Workfold", "Sub"}).Out, "$/Proj/Sub: " + folder + "/Sub\n");

  TProgramRun dir = Ss({"Dir"});
  EXPECT_EQ(dir.Code, 0);
  EXPECT_EQ(dir.Out, "$/Proj:\n$Sub\n\n1 item(s)\n");
  EXPECT_EQ(Ss({"Dir", "$/Proj/Sub"}).Code, 1);   // nothing found
}

TEST_F(SsTest, AddCheckoutCheckinHistoryAndStatus) {
  ASSERT_EQ(Ss({"Create", "$/P"}).Code, 0);
  ASSERT_EQ(Ss({"CP", "$/P"}).Code, 0);
  ASSERT_EQ(Ss({"Workfold", "$/P", Work()}).Code, 0);
  WriteFile("work/main.cpp", "int main() {}\n");
  WriteFile("work/util.cpp", "void util() {}\n");

  TProgramRun add = Ss({"Add", "main.cpp", "util.cpp", "-CFirst files"});
  EXPECT_EQ(add.Code, 0) << add.Err;
  EXPECT_EQ(add.Out, "$/P/main.cpp\n$/P/util.cpp\n");

  EXPECT_EQ(Ss({"Status", "-R"}).Code, 0);
  EXPECT_EQ(Ss({"Checkout", "main.cpp", "-CEditing"}).Code, 0);
  TProgramRun status = Ss({"Status"});
  EXPECT_EQ(status.Code, 1);
  EXPECT_TRUE(Contains(status.Out, "$/P/main.cpp")) << status.Out;
  EXPECT_TRUE(Contains(status.Out, "Admin")) << status.Out;

  WriteFile("work/main.cpp", "int main() { return 1; }\n");
  EXPECT_EQ(Ss({"Checkin", "$/P/main.cpp", "-CReturn one"}).Code, 0);

  // -K keeps it checked out.
  ASSERT_EQ(Ss({"Checkout", "main.cpp"}).Code, 0);
  WriteFile("work/main.cpp", "int main() { return 2; }\n");
  EXPECT_EQ(Ss({"Checkin", "main.cpp", "-K"}).Code, 0);
  EXPECT_EQ(Ss({"Status", "main.cpp"}).Code, 1);

  // Undocheckout puts the latest version back.
  WriteFile("work/main.cpp", "scribbles\n");
  EXPECT_EQ(Ss({"Undocheckout", "main.cpp"}).Code, 0);
  EXPECT_EQ(ReadFile(PathOf("work/main.cpp")), "int main() { return 2; }\n");

  TProgramRun history = Ss({"History", "main.cpp"});
  EXPECT_EQ(history.Code, 0);
  EXPECT_NE(history.Out.find("Version 3"), std::string::npos) << history.Out;
  EXPECT_TRUE(Contains(history.Out, "Comment: Return one")) << history.Out;
  EXPECT_TRUE(Contains(history.Out, "Checked in")) << history.Out;
  EXPECT_TRUE(Contains(history.Out, "User: Admin")) << history.Out;
}

TEST_F(SsTest, CheckoutWithoutGetAndUndoKeepingTheLocalCopy) {
  ASSERT_EQ(Ss({"Workfold", "$/", Work()}).Code, 0);
  WriteFile("work/b.txt", "stored\n");
  ASSERT_EQ(Ss({"Add", "b.txt"}).Code, 0);
  platform::SetReadOnly(PathOf("work/b.txt"), false);
  WriteFile("work/b.txt", "mine\n");
  // -G- checks out without replacing the local copy; -G- on Undocheckout keeps it, read-only.
  EXPECT_EQ(Ss({"Checkout", "b.txt", "-G-"}).Code, 0);
  EXPECT_EQ(ReadFile(PathOf("work/b.txt")), "mine\n");
  EXPECT_EQ(Ss({"Undocheckout", "b.txt", "-G-"}).Code, 0);
  EXPECT_EQ(ReadFile(PathOf("work/b.txt")), "mine\n");
  EXPECT_TRUE(platform::IsReadOnly(PathOf("work/b.txt")));
}

TEST_F(SsTest, GetLabelsAndOldVersions) {
  ASSERT_EQ(Ss({"Workfold", "$/", Work()}).Code, 0);
  WriteFile("work/a.txt", "one\n");
  ASSERT_EQ(Ss({"Add", "a.txt"}).Code, 0);
  EXPECT_EQ(Ss({"Label", "$/a.txt", "-Lv1", "-CFirst cut"}).Code, 0);
  EXPECT_EQ(Ss({"Label", "$/a.txt"}).Code, 100);   // no label
  ASSERT_EQ(Ss({"Checkout", "a.txt"}).Code, 0);
  WriteFile("work/a.txt", "two\n");
  ASSERT_EQ(Ss({"Checkin", "a.txt"}).Code, 0);

  TProgramRun history = Ss({"History", "a.txt"});
  EXPECT_TRUE(Contains(history.Out, "Label: 'v1'\nLabel comment: First cut\n")) << history.Out;
  EXPECT_FALSE(Contains(history.Out, "\nComment: First cut")) << history.Out;   // shown once

  std::filesystem::remove(PathOf("work/a.txt"));
  EXPECT_EQ(Ss({"Get", "a.txt"}).Code, 0);
  EXPECT_EQ(ReadFile(PathOf("work/a.txt")), "two\n");
  EXPECT_EQ(Ss({"Get", "a.txt", "-V1"}).Code, 0);
  EXPECT_EQ(ReadFile(PathOf("work/a.txt")), "one\n");
  EXPECT_EQ(Ss({"Get", "a.txt", "-VLv1"}).Code, 0);
  EXPECT_EQ(ReadFile(PathOf("work/a.txt")), "one\n");

  // A writable copy that differs is kept unless the user answers yes.
  EXPECT_EQ(Ss({"Get", "a.txt", "-W"}).Code, 0);
  EXPECT_FALSE(platform::IsReadOnly(PathOf("work/a.txt")));
  WriteFile("work/a.txt", "local edits\n");
  TProgramRun kept = Ss({"Get", "a.txt", "-I-"});
  EXPECT_EQ(kept.Code, 100);
  EXPECT_TRUE(Contains(kept.Err, "A writable copy of")) << kept.Err;
  EXPECT_EQ(ReadFile(PathOf("work/a.txt")), "local edits\n");
  EXPECT_EQ(Ss({"Get", "a.txt", "-IY"}).Code, 0);
  EXPECT_EQ(ReadFile(PathOf("work/a.txt")), "two\n");
}

TEST_F(SsTest, GetOfAProjectTreeRecursive) {
  ASSERT_EQ(Ss({"Create", "$/T"}).Code, 0);
  ASSERT_EQ(Ss({"Create", "$/T/Sub"}).Code, 0);
  WriteFile("work/top.txt", "top\n");
  WriteFile("work/deep.txt", "deep\n");
  ASSERT_EQ(Ss({"CP", "$/T"}).Code, 0);
  ASSERT_EQ(Ss({"Add", "top.txt"}).Code, 0);
  ASSERT_EQ(Ss({"CP", "Sub"}).Code, 0);
  ASSERT_EQ(Ss({"Add", "deep.txt"}).Code, 0);

  std::string tree = PathOf("tree");
  ASSERT_EQ(Ss({"Workfold", "$/T", tree}).Code, 0);
  EXPECT_EQ(Ss({"Get", "$/T", "-R"}).Code, 0);
  EXPECT_EQ(ReadFile(tree + "/Sub/deep.txt"), "deep\n");

  TProgramRun dir = Ss({"Dir", "$/T", "-R"});
  EXPECT_EQ(dir.Out, "$/T:\n$Sub\ntop.txt\n\n2 item(s)\n\n$/T/Sub:\ndeep.txt\n\n1 item(s)\n");
}

// The server's tree tests hold what sharing, deleting and destroying do; here the commands reach it,
// and a deleted file is listed as one.
TEST_F(SsTest, ShareDeleteRecoverDestroy) {
  ASSERT_EQ(Ss({"Create", "$/B"}).Code, 0);
  ASSERT_EQ(Ss({"Workfold", "$/", Work()}).Code, 0);
  WriteFile("work/common.h", "#pragma once\n");
  ASSERT_EQ(Ss({"Add", "common.h"}).Code, 0);
  ASSERT_EQ(Ss({"CP", "$/B"}).Code, 0);
  EXPECT_EQ(Ss({"Share", "$/common.h"}).Code, 0);
  EXPECT_EQ(Ss({"Delete", "$/B/common.h"}).Code, 0);
  EXPECT_EQ(Ss({"Dir", "$/B", "-D"}).Out, "$/B:\ncommon.h (deleted)\n\n1 item(s)\n");
  EXPECT_EQ(Ss({"Recover", "$/B/common.h"}).Code, 0);
  EXPECT_EQ(Ss({"Destroy", "$/B/common.h"}).Code, 0);
  TProgramRun gone = Ss({"Recover", "$/B/common.h"});
  EXPECT_EQ(gone.Code, 100);
  EXPECT_EQ(gone.Err, "File or project not found\n");
}

TEST_F(SsTest, BadCommandLinesExitWithAnError) {
  EXPECT_EQ(Ss({"Frobnicate"}).Code, 100);
  EXPECT_EQ(Ss({"Checkout"}).Code, 100);
  EXPECT_TRUE(Contains(Ss({"Dir", "-Q"}).Err, "Invalid option for Dir: -Q"));
  TProgramRun help = Ss({"--help"});
  EXPECT_EQ(help.Code, 0);
  EXPECT_TRUE(Contains(help.Out, "Diff A B"));
  // A command's --help prints its usage alone and touches nothing.
  TProgramRun checkoutHelp = Ss({"checkout", "--help"});
  EXPECT_EQ(checkoutHelp.Code, 0) << checkoutHelp.Err;
  EXPECT_TRUE(Contains(checkoutHelp.Out, "Checkout spec... [-Ccomment] [-G-]")) << checkoutHelp.Out;
  EXPECT_TRUE(Contains(checkoutHelp.Out, "check out into the working folder")) << checkoutHelp.Out;
  EXPECT_FALSE(Contains(checkoutHelp.Out, "Checkin")) << checkoutHelp.Out;
  SetEnvironment("SSDIR", PathOf("nowhere").c_str());
  TProgramRun missing = Ss({"Dir"});
  EXPECT_EQ(missing.Code, 100);
  EXPECT_TRUE(Contains(missing.Err, "Cannot find database")) << missing.Err;
}

TEST_F(SsTest, DemoDatabaseHasTheSampleProjectVersionsLabelAndWorkingFolders) {
  std::string demoDb = PathOf("demo"), demoWork = PathOf("demowork");
  TProgramRun made = SourceSafe("ssdemo", {demoDb, demoWork, "--register", "Demo"});
  ASSERT_EQ(made.Code, 0) << made.Err;
  // Registered as the current database, so ss finds it without SSDIR.
  unsetenv("SSDIR");

  TProgramRun dir = Ss({"Dir", "$/Demo"});
  EXPECT_EQ(dir.Code, 0);
  for (const char* name : {"Demo.bpr", "Demo.cpp", "Unit1.cpp", "Unit1.dfm", "Unit1.h", "Util.cpp"})
    EXPECT_NE(dir.Out.find(std::string(name) + "\n"), std::string::npos) << name << "\n" << dir.Out;

  TProgramRun history = Ss({"History", "$/Demo/Util.cpp"});
  EXPECT_NE(history.Out.find("Version 2"), std::string::npos) << history.Out;   // created, then checked in
  EXPECT_NE(history.Out.find("Label: '1.0'"), std::string::npos) << history.Out;

  for (const char* user : {"-YAdmin", "-Yguest"}) {
    EXPECT_EQ(Ss({"Workfold", "$/Demo", user}).Out, "$/Demo: " + demoWork + "\n") << user;
    EXPECT_EQ(Ss({"Whoami", user}).Code, 0) << user;
  }
  // The working folder holds the latest versions, read-only.
  for (const char* name : {"Unit1.cpp", "Util.cpp", "Unit1.dfm"}) {
    std::string local = demoWork + "/" + name;
    EXPECT_TRUE(platform::IsReadOnly(local)) << name;
    EXPECT_EQ(Ss({"Diff", std::string("$/Demo/") + name, local}).Code, 0) << name;
  }
  EXPECT_EQ(Ss({"Status", "$/Demo", "-R"}).Code, 0);   // nothing left checked out
  // The sample project is bound to $/Demo of this database, so the add-in's commands apply at once.
  platform::ProfileFile binding(demoWork + "/vss.rvl");
  EXPECT_EQ(binding.ReadString("Demo.bpr", "SCPATH"), "$/Demo");
  EXPECT_EQ(binding.ReadString("Demo.bpr", "SCDB"), demoDb + "/srcsafe.ini");

  // An existing database is not overwritten.
  EXPECT_EQ(SourceSafe("ssdemo", {demoDb, demoWork}).Code, 100);
}
