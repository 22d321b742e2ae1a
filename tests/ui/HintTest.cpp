// Hints: the show-hint event may change or refuse a hint and choose the hint window class.
#include <QCursor>
#include <QHelpEvent>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "platform/Exception.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/HintWindow.h"
#include "ui/StatusBar.h"

namespace {

// A hint window of another class, as an add-in registers one.
class TFramedHintWindow : public THintWindow {
  Q_OBJECT
public:
  TFramedHintWindow() { SetHasBorder(false); }
};

class HintTest : public ::testing::Test {
protected:
  void SetUp() override {
    FForm.resize(300, 200);
    FButton = new QPushButton("Get", &FForm);
    FButton->setGeometry(10, 10, 80, 30);
    FButton->setToolTip("Get the latest version|Gets the latest version of the files");
    FBar = new TStatusBar(&FForm);
    FBar->setGeometry(0, 170, 300, 20);
    FForm.Show();
    FSaved = Application().OnShowHint();
  }
  void TearDown() override {
    Application().SetOnShowHint(FSaved);
    Application().CancelHint();
  }
  // Sends the tool-tip request a resting mouse causes.
  void RestOn(QWidget* widget, QPoint pos) {
    QHelpEvent event(QEvent::ToolTip, pos, widget->mapToGlobal(pos));
    QApplication::sendEvent(widget, &event);
  }

  TForm FForm;
  QPushButton* FButton = nullptr;
  TStatusBar* FBar = nullptr;
  TShowHintEvent FSaved;
};

TEST_F(HintTest, TheHandlerCanChangeTheTextPositionAndClass) {
  RegisterHintWindowClass("TFramedHintWindow", [] { return std::make_unique<TFramedHintWindow>(); });
  QWidget* control = nullptr;
  QPoint cursor;
  Application().SetOnShowHint([&](std::string& text, bool&, THintInfo& info) {
    control = info.HintControl;
    cursor = info.CursorPos;
    EXPECT_EQ(info.HideTimeout, Application().HintHidePause());
    text = "Spec: /App/Main.pas\rStatus: No changes";
    info.HintWindowClass = "tframedhintwindow";
    info.HintPos = QPoint(50, 60);
    info.HideTimeout = 10000;
  });
  RestOn(FButton, QPoint(7, 8));

  EXPECT_EQ(control, FButton);
  EXPECT_EQ(cursor, QPoint(7, 8));
  THintWindow* window = Application().ActiveHintWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->ClassName(), "TFramedHintWindow");
  EXPECT_FALSE(window->HasBorder());
  EXPECT_EQ(window->pos(), QPoint(50, 60));
  EXPECT_EQ(window->Caption(), "Spec: /App/Main.pas\rStatus: No changes");

  // Unregistering the class takes its window with it.
  QPointer<THintWindow> alive(window);
  UnregisterHintWindowClass("TFramedHintWindow");
  EXPECT_TRUE(alive.isNull());
  EXPECT_EQ(Application().ActiveHintWindow(), nullptr);
}

TEST_F(HintTest, TheHandlerCanRefuseAHintOrGiveOneToAControlWithoutText) {
  Application().SetOnShowHint([](std::string&, bool& canShow, THintInfo&) { canShow = false; });
  RestOn(FButton, QPoint(5, 5));
  EXPECT_EQ(Application().ActiveHintWindow(), nullptr);

  // A status bar with hints on but no text of its own: nothing without a handler's text.
  FBar->SetShowHint(true);
  Application().SetOnShowHint(nullptr);
  RestOn(FBar, QPoint(10, 5));
  EXPECT_EQ(Application().ActiveHintWindow(), nullptr);
  Application().SetOnShowHint([&](std::string& text, bool&, THintInfo& info) {
    if (info.HintControl == FBar && info.CursorPos.x() > 100) text = "Checked in";
  });
  RestOn(FBar, QPoint(10, 5));
  EXPECT_EQ(Application().ActiveHintWindow(), nullptr);
  RestOn(FBar, QPoint(150, 5));
  ASSERT_NE(Application().ActiveHintWindow(), nullptr);
  EXPECT_EQ(Application().ActiveHintWindow()->Caption(), "Checked in");
}

TEST_F(HintTest, TheHintHidesWhenTheMouseLeavesItsRectangleOrTheTimeRunsOut) {
  Application().SetOnShowHint([](std::string&, bool&, THintInfo& info) {
    info.CursorRect = QRect(0, 0, 20, 20);
    info.HideTimeout = 0;
  });
  RestOn(FButton, QPoint(5, 5));
  ASSERT_NE(Application().ActiveHintWindow(), nullptr);
  QTest::mouseMove(FButton, QPoint(10, 10));
  EXPECT_NE(Application().ActiveHintWindow(), nullptr);
  QTest::mouseMove(FButton, QPoint(40, 10));
  EXPECT_TRUE(QTest::qWaitFor([] { return Application().ActiveHintWindow() == nullptr; }, 2000));

  Application().SetOnShowHint([](std::string&, bool&, THintInfo& info) { info.HideTimeout = 50; });
  RestOn(FButton, QPoint(5, 5));
  ASSERT_NE(Application().ActiveHintWindow(), nullptr);
  EXPECT_TRUE(QTest::qWaitFor([] { return Application().ActiveHintWindow() == nullptr; }, 2000));
}

TEST_F(HintTest, AReshowTimeoutAsksForTheHintAgainWhileTheMouseStaysOnIt) {
  int asked = 0;
  Application().SetOnShowHint([&](std::string& text, bool&, THintInfo& info) {
    text = "Checked out to " + std::to_string(++asked);
    info.ReshowTimeout = 20;
    info.HideTimeout = 0;
  });
  QCursor::setPos(FButton->mapToGlobal(QPoint(5, 5)));
  RestOn(FButton, QPoint(5, 5));
  ASSERT_TRUE(QTest::qWaitFor([&] { return asked >= 3; }, 2000));
  ASSERT_NE(Application().ActiveHintWindow(), nullptr);
  EXPECT_EQ(Application().ActiveHintWindow()->Caption(), "Checked out to " + std::to_string(asked));

  // Off the button the next reshow finds the mouse gone and hides the hint.
  QCursor::setPos(FButton->mapToGlobal(QPoint(200, 100)));
  EXPECT_TRUE(QTest::qWaitFor([] { return Application().ActiveHintWindow() == nullptr; }, 2000));
}

TEST_F(HintTest, AnUnknownWindowClassGoesToTheExceptionEvent) {
  std::string reported;
  const TExceptionEvent saved = Application().OnException();
  Application().SetOnException([&](TObject*, const std::exception& e) { reported = e.what(); });
  Application().SetOnShowHint([](std::string&, bool&, THintInfo& info) { info.HintWindowClass = "TNoSuchHint"; });
  RestOn(FButton, QPoint(5, 5));
  Application().SetOnException(saved);

  EXPECT_EQ(reported, "The hint window class 'TNoSuchHint' is not registered");
  EXPECT_EQ(Application().ActiveHintWindow(), nullptr);
  EXPECT_THROW(CreateHintWindow("TNoSuchHint"), Exception);
  EXPECT_FALSE(IsHintWindowClassRegistered("TNoSuchHint"));
  EXPECT_TRUE(IsHintWindowClassRegistered("thintwindow"));
}

} // namespace

#include "HintTest.moc"
