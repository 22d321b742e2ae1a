// ssexp's window over a database that ss filled, as a user sees it.
#include "SsFixture.h"

#include <QTreeWidget>
#include <gtest/gtest.h>

#include "platform/Files.h"
#include "vss/cli/SsExplorer.h"
#include "vss/server/VSSDatabaseObject.h"

namespace {

QStringList Column(QTreeWidget* list, int column) {
  QStringList texts;
  for (int i = 0; i < list->topLevelItemCount(); ++i) texts << list->topLevelItem(i)->text(column);
  return texts;
}

} // namespace

TEST_F(SsTest, ExplorerShowsProjectsFilesWithTheirCheckOutsAndAFilesHistory) {
  ASSERT_EQ(Admin({"adduser", "Bob", "--password", "bob-pw"}).Code, 0);
  ASSERT_EQ(Ss({"Create", "$/App"}).Code, 0);
  ASSERT_EQ(Ss({"Create", "$/App/Lib"}).Code, 0);
  ASSERT_EQ(Ss({"CP", "$/App"}).Code, 0);
  for (const char* name : {"a.cpp", "b.cpp"}) {
    ASSERT_TRUE(platform::WriteFileAtomic(Work() + "/" + name, "one\n"));
    ASSERT_EQ(Ss({"Add", name, "-Cfirst"}).Code, 0);
  }
  ASSERT_EQ(Ss({"Workfold", "$/App", Work()}).Code, 0);
  ASSERT_EQ(Ss({"Checkout", "$/App/a.cpp"}).Code, 0);
  ASSERT_TRUE(platform::WriteFileAtomic(Work() + "/a.cpp", "two\n"));
  ASSERT_EQ(Ss({"Checkin", "$/App/a.cpp", "-Csecond"}).Code, 0);
  ASSERT_EQ(Ss({"Checkout", "$/App/b.cpp", "-G-", "-YBob,bob-pw"}).Code, 0);

  VSSPtr<IVSSDatabase> database(new VSSDatabaseObject());
  database->Open(Db(), "Admin", "");
  vsscli::SsExplorer explorer(database);
  QTreeWidgetItem* root = explorer.tvProjects->topLevelItem(0);
  ASSERT_EQ(root->text(0), "$/");
  ASSERT_EQ(root->childCount(), 1);
  EXPECT_EQ(root->child(0)->text(0), "App");
  EXPECT_EQ(root->child(0)->child(0)->text(0), "Lib");

  explorer.tvProjects->setCurrentItem(root->child(0));
  EXPECT_EQ(Column(explorer.lvFiles, 0), QStringList({"a.cpp", "b.cpp"}));
  EXPECT_EQ(Column(explorer.lvFiles, 1), QStringList({"2", "1"}));
  EXPECT_EQ(Column(explorer.lvFiles, 2), QStringList({"", "Bob"}));

  explorer.lvFiles->setCurrentItem(explorer.lvFiles->topLevelItem(0));
  EXPECT_EQ(Column(explorer.lvHistory, 0), QStringList({"2", "1"}));
  EXPECT_EQ(Column(explorer.lvHistory, 4), QStringList({"second", "first"}));
  EXPECT_EQ(Column(explorer.lvHistory, 1), QStringList({"Admin", "Admin"}));
}
