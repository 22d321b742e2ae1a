#pragma once
// A fixture for the add-in's SourceSafe layer: a real database registered as SourceSafe's current one
// (users Admin, Alice "alice-pw", Bob "bob-pw"), the real automation server registered from the
// build, the IDE's services, a scripted prompter, exception reports collected, and the process's
// login state (globals and SSUSER/SSPWD/SSDIR) cleared before and restored after each test.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "../ToolServicesStub.h"
#include "TempDirTest.h"
#include "ui/Form.h"
#include "ScriptedPrompterScope.h"
#include "vss/api/VSSApi.h"

class TFrmLogin;

// The IDE's services with a current project and file the test sets, counting the reloads.
class TTestToolServices : public TToolServicesStub {
public:
  std::string ProjectName;
  std::string CurrentFile;
  std::vector<std::string> Reloads;
  std::vector<std::string> Saves;
  std::string GetProjectName() override { return ProjectName; }
  std::string GetCurrentFile() override { return CurrentFile; }
  bool ReloadFile(const std::string& fileName) override;
  bool SaveFile(const std::string& fileName) override;
};

class SourceSafeTest : public TempDirTest {
protected:
  void SetUp() override;
  void TearDown() override;

  std::string DatabaseDir() const { return PathOf("db"); }
  std::string IniPath() const { return PathOf("db/srcsafe.ini"); }
  // The build's server folder, holding libssapi.so.
  static std::string ServerDir();
  // A database object opened by `user` through the registered server.
  VSSPtr<IVSSDatabase> Open(const std::string& user = "Admin", const std::string& password = "") const;
  // Makes the SourceSafe project `spec` (parents included) as Admin.
  VSSPtr<IVSSItem> MakeProject(const std::string& spec) const;
  // Writes `local` (below Dir()) and adds it to the SourceSafe project `project` as Admin.
  VSSPtr<IVSSItem> AddFile(const std::string& project, const std::string& local, const std::string& content) const;
  // Answers the next modal login dialog with `answer`, which fills in and clicks; the status bar's
  // text when it came up is kept in FStatusShown.
  void OnLoginDialog(std::function<void(TFrmLogin&)> answer);
  // Types credentials into the dialog and clicks OK.
  static void TypeAndOK(TFrmLogin& form, const std::string& user, const std::string& password);

  TScriptedPrompterScope FPrompts;   // installed for the test's lifetime
  TScriptedPrompter* FPrompter = FPrompts.Script;
  TTestToolServices FServices;
  std::vector<std::string> FReports;      // messages of the exceptions reported
  std::vector<std::string> FStatusShown;  // the login dialog's status text each time it came up
  int FDialogs = 0;

private:
  TModalHook FOldHook;
};
