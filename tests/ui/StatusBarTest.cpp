// Status bars: panels by collection ID, panel geometry and the panel under a click.
#include <QTest>
#include <gtest/gtest.h>

#include "platform/Exception.h"
#include "ui/StatusBar.h"

namespace {

class StatusBarTest : public ::testing::Test {
protected:
  void SetUp() override {
    FBar.resize(400, FBar.height());
    for (int width : {100, 60, 80}) FBar.AddPanel()->SetWidth(width);
  }
  TStatusBar FBar;
};

TEST_F(StatusBarTest, PanelsKeepTheirIDsWhenOthersAreDeleted) {
  TStatusPanel* mode = FBar.FindPanelByID(2);
  ASSERT_NE(mode, nullptr);
  FBar.DeletePanel(0);
  EXPECT_EQ(FBar.FindPanelByID(2), mode);
  EXPECT_EQ(mode->Index(), 1);
  EXPECT_EQ(FBar.FindPanelByID(0), nullptr);
  EXPECT_EQ(FBar.AddPanel()->ID(), 3) << "a deleted ID is never reused";
  EXPECT_THROW(FBar.Panels(9), Exception);
}

TEST_F(StatusBarTest, PanelsLieSideBySideAndTheLastTakesTheRest) {
  const int h = FBar.height();   // the bar's own height, from its font
  EXPECT_EQ(FBar.PanelRect(2), QRect(160, 0, 240, h));
  EXPECT_EQ(FBar.PanelAtX(99), 0);
  EXPECT_EQ(FBar.PanelAtX(100), 1);
  EXPECT_EQ(FBar.PanelAtX(399), 2);
  EXPECT_EQ(FBar.PanelAtX(-1), -1);

  // A panel appended with width 0 after a fixed one: the fixed one ends where its width says.
  FBar.Panels(2)->SetWidth(143);
  FBar.AddPanel()->SetWidth(0);
  EXPECT_EQ(FBar.PanelRect(2), QRect(160, 0, 143, h));
  EXPECT_EQ(FBar.PanelAtX(310), 3);

  FBar.SetSimplePanel(true);
  EXPECT_EQ(FBar.PanelAtX(10), -1);
}

TEST_F(StatusBarTest, MouseEventsReportButtonShiftAndPosition) {
  std::vector<std::string> events;
  FBar.OnMouseDown = [&](TObject* sender, TMouseButton button, TShiftState shift, int x, int y) {
    EXPECT_EQ(sender, &FBar);
    events.push_back("down " + std::to_string(button) + " " + std::to_string(shift) + " " +
                     std::to_string(FBar.PanelAtX(x)) + " " + std::to_string(y));
  };
  FBar.OnMouseUp = [&](TObject*, TMouseButton button, TShiftState, int x, int) {
    events.push_back("up " + std::to_string(button) + " " + std::to_string(FBar.PanelAtX(x)));
  };
  FBar.show();
  QTest::mousePress(&FBar, Qt::RightButton, Qt::ShiftModifier, QPoint(170, 5));
  QTest::mouseRelease(&FBar, Qt::RightButton, Qt::ShiftModifier, QPoint(170, 5));
  QTest::mousePress(&FBar, Qt::LeftButton, {}, QPoint(5, 5));

  EXPECT_EQ(events, (std::vector<std::string>{"down 1 17 2 5", "up 1 2", "down 0 8 0 5"}));
}

TEST_F(StatusBarTest, OwnerDrawnPanelsArePaintedByTheirHandler) {
  FBar.Panels(1)->SetStyle(psOwnerDraw);
  std::vector<int> drawn;
  FBar.OnDrawPanel = [&](TStatusBar*, TStatusPanel* panel, QPainter&, const QRect& rect) {
    drawn.push_back(panel->ID());
    EXPECT_TRUE(FBar.PanelRect(1).contains(rect));
  };
  FBar.grab();
  EXPECT_EQ(drawn, std::vector<int>{1});
}

} // namespace
