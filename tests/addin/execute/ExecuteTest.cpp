// The executors against the real server and the real IDE: the log and its failures, the questions
// about writable files and missing folders, the merge refusal, and the editor following every
// operation. Nothing is lost when one file of a run fails.
#include <filesystem>
#include <map>
#include <set>

#include <sqlite3.h>

#include <QCoreApplication>
#include <QEvent>

#include "WorkFixture.h"
#include "addin/dialogs/uRVLListBox.h"
#include "addin/execute/uFrmExecuteLog.h"
#include "addin/execute/uRVLExecuteFactory.h"
#include "addin/frame/uRVLFactory.h"
#include "addin/sourcesafe/uRVLItems.h"
#include "addin/sourcesafe/uRVLProject.h"
#include "host/Module.h"
#include "platform/Files.h"
#include "vss/server/VSSAdmin.h"

namespace {

using Lines = std::vector<std::string>;

// A log line as "text" or, for a failure, "RED text".
Lines LogLines(TFrmExecuteLog& log) {
  Lines lines;
  for (int i = 0; i < log.lbLog->Count(); ++i)
    lines.push_back((log.lbLog->ItemData(i) == TFrmExecuteLog::lmFailed ? "RED " : "") + log.lbLog->Text(i));
  return lines;
}

// Keeps the log's lines as they were when the window hid to show its failures, and what the modal
// window then showed.
class TLogWatch : public QObject {
public:
  // Installed once the fixture has set its own modal hook up.
  void Install() {
    QCoreApplication::instance()->installEventFilter(this);
    SetModalHook([this](TForm& form) {
      auto& log = dynamic_cast<TFrmExecuteLog&>(form);
      Modal = LogLines(log);
      form.SetModalResult(mrOk);
    });
  }
  ~TLogWatch() override { SetModalHook({}); }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (auto* log = dynamic_cast<TFrmExecuteLog*>(watched); log && event->type() == QEvent::Hide && Modal.empty())
      BeforeHiding = LogLines(*log);
    return false;
  }

  Lines BeforeHiding;
  Lines Modal;
};

class ExecuteTest : public WorkFixture {
protected:
  void SetUp() override {
    WorkFixture::SetUp();
    FLog.Install();
  }
  // Runs `executor` over Alice's local files `names` with `flags` (its own when nil).
  void Run(TRVLExecute& executor, const std::vector<std::string>& names, TFlags* flags = nullptr,
           const std::string& comment = "") {
    auto items = Items(names);
    executor.SetItems(items.get());
    executor.Execute(comment, flags);
  }
  std::string Content(const std::string& name) const { return ReadFile(Local(name)); }
  // The files below Dir() outside the folders `skip`, with their contents.
  std::map<std::string, std::string> FilesOutside(const std::set<std::string>& skip) const {
    std::map<std::string, std::string> files;
    for (auto it = std::filesystem::recursive_directory_iterator(Dir()); it != std::filesystem::end(it); ++it) {
      const std::string relative = std::filesystem::relative(it->path(), Dir()).string();
      if (it->is_directory() && skip.contains(relative)) it.disable_recursion_pending();
      else if (it->is_regular_file()) files[relative] = ReadFile(it->path().string());
    }
    return files;
  }

  TLogWatch FLog;
};

TEST_F(ExecuteTest, EveryItemIsLoggedAndOnlyTheFailuresAreShownAtTheEnd) {
  VSSFile("Unit1.cpp")->Checkout("", PathOf("bob/Unit1.cpp"), 0);
  FPrompter->AddAnswer("Yes");
  Run(*Executors().CreateCheckOut(), {"Util.cpp", "Unit1.cpp", "Unit1.h"});

  const std::string refusal = "RED " + Local("Unit1.cpp") + " - File $/Demo/Unit1.cpp is currently checked out by Bob";
  EXPECT_EQ(FLog.BeforeHiding, (Lines{Local("Util.cpp") + " - OK", refusal, Local("Unit1.h") + " - OK"}));
  EXPECT_EQ(FLog.Modal, Lines{refusal});
  EXPECT_EQ(FPrompter->Prompts().size(), 1u);
  EXPECT_EQ(VSSFile("Util.cpp", "Alice")->IsCheckedOut(), VSSFILE_CHECKEDOUT_ME);
  EXPECT_EQ(VSSFile("Unit1.h", "Alice")->IsCheckedOut(), VSSFILE_CHECKEDOUT_ME);
  EXPECT_EQ(VSSFile("Unit1.cpp", "Alice")->IsCheckedOut(), VSSFILE_CHECKEDOUT);

  // No leaves the file alone.
  FLog.Modal.clear();
  FPrompter->AddAnswer("No");
  Run(*Executors().CreateCheckOut(), {"Unit1.cpp"});
  EXPECT_EQ(FLog.Modal, Lines{"RED " + Local("Unit1.cpp") + " - Already checked out"});

  // A run without failures leaves its log open, unchanged, until the executor goes.
  auto get = Executors().CreateGet();
  Run(*get, {"Demo.cpp"});
  EXPECT_EQ(LogLines(*get->LogWindow()), Lines{Local("Demo.cpp") + " - OK"});
  EXPECT_TRUE(get->LogWindow()->isVisible());
}

TEST_F(ExecuteTest, ALogLineTooWideForTheWindowShowsInFullAsAHint) {
  auto log = MakeRVLForm<TFrmExecuteLog>(nullptr);
  log->resize(200, 100);
  log->Show();
  const std::string wide = Local("Unit1.cpp") + " - " + std::string(200, 'x');
  log->AddLine("short - OK", TFrmExecuteLog::lmOK);
  log->AddLine(wide, TFrmExecuteLog::lmFailed);
  auto hintAt = [&](int row, std::string& text) {
    THintInfo info;
    info.HintControl = log->lbLog->viewport();
    info.CursorPos = log->lbLog->visualItemRect(log->lbLog->item(row)).center();
    bool canShow = true;
    EXPECT_TRUE(log->DoShowHint(text, canShow, info));
    return canShow ? info.HintWindowClass : std::string();
  };
  std::string text;
  EXPECT_EQ(hintAt(1, text), "TRVLHintWindow");
  EXPECT_EQ(text, wide);
  EXPECT_EQ(hintAt(0, text), "") << "a line that fits has no hint";
}

TEST_F(ExecuteTest, GetAsksBeforeReplacingAWritableCopyAndRemembersTheReplaceFlag) {
  struct Case {
    Lines Answers;
    bool UtilReplaced, UnitReplaced;
  };
  for (const Case& c : {Case{{"Yes"}, true, true}, Case{{"NoToAll"}, false, false}, Case{{"No", "Yes"}, false, true}}) {
    SCOPED_TRACE(c.Answers.front());
    Edit("Util.cpp", "local util\n");
    Edit("Unit1.cpp", "local unit\n");
    for (const std::string& answer : c.Answers) FPrompter->AddAnswer(answer);
    const size_t asked = FPrompter->Prompts().size();
    auto get = Executors().CreateGet();
    TFlags* flags = get->GetFlags();
    Run(*get, {"Util.cpp", "Unit1.cpp"}, flags);

    EXPECT_EQ(FPrompter->Prompts().size() - asked, c.Answers.size());
    EXPECT_EQ(FPrompter->Prompts()[asked].Text, Local("Util.cpp") + " is writeable, replace?");
    EXPECT_EQ(Content("Util.cpp") == Stored("Util.cpp"), c.UtilReplaced);
    EXPECT_EQ(Content("Unit1.cpp") == Stored("Unit1.cpp"), c.UnitReplaced);
    EXPECT_EQ(platform::IsReadOnly(Local("Unit1.cpp")), c.UnitReplaced);
    EXPECT_EQ(flags->ReplaceFlag, c.UnitReplaced ? VSSFLAG_REPREPLACE : 0);
  }
  EXPECT_EQ(FLog.Modal, Lines{"RED " + Local("Util.cpp") + " - Writeable"});
}

TEST_F(ExecuteTest, MissingFoldersAreAskedForParentsFirstAndOncePerRunAfterAToAllAnswer) {
  for (const char* name : {"A/One.cpp", "B/Two.cpp", "A/C/Three.cpp", "X/Y/Far.cpp"}) {
    const std::string spec = "$/Demo/" + std::string(name);
    MakeProject(spec.substr(0, spec.rfind('/')))->Add(WriteFile("elsewhere/" + std::string(name), name), "", 0);
  }
  const auto before = FilesOutside({"Demo", "db", "registry"});
  auto run = [&](const Lines& names) {
    auto items = TRVLFactory::_Instance().CreateItems();
    for (const std::string& name : names)
      items->Add(TRVLFactory::_Instance().CreateItemFromVSS(FProject->GetDatabase()->VSSItem("$/Demo/" + name),
                                                            FProject->GetDatabase()));
    auto get = Executors().CreateGet();
    get->SetItems(items.get());
    get->Execute("", nullptr);
  };

  FPrompter->AddAnswer("YesToAll");
  run({"A/One.cpp", "B/Two.cpp", "A/C/Three.cpp"});
  ExpectOnlyPrompt(*FPrompter, "Folder " + Local("A") + " not found, create?");
  for (const char* name : {"A/One.cpp", "B/Two.cpp", "A/C/Three.cpp"}) EXPECT_EQ(Content(name), name);

  // No for the parent: the child is never asked for.
  FPrompter->AddAnswer("No");
  run({"X/Y/Far.cpp"});
  ASSERT_EQ(FPrompter->Prompts().size(), 2u);
  EXPECT_EQ(FPrompter->Prompts()[1].Text, "Folder " + Local("X") + " not found, create?");
  EXPECT_EQ(FLog.Modal, Lines{"RED " + Local("X/Y/Far.cpp") + " - " + Local("X/Y") + " does not exist"});
  EXPECT_EQ(FilesOutside({"Demo", "db", "registry"}), before) << "nothing written outside the working folder";
}

TEST_F(ExecuteTest, CheckInRefusesToMergeAndAFailingFileLosesNothing) {
  VSSAdmin::SetMultipleCheckouts(DatabaseDir(), true);
  Run(*Executors().CreateCheckOut(), {"Util.cpp", "Unit1.cpp", "Unit1.h", "Demo.cpp"});
  CheckInAs("Bob", "Util.cpp", "Bob's\n");
  Edit("Util.cpp", "Alice's\n");
  platform::DeleteFile(Local("Unit1.cpp"));
  platform::DeleteFile(Local("Unit1.h"));
  std::filesystem::create_directory(Local("Unit1.h"));   // unreadable as a file
  // An edit in the IDE's buffer, not yet saved, goes in with the check-in.
  THostModule* demo = FHost->OpenFile(Local("Demo.cpp"));
  demo->SetSourceBytes("edited in the IDE\n");

  Run(*Executors().CreateCheckIn(), {"Util.cpp", "Unit1.cpp", "Unit1.h", "Demo.cpp"}, nullptr, "done");

  ASSERT_EQ(FLog.Modal.size(), 3u);
  EXPECT_EQ(FLog.Modal[0], "RED " + Local("Util.cpp") +
                               " - The file can not be merged using Ravelin. Please use SourceSafe to check it in");
  EXPECT_EQ(Content("Util.cpp"), "Alice's\n");
  EXPECT_EQ(Stored("Util.cpp"), "Bob's\n");
  for (const char* name : {"Util.cpp", "Unit1.cpp", "Unit1.h"})
    EXPECT_EQ(VSSFile(name, "Alice")->IsCheckedOut(), VSSFILE_CHECKEDOUT_ME) << name;
  EXPECT_EQ(VSSFile("Unit1.cpp")->VersionNumber(), 1);
  EXPECT_TRUE(Stored("Demo.cpp").starts_with("edited in the IDE")) << Stored("Demo.cpp");
  EXPECT_EQ(VSSFile("Demo.cpp")->IsCheckedOut(), VSSFILE_NOTCHECKEDOUT);
  EXPECT_TRUE(platform::IsReadOnly(Local("Demo.cpp")));
}

// What each local-copy choice of Undo does to the file is the server's; here the editor follows it.
TEST_F(ExecuteTest, TheEditorFollowsGetCheckOutAndUndo) {
  THostModule* util = FHost->OpenFile(Local("Util.cpp"));
  CheckInAs("Bob", "Util.cpp", "Bob's\n");
  Run(*Executors().CreateGet(), {"Util.cpp"});
  EXPECT_EQ(util->SourceBytes(), "Bob's\n");
  EXPECT_TRUE(util->IsReadOnly());

  Run(*Executors().CreateCheckOut(), {"Util.cpp"});
  util = FHost->FindModule(Local("Util.cpp"));
  ASSERT_NE(util, nullptr);
  EXPECT_FALSE(util->IsReadOnly());
  platform::WriteFileAtomic(Local("Util.cpp"), "changed\n");
  auto undo = Executors().CreateUndoCheckOut();
  undo->GetFlags()->ReplaceFlag = VSSFLAG_DELNOREPLACE;
  Run(*undo, {"Util.cpp"});
  undo.reset();
  EXPECT_EQ(Content("Util.cpp"), "changed\n");
  EXPECT_TRUE(platform::IsReadOnly(Local("Util.cpp")));
  EXPECT_EQ(FHost->FindModule(Local("Util.cpp"))->SourceBytes(), "changed\n");
  EXPECT_TRUE(FLog.Modal.empty()) << FLog.Modal.front();
}

} // namespace

TEST_F(ExecuteTest, ABusyDatabaseStopsTheRunWithOneLineForTheFilesLeft) {
  sqlite3* other = nullptr;
  ASSERT_EQ(sqlite3_open((DatabaseDir() + "/data/sourcesafe.db").c_str(), &other), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
  Run(*Executors().CreateCheckOut(), {"Util.cpp", "Unit1.cpp", "Unit1.h"});
  sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
  sqlite3_close(other);
  EXPECT_EQ(FLog.Modal, (Lines{"RED " + Local("Util.cpp") + " - The database is busy: another user is changing it. Try again later",
                               "RED 2 more file(s) left alone: the database is busy"}));
  EXPECT_EQ(VSSFile("Unit1.cpp", "Alice")->IsCheckedOut(), VSSFILE_NOTCHECKEDOUT);
}
