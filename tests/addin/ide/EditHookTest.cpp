// The editor hook on the real IDE's editor window, with the sample project in a real database:
// which windows get hooked, which keys offer the check-out, what a Yes does to the text, and where
// the status panel's hint and menu answer.
#include <QClipboard>
#include <QGuiApplication>
#include <QTest>

#include "../execute/WorkFixture.h"
#include "addin/frame/uRVLFactory.h"
#include "addin/ide/uEditHook.h"
#include "addin/ide/uIDEHook.h"
#include "addin/sourcesafe/uRVLItems.h"
#include "addin/sourcesafe/uRVLProjects.h"
#include "host/EditControl.h"
#include "host/EditWindow.h"
#include "host/MainForm.h"
#include "host/ProjectManager.h"
#include "platform/Files.h"
#include "ui/Menus.h"

namespace {

class EditHookTest : public WorkFixture {
protected:
  void SetUp() override {
    WorkFixture::SetUp();
    TRVLFactory& factory = TRVLFactory::_Instance();
    FProjects = factory.CreateActiveProjects();
    FFiles = factory.CreateActiveFiles(FProjects.get());
    FWatch = factory.CreateIDEHook(FFiles.get(), FProjects.get());
  }
  void TearDown() override {
    FWatch.reset();
    FFiles.reset();
    FProjects.reset();
    WorkFixture::TearDown();
  }
  static QObject* Marker(QObject* window) { return FindComponent(window, "EditorHookComp"); }
  // Brings `window` to the front as the IDE does, so that the watch sees it activated.
  void Activate(QWidget* window) {
    if (window->isActiveWindow()) Activate(FHost->MainForm());
    THost::Present(window);
    ASSERT_TRUE(QTest::qWaitFor([window] { return window->isActiveWindow(); }));
  }
  TEditHookComp* Hook() const { return qobject_cast<TEditHookComp*>(Marker(FHost->EditWindow())); }
  // Opens `name` in the editor, which the IDE activates.
  TEditControl* Edit(const std::string& name) {
    FHost->OpenFile(Local(name));
    Activate(FHost->EditWindow());
    return FHost->EditWindow()->EditControl();
  }
  std::string Text() const { return FHost->EditWindow()->EditControl()->toPlainText().toStdString(); }

  std::unique_ptr<TRVLActiveProjects> FProjects;
  std::unique_ptr<TRVLActiveFiles> FFiles;
  std::unique_ptr<TIDEHook> FWatch;
};

TEST_F(EditHookTest, EachEditorWindowIsHookedOnceAndTheProjectManagerMarked) {
  Edit("Util.h");
  Activate(FHost->EditWindow());
  EXPECT_EQ(ClassName(Marker(FHost->EditWindow())), "TB3EditHookComp");
  EXPECT_EQ(FHost->EditWindow()->findChildren<TEditHookComp*>().size(), 1u);
  Activate(FHost->ProjectManager());
  EXPECT_EQ(ClassName(Marker(FHost->ProjectManager())), "TProjectHookComp");
  try {
    TIDEHook second(FFiles.get(), FProjects.get());
    ADD_FAILURE() << "a second watch was made";
  } catch (const std::exception& e) {
    EXPECT_STREQ(e.what(), "EditHook created more than once");
  }
}

// Util.h is checked in and read-only: keys that would change it ask (and are refused after No),
// the others never ask. Ctrl+Q starts a two-key command whose second key is not asked about.
TEST_F(EditHookTest, KeysThatWouldChangeAReadOnlyFileOfferTheCheckOut) {
  struct TCase {
    Qt::Key Key;
    Qt::KeyboardModifiers Modifiers;
    bool Asks;
  };
  const TCase cases[] = {
      {Qt::Key_A, Qt::NoModifier, true},         {Qt::Key_7, Qt::KeypadModifier, true},
      {Qt::Key_Semicolon, Qt::NoModifier, true}, {Qt::Key_Return, Qt::NoModifier, true},
      {Qt::Key_Tab, Qt::NoModifier, true},       {Qt::Key_Space, Qt::NoModifier, true},
      {Qt::Key_Backspace, Qt::NoModifier, true}, {Qt::Key_Delete, Qt::NoModifier, true},
      {Qt::Key_V, Qt::ControlModifier, true},    {Qt::Key_X, Qt::ControlModifier, true},
      {Qt::Key_Y, Qt::ControlModifier, true},    {Qt::Key_Insert, Qt::ShiftModifier, true},
      {Qt::Key_C, Qt::ControlModifier, false},   {Qt::Key_Left, Qt::NoModifier, false},
      {Qt::Key_Home, Qt::NoModifier, false},     {Qt::Key_PageDown, Qt::NoModifier, false},
      {Qt::Key_F5, Qt::NoModifier, false},       {Qt::Key_Insert, Qt::NoModifier, false},
      {Qt::Key_F, Qt::AltModifier, false},       {Qt::Key_Q, Qt::ControlModifier, false},
      {Qt::Key_K, Qt::NoModifier, false},        {Qt::Key_B, Qt::NoModifier, true},
  };
  TEditControl* edit = Edit("Util.h");
  const std::string before = Text();
  for (const TCase& c : cases) {
    const size_t asked = FPrompter->Prompts().size();
    if (c.Asks) FPrompter->AddAnswer("No");
    QTest::keyClick(edit, c.Key, c.Modifiers);
    EXPECT_EQ(FPrompter->Prompts().size() - asked, c.Asks ? 1u : 0u) << "key " << c.Key << " " << c.Modifiers;
  }
  EXPECT_EQ(Text(), before);
  EXPECT_TRUE(platform::IsReadOnly(Local("Util.h")));
  EXPECT_EQ(VSSFile("Util.h")->IsCheckedOut(), VSSFILE_NOTCHECKEDOUT);
}

// After Yes each key does, once, what it does in a writable file: at the caret, over the marked
// block. Between the cases the check-out is undone and the file read again.
TEST_F(EditHookTest, YesChecksOutAndTheKeyActsOnceWhereItWasTyped) {
  struct TCase {
    int Anchor, Caret;
    Qt::Key Key;
    Qt::KeyboardModifiers Modifiers;
    std::string Start;   // the file's first characters afterwards
  };
  const TCase cases[] = {
      {0, 2, Qt::Key_Z, Qt::NoModifier, "z---"},          {2, 2, Qt::Key_Return, Qt::NoModifier, "//\n-"},
      {2, 2, Qt::Key_Backspace, Qt::NoModifier, "/---"},  {0, 0, Qt::Key_Delete, Qt::NoModifier, "/---"},
      {1, 1, Qt::Key_Insert, Qt::ShiftModifier, "/ab/"},  {0, 0, Qt::Key_V, Qt::ControlModifier, "ab//"},
      {0, 2, Qt::Key_X, Qt::ControlModifier, "----"},
  };
  TEditControl* edit = Edit("Util.h");
  for (const TCase& c : cases) {
    QGuiApplication::clipboard()->setText("ab");
    QTextCursor cursor = edit->textCursor();
    cursor.setPosition(c.Anchor);
    cursor.setPosition(c.Caret, QTextCursor::KeepAnchor);
    edit->setTextCursor(cursor);
    FPrompter->AddAnswer("Yes");
    QTest::keyClick(edit, c.Key, c.Modifiers);
    EXPECT_EQ(Text().substr(0, 4), c.Start) << "key " << c.Key;
    EXPECT_EQ(VSSFile("Util.h", "Alice")->IsCheckedOut(), VSSFILE_CHECKEDOUT_ME);
    VSSFile("Util.h", "Alice")->UndoCheckout(Local("Util.h"), VSSFLAG_DELNO);
    FHost->ReloadModule(FHost->FindModule(Local("Util.h")));
  }
  EXPECT_EQ(FPrompter->Prompts().size(), std::size(cases));
}

// A read-only file that is checked out to the user, or that SourceSafe doesn't know, is read-only
// for a reason of its own: nothing is offered.
TEST_F(EditHookTest, NothingIsOfferedForFilesOutOfSourceSafesHands) {
  VSSFile("Util.h", "Alice")->Checkout("", Local("Util.h"), 0);
  platform::SetReadOnly(Local("Util.h"), true);
  WriteFile("Demo/Notes.cpp", "// notes\n");
  platform::SetReadOnly(Local("Notes.cpp"), true);
  for (const char* name : {"Util.h", "Notes.cpp"}) {
    QTest::keyClick(Edit(name), Qt::Key_A);
    ASSERT_NE(Hook(), nullptr);
    EXPECT_TRUE(FPrompter->Prompts().empty()) << name;
  }
}

TEST_F(EditHookTest, StatusPanelAnswersHintsAndClicksOnlyOverItself) {
  Edit("Util.h");
  TEditHookComp* hook = Hook();
  ASSERT_NE(hook, nullptr);
  TStatusBar* bar = FHost->EditWindow()->StatusBar();
  const QRect panel = bar->PanelRect(hook->StatusPanel()->Index());
  for (int x : {panel.left() - 5, panel.center().x()}) {
    THintInfo info;
    info.HintControl = bar;
    info.CursorPos = QPoint(x, 5);
    std::string text;
    EXPECT_EQ(hook->StatusHint(text, info), x == panel.center().x());
    QTest::mouseClick(bar, Qt::RightButton, {}, QPoint(x, 5));
    EXPECT_EQ(hook->StatusMenu()->IsOpen(), x == panel.center().x());
    hook->StatusMenu()->ClosePopup();
  }
  EXPECT_EQ(hook->StatusPanel()->Bevel(), pbRaised);
}

// The popup menu's entries and the panels stay with the window; its own handlers come back.
// Editor integration switched off removes the hook from an open editor.
TEST_F(EditHookTest, ARemovedHookTakesAwayWhatItAddedAndGivesTheWindowItsHandlersBack) {
  Edit("Util.h");
  TEditWindow* window = FHost->EditWindow();
  const int items = window->LocalMenu()->Items()->Count();
  const int panels = window->StatusBar()->PanelCount();
  ASSERT_NE(Hook(), nullptr);
  delete Hook();
  EXPECT_FALSE(window->StatusBar()->OnMouseDown);
  EXPECT_FALSE(window->LocalMenu()->OnPopup);
  EXPECT_EQ(window->LocalMenu()->Items()->Count(), items - 2) << "its separator and submenu";
  EXPECT_EQ(window->StatusBar()->PanelCount(), panels - 2) << "its panel and the one after it";
  QTest::keyClick(window->EditControl(), Qt::Key_A);
  EXPECT_TRUE(FPrompter->Prompts().empty());
}

} // namespace
