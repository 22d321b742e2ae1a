// The file commands and the menu over a real database, with the sample project open in the real IDE:
// the questions asked when a project opens or closes out of step, the direct path, the one-command
// life of a selection mode, the editor brought back to the file, and the menu's shortcuts.
#include <QPushButton>

#include "../execute/WorkFixture.h"
#include "addin/commands/uRVLCommandsFactory.h"
#include "addin/commands/uRVLFilesCommands.h"
#include "addin/commands/uRVLMenu.h"
#include "addin/dialogs/uFrmFileList.h"
#include "addin/dialogs/uRVLListBox.h"
#include "addin/frame/uRVLFactory.h"
#include "addin/settings/uRVLRegFactory.h"
#include "addin/settings/uRegOptions.h"
#include "addin/sourcesafe/uRVLItem.h"
#include "addin/sourcesafe/uRVLItems.h"
#include "addin/sourcesafe/uRVLProjects.h"
#include "host/MainForm.h"
#include "host/Module.h"
#include "platform/Files.h"
#include "ui/Application.h"
#include "ui/MenuItem.h"
#include "ui/Menus.h"

namespace {

// A file-list dialog as it came up: its caption, its rows and which of them were ticked.
struct TShownDialog {
  std::string Caption;
  int Rows = 0;
  std::vector<std::string> Ticked;
};

class FilesCommandsTest : public WorkFixture {
protected:
  void SetUp() override {
    WorkFixture::SetUp();
    FCommands = TRVLCommandsFactory::_Instance().CreateFilesCommands();
    FCommands->SetProject(FProject.get());
  }
  void TearDown() override {
    FCommands.reset();
    WorkFixture::TearDown();
  }
  // Every file-list dialog that comes up is recorded and closed, with OK when `ok`.
  void RecordDialogs(bool ok = false) {
    SetModalHook([this, ok](TForm& form) {
      auto& dialog = dynamic_cast<TFrmFileListBox&>(form);
      TShownDialog shown{dialog.Caption(), dialog.vlbFileList->Count(), {}};
      for (int i = 0; i < shown.Rows; ++i)
        if (dialog.vlbFileList->Checked(i)) shown.Ticked.push_back(dialog.vlbFileList->Text(i));
      FShown.push_back(shown);
      if (ok)
        dialog.btnOKToAll->click();
      else
        form.SetModalResult(mrCancel);
    });
  }
  void SetCurrent(const std::string& name) { FCommands->SetCurrentItem(Item(name).get()); }
  std::string ActiveFile() const { return platform::ExtractFileName(FHost->ActiveModule()->FileName()); }

  std::unique_ptr<TRVLFilesCommands> FCommands;
  std::vector<TShownDialog> FShown;
};

TEST_F(FilesCommandsTest, SyncOpenQuestionCountsNewAndChangedFiles) {
  struct Case {
    int New, Changed;
    const char* Question;
  } cases[] = {
      {1, 0, "Project P has 1 new file in SourceSafe. Would you like to get this file now?"},
      {2, 1,
       "Project P has 2 new files in SourceSafe, and 1 file that has changed in SourceSafe. Would you like to get "
       "these files now?"},
      {0, 3, "Project P has 3 files that has changed in SourceSafe. Would you like to get these files now?"},
      {0, 1, "Project P has 1 file that has changed in SourceSafe. Would you like to get this file now?"},
  };
  for (const Case& c : cases) EXPECT_EQ(SyncOpenQuestion("P", c.New, c.Changed), c.Question) << c.New << c.Changed;
}

TEST_F(FilesCommandsTest, InStepNothingIsAskedAndANoToClosingOutOfStepChangesNothing) {
  FCommands->SyncProjectOpen();
  FCommands->SyncProjectClose();
  EXPECT_TRUE(FPrompter->Prompts().empty()) << "in step: nothing is asked";
  VSSFile("Util.cpp", "Alice")->Checkout("", Local("Util.cpp"), 0);
  FPrompter->AddAnswer("No");
  RecordDialogs();
  FCommands->SyncProjectClose();
  EXPECT_EQ(FPrompter->Prompts().size(), 1u);
  EXPECT_TRUE(FShown.empty());
  EXPECT_EQ(VSSFile("Util.cpp", "Alice")->IsCheckedOut(), VSSFILE_CHECKEDOUT_ME) << "still checked out";
}

TEST_F(FilesCommandsTest, DirectPathRunsOnTheWholeListWithoutADialog) {
  CheckInAs("Bob", "Util.cpp", "// Bob's version\n");
  CheckInAs("Bob", "Unit1.cpp", "// Bob's form\n");
  RecordDialogs();
  FCommands->GetLatestDifferent(false);
  EXPECT_TRUE(FShown.empty());
  EXPECT_EQ(ReadFile(Local("Util.cpp")), "// Bob's version\n");
  EXPECT_EQ(ReadFile(Local("Unit1.cpp")), "// Bob's form\n");
  EXPECT_TRUE(platform::IsReadOnly(Local("Util.cpp")));
}

TEST_F(FilesCommandsTest, SelectionModeAndGivenItemsApplyToOneDialogCommand) {
  RecordDialogs();
  SetCurrent("Util.cpp");
  FCommands->SetSelectionMode(TRVLFilesCommands::smAll);
  FCommands->CheckOutFiles(true);
  FCommands->CheckOutFiles(true);
  FCommands->SetSelection(Items({"Unit1.cpp", "Demo.cpp"}).get());
  FCommands->CheckOutFiles(true);
  FCommands->SetSelectionMode(TRVLFilesCommands::smNone);
  FCommands->CheckOutFiles(true);
  FCommands->SetSelection(Items({"Unit1.cpp"}).get());
  FCommands->SetSelectionMode(TRVLFilesCommands::smCurrent);
  FCommands->CheckOutFiles(true);
  ASSERT_EQ(FShown.size(), 5u);
  EXPECT_EQ(FShown[0].Caption, "Check Out");
  EXPECT_EQ(static_cast<int>(FShown[0].Ticked.size()), FShown[0].Rows) << "all";
  EXPECT_EQ(FShown[1].Ticked, std::vector<std::string>{"Util.cpp"}) << "the current file again";
  EXPECT_EQ(FShown[2].Ticked, (std::vector<std::string>{"Demo.cpp", "Unit1.cpp"})) << "the given files";
  EXPECT_TRUE(FShown[3].Ticked.empty()) << "none";
  EXPECT_EQ(FShown[4].Ticked, std::vector<std::string>{"Util.cpp"}) << "the current file alone";
  EXPECT_EQ(FCommands->GetSelectionMode(), TRVLFilesCommands::smCurrent);
}

TEST_F(FilesCommandsTest, EmptyListAsksWhetherToOpenTheDialogAnyway) {
  RecordDialogs();
  SetCurrent("Util.cpp");
  FPrompter->AddAnswer("No");
  FCommands->CheckInCurrent(true);   // not checked out: nothing to check in
  ExpectOnlyPrompt(*FPrompter, "No files were found for this operation.\rWould you still like to open the dialog?");
  EXPECT_TRUE(FShown.empty());
  FCommands->SetSelectionMode(TRVLFilesCommands::smAll);
  FPrompter->AddAnswer("No");
  FCommands->CheckInCurrent(true);
  FCommands->CheckOutCurrent(true);
  ASSERT_EQ(FShown.size(), 1u);
  EXPECT_EQ(FShown[0].Ticked, std::vector<std::string>{"Util.cpp"}) << "the declined dialog used up the mode";

  // A declined command leaves the editor where the user is.
  ASSERT_TRUE(FHost->OpenFile(Local("Util.cpp")));
  ASSERT_TRUE(FHost->OpenFile(Local("Util.h")));
  FPrompter->AddAnswer("No");
  FCommands->CheckInCurrent(true);
  EXPECT_EQ(ActiveFile(), "Util.h");
}

TEST_F(FilesCommandsTest, EditorComesBackToTheFileUnlessItIsTheProjectsATypeLibraryOrAProjectGroup) {
  for (const char* name : {"Demo_TLB.pas", "Demo.bpg", "Notes.txt"}) WriteFile(std::string("Demo/") + name, "x\n");
  struct Case {
    const char* File;
    bool BroughtBack;
  } cases[] = {{"Unit1.cpp", true}, {"Notes.txt", true}, {"Demo_TLB.pas", false}, {"Demo.bpg", false},
               {"Demo.bpr", false}, {"Demo.cpp", false}};
  for (const Case& c : cases) {
    ASSERT_TRUE(FHost->OpenFile(Local(c.File)));
    ASSERT_TRUE(FHost->OpenFile(Local("Util.h")));
    SetCurrent(c.File);
    FCommands->GetLatestCurrent(false);
    EXPECT_EQ(ActiveFile(), c.BroughtBack ? c.File : "Util.h") << c.File;
  }
}

// The IDE's SourceSafe menu with the add-in's items in it.
class MenuTest : public FilesCommandsTest {
protected:
  void SetUp() override {
    FilesCommandsTest::SetUp();
    FIDEMenu = new TMenuItem(&Application());
    FIDEMenu->SetCaption("S&ourceSafe");
    FHost->MainForm()->Menu()->Items()->Add(FIDEMenu);
    FActive = TRVLFactory::_Instance().CreateActiveProjects();
  }
  void TearDown() override {
    FMenu.reset();
    delete FIDEMenu.data();
    FActive.reset();
    FilesCommandsTest::TearDown();
  }
  void Install() {
    FFiles = TRVLFactory::_Instance().CreateActiveFiles(FActive.get());
    FMenu = TRVLFactory::_Instance().CreateMenu(FActive.get(), FFiles.get());
    ASSERT_TRUE(FMenu->Install());
  }

  QPointer<TMenuItem> FIDEMenu;
  std::unique_ptr<TRVLActiveProjects> FActive;
  std::unique_ptr<TRVLActiveFiles> FFiles;
  std::unique_ptr<TRVLMenu> FMenu;
};

TEST_F(MenuTest, ShortcutsFromTheOptionsSitOnTheFourFilesItems) {
  auto options = TRVLRegFactory::_Instance().CreateRegOptions();
  const TShortCut keys[] = {scCtrl | 'G', scCtrl | scShift | 'I', scCtrl | scShift | 'O', scAlt | 'U'};
  for (int i = 0; i < 4; ++i) options->SetShortCut(i, keys[i]);
  Install();
  auto& menu = dynamic_cast<TRVLMenuD3&>(*FMenu);
  TMenuItem* items[] = {menu.RVLMnuGetFiles, menu.RVLMenuCheckInFiles, menu.RVLMenuCheckOutFiles,
                        menu.RVLMenuUndoCheckFiles};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(items[i]->ShortCut(), keys[i]) << items[i]->Name();

  // A key fires its item at once: the options_apply scenario.
  options->SetShortCut(0, 0);
  FMenu->ApplyShortcuts();
  EXPECT_EQ(menu.RVLMnuGetFiles->ShortCut(), 0);
}

TEST_F(MenuTest, MenuIsOnlyBuiltIntoTheIDEsMenuAndLeavesTheIDEsOwnMenusWithIt) {
  delete FIDEMenu.data();
  FFiles = TRVLFactory::_Instance().CreateActiveFiles(FActive.get());
  FMenu = TRVLFactory::_Instance().CreateMenu(FActive.get(), FFiles.get());
  EXPECT_FALSE(FMenu->Install()) << "no SourceSafe menu in the IDE yet";
  FIDEMenu = new TMenuItem(&Application());
  FIDEMenu->SetCaption("S&ourceSafe");
  FHost->MainForm()->Menu()->Items()->Add(FIDEMenu);
  ASSERT_TRUE(FMenu->Install());
  TMenuItem* bar = FHost->MainForm()->Menu()->Items();
  ASSERT_TRUE(FindItemByPath(bar, "File|Open From SourceSafe..."));
  ASSERT_TRUE(FindItemByPath(bar, "View|SourceSafe Tool Bar..."));
  FMenu.reset();
  EXPECT_FALSE(FindItemByPath(bar, "File|Open From SourceSafe...")) << "its click would reach a freed menu";
  EXPECT_FALSE(FindItemByPath(bar, "View|SourceSafe Tool Bar..."));
}

} // namespace
