// Scenario files read, and their steps run against the real windows: what an add-in hooked into the
// editor sees of them.
#include <sstream>

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "HostFixture.h"
#include "host/MainForm.h"
#include "host/Scenario.h"
#include "host/ScriptRunner.h"
#include "ui/Form.h"
#include "ui/Menus.h"
#include "ui/Prompter.h"

namespace {

// A check-in dialog: OK, a disabled Help, a button that asks (and swallows the failure), an edit and
// a list.
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
    add(edComment, "edComment");
    add(lbFiles, "lbFiles");
    btnHelp->setEnabled(false);
    SetButtonResult(btnOK, mrOk);
    connect(btnAsk, &QPushButton::clicked, this, [] {
      try {
        MessageBox("Sure?", "Ravelin", MB_YESNO);
      } catch (...) {
      }
    });
    lbFiles->addItems({"Unit1.cpp", "Unit1.h"});
  }
  QPushButton* btnOK = new QPushButton("OK", this);
  QPushButton* btnHelp = new QPushButton("Help", this);
  QPushButton* btnAsk = new QPushButton("Ask", this);
  QLineEdit* edComment = new QLineEdit("old", this);
  QListWidget* lbFiles = new QListWidget(this);
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

// Reading scenario files: commands, arguments and the errors that name the line.
TEST(ScenarioTest, ReadsCommandsKeepingTheArgumentsBlanks) {
  std::vector<TScenarioStep> steps;
  std::string error;
  ASSERT_TRUE(ParseScenario("# a comment\r\n\r\nopen-project Demo/Demo.bpr\ntype  a b \n  print-menu\n"
                            "menu &File|&Save\n",
                            "s.txt", steps, error))
      << error;
  ASSERT_EQ(steps.size(), 4u);
  EXPECT_EQ(steps[0].Line, 3);
  EXPECT_EQ(steps[0].Command, "open-project");
  EXPECT_EQ(steps[0].Argument, "Demo/Demo.bpr");
  EXPECT_EQ(steps[1].Argument, " a b ");
  EXPECT_EQ(steps[2].Command, "print-menu");
  EXPECT_EQ(steps[2].Argument, "");
  EXPECT_EQ(steps[3].Argument, "&File|&Save");
}

TEST(ScenarioTest, ErrorsNameFileAndLine) {
  std::vector<TScenarioStep> steps;
  std::string error;
  EXPECT_FALSE(ParseScenario("save\nfrobnicate x\n", "s.txt", steps, error));
  EXPECT_EQ(error, "s.txt:2: unknown command \"frobnicate\"");
  EXPECT_FALSE(ParseScenario("open-file   \n", "s.txt", steps, error));
  EXPECT_EQ(error, "s.txt:1: \"open-file\" needs an argument");
  EXPECT_FALSE(ParseScenario("save now\n", "s.txt", steps, error));
  EXPECT_EQ(error, "s.txt:1: \"save\" takes no argument");
}

#include "ScriptRunnerTest.moc"
