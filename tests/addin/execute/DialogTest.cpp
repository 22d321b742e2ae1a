// The file-list and synchronize dialogs driven with real clicks and keys, running the real executors
// against the real server: ticks and the status line, "O&K" and "A&pply", the comment and "Keep checked
// out", the advanced options as the flags SourceSafe gets, and the remembered column widths.
#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "WorkFixture.h"
#include "addin/dialogs/uFrmAdvanced.h"
#include "addin/dialogs/uFrmFileList.h"
#include "addin/dialogs/uFrmSynchronize.h"
#include "addin/dialogs/uHRVLListbox.h"
#include "addin/dialogs/uRVLFormFactory.h"
#include "addin/dialogs/uRVLListBox.h"
#include "addin/execute/uRVLExecute.h"
#include "addin/execute/uRVLExecuteFactory.h"
#include "addin/selection/uRVLFileListBuilderFactory.h"
#include "addin/settings/uFlags.h"
#include "addin/settings/uRVLRegFactory.h"
#include "addin/settings/uRegAssoc.h"
#include "addin/sourcesafe/uRVLItems.h"
#include "addin/sourcesafe/uRVLProject.h"
#include "platform/Files.h"
#include "ui/StatusBar.h"

namespace {

class DialogTest : public WorkFixture {
protected:
  TRVLFormFactory& Forms() { return TRVLFormFactory::_Instance(); }
  // Clicks the check box of `row`.
  static void Tick(TRVLListBox* list, int row) {
    const QRect rect = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(rect.left() + 4, rect.center().y()));
  }
  // Clicks a check box on its box.
  static void ClickBox(QCheckBox* box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2)); }
  static std::string Status(TFrmFileList& dialog) { return dialog.sbarStatus->SimpleText(); }
  static std::string Text(QPushButton* button) { return button->text().toStdString(); }
  std::string LatestComment(const std::string& name) const {
    IVSSVersion* version = nullptr;
    VSSFile(name)->Versions(0)->Next(&version);
    VSSPtr<IVSSVersion> latest(version);
    return latest->Comment();
  }
};

TEST_F(DialogTest, TicksCountAndOKChecksInTheTickedFilesWithTheCommentAndKeepCheckedOut) {
  TRVLRegFactory::_Instance().CreateRegAssoc()->Save(".cpp", {"*.h"});
  for (const char* name : {"Unit1.cpp", "Unit1.h", "Util.cpp"}) CheckOutAndChange(name, "changed\n");
  auto checkIn = Executors().CreateCheckIn();
  auto items = Build(*TRVLFileListBuilderFactory::_Instance().CreateAllVCSFilesBuilder(), checkIn.get());
  auto dialog = Forms().CreateFileListCheckIn(FProject.get());
  auto* form = static_cast<TFrmFileListCheckin*>(dialog.get());
  dialog->SetList(items.get(), checkIn.get());
  dialog->CheckItems(Items({"Util.cpp"}).get());
  dialog->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
  EXPECT_EQ(Status(*dialog), "1 Selected Files");
  EXPECT_EQ(Text(dialog->btnSelectAll), "Select &All");
  EXPECT_TRUE(dialog->btnOKToAll->isEnabled());

  Tick(form->vlbFileList, 0);   // Unit1.cpp, and with it its companion Unit1.h
  EXPECT_EQ(Status(*dialog), "3 Selected Files");
  EXPECT_EQ(Text(dialog->btnSelectAll), "Clear &All");
  QTest::mouseClick(dialog->btnSelectAll, Qt::LeftButton);
  EXPECT_EQ(Status(*dialog), "0 Selected Files");
  EXPECT_FALSE(dialog->btnOKToAll->isEnabled());
  EXPECT_FALSE(dialog->btnOK->isEnabled());

  Tick(form->vlbFileList, 1);   // Unit1.h alone
  Tick(form->vlbFileList, 2);   // Util.cpp
  QTest::keyClicks(form->memoComment, "two files");
  ClickBox(form->chkbKeepCheckedOut);
  EXPECT_EQ(checkIn->GetFlags()->ExtraFlag2, VSSFLAG_KEEPYES);
  QTest::mouseClick(dialog->btnOKToAll, Qt::LeftButton);

  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(items->Count(), 2) << "the unticked file left the list";
  EXPECT_EQ(LatestComment("Util.cpp"), "two files");
  EXPECT_EQ(VSSFile("Util.cpp", "Alice")->IsCheckedOut(), VSSFILE_CHECKEDOUT_ME) << "kept checked out";
}

TEST_F(DialogTest, ApplyRunsFileByFileAndAFailureAsksWhetherToGoOn) {
  for (const char* name : {"Util.cpp", "Unit1.cpp", "Unit1.h"}) Edit(name, "local\n");
  auto get = Executors().CreateGet();
  auto items = Items({"Util.cpp", "Unit1.cpp", "Unit1.h"});
  auto dialog = Forms().CreateFileListNoComment(FProject.get());
  dialog->SetList(items.get(), get.get());
  dialog->SelectAll(true);
  dialog->show();
  auto* list = static_cast<TFrmFileListNoComment*>(dialog.get())->vlbFileList;
  EXPECT_EQ(list->ItemData(0), 1) << "a file that differs is marked (and drawn bold)";

  // The first file is not replaced, and the run stops there.
  for (const char* answer : {"No", "No"}) FPrompter->AddAnswer(answer);
  QTest::mouseClick(dialog->btnOK, Qt::LeftButton);
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(FPrompter->Prompts().back().Text, Local("Util.cpp") + "\rWriteable\rContinue operation on other files?");
  for (int row = 0; row < 3; ++row) EXPECT_TRUE(list->Checked(row)) << row;
  EXPECT_EQ(ReadFile(Local("Unit1.h")), "local\n");

  // Again, going on after the failure: the next file is replaced, and the one after it too.
  for (const char* answer : {"No", "Yes", "Yes"}) FPrompter->AddAnswer(answer);
  QTest::mouseClick(dialog->btnOK, Qt::LeftButton);
  EXPECT_TRUE(list->Checked(0));
  EXPECT_EQ(ReadFile(Local("Util.cpp")), "local\n");
  for (int row : {1, 2}) {
    EXPECT_FALSE(list->Checked(row)) << row;
    EXPECT_FALSE(list->ItemEnabled(row)) << row;
  }
  EXPECT_EQ(ReadFile(Local("Unit1.h")), Stored("Unit1.h"));
  EXPECT_EQ(Text(dialog->btnCancel), "&Close");
}

TEST_F(DialogTest, AdvancedOptionsSetTheFlagsOnlyWhenPickedAndFoldAwayFromTheStoredHeight) {
  struct Case {
    const char* Box;
    int Index;
    int TFlags::* Field;
    int Value;
  };
  // One row per box, each entry of the three once.
  const Case cases[] = {
      {"cboxFileTime", 0, &TFlags::SetTimeFlag, 4},
      {"cboxReplace", 2, &TFlags::ReplaceFlag, 192},
      {"cboxLocalCopy", 1, &TFlags::ReplaceFlag, VSSFLAG_DELNOREPLACE},
  };
  auto items = Items({"Util.cpp"});
  int height = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.Box) + " " + std::to_string(c.Index));
    auto get = Executors().CreateGet();
    auto dialog = Forms().CreateFileListNoComment(FProject.get());
    const bool undo = std::string(c.Box) == "cboxLocalCopy";
    dialog->SetAdvanced(undo ? Forms().CreateAdvancedUndo(dialog.get()) : Forms().CreateAdvancedGet(dialog.get()));
    dialog->SetList(items.get(), get.get());
    dialog->show();
    if (height == 0) height = dialog->height();
    EXPECT_EQ(dialog->height(), height) << "the stored height has no advanced area";
    const TFlags before = *get->GetFlags();
    QTest::mouseClick(dialog->btnAdvanced, Qt::LeftButton);
    auto* box = dialog->findChild<QComboBox*>(c.Box);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->currentIndex(), 0);
    EXPECT_EQ(get->GetFlags()->Combined(), before.Combined()) << "showing the first entry changes nothing";
    box->setCurrentIndex(c.Index == 0 ? 1 : 0);
    box->setFocus();
    QTest::keyClick(box, c.Index == 0 ? Qt::Key_Up : Qt::Key_Down);
    if (c.Index == 2) QTest::keyClick(box, Qt::Key_Down);
    EXPECT_EQ((*get->GetFlags()).*c.Field, c.Value);
  }
  // Multiple check-outs: the box picks the exclusive flag.
  auto checkOut = Executors().CreateCheckOut();
  auto dialog = Forms().CreateFileListComment(FProject.get());
  auto* panel = static_cast<TFrmAdvancedCheckout*>(Forms().CreateAdvancedCheckOut(dialog.get()));
  dialog->SetAdvanced(panel);
  dialog->SetList(items.get(), checkOut.get());
  dialog->show();
  QTest::mouseClick(dialog->btnAdvanced, Qt::LeftButton);
  ClickBox(panel->chkbAllowMultiple);
  EXPECT_EQ(checkOut->GetFlags()->ExtraFlag1, VSSFLAG_CHKEXCLUSIVENO);
  ClickBox(panel->chkbAllowMultiple);
  EXPECT_EQ(checkOut->GetFlags()->ExtraFlag1, VSSFLAG_CHKEXCLUSIVEYES);
}

TEST_F(DialogTest, SynchronizeShowsStatusAndOperationInWordsAndRemembersItsColumns) {
  WriteFile("Demo/New.cpp", "new\n");
  CheckOutAndChange("Unit1.cpp", "changed\n");
  platform::DeleteFile(Local("Util.h"));
  CheckInAs("Bob", "Util.cpp", "Bob's\n");
  auto sync = Executors().CreateSynchronize();
  auto items = Items({"New.cpp", "Unit1.cpp", "Util.h", "Util.cpp"});
  const int widened = 170;
  {
    auto dialog = Forms().CreateSynchronize();
    dialog->SetList(items.get(), sync.get());
    auto* list = static_cast<TFrmSynchronize*>(dialog.get())->vlbFileList;
    const std::vector<std::string> rows{Local("New.cpp") + "\tNot In Source Control\tAdd",
                                        Local("Unit1.cpp") + "\tDifferent\tCheck In and keep",
                                        Local("Util.h") + "\tNot on local disk\tGet Latest",
                                        Local("Util.cpp") + "\tDifferent\tGet Latest"};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(list->RVLListBox()->Text(i), rows[i]);
    EXPECT_EQ(sync->GetFlags()->ExtraFlag2, VSSFLAG_KEEPYES);
    auto sections = list->Sections();
    sections[2].Width = widened;
    list->SetSections(sections);
  }
  auto dialog = Forms().CreateSynchronize();
  EXPECT_EQ(static_cast<TFrmSynchronize*>(dialog.get())->vlbFileList->Sections()[2].Width, widened);

  FPrompter->AddAnswer("OK");
  EXPECT_FALSE(dialog->OpenWhenEmpty());
  EXPECT_EQ(FPrompter->Prompts().back().Text, "Project is already synchronized");
}

TEST_F(DialogTest, SynchronizeStartsFromItsTicksAndTheKeyboardTicksAndInverts) {
  for (const char* name : {"Unit1.cpp", "Util.cpp"}) CheckOutAndChange(name, "changed\n");
  auto sync = Executors().CreateSynchronize();
  auto items = Items({"Unit1.cpp", "Util.cpp"});
  auto dialog = Forms().CreateSynchronize();
  dialog->SetList(items.get(), sync.get());
  dialog->show();
  dialog->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
  EXPECT_FALSE(dialog->btnOKToAll->isEnabled()) << "nothing ticked";
  EXPECT_FALSE(dialog->btnOK->isEnabled());

  // Tabbing into the list makes a row current, so Space ticks it; Ctrl+I inverts the ticks.
  TRVLListBox* list = static_cast<TFrmSynchronize*>(dialog.get())->vlbFileList->RVLListBox();
  list->setFocus(Qt::TabFocusReason);
  QTest::keyClick(list, Qt::Key_Space);
  EXPECT_TRUE(list->Checked(0));
  EXPECT_TRUE(dialog->btnOKToAll->isEnabled());
  QTest::keyClick(list, Qt::Key_I, Qt::ControlModifier);
  EXPECT_FALSE(list->Checked(0));
  EXPECT_TRUE(list->Checked(1));
}

// An executor that fails before its per-file work.
class TFailingExecute : public TRVLExecute {
public:
  void BeforeExecute() override { throw std::runtime_error("the database went away"); }
  void ExecuteItem(int, const std::string&, TFlags&) override {}
  bool CanExecute(TRVLItem*) override { return true; }
};

TEST_F(DialogTest, OKEndsTheDialogWhenTheExecutorFailsOutsideItsFiles) {
  TFailingExecute failing;
  auto items = Items({"Util.cpp"});
  auto dialog = Forms().CreateFileListNoComment(FProject.get());
  dialog->SetList(items.get(), &failing);
  dialog->SelectAll(true);
  TModalHook previous = SetModalHook([](TForm& form) { static_cast<TFrmFileList&>(form).btnOKToAll->click(); });
  // Should the hidden dialog's loop go on, this ends it and the test fails instead of hanging.
  QTimer::singleShot(10000, dialog.get(), [&dialog] { dialog->SetModalResult(mrAbort); });
  EXPECT_EQ(dialog->ShowModal(), mrCancel);
  SetModalHook(std::move(previous));
  ASSERT_EQ(FReports.size(), 1u);
  EXPECT_EQ(FReports[0], "the database went away");
  FReports.clear();
}

} // namespace
