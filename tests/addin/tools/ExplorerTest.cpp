// The project trees, the explorer and the label dialog as real windows over a real database: what
// the tree loads and when, the rows SourceSafe's state gives, sorting, which actions each selection
// enables, and the label dialog's last label. New subprojects, trees of a lower project and the
// status texts are the explorer scenarios'.
#include <filesystem>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTreeWidget>

#include "../sourcesafe/SourceSafeTest.h"
#include "addin/dialogs/uRVLFormFactory.h"
#include "addin/dialogs/uRVLListBox.h"
#include "addin/tools/uFrmExplorer.h"
#include "addin/tools/uFrmLabel.h"
#include "ui/MenuItem.h"
#include "vss/server/VSSAdmin.h"

namespace {

class ExplorerTest : public SourceSafeTest {
protected:
  void SetUp() override {
    SourceSafeTest::SetUp();
    std::filesystem::create_directories(PathOf("alice"));
    std::filesystem::create_directories(PathOf("bob"));
    VSSAdmin::SetMultipleCheckouts(DatabaseDir(), true);
    AddFile("$/App", "app/main.cpp", "main\n");
    AddFile("$/App", "app/Beta.h", "beta\n");
    AddFile("$/App", "app/gamma.txt", "gamma\n");
    AddFile("$/App", "app/Old.cpp", "old\n");
    AddFile("$/App/Src/Deep", "deep/x.cpp", "x\n");
    MakeProject("$/Lib");
    VSSPtr<IVSSDatabase> bob = Open("Bob", "bob-pw");
    VSSPtr<IVSSDatabase> alice = Open("Alice", "alice-pw");
    alice->VSSItem("$/App")->SetLocalSpec(PathOf("alice"));
    bob->VSSItem("$/App")->SetLocalSpec(PathOf("bob"));
    bob->VSSItem("$/App/Beta.h")->Checkout("", PathOf("bob/Beta.h"));
    alice->VSSItem("$/App/Beta.h")->Checkout("", PathOf("alice/Beta.h"));
    alice->VSSItem("$/App/gamma.txt")->Checkout("", PathOf("alice/gamma.txt"));
    alice->VSSItem("$/App/Old.cpp")->SetDeleted(true);
    FDatabase = alice;
    // The executors' logs that come up modally (with failures) are closed and counted.
    SetModalHook([this](TForm& form) {
      FModal.push_back(form.ClassName());
      form.SetModalResult(mrOk);
    });
  }
  void TearDown() override {
    FDatabase = nullptr;
    SourceSafeTest::TearDown();
  }

  // The file list's column as shown, top to bottom.
  static std::vector<std::string> Column(QTreeWidget* list, int column) {
    std::vector<std::string> texts;
    for (int i = 0; i < list->topLevelItemCount(); ++i) texts.push_back(list->topLevelItem(i)->text(column).toStdString());
    return texts;
  }
  static std::vector<std::string> Children(QTreeWidgetItem* node) {
    std::vector<std::string> names;
    for (int i = 0; i < node->childCount(); ++i) names.push_back(node->child(i)->text(0).toStdString());
    return names;
  }

  VSSPtr<IVSSDatabase> FDatabase;
  std::vector<std::string> FModal;
};

TEST_F(ExplorerTest, TreeLoadsOneLevelAheadAndFindsNodesByPath) {
  TRVLFormPtr<TFrmTreeList> tree = MakeRVLForm<TFrmTreeList>(&Application(), FDatabase);
  tree->LoadTree("/");
  QTreeWidgetItem* root = tree->tvProjects->topLevelItem(0);
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(root->text(0).toStdString(), "/");
  EXPECT_EQ(Children(root), (std::vector<std::string>{"App", "Lib"}));
  // Expanding the root read its children's subprojects, nothing deeper.
  QTreeWidgetItem* app = root->child(0);
  EXPECT_EQ(Children(app), std::vector<std::string>{"Src"});
  EXPECT_EQ(app->child(0)->childCount(), 0);

  // Finding a deep node loads the way to it; a name that isn't there gives its nearest parent.
  QTreeWidgetItem* deep = tree->FindNode("/App/Src/Deep/");
  EXPECT_EQ(TFrmTree::NodePath(deep), "/App/Src/Deep/");
  EXPECT_EQ(TFrmTree::NodePath(tree->FindNode("/app/src/none")), "/App/Src/");
  EXPECT_EQ(tree->FindNode("/"), root);

  // The plain file list: live files with their IsCheckedOut value; deleted files are left out.
  tree->tvProjects->setCurrentItem(app);
  ASSERT_EQ(tree->lbFileList->Count(), 3);
  EXPECT_EQ(tree->lbFileList->Text(0), "Beta.h");
  EXPECT_EQ(tree->lbFileList->ItemData(0), 2);
  EXPECT_EQ(tree->lbFileList->Text(2), "main.cpp");
  EXPECT_EQ(tree->lbFileList->ItemData(2), 0);

  // Resting on a row shows its full name over the row, only when the list is too narrow for it.
  auto rowHint = [&](int listWidth) {
    tree->show();
    tree->Splitter->setSizes({tree->Splitter->width() - listWidth, listWidth});
    THintInfo hint;
    hint.HintControl = tree->lbFileList;
    hint.CursorPos = tree->lbFileList->viewport()->mapTo(
        tree->lbFileList, tree->lbFileList->visualItemRect(tree->lbFileList->item(2)).center());
    std::string text = "list hint";
    bool canShow = true;
    EXPECT_TRUE(static_cast<TRVLForm*>(tree.get())->DoShowHint(text, canShow, hint));
    return text + (text.empty() ? "" : " in " + hint.HintWindowClass);
  };
  EXPECT_EQ(rowHint(60), "main.cpp in TRVLHintWindow");
  EXPECT_EQ(rowHint(300), "");
}

TEST_F(ExplorerTest, RowsShowWhoHoldsEachFileAndSortByEveryColumn) {
  TFrmExplorer* explorer = TRVLFormFactory::_Instance().CreateExplorer(FDatabase, "/");
  EXPECT_EQ(TRVLFormFactory::_Instance().CreateExplorer(FDatabase, "/"), explorer) << "one explorer at a time";
  explorer->tvProjects->setCurrentItem(explorer->FindNode("/App"));
  QTreeWidget* list = explorer->lvFileList;
  EXPECT_EQ(Column(list, TFrmExplorer::colName), (std::vector<std::string>{"Beta.h", "gamma.txt", "main.cpp", "Old.cpp"}));
  // Several holders are joined with commas; machine, folder and date are the first check-out's.
  EXPECT_EQ(list->topLevelItem(0)->text(TFrmExplorer::colUser).toStdString(), "Bob,Alice");
  EXPECT_EQ(list->topLevelItem(0)->text(TFrmExplorer::colLocalPath).toStdString(), PathOf("bob"));
  EXPECT_FALSE(list->topLevelItem(0)->text(TFrmExplorer::colDate).isEmpty());
  EXPECT_EQ(list->topLevelItem(1)->text(TFrmExplorer::colUser).toStdString(), "Alice");

  // Each column sorts ignoring case; rows with equal keys may come in any order, so the ends are
  // compared.
  const struct {
    int Column;
    std::string First, Last;
  } sorts[] = {
      {TFrmExplorer::colStatus, "main.cpp", "Old.cpp"},
      {TFrmExplorer::colUser, "", "Beta.h"},
      {TFrmExplorer::colName, "Beta.h", "Old.cpp"},
  };
  for (const auto& sort : sorts) {
    explorer->mnuViewSortByClick(sort.Column);
    const std::vector<std::string> names = Column(list, TFrmExplorer::colName);
    if (!sort.First.empty()) {
      EXPECT_EQ(names.front(), sort.First) << "column " << sort.Column;
    }
    EXPECT_EQ(names.back(), sort.Last) << "column " << sort.Column;
    EXPECT_TRUE(explorer->mnuViewSortBy[sort.Column]->Checked());
  }
  EXPECT_EQ(Column(list, TFrmExplorer::colName), (std::vector<std::string>{"Beta.h", "gamma.txt", "main.cpp", "Old.cpp"}));

  // Resting on a row shows its latest comment.
  explorer->Show();
  THintInfo hint;
  hint.HintControl = list;
  hint.CursorPos = list->viewport()->mapTo(list, list->visualItemRect(list->topLevelItem(2)).center());
  std::string text;
  bool canShow = true;
  ASSERT_TRUE(explorer->DoShowHint(text, canShow, hint));
  EXPECT_EQ(text, "Comment:added");
  EXPECT_EQ(hint.ReshowTimeout, 600);
  explorer->Close();
}

TEST_F(ExplorerTest, ActionsFollowTheFocusAndTheSelectedRows) {
  TFrmExplorer* explorer = TRVLFormFactory::_Instance().CreateExplorer(FDatabase, "/");
  explorer->tvProjects->setCurrentItem(explorer->FindNode("/App"));
  QTreeWidget* list = explorer->lvFileList;
  auto select = [&](std::vector<int> rows) {
    explorer->SetTreeActive(false);
    list->clearSelection();
    for (int row : rows) list->topLevelItem(row)->setSelected(true);
  };
  auto states = [&] {
    std::string s;
    for (TMenuItem* item : {explorer->mnuSSCheckOut, explorer->mnuSSCheckIn, explorer->mnuSSRecover,
                            explorer->mnuSSDelete, explorer->mnuFileLabel, explorer->mnuFileCreateProject,
                            explorer->pmnuFileGet, explorer->mnuToolsShowDifference})
      s += item->Enabled() ? '1' : '0';
    return s;
  };
  // Rows by name: Beta.h (out to me and Bob), gamma.txt (out to me), main.cpp (in), Old.cpp (deleted).
  //            out in recover delete label create popup diff
  explorer->SetTreeActive(true);
  EXPECT_EQ(states(), "11011100");
  select({});
  EXPECT_EQ(states(), "11010000");
  select({1});
  EXPECT_EQ(states(), "01011011");
  select({2});
  EXPECT_EQ(states(), "10011011");
  select({3});
  EXPECT_EQ(states(), "00101000");
  select({0, 3});
  EXPECT_EQ(states(), "11110010");
  explorer->Close();
}

TEST_F(ExplorerTest, OperationsOnAProjectTakeTheFilesTheyFitAndTheListFollows) {
  TFrmExplorer* explorer = TRVLFormFactory::_Instance().CreateExplorer(FDatabase, "/");
  explorer->tvProjects->setCurrentItem(explorer->FindNode("/App"));
  // Undo on the whole project: only Alice's two check-outs are undone, nothing is reported failed.
  explorer->mnuSSGCCUCheckClick(TFrmExplorer::opUndoCheckOut);
  EXPECT_TRUE(FModal.empty());
  EXPECT_EQ(FDatabase->VSSItem("$/App/gamma.txt")->IsCheckedOut(), 0);
  EXPECT_EQ(explorer->lvFileList->topLevelItem(0)->text(TFrmExplorer::colUser).toStdString(), "Bob");
  // Nothing left to check in: the user is told so.
  FPrompter->AddAnswer("OK");
  explorer->mnuSSGCCUCheckClick(TFrmExplorer::opCheckIn);
  EXPECT_EQ(FPrompter->Prompts().back().Text, "No file in /App/ is fit for Check In.");
  // A chosen row the operation doesn't fit is refused in the log, with why.
  explorer->lvFileList->topLevelItem(0)->setSelected(true);
  explorer->mnuSSGCCUCheckClick(TFrmExplorer::opCheckIn);
  EXPECT_EQ(FModal, std::vector<std::string>{"TFrmExecuteLog"});
  EXPECT_EQ(FDatabase->VSSItem("$/App/Beta.h")->IsCheckedOut(), 1);
  explorer->Close();
}

TEST_F(ExplorerTest, LabelDialogShowsTheItemsOwnLastLabel) {
  VSSPtr<IVSSItem> file = FDatabase->VSSItem("$/App/main.cpp");
  file->Label("v1", "first cut");
  FDatabase->VSSItem("$/App")->Label("project-wide", "");
  TRVLFormPtr<TFrmLabel> dialog = TRVLFormFactory::_Instance().CreateLabel(FDatabase, file);
  EXPECT_EQ(dialog->edItemSpec->text().toStdString(), "$/App/main.cpp");
  EXPECT_EQ(dialog->lblLastLabel->text().toStdString(), "v1") << "the project's label is not the file's";
  dialog->edLabel->setText("v2");
  dialog->btnOK->click();
  EXPECT_EQ(dialog->ModalResult(), mrOk);
  VSSPtr<IVSSVersions> versions = file->Versions(0);
  VSSPtr<IVSSVersion> newest;
  ASSERT_TRUE(versions->Next(newest.Out()));
  EXPECT_EQ(newest->Label(), "v2");
}

} // namespace
