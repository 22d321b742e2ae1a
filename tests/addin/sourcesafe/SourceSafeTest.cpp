#include "SourceSafeTest.h"

#include <QLineEdit>
#include <QPushButton>

#include "addin/frame/uRVLGlobals.h"
#include "addin/sourcesafe/uFrmLogin.h"
#include "platform/Text.h"
#include "ui/Application.h"
#include "ui/StatusBar.h"
#include "vss/server/VSSAdmin.h"

bool TTestToolServices::ReloadFile(const std::string& fileName) {
  Reloads.push_back(fileName);
  return true;
}

bool TTestToolServices::SaveFile(const std::string& fileName) {
  Saves.push_back(fileName);
  return true;
}

void SourceSafeTest::SetUp() {
  TempDirTest::SetUp();
  for (const char* name : {"SSUSER", "SSPWD", "SSDIR"}) SetEnvironment(name, nullptr);
  Globals().UserName.clear();
  Globals().Password.clear();
  Globals().ToolServices = &FServices;
  Application().SetOnException([this](TObject*, const std::exception& e) { FReports.push_back(e.what()); });
  FOldHook = SetModalHook({});

  VSSAdmin::CreateDatabase(DatabaseDir());
  VSSAdmin::AddUser(DatabaseDir(), "Alice", "alice-pw");
  VSSAdmin::AddUser(DatabaseDir(), "Bob", "bob-pw");
  VSSAdmin::RegisterDatabase("Main", DatabaseDir(), true);
  VSSAdmin::InstallServer(ServerDir());
}

void SourceSafeTest::TearDown() {
  SetModalHook(FOldHook);
  Application().SetOnException({});
  Globals().ToolServices = nullptr;
  Globals().UserName.clear();
  Globals().Password.clear();
  TempDirTest::TearDown();
}

std::string SourceSafeTest::ServerDir() { return (BuildDir() / "sourcesafe").string(); }

VSSPtr<IVSSDatabase> SourceSafeTest::Open(const std::string& user, const std::string& password) const {
  VSSPtr<IVSSDatabase> db = CoVSSDatabase::Create();
  db->Open(IniPath(), user, password);
  return db;
}

VSSPtr<IVSSItem> SourceSafeTest::MakeProject(const std::string& spec) const {
  VSSPtr<IVSSDatabase> db = Open();
  VSSPtr<IVSSItem> project = db->VSSItem("$/");
  for (const std::string& name : platform::Split(spec.substr(2), '/')) {
    const std::string child = (project->Spec() == "$/" ? "$/" : project->Spec() + "/") + name;
    try {
      project = db->VSSItem(child);
    } catch (const EVSSAutomation&) {
      project = project->NewSubproject(name, "");
    }
  }
  return project;
}

VSSPtr<IVSSItem> SourceSafeTest::AddFile(const std::string& project, const std::string& local,
                                         const std::string& content) const {
  return MakeProject(project)->Add(WriteFile(local, content), "added", 0);
}

void SourceSafeTest::OnLoginDialog(std::function<void(TFrmLogin&)> answer) {
  SetModalHook([this, answer](TForm& form) {
    auto* login = dynamic_cast<TFrmLogin*>(&form);
    ASSERT_NE(login, nullptr) << "another dialog came up: " << form.ClassName();
    ++FDialogs;
    FStatusShown.push_back(login->sbarLoginStatus->SimpleText());
    answer(*login);
  });
}

void SourceSafeTest::TypeAndOK(TFrmLogin& form, const std::string& user, const std::string& password) {
  form.edUser->setText(QString::fromStdString(user));
  form.edPassword->setText(QString::fromStdString(password));
  form.btnOK->click();
}
