// Dialogs remember where they were, per dialog class, across being freed and made again; plain
// controls are kept under the control's class. A per-window value (the Options dialog's page) is the
// options tests' and the options_apply scenario's.
#include <QWidget>
#include <gtest/gtest.h>

#include "ProbeForms.h"
#include "TempDirTest.h"
#include "addin/frame/uRVLGlobals.h"
#include "addin/settings/uRVLRegFactory.h"
#include "addin/settings/uRegWindow.h"
#include "platform/Registry.h"
#include "ui/Application.h"

namespace {

using platform::Hive;
using platform::RegistryKey;

class FormPlacementTest : public TempDirTest {
protected:
  static RegistryKey Stored(const std::string& className) {
    return RegistryKey(Hive::CurrentUser, Globals().RegistryKey + "\\Window\\" + className, true);
  }
  static TRVLFormPtr<TFrmProbe> Open() { return MakeRVLForm<TFrmProbe>(&Application()); }
  std::unique_ptr<TRegWindow> FWindow = TRVLRegFactory::_Instance().CreateRegWindow();
};

TEST_F(FormPlacementTest, ClosedMaximisedReopensMaximisedWithItsEarlierNormalBounds) {
  {
    auto form = Open();
    form->SetNormalBounds(QRect(40, 30, 320, 240));
    form->Show();
  }
  {
    auto form = Open();
    EXPECT_EQ(form->WindowState(), wsNormal);
    EXPECT_EQ(form->NormalBounds(), QRect(40, 30, 320, 240));
    form->Show();
    form->SetWindowState(wsMaximized);
  }
  EXPECT_EQ(Stored("TFrmProbe").ReadInteger("State"), wsMaximized) << "kept under the dialog's own class";
  auto form = Open();
  EXPECT_EQ(form->WindowState(), wsMaximized);
  EXPECT_EQ(form->NormalBounds(), QRect(40, 30, 320, 240));
  form->SetWindowState(wsNormal);
  EXPECT_EQ(form->geometry(), QRect(40, 30, 320, 240));
}

TEST_F(FormPlacementTest, FormFreedBeforeItsPlacementWasLoadedStoresNothing) {
  Stored("TFrmProbe").WriteInteger("Width", 333);
  {
    TRVLFormPtr<TFrmProbe> unfinished(new TFrmProbe(&Application()));
    unfinished->SetNormalBounds(QRect(5, 5, 50, 50));
  }
  EXPECT_EQ(Stored("TFrmProbe").ReadInteger("Width"), 333);
}

TEST_F(FormPlacementTest, WindowsSavedOffTheTopOrLeftComeBackAtZero) {
  RegistryKey stored = Stored("TForm");
  stored.WriteInteger("Left", -80);
  stored.WriteInteger("Top", -5);
  stored.WriteInteger("Width", 200);
  stored.WriteInteger("Height", 150);
  TForm form;
  FWindow->LoadPlacement(&form);
  EXPECT_EQ(form.NormalBounds(), QRect(0, 0, 200, 150));

  stored.WriteInteger("Top", 70);
  FWindow->LoadPlacement(&form);
  EXPECT_EQ(form.NormalBounds(), QRect(0, 70, 200, 150)) << "only the axis that was off";
}

TEST_F(FormPlacementTest, PlainControlsUseTheControlsClass) {
  QWidget control;
  control.setGeometry(5, 6, 70, 80);
  FWindow->SavePlacement(&control);
  EXPECT_FALSE(Stored("QWidget").ValueExists("State")) << "only forms have a state";
  control.setGeometry(0, 0, 10, 10);
  FWindow->LoadPlacement(&control);
  EXPECT_EQ(control.geometry(), QRect(5, 6, 70, 80));
}

} // namespace
