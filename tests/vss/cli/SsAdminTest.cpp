// ssadmin and logging in with ss, run as real programs against a real database.
#include "SsFixture.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "platform/Registry.h"
#include "vss/api/CoVSSDatabase.h"

TEST_F(SsTest, AdminManagesUsersWithoutShowingSecrets) {
  EXPECT_TRUE(std::filesystem::exists(Db() + "/srcsafe.ini"));
  EXPECT_EQ(Admin({"adduser", "Joe", "--password", "s3cret-pw"}).Code, 0);
  EXPECT_EQ(Admin({"adduser", "guest"}).Code, 0);

  TProgramRun users = Admin({"users"});
  EXPECT_EQ(users.Code, 0);
  EXPECT_NE(users.Out.find("Admin\n"), std::string::npos);
  EXPECT_NE(users.Out.find("Joe\n"), std::string::npos);
  EXPECT_NE(users.Out.find("guest\n"), std::string::npos);
  EXPECT_EQ(users.Out.find("s3cret"), std::string::npos);
  EXPECT_EQ(users.Out.find("argon"), std::string::npos);
  EXPECT_EQ(users.Out.find('$'), std::string::npos);

  // --db names the database as well as SSDIR does.
  unsetenv("SSDIR");
  EXPECT_EQ(Admin({"users"}).Code, 100);
  EXPECT_EQ(Admin({"--db", Db(), "deluser", "guest"}).Code, 0);
  EXPECT_EQ(Admin({"--db", Db(), "users"}).Out.find("guest"), std::string::npos);
  setenv("SSDIR", Db().c_str(), 1);

  EXPECT_EQ(Admin({"passwd", "Joe", "--password", "other"}).Code, 0);
  EXPECT_EQ(Ss({"Whoami", "-YJoe,other"}).Out, "Joe\n");
  EXPECT_EQ(Ss({"Whoami", "-YJoe,s3cret-pw"}).Code, 100);
}

// The server's tests hold what it refuses (a user twice, an unknown one); here the command line.
TEST_F(SsTest, AdminRefusesBadInput) {
  TProgramRun twice = Admin({"create", Db()});
  EXPECT_EQ(twice.Code, 100);
  EXPECT_FALSE(twice.Err.empty());
  EXPECT_EQ(Admin({"passwd", "Admin"}).Code, 100);   // no password given
  EXPECT_EQ(Admin({"frobnicate"}).Code, 100);
  EXPECT_EQ(Admin({"option", "multiple-checkouts", "maybe"}).Code, 100);
  EXPECT_EQ(Admin({"--db", PathOf("nowhere"), "users"}).Code, 100);
  TProgramRun help = Admin({"--help"});
  EXPECT_EQ(help.Code, 0);
  EXPECT_NE(help.Out.find("install-server"), std::string::npos);
}

TEST_F(SsTest, WrongPasswordAndUnknownUserFailWithSourceSafesMessage) {
  ASSERT_EQ(Admin({"adduser", "Joe", "--password", "right"}).Code, 0);
  setenv("SSUSER", "Joe", 1);
  setenv("SSPWD", "right", 1);
  EXPECT_EQ(Ss({"Whoami"}).Out, "Joe\n");

  setenv("SSPWD", "wrong", 1);
  TProgramRun wrong = Ss({"Whoami", "-I-"});
  EXPECT_EQ(wrong.Code, 100);
  EXPECT_EQ(wrong.Err, "Invalid password\n");

  TProgramRun unknown = Ss({"Dir", "-YNobody,x"});
  EXPECT_EQ(unknown.Code, 100);
  EXPECT_EQ(unknown.Err, "User \"Nobody\" not found\n");

  // -Y with the right password wins over a wrong SSPWD.
  EXPECT_EQ(Ss({"WHOAMI", "-yJoe,right"}).Code, 0);
}

TEST_F(SsTest, MultipleCheckoutsOption) {
  WriteFile("work/a.txt", "a\n");
  ASSERT_EQ(Ss({"Add", "a.txt"}).Code, 0);
  ASSERT_EQ(Admin({"adduser", "Joe"}).Code, 0);
  ASSERT_EQ(Ss({"Checkout", "a.txt"}).Code, 0);
  EXPECT_EQ(Ss({"Checkout", "$/a.txt", "-YJoe", "-G-"}).Code, 100);
  ASSERT_EQ(Admin({"option", "multiple-checkouts", "yes"}).Code, 0);
  EXPECT_EQ(Ss({"Checkout", "$/a.txt", "-YJoe", "-G-"}).Code, 0);
}

// Which values a registration writes is the server's open tests'; here that the commands reach it.
TEST_F(SsTest, AdminRegistersDatabasesAndTheServer) {
  std::string other = PathOf("other");
  ASSERT_EQ(Admin({"create", other, "--register", "Other"}).Code, 0);
  platform::RegistryKey databases(platform::Hive::LocalMachine, "Software\\Microsoft\\SourceSafe\\Databases", false);
  EXPECT_EQ(databases.ReadString("Other"), other);

  ASSERT_EQ(Admin({"install-server"}).Code, 0);
  std::string installDir = (BuildDir() / "sourcesafe").string();
  platform::RegistryKey server(platform::Hive::LocalMachine, VSSServerRegistrationKey(), false);
  EXPECT_EQ(server.ReadString(""), installDir + "/libssapi.so");
}
