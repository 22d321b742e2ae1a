// Dialogs remember where they were, per dialog class, across being freed and made again.
#include <gtest/gtest.h>

#include "ProbeForms.h"
#include "TempDirTest.h"
#include "addin/frame/uRVLGlobals.h"
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

} // namespace
