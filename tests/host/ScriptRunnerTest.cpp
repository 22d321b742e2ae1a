// Scenario steps against the real windows: what an add-in hooked into the editor sees of them.
#include <sstream>

#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "HostFixture.h"
#include "host/EditControl.h"
#include "host/EditWindow.h"
#include "host/MainForm.h"
#include "host/ScriptRunner.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/Menus.h"
#include "ui/Prompter.h"
#include "ui/StatusBar.h"

namespace {

// Swallows every 'Q' typed into the editor, as an add-in's key hook can.
class TKeyEater : public QObject {
public:
  using QObject::QObject;
  int Eaten = 0;

protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Q) {
      ++Eaten;
      return true;
    }
    return false;
  }
};

// A list that keeps its lines' check states itself and toggles the selected lines on Space, as the
// add-in's file lists do.
class TOwnCheckList : public QListWidget {
  Q_OBJECT
public:
  using QListWidget::QListWidget;
  Q_INVOKABLE int State(int index) const { return FStates.value(index); }
  std::vector<int> Toggled;

protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_Space)
      for (QListWidgetItem* line : selectedItems()) {
        FStates[row(line)] = 1 - FStates.value(row(line));
        Toggled.push_back(row(line));
      }
    QListWidget::keyPressEvent(event);
  }

private:
  QMap<int, int> FStates;
};

// A check-in dialog: OK, a disabled Help, a button that asks (and swallows the failure), a check
// box, an edit, a list with its own check boxes and one with Qt's.
class TTestForm : public TForm {
  Q_OBJECT
public:
  explicit TTestForm(QObject* owner) : TForm(owner) {
    SetCaption("Check In");
    auto add = [this](QWidget* control, const char* name) {
      control->setObjectName(name);
      control->setGeometry(0, 30 * int(children().size()), 200, 25);
    };
    add(btnOK, "btnOK");
    add(btnHelp, "btnHelp");
    add(btnAsk, "btnAsk");
    add(chkbKeep, "chkbKeep");
    add(edComment, "edComment");
    add(lbFiles, "lbFiles");
    add(lbPlain, "lbPlain");
    btnHelp->setEnabled(false);
    SetButtonResult(btnOK, mrOk);
    connect(btnAsk, &QPushButton::clicked, this, [] {
      try {
        MessageBox("Sure?", "Ravelin", MB_YESNO);
      } catch (...) {
      }
    });
    connect(edComment, &QLineEdit::textEdited, this, [this] { ++Edited; });
    lbFiles->addItems({"Unit1.cpp", "Unit1.h"});
    lbPlain->addItem("Demo.bpr");
    lbPlain->item(0)->setCheckState(Qt::Unchecked);
  }
  QPushButton* btnOK = new QPushButton("OK", this);
  QPushButton* btnHelp = new QPushButton("Help", this);
  QPushButton* btnAsk = new QPushButton("Ask", this);
  QCheckBox* chkbKeep = new QCheckBox("&Keep checked out", this);
  QLineEdit* edComment = new QLineEdit("old", this);
  TOwnCheckList* lbFiles = new TOwnCheckList(this);
  QListWidget* lbPlain = new QListWidget(this);
  int Edited = 0;
};

} // namespace

class ScriptRunnerTest : public HostFixture {
protected:
  bool Run(const std::string& text) {
    std::string file = WriteFile("samples/test.scn", text);
    TScriptRunner runner(*FHost, *FPrompter, FOut);
    bool passed = runner.RunFile(file);
    FError = runner.Error();
    return passed;
  }
  // A menu item "&Dialog" that runs FForm modally, as an add-in command would.
  void AddDialogItem() {
    FForm = new TTestForm(FHost->MainForm());
    auto* item = new TMenuItem(FHost->MainForm());
    item->SetCaption("&Dialog");
    item->OnClick = [this](TObject*) { FResults.push_back(FForm->ShowModal()); };
    FHost->MainForm()->Menu()->Items()->Add(item);
  }
  std::ostringstream FOut;
  std::string FError;
  TTestForm* FForm = nullptr;
  std::vector<TModalResult> FResults;
};

TEST_F(ScriptRunnerTest, StepsReachTheEditorThroughWhatAddInsHook) {
  std::vector<unsigned> activations;
  struct THook {
    THookId Id;
    ~THook() { Application().RemoveWindowHook(Id); }
  } hook{Application().AddWindowHook([&](const TCWPStruct& message) {
    if (message.Message == WM_ACTIVATE && message.Window == FHost->EditWindow()) activations.push_back(message.WParam);
  })};
  ASSERT_TRUE(Run("open-project Demo/Demo.bpr\nopen-file Demo/Util.cpp\n")) << FError;

  TEditWindow* window = FHost->EditWindow();
  TKeyEater eater;
  window->EditControl()->installEventFilter(&eater);
  TStatusPanel* added = window->StatusBar()->AddPanel();
  added->SetText("Checked in");
  // A click on the added panel opens a menu of its own, as the add-in's status menu does.
  int clickedPanel = -1;
  std::string chosen;
  auto* statusMenu = new TPopupMenu(window);
  auto* item = new TMenuItem(statusMenu);
  item->SetCaption("Check &Out");
  item->OnClick = [&](TObject*) { chosen = "Check Out"; };
  statusMenu->Items()->Add(item);
  window->StatusBar()->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int x, int) {
    clickedPanel = window->StatusBar()->PanelAtX(x);
    statusMenu->TrackPopup(window->StatusBar()->mapToGlobal(QPoint(x, 0)), QRect());
  };

  // Another window in front first, so that `activate` brings the editor forward.
  THost::Present(FHost->MainForm());
  ASSERT_TRUE(WaitFor([&] { return FHost->MainForm()->isActiveWindow(); }));
  activations.clear();
  ASSERT_TRUE(Run("activate Demo/Demo.cpp\ntype aQb\nkey Ctrl+Q\nstatus-click\npopup Check &Out\nprint-status\n"
                  "print-text\n"))
      << FError;
  // Keyboard activation, not a click; the hooked keys never reached the text.
  ASSERT_FALSE(activations.empty());
  EXPECT_EQ(activations.back(), WA_ACTIVE);
  EXPECT_EQ(eater.Eaten, 2);
  EXPECT_EQ(clickedPanel, TEditWindow::OwnPanelCount);
  EXPECT_EQ(chosen, "Check Out");
  EXPECT_FALSE(statusMenu->IsOpen());
  std::string out = FOut.str();
  EXPECT_NE(out.find("status 2: Insert\nstatus 3: Checked in\n"), std::string::npos) << out;
  EXPECT_NE(out.find("\nab//---"), std::string::npos) << out;
}

TEST_F(ScriptRunnerTest, AFailingStepStopsTheScenarioAndNamesItsLine) {
  EXPECT_FALSE(Run("# comment\nopen-file Demo/Missing.cpp\nprint-text\n"));
  EXPECT_EQ(FError.rfind(PathOf("samples/test.scn") + ":2: a prompt had no answer: ", 0), 0u) << FError;
  EXPECT_NE(FError.find("Missing.cpp not found."), std::string::npos) << FError;

  EXPECT_FALSE(Run("open-file Demo/Util.cpp\nexpect Hello there\n"));
  EXPECT_EQ(FError, PathOf("samples/test.scn") + ":2: expect failed: the transcript does not contain \"Hello there\"");

  EXPECT_FALSE(Run("menu &File|&Nothing\n"));
  EXPECT_NE(FError.find(":1: menu failed: "), std::string::npos) << FError;

  EXPECT_FALSE(Run("key Ctrl+Banana\n"));
  EXPECT_NE(FError.find("unknown key \"Ctrl+Banana\""), std::string::npos) << FError;
}

TEST_F(ScriptRunnerTest, LinesAfterAModalFormActOnItUntilOneClosesIt) {
  AddDialogItem();
  ASSERT_TRUE(Run("menu &Dialog\nprint-form\nset edComment fixed the build\nclick chkbKeep\ntick lbFiles 1\n"
                  "tick lbPlain 0\nprint-form\nclick btnOK\nexpect dialog TTestForm \"Check In\" closed with OK\n"
                  "dialog OK\nmenu &Dialog\nmenu &Dialog\ndialog Cancel\n"))
      << FError;
  EXPECT_EQ(FResults, (std::vector<TModalResult>{mrOk, mrOk, mrCancel}));
  EXPECT_EQ(FForm->edComment->text(), "fixed the build");
  EXPECT_EQ(FForm->Edited, 1);
  EXPECT_TRUE(FForm->chkbKeep->isChecked());
  EXPECT_EQ(FForm->lbFiles->Toggled, std::vector<int>{1});
  EXPECT_EQ(FForm->lbPlain->item(0)->checkState(), Qt::Checked);
  const std::string out = FOut.str();
  for (const char* line :
       {"form TTestForm \"Check In\"\nbtnOK | OK | enabled\nbtnHelp | Help | disabled\nbtnAsk | Ask | enabled\n"
        "chkbKeep | &Keep checked out | enabled | unchecked\nedComment | old | enabled\nlbFiles |  | enabled\n"
        "lbFiles[0] | Unit1.cpp | unchecked\nlbFiles[1] | Unit1.h | unchecked\nlbPlain |  | enabled\n"
        "lbPlain[0] | Demo.bpr | unchecked\n",
        "chkbKeep | &Keep checked out | enabled | checked\nedComment | fixed the build | enabled\n",
        "lbFiles[1] | Unit1.h | checked\nlbPlain |  | enabled\nlbPlain[0] | Demo.bpr | checked\n"})
    EXPECT_NE(out.find(line), std::string::npos) << line << "\n---\n" << out;
}

TEST_F(ScriptRunnerTest, ALineThatCantActOnTheFormOrAMissedAnswerFailsAndCancelsIt) {
  AddDialogItem();
  const std::string form = "the modal form TTestForm \"Check In\"";
  const std::pair<std::string, std::string> cases[] = {
      {"menu &Dialog\nclick btnNope\n", ":2: click failed: the form TTestForm has no control \"btnNope\""},
      {"menu &Dialog\nclick edComment\n", ":2: click failed: \"edComment\" is not a button or check box"},
      {"menu &Dialog\nclick btnHelp\n", ":2: click failed: \"btnHelp\" is disabled"},
      {"menu &Dialog\ntick lbFiles 2\n", ":2: tick failed: \"lbFiles\" has no line 2 (it has 2)"},
      {"menu &Dialog\ntick lbFiles one\n", ":2: tick failed: give a list's name and a line number"},
      {"menu &Dialog\nset lbFiles x\n", ":2: set failed: \"lbFiles\" is not an edit, memo, combo box or key field that takes typing"},
      {"menu &Dialog\ndialog Okay\n", ":2: dialog failed: \"Okay\" is not a dialog button"},
      {"menu &Dialog\nclick btnAsk\n", ":2: a prompt had no answer: No scripted answer for the message box \"Ravelin\""},
      {"menu &Dialog\nprint-form\nprint-menu\n", ":3: \"print-menu\" can't act on " + form + ", which is still up"},
      {"menu &Dialog\nprint-form\n", ":1: " + form + " had no answer: the scenario ended while it was up"},
  };
  for (const auto& [script, error] : cases) {
    FResults.clear();
    EXPECT_FALSE(Run(script)) << script;
    EXPECT_EQ(FError.rfind(PathOf("samples/test.scn") + error, 0), 0u) << script << "\n" << FError;
    EXPECT_EQ(FResults, std::vector<TModalResult>{mrCancel}) << script;
  }
  EXPECT_FALSE(Run("click btnOK\n"));
  EXPECT_NE(FError.find(":1: click failed: no modal form is up"), std::string::npos) << FError;
}

TEST_F(ScriptRunnerTest, APromptMissedBeforeTheFirstStepFailsTheScenario) {
  TScriptRunner runner(*FHost, *FPrompter, FOut);
  ASSERT_TRUE(runner.Load(WriteFile("samples/test.scn", "print-prompts\n")));
  try {
    MessageBox("Tip: update", "Ravelin", MB_OK);   // the failure is caught, as an add-in's guard does
  } catch (const Exception&) {
  }
  EXPECT_FALSE(runner.Run());
  EXPECT_EQ(runner.Error().rfind(PathOf("samples/test.scn") + ": a prompt had no answer while the IDE started: "
                                 "No scripted answer for the message box \"Ravelin\"", 0), 0u) << runner.Error();
}

#include "ScriptRunnerTest.moc"
