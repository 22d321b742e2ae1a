// What the entry point sets up for the dialogs: the splash over the IDE's start-up screen and the
// hint manager in front of the IDE's hint handler.
#include <memory>

#include <QPointer>
#include <gtest/gtest.h>

#include "../ToolServicesStub.h"
#include "ProbeForms.h"
#include "TempDirTest.h"
#include "addin/dialogs/uFrmSplash.h"
#include "addin/frame/uRVLEntry.h"
#include "addin/frame/uRVLGlobals.h"
#include "ui/Application.h"
#include "ui/HintWindow.h"
#include "ui/Screen.h"

namespace {

TFrmSplash* FindSplash() {
  for (TForm* form : Screen().Forms())
    if (auto* splash = qobject_cast<TFrmSplash*>(form)) return splash;
  return nullptr;
}

class EntryTest : public TempDirTest {
protected:
  void TearDown() override {
    Application().CancelHint();
    Application().SetOnShowHint(nullptr);
    Globals().ToolServices = nullptr;
    TempDirTest::TearDown();
  }
};

TEST_F(EntryTest, SplashShowsWhileTheIDEStartsAndHintsOfDialogsStayWithTheAddIn) {
  auto passedOn = std::make_shared<int>(0);
  Application().SetOnShowHint([passedOn](std::string&, bool&, THintInfo&) { ++*passedOn; });
  TForm startup(&Application());
  TForm mainWindow;
  mainWindow.SetName("AppBuilder");
  TToolServicesStub services(&mainWindow);

  TIVCSClient* client = RVLENTRY(&services);
  ASSERT_NE(client, nullptr);
  QPointer<TFrmSplash> splash = FindSplash();
  ASSERT_FALSE(splash.isNull());
  EXPECT_EQ(splash->Owner(), &startup);
  EXPECT_TRUE(splash->isVisible());

  auto dialog = MakeRVLForm<TFrmHinted>(&Application());
  dialog->Show();
  Application().ActivateHint(dialog->btnText, QPoint(5, 5));
  EXPECT_EQ(Application().ActiveHintWindow()->ClassName(), "TRVLHelpHintWindow");
  EXPECT_EQ(*passedOn, 0) << "the IDE's handler sees other windows' hints only";
  client->Release();
}

} // namespace
