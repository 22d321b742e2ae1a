// The About box and the splash window, made through the form factory.
#include <QCoreApplication>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "TempDirTest.h"
#include "addin/dialogs/uRVLFormFactory.h"
#include "addin/settings/uRVLRegFactory.h"
#include "addin/settings/uRegVSS.h"
#include "ui/Application.h"

namespace {

class AboutSplashTest : public TempDirTest {
protected:
  static TRVLFormFactory& Factory() { return TRVLFormFactory::_Instance(); }
  template <class T>
  static T* Control(TForm& form, const std::string& name) {
    return qobject_cast<T*>(form.FindComponent(name));
  }
  static bool Gone(const QPointer<TFrmSplash>& splash) {
    return QTest::qWaitFor([&] {
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
      return splash.isNull();
    }, 5000);
  }
};

TEST_F(AboutSplashTest, AboutListsProductVersionAndComponents) {
  TRVLRegFactory::_Instance().CreateRegVSS()->SetInstallDir("/opt/sourcesafe");
  auto about = Factory().CreateAbout();
  EXPECT_EQ(about->Owner(), &Application());
  auto* components = Control<QListWidget>(*about, "lbComponents");
  ASSERT_NE(components, nullptr);
  QStringList lines;
  for (int i = 0; i < components->count(); ++i) lines << components->item(i)->text();
  EXPECT_EQ(lines.value(0), "Ravelin 1.4 for C++Builder\\3.0");
  EXPECT_EQ(lines.value(1), "Ravelin: not installed");
  EXPECT_EQ(lines.value(2), "SourceSafe: /opt/sourcesafe");

  SetModalHook([](TForm& form) { qobject_cast<QPushButton*>(form.FindComponent("btnOK"))->click(); });
  EXPECT_EQ(about->ShowModal(), mrOk);
  SetModalHook(nullptr);
}

TEST_F(AboutSplashTest, SplashOverTheStartupScreenClosesItself) {
  // Its owner, the IDE's unnamed start-up screen, is the client's entry test.
  TForm startup(&Application());
  QPointer<TFrmSplash> splash = Factory().CreateSplash();
  splash->Show();
  EXPECT_TRUE(splash->isVisible());
  EXPECT_TRUE(Gone(splash)) << "closed and freed after its display time";
}

TEST_F(AboutSplashTest, SplashGoesWithItsOwnerOrAtOnceWithoutOne) {
  QPointer<TFrmSplash> splash;
  {
    TForm startup(&Application());
    splash = Factory().CreateSplash();
    splash->Show();
  }
  EXPECT_TRUE(splash.isNull()) << "freed with the start-up screen";

  EXPECT_EQ(StartupForm(), nullptr);
  splash = Factory().CreateSplash();
  EXPECT_EQ(splash->Owner(), nullptr);
  splash->Close();
  EXPECT_TRUE(Gone(splash));
}

} // namespace
