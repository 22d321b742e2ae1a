// Logging in against real databases through the registered server: the order of the credentials
// tried, what is saved and published, the login dialog, and the repair of the server's registration.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "SourceSafeTest.h"
#include "addin/frame/uRVLFactory.h"
#include "addin/frame/uRVLGlobals.h"
#include "addin/settings/uRVLRegFactory.h"
#include "addin/settings/uRVLRegistry.h"
#include "addin/settings/uRegUser.h"
#include "addin/settings/uRegVSS.h"
#include "addin/sourcesafe/uFrmLogin.h"
#include "addin/sourcesafe/uLoginFormManager.h"
#include "addin/sourcesafe/uRVLLogin.h"
#include "platform/Environment.h"
#include "platform/Files.h"
#include "platform/Registry.h"
#include "platform/Text.h"
#include "ui/StatusBar.h"
#include "vss/server/VSSAdmin.h"

namespace {

class LoginTest : public SourceSafeTest {
protected:
  VSSPtr<IVSSDatabase> Login(const std::string& ini) { return TRVLFactory::_Instance().CreateLogin()->Login(ini); }
  static std::string UserOf(const VSSPtr<IVSSDatabase>& db) { return db ? db->UserName() : "(none)"; }
  static std::unique_ptr<TRegUser> RegUser() { return TRVLRegFactory::_Instance().CreateRegUser(); }
  static std::vector<std::string> SavedValues() { return RegUser()->Registry().GetValueNames(); }
  void Cancel() {
    OnLoginDialog([](TFrmLogin& form) { form.btnCancel->click(); });
  }
};

TEST_F(LoginTest, TheFirstCredentialsThatOpenTheDatabaseWinInTheirOrder) {
  Cancel();
  // The environment, with the database published for the command-line tool.
  platform::SetEnv("SSUSER", "Alice");
  platform::SetEnv("SSPWD", "alice-pw");
  EXPECT_EQ(UserOf(Login(IniPath())), "Alice");
  EXPECT_EQ(Globals().UserName, "Alice");
  EXPECT_EQ(Globals().Password, "alice-pw");
  EXPECT_EQ(platform::GetEnv("SSDIR"), DatabaseDir());

  // The process's earlier login comes before the environment, and serves other databases too.
  VSSAdmin::CreateDatabase(PathOf("db2"));
  VSSAdmin::AddUser(PathOf("db2"), "Bob", "bob-pw");
  Globals().UserName = "Bob";
  Globals().Password = "bob-pw";
  EXPECT_EQ(UserOf(Login(PathOf("db2/srcsafe.ini"))), "Bob");
  EXPECT_EQ(platform::GetEnv("SSUSER"), "Bob");
  EXPECT_EQ(platform::GetEnv("SSDIR"), PathOf("db2"));

  // A user in the environment without a password.
  Globals().UserName.clear();
  VSSAdmin::AddUser(DatabaseDir(), "Carol");
  platform::SetEnv("SSUSER", "Carol");
  unsetenv("SSPWD");
  EXPECT_EQ(UserOf(Login(IniPath())), "Carol");

  // The saved user and password of this database; an empty ini path means the current database.
  Globals().UserName.clear();
  unsetenv("SSUSER");
  RegUser()->SetUserName(IniPath(), "Bob");
  RegUser()->SetPassword(IniPath(), "bob-pw");
  EXPECT_EQ(UserOf(Login("")), "Bob");

  // A saved password without a saved user goes with the logon name.
  Globals().UserName.clear();
  unsetenv("SSUSER");
  RegUser()->SetUserName(IniPath(), "");
  VSSAdmin::AddUser(DatabaseDir(), platform::UserName(), "logon-pw");
  RegUser()->SetPassword(IniPath(), "logon-pw");
  const std::string logonUser = UserOf(Login(IniPath()));
  EXPECT_TRUE(platform::SameText(logonUser, platform::UserName())) << logonUser;

  EXPECT_EQ(FDialogs, 0);
  EXPECT_TRUE(FReports.empty());
  EXPECT_TRUE(FPrompter->Prompts().empty());
}

TEST_F(LoginTest, AWrongSavedPasswordFallsThroughToTheDialogWhichSavesFourValues) {
  RegUser()->SetUserName(IniPath(), "Alice");
  RegUser()->SetPassword(IniPath(), "wrong");
  std::string userShown;
  OnLoginDialog([&](TFrmLogin& form) {
    userShown = form.edUser->text().toStdString();
    EXPECT_EQ(form.GetSelectedIni(), IniPath());
    form.chkbSavePassword->setChecked(true);
    TypeAndOK(form, "Alice", "alice-pw");
  });
  VSSPtr<IVSSDatabase> db = Login(IniPath());
  EXPECT_EQ(UserOf(db), "Alice");
  ASSERT_EQ(FStatusShown.size(), 1u);
  EXPECT_EQ(FStatusShown[0], "Invalid password") << "SourceSafe's message for the last attempt";
  EXPECT_EQ(userShown, "Alice");

  const std::string name = Globals().UserNameValue, pass = Globals().PasswordValue;
  auto saved = SavedValues();
  std::sort(saved.begin(), saved.end());
  EXPECT_EQ(saved, (std::vector<std::string>{"-" + name, "-" + pass, IniPath() + "-" + name, IniPath() + "-" + pass}));
  EXPECT_EQ(RegUser()->GetPassword(IniPath()), "alice-pw");
  EXPECT_EQ(RegUser()->GetPassword(""), "alice-pw");
  EXPECT_EQ(platform::GetEnv("SSPWD"), "alice-pw");

  // The next login in this process needs no dialog.
  EXPECT_EQ(UserOf(Login(IniPath())), "Alice");
  EXPECT_EQ(FDialogs, 1);
}

TEST_F(LoginTest, LoginWithDialogSavesUnderTheChosenDatabaseOnlyAndPublishesNothing) {
  OnLoginDialog([&](TFrmLogin& form) {
    EXPECT_EQ(form.edUser->text().toStdString(), platform::UserName());
    form.chkbSavePassword->setChecked(true);
    TypeAndOK(form, "Bob", "bob-pw");
  });
  VSSPtr<IVSSDatabase> db = TRVLFactory::_Instance().CreateLogin()->LoginWithDialog();
  EXPECT_EQ(UserOf(db), "Bob");
  EXPECT_EQ(SavedValues().size(), 2u);
  EXPECT_EQ(RegUser()->GetUserName(IniPath()), "Bob");
  EXPECT_TRUE(Globals().UserName.empty());
  EXPECT_TRUE(platform::GetEnv("SSUSER").empty());

  // Without "Save password" nothing more is saved.
  OnLoginDialog([&](TFrmLogin& form) {
    form.chkbSavePassword->setChecked(false);
    TypeAndOK(form, "Alice", "alice-pw");
  });
  EXPECT_EQ(UserOf(TRVLFactory::_Instance().CreateLogin()->LoginWithDialog()), "Alice");
  EXPECT_EQ(RegUser()->GetUserName(IniPath()), "Bob");
}

TEST_F(LoginTest, TheDialogStaysOpenWithSourceSafesMessageUntilCancelled) {
  std::vector<std::string> messages;
  TModalResult second = mrNone;
  OnLoginDialog([&](TFrmLogin& form) {
    TypeAndOK(form, "Alice", "wrong");
    messages.push_back(form.sbarLoginStatus->SimpleText());
    TypeAndOK(form, "Alice", std::string(200, 'x'));
    messages.push_back(form.sbarLoginStatus->SimpleText());
    TypeAndOK(form, "Nobody", "");
    messages.push_back(form.sbarLoginStatus->SimpleText());
    EXPECT_TRUE(form.IsModal());
    second = TLoginFormManager::_Instance().Execute("Alice", IniPath(), "");
    form.btnCancel->click();
  });
  EXPECT_FALSE(TRVLFactory::_Instance().CreateLogin()->LoginWithDialog());
  EXPECT_EQ(messages, (std::vector<std::string>{"Invalid password", "Password too long", "User \"Nobody\" not found"}));
  EXPECT_EQ(second, mrCancel) << "no second dialog while one is showing";
  EXPECT_EQ(FDialogs, 1);
  EXPECT_TRUE(SavedValues().empty());
}

TEST_F(LoginTest, BrowsingSelectsARegisteredDatabaseOrRegistersANewOne) {
  VSSAdmin::CreateDatabase(PathOf("other"));
  VSSAdmin::RegisterDatabase("Other", PathOf("other"), false);
  VSSAdmin::CreateDatabase(PathOf("fresh"));
  auto form = MakeRVLForm<TFrmLogin>();
  form->Setup("Alice", PathOf("other/srcsafe.ini"));
  EXPECT_EQ(form->cboxDataBases->currentText().toStdString(), "Other");
  form->Setup("Alice", PathOf("nowhere/srcsafe.ini"));
  EXPECT_EQ(form->cboxDataBases->currentText().toStdString(), "Main") << "the current database";

  FPrompter->AddAnswer("file:" + PathOf("other/srcsafe.ini"));
  form->ButtonBrowse->click();
  EXPECT_EQ(form->cboxDataBases->currentText().toStdString(), "Other");
  EXPECT_EQ(form->GetSelectedIni(), PathOf("other/srcsafe.ini"));
  EXPECT_EQ(FPrompter->Prompts().size(), 1u) << "no name asked for a registered database";

  FPrompter->AddAnswer("file:" + PathOf("fresh/srcsafe.ini"));
  FPrompter->AddAnswer("OK");   // the proposed name: the folder's
  form->ButtonBrowse->click();
  ASSERT_EQ(FPrompter->Prompts().size(), 3u);
  EXPECT_EQ(FPrompter->Prompts()[2].Caption, "New Database");
  EXPECT_EQ(form->cboxDataBases->currentText().toStdString(), "fresh");
  EXPECT_EQ(TRVLRegFactory::_Instance().CreateRegVSS()->GetIniPath("fresh"), PathOf("fresh/srcsafe.ini"));

  // A name that is taken would lose the other registration: refused.
  VSSAdmin::CreateDatabase(PathOf("third"));
  FPrompter->AddAnswer("file:" + PathOf("third/srcsafe.ini"));
  FPrompter->AddAnswer("text:Other");
  FPrompter->AddAnswer("OK");
  form->ButtonBrowse->click();
  EXPECT_EQ(TRVLRegFactory::_Instance().CreateRegVSS()->GetIniPath("Other"), PathOf("other/srcsafe.ini"));
  EXPECT_TRUE(FPrompter->Failures().empty());
}

TEST_F(LoginTest, AnUnregisteredServerIsRegisteredFromTheFileTheUserPicks) {
  platform::RegistryKey::DeleteKey(platform::Hive::LocalMachine, VSSServerRegistrationKey());
  TRVLRegFactory::_Instance().CreateRegVSS()->SetInstallDir(PathOf("nowhere"));
  platform::SetEnv("SSUSER", "Alice");
  platform::SetEnv("SSPWD", "alice-pw");
  for (const char* answer : {"Yes", "OK"}) FPrompter->AddAnswer(answer);
  FPrompter->AddAnswer("file:" + ServerDir() + "/libssapi.so");
  FPrompter->AddAnswer("OK");
  EXPECT_EQ(UserOf(Login(IniPath())), "Alice");
  ASSERT_EQ(FPrompter->Prompts().size(), 4u);
  EXPECT_EQ(FPrompter->Prompts()[3].Text, "Ravelin can now connect to SourceSafe, and will continue normal operation");
  EXPECT_EQ(TRVLRegFactory::_Instance().CreateRegVSS()->GetInstallDir(), ServerDir());
  EXPECT_TRUE(FReports.empty());
}

// Declining the repair, with its question and report, is the end-to-end scenarios' case.
TEST_F(LoginTest, AFileThatIsNoServerRegistersNothingAndTheInstalledServerNeedsNoQuestion) {
  platform::RegistryKey::DeleteKey(platform::Hive::LocalMachine, VSSServerRegistrationKey());
  TRVLRegFactory::_Instance().CreateRegVSS()->SetInstallDir(PathOf("nowhere"));
  for (const char* answer : {"Yes", "OK"}) FPrompter->AddAnswer(answer);
  FPrompter->AddAnswer("file:" + WriteFile("fake/libssapi.so", "not a library"));
  EXPECT_FALSE(Login(IniPath()));
  EXPECT_EQ(FPrompter->Prompts().size(), 3u);
  EXPECT_EQ(TRVLRegFactory::_Instance().CreateRegVSS()->GetInstallDir(), PathOf("nowhere"));
  EXPECT_EQ(FReports.size(), 1u);

  // The server in SourceSafe's installation folder is registered without asking.
  TRVLRegFactory::_Instance().CreateRegVSS()->SetInstallDir(ServerDir());
  platform::SetEnv("SSUSER", "Bob");
  platform::SetEnv("SSPWD", "bob-pw");
  EXPECT_EQ(UserOf(Login(IniPath())), "Bob");
  EXPECT_EQ(FPrompter->Prompts().size(), 3u);
}

} // namespace
