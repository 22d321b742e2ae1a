// The entry point and the version-control client, called in-process as the IDE calls them, over real
// windows, registry and prompter.
#include <algorithm>
#include <memory>

#include <QPointer>

#include <gtest/gtest.h>

#include "TempDirTest.h"
#include "ToolServicesStub.h"
#include "addin/dialogs/uFrmSplash.h"
#include "addin/frame/uRVLClient.h"
#include "addin/frame/uRVLEntry.h"
#include "addin/frame/uRVLGlobals.h"
#include "addin/settings/uRVLRegFactory.h"
#include "addin/settings/uRegTips.h"
#include "addin/settings/uRegOptions.h"
#include "ui/Application.h"
#include "ui/MenuItem.h"
#include "ui/Screen.h"
#include "ScriptedPrompterScope.h"

namespace {

struct TReleaser {
  void operator()(TIVCSClient* client) const { client->Release(); }
};
using TClientPtr = std::unique_ptr<TIVCSClient, TReleaser>;

class ClientTest : public TempDirTest {
protected:
  void SetUp() override {
    TempDirTest::SetUp();
    FOldHandler = Application().OnException();
    // The version-control menu as the IDE makes it, named by the client.
    FMenu = new TMenuItem(&Application());
    FMenu->SetCaption("S&ourceSafe");
  }
  void TearDown() override {
    delete FMenu.data();
    Application().SetOnException(FOldHandler);
    Application().SetOnShowHint(nullptr);
    Globals().ToolServices = nullptr;
    TempDirTest::TearDown();
  }
  TClientPtr Start(TIToolServices* services) { return TClientPtr(RVLENTRY(services)); }
  // Exceptions reported to the application, by message, with their senders.
  void CatchReports() {
    Application().SetOnException([this](TObject* sender, const std::exception& e) {
      FReports.push_back(e.what());
      FSenders.push_back(sender);
    });
  }
  static bool ShowUpdateTip() { return TRVLRegFactory::_Instance().CreateRegTips()->GetShowUpdateTip(); }

  TScriptedPrompterScope FPrompts;   // installed for the test's lifetime
  TScriptedPrompter* FPrompter = FPrompts.Script;
  TExceptionEvent FOldHandler;
  QPointer<TMenuItem> FMenu;
  std::vector<std::string> FReports;
  std::vector<TObject*> FSenders;
};

TEST_F(ClientTest, EntryHandsTheServicesOnAndTheClientAnswersWithoutVerbs) {
  TForm startup(&Application());   // the IDE's start-up screen, which the splash stands over
  TForm mainWindow;
  mainWindow.SetName("AppBuilder");
  TToolServicesStub services(&mainWindow);
  TClientPtr client = Start(&services);
  ASSERT_TRUE(client);
  EXPECT_EQ(Globals().ToolServices, &services);
  EXPECT_EQ(Application().MainForm(), &mainWindow) << "the add-in's windows belong to the IDE";
  const std::vector<TForm*> forms = Screen().Forms();
  EXPECT_TRUE(std::any_of(forms.begin(), forms.end(), [&](TForm* form) {
    return qobject_cast<TFrmSplash*>(form) && form->Owner() == &startup && form->isVisible();
  }));
  EXPECT_TRUE(Application().OnShowHint()) << "the hint manager stands in front of the IDE's hints";
  EXPECT_EQ(client->GetIDString(), "Halberd.Ravelin");
  EXPECT_EQ(client->GetMenuName(), "S&ourceSafe");
  EXPECT_EQ(client->GetVerb(0), "");
  EXPECT_EQ(client->GetVerbState(0), 0);
  client->ExecuteVerb(0);
  FPrompter->AddAnswer("OK");
  EXPECT_EQ(client->GetVerbCount(), 0);
  client->ProjectChange();
  EXPECT_TRUE(FPrompter->Failures().empty());
}

TEST_F(ClientTest, UpdateTipIsShownOnceOnTheFirstRequestAndNeverAgain) {
  TToolServicesStub services;
  TClientPtr client = Start(&services);
  FPrompter->AddAnswer("OK");
  client->GetVerbCount();
  EXPECT_EQ(FPrompter->Prompts().size(), 1u);
  EXPECT_FALSE(ShowUpdateTip());

  client->GetVerbCount();
  client.reset();
  TClientPtr next = Start(&services);
  next->GetVerbCount();
  EXPECT_EQ(FPrompter->Prompts().size(), 1u) << "shown once per user, not once per start";
}

TEST_F(ClientTest, MenusAreInstalledOnceTheIDEHasItsMenuAndTheTipWaitsForThem) {
  TToolServicesStub services;
  delete FMenu.data();
  TClientPtr client = Start(&services);
  client->GetVerbCount();
  EXPECT_FALSE(dynamic_cast<TRVLClient&>(*client).Initialized()) << "no menu to build into yet";
  EXPECT_TRUE(FPrompter->Prompts().empty());

  FMenu = new TMenuItem(&Application());
  FMenu->SetCaption("S&ourceSafe");
  FPrompter->AddAnswer("OK");
  client->GetVerbCount();
  EXPECT_TRUE(dynamic_cast<TRVLClient&>(*client).Initialized());
  EXPECT_EQ(FPrompter->Prompts().size(), 1u);
  EXPECT_EQ(FMenu->Name(), "RVLMenuSS");
  ASSERT_GT(FMenu->Count(), 0);
  EXPECT_EQ(FMenu->Items(0)->Name(), "RVLMnuGetLatest");
  const int count = FMenu->Count();
  client->GetVerbCount();
  EXPECT_EQ(FMenu->Count(), count) << "later requests only bring the menu up to date";
}

TEST_F(ClientTest, DueUpdateCheckThatCannotRunIsReportedAndTheClientStillStarts) {
  CatchReports();
  auto options = TRVLRegFactory::_Instance().CreateRegOptions();
  options->SetCheckEvery(1);
  TToolServicesStub services;
  // The installation folder holds no update program.
  TClientPtr client = Start(&services);
  ASSERT_TRUE(client);
  ASSERT_EQ(FReports.size(), 1u);
  EXPECT_NE(FReports[0].find("Can not run '"), std::string::npos) << FReports[0];
  EXPECT_NE(FReports[0].find("rvlupd' - "), std::string::npos) << FReports[0];
}

TEST_F(ClientTest, WithoutServicesTheClientStaysInactive) {
  TClientPtr client = Start(nullptr);
  ASSERT_TRUE(client);
  EXPECT_EQ(client->GetVerbCount(), 0);
  EXPECT_FALSE(dynamic_cast<TRVLClient&>(*client).Initialized());
  EXPECT_TRUE(FPrompter->Prompts().empty());
  EXPECT_TRUE(ShowUpdateTip());
}

TEST_F(ClientTest, ExceptionInsideAnOperationIsReportedAndNeverReachesTheIDE) {
  CatchReports();
  TToolServicesStub services;
  TClientPtr client = Start(&services);
  // No answer for the tip: the prompter raises inside the client's operation.
  int count = -1;
  EXPECT_NO_THROW(count = client->GetVerbCount());
  EXPECT_EQ(count, 0);
  ASSERT_EQ(FReports.size(), 1u);
  EXPECT_NE(FReports[0].find("Tip: You can automatically update"), std::string::npos) << FReports[0];
  EXPECT_EQ(FSenders[0], dynamic_cast<TObject*>(client.get())) << "the client reports itself as sender";
  EXPECT_TRUE(ShowUpdateTip()) << "the tip counts as shown only once it was";
}

} // namespace
