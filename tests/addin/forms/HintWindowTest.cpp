// The two hint windows, shaped and painted on the offscreen platform.
#include <QCursor>
#include <QImage>
#include <gtest/gtest.h>

#include "addin/dialogs/uRVLHelpHintWindow.h"
#include "addin/dialogs/uRVLHintWindow.h"
#include "ui/Graphics.h"

namespace {

QImage Painted(QWidget& window) { return window.grab().toImage(); }

bool IsBlack(const QImage& image, int x, int y) { return image.pixelColor(x, y) == QColor(Qt::black); }

TEST(HelpHintWindowTest, BalloonHasATailWhoseTipSitsAtTheMouse) {
  TRVLHelpHintWindow window;
  QCursor::setPos(500, 400);
  window.ActivateHint(QRect(10, 10, 120, 30), "Check in the ticked files");
  // 20 pixels for the tail; the body is the text's rectangle and 3 pixels more.
  ASSERT_EQ(window.size(), QSize(120, 50));
  const int body = 33, middle = 60;
  const QRegion outline = window.Region();
  EXPECT_EQ(window.mask(), outline);
  EXPECT_TRUE(outline.contains(QPoint(middle, body / 2)));
  EXPECT_TRUE(outline.contains(QPoint(middle - 3, body + 10))) << "inside the tail";
  EXPECT_FALSE(outline.contains(QPoint(20, body + 10))) << "left of the tail";
  EXPECT_FALSE(outline.contains(QPoint(100, body + 10))) << "right of the tail";
  EXPECT_FALSE(outline.contains(QPoint(middle - 5, body + 16))) << "below the tip";
  // The tail ends just right of and above the mouse.
  EXPECT_EQ(window.pos(), QPoint(500 + 2 - (middle - 5), 400 - 2 - (body + 16)));
  EXPECT_TRUE(window.isVisible());
  window.ReleaseHandle();
}

TEST(HelpHintWindowTest, EveryActivationShapesTheWindowAnew) {
  TRVLHelpHintWindow window;
  window.ActivateHint(QRect(0, 0, 240, 60), "a longer text over two lines");
  EXPECT_TRUE(window.Region().contains(QPoint(120 - 3, 63 + 10)));
  window.ActivateHint(QRect(0, 0, 120, 30), "short");
  EXPECT_EQ(window.Region().boundingRect().width(), 120);
  EXPECT_TRUE(window.Region().contains(QPoint(60 - 3, 33 + 10)));
  EXPECT_FALSE(window.Region().contains(QPoint(120 - 3, 63 + 10))) << "nothing left of the first tail";
  window.ReleaseHandle();
}

TEST(HelpHintWindowTest, FrameFollowsTheOutlineAndOpensWhereTheTailJoins) {
  TRVLHelpHintWindow window;
  window.ActivateHint(QRect(0, 0, 120, 30), "text");
  const QImage image = Painted(window);
  const int bottom = 32, middle = 60;
  EXPECT_TRUE(IsBlack(image, 20, bottom)) << "body's bottom edge";
  EXPECT_TRUE(IsBlack(image, middle, 0)) << "top edge";
  EXPECT_FALSE(IsBlack(image, middle + 7, bottom)) << "open towards the tail";
  EXPECT_EQ(image.pixelColor(middle + 7, bottom), ColorToQColor(clInfoBk));
  EXPECT_FALSE(IsBlack(image, 20, bottom + 3)) << "nothing drawn below the body";
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
