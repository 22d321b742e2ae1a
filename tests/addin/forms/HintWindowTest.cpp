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
