// The hint manager over real dialogs, IDE windows and the application's own hint machinery, and the
// two hint windows it shows.
#include <memory>
#include <vector>

#include <QCursor>
#include <QImage>
#include <gtest/gtest.h>

#include "ProbeForms.h"
#include "TempDirTest.h"
#include "addin/dialogs/uRVLHelpHintWindow.h"
#include "addin/dialogs/uRVLHintManager.h"
#include "addin/dialogs/uRVLHintWindow.h"
#include "addin/frame/uSingletonRegistry.h"
#include "addin/settings/uRVLRegFactory.h"
#include "addin/settings/uRegOptions.h"
#include "ui/Application.h"
#include "ui/Graphics.h"
#include "ui/HintWindow.h"

namespace {

class HintManagerTest : public TempDirTest {
protected:
  void SetUp() override {
    TempDirTest::SetUp();
    FOldHandler = Application().OnShowHint();
    // What the IDE had installed before the add-in came.
    Application().SetOnShowHint([this](std::string& text, bool&, THintInfo& info) {
      FPassedOn.push_back(info.HintControl);
      text = "IDE: " + text;
    });
    Load();
  }
  void TearDown() override {
    Application().CancelHint();
    FAddIn.reset();
    Application().SetOnShowHint(FOldHandler);
    TempDirTest::TearDown();
  }
  // Loading and unloading the add-in: its singletons live in their own registry.
  void Load() {
    FAddIn = std::make_unique<TSingletonRegistry>();
    FAddIn->GetInstance(TRVLHintManager::StaticClass());
  }
  static TRVLFormPtr<TFrmHinted> OpenDialog(bool simplePanel = true) {
    auto form = MakeRVLForm<TFrmHinted>(&Application(), simplePanel);
    form->Show();
    return form;
  }
  static std::string ShownClass() {
    THintWindow* window = Application().ActiveHintWindow();
    return window ? window->ClassName() : "";
  }
  static std::string ShownText() {
    THintWindow* window = Application().ActiveHintWindow();
    return window ? window->Caption() : "";
  }

  std::unique_ptr<TSingletonRegistry> FAddIn;
  TShowHintEvent FOldHandler;
  std::vector<QWidget*> FPassedOn;
};

TEST_F(HintManagerTest, DialogHintShowsInBalloonAndStatusBarWithoutReachingTheIDE) {
  auto form = OpenDialog();
  ASSERT_TRUE(Application().ActivateHint(form->btnText, QPoint(5, 5)));
  EXPECT_EQ(ShownClass(), "TRVLHelpHintWindow");
  EXPECT_EQ(ShownText(), "Check in the ticked files");
  EXPECT_EQ(form->sbarStatus->SimpleText(), "Check in the ticked files");
  EXPECT_TRUE(FPassedOn.empty());
}

TEST_F(HintManagerTest, WithHintsSwitchedOffOnlyTheStatusBarShowsTheHint) {
  TRVLRegFactory::_Instance().CreateRegOptions()->SetShowHints(false);
  auto form = OpenDialog();
  Application().ActivateHint(form->btnText, QPoint(5, 5));
  EXPECT_EQ(Application().ActiveHintWindow(), nullptr);
  EXPECT_EQ(form->sbarStatus->SimpleText(), "Check in the ticked files");
  EXPECT_TRUE(FPassedOn.empty()) << "the dialog handles its hints also when they are off";

  TRVLRegFactory::_Instance().CreateRegOptions()->SetShowHints(true);
  EXPECT_FALSE(form->ShowHints()) << "the option is read once, when the dialog is made";
  EXPECT_TRUE(OpenDialog()->ShowHints());
}

TEST_F(HintManagerTest, NumericHintShowsNothingButZeroIsAText) {
  auto form = OpenDialog();
  Application().ActivateHint(form->btnTopic, QPoint(5, 5));
  EXPECT_EQ(Application().ActiveHintWindow(), nullptr);
  EXPECT_EQ(form->sbarStatus->SimpleText(), "");

  Application().ActivateHint(form->btnZero, QPoint(5, 5));
  EXPECT_EQ(ShownText(), "0");
  EXPECT_EQ(form->sbarStatus->SimpleText(), "0");

  for (const char* hint : {" 7", "+7", "-3"}) {
    form->btnTopic->setToolTip(hint);
    Application().ActivateHint(form->btnTopic, QPoint(5, 5));
    EXPECT_EQ(Application().ActiveHintWindow(), nullptr) << hint;
  }
  for (const char* hint : {"7 files", "99999999999", "12|Help topic"}) {
    form->btnTopic->setToolTip(hint);
    Application().ActivateHint(form->btnTopic, QPoint(5, 5));
    EXPECT_NE(Application().ActiveHintWindow(), nullptr) << hint;
  }
}

TEST_F(HintManagerTest, StatusBarWithPanelsIsLeftAlone) {
  auto form = OpenDialog(false);
  Application().ActivateHint(form->btnText, QPoint(5, 5));
  EXPECT_EQ(ShownText(), "Check in the ticked files");
  EXPECT_EQ(form->sbarStatus->SimpleText(), "");
}

TEST_F(HintManagerTest, HintsOfOtherWindowsGoToThePreviousHandlerUnchanged) {
  TForm ideWindow(&Application());
  ideWindow.SetName("AppBuilder");
  auto* button = new QPushButton("Run", &ideWindow);
  button->setToolTip("Run the program");
  ideWindow.Show();
  ASSERT_TRUE(Application().ActivateHint(button, QPoint(5, 5)));
  ASSERT_EQ(FPassedOn.size(), 1u);
  EXPECT_EQ(FPassedOn[0], button);
  EXPECT_EQ(ShownClass(), "THintWindow");
  EXPECT_EQ(ShownText(), "IDE: Run the program");
  ideWindow.close();
}

TEST_F(HintManagerTest, UnloadPutsThePreviousHandlerBack) {
  auto form = OpenDialog();
  FAddIn.reset();
  EXPECT_FALSE(IsHintWindowClassRegistered("TRVLHelpHintWindow"));
  EXPECT_FALSE(IsHintWindowClassRegistered("TRVLHintWindow"));
  Application().ActivateHint(form->btnText, QPoint(5, 5));
  ASSERT_EQ(FPassedOn.size(), 1u) << "the IDE's own handler is back";
  EXPECT_EQ(ShownText(), "IDE: Check in the ticked files");
  EXPECT_EQ(form->sbarStatus->SimpleText(), "");

  Application().SetOnShowHint(nullptr);
  Load();
  EXPECT_TRUE(IsHintWindowClassRegistered("TRVLHelpHintWindow"));
  FAddIn.reset();
  EXPECT_FALSE(Application().OnShowHint()) << "an empty handler stays empty";
}

// The two hint windows, shaped and painted.
QImage Painted(QWidget& window) { return window.grab().toImage(); }

bool IsBlack(const QImage& image, int x, int y) { return image.pixelColor(x, y) == QColor(Qt::black); }

TEST(HelpHintWindowTest, BalloonHasATailWhoseTipSitsAtTheMouseShapedAnewForEachHint) {
  TRVLHelpHintWindow window;
  window.ActivateHint(QRect(0, 0, 240, 60), "a longer text over two lines");
  QCursor::setPos(500, 400);
  window.ActivateHint(QRect(10, 10, 120, 30), "Check in the ticked files");
  // 20 pixels for the tail below a body of the text's rectangle and 3 pixels more.
  const int body = 33, middle = 60;
  const QRegion outline = window.Region();
  EXPECT_EQ(window.mask(), outline);
  EXPECT_TRUE(outline.contains(QPoint(middle, body / 2)));
  EXPECT_TRUE(outline.contains(QPoint(middle - 3, body + 10))) << "inside the tail";
  EXPECT_FALSE(outline.contains(QPoint(20, body + 10))) << "left of the tail";
  EXPECT_FALSE(outline.contains(QPoint(100, body + 10))) << "right of the tail";
  EXPECT_FALSE(outline.contains(QPoint(120 - 3, 63 + 10))) << "nothing left of the first hint's tail";
  // The tail ends just right of and above the mouse.
  EXPECT_EQ(window.pos(), QPoint(500 + 2 - (middle - 5), 400 - 2 - (body + 16)));
  EXPECT_TRUE(window.isVisible());
  window.ReleaseHandle();
}

TEST(StatusHintWindowTest, HasABlackFrameAndNoBorderOfItsOwn) {
  TRVLHintWindow window;
  EXPECT_FALSE(window.HasBorder());
  window.ActivateHint(QRect(10, 10, 80, 20), "Checked out");
  const QImage image = Painted(window);
  for (QPoint corner : {QPoint(0, 0), QPoint(79, 0), QPoint(79, 19), QPoint(0, 19)})
    EXPECT_TRUE(IsBlack(image, corner.x(), corner.y())) << corner.x() << "," << corner.y();
  EXPECT_EQ(image.pixelColor(40, 1), ColorToQColor(clInfoBk));
  window.ReleaseHandle();
}

} // namespace
