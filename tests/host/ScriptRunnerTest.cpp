// Scenario steps against the real windows: what an add-in hooked into the editor sees of them.
#include <sstream>

#include <QKeyEvent>

#include "HostFixture.h"
#include "host/EditControl.h"
#include "host/EditWindow.h"
#include "host/MainForm.h"
#include "host/ScriptRunner.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/Menus.h"
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
  std::ostringstream FOut;
  std::string FError;
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

TEST_F(ScriptRunnerTest, ModalFormsAreClosedWithTheQueuedReplyOrCancelled) {
  std::vector<TModalResult> results;
  auto* dialog = new TForm(FHost->MainForm());
  dialog->SetCaption("Check In");
  // A menu item that runs the dialog modally twice, as an add-in command would.
  auto* item = new TMenuItem(FHost->MainForm());
  item->SetCaption("&Dialog");
  item->OnClick = [&](TObject*) {
    results.push_back(dialog->ShowModal());
    results.push_back(dialog->ShowModal());
  };
  FHost->MainForm()->Menu()->Items()->Add(item);
  ASSERT_TRUE(Run("dialog OK\nmenu &Dialog\nexpect dialog TForm \"Check In\" closed with OK\n"
                  "expect dialog TForm \"Check In\" closed with Cancel\n"))
      << FError;
  EXPECT_EQ(results, (std::vector<TModalResult>{mrOk, mrCancel}));
}
