// Colour numbers to Qt colours and names, and text measuring.
#include <QApplication>
#include <QPalette>
#include <gtest/gtest.h>

#include "platform/Exception.h"
#include "ui/Graphics.h"

namespace {

TEST(GraphicsTest, PlainColoursAreBlueGreenRedNumbers) {
  EXPECT_EQ(ColorToQColor(clRed), QColor(255, 0, 0));
  EXPECT_EQ(ColorToQColor(clNavy), QColor(0, 0, 128));
  EXPECT_EQ(ColorToQColor(0x00336699), QColor(0x99, 0x66, 0x33));
  EXPECT_EQ(QColorToColor(QColor(0x99, 0x66, 0x33)), 0x00336699);
  EXPECT_EQ(ColorToRGB(clTeal), clTeal);
}

TEST(GraphicsTest, SystemColoursFollowThePalette) {
  const QPalette saved = QApplication::palette();
  QPalette palette = saved;
  palette.setColor(QPalette::Base, QColor(1, 2, 3));
  palette.setColor(QPalette::Text, QColor(4, 5, 6));
  palette.setColor(QPalette::Highlight, QColor(7, 8, 9));
  palette.setColor(QPalette::Button, QColor(10, 11, 12));
  palette.setColor(QPalette::ToolTipBase, QColor(13, 14, 15));
  QApplication::setPalette(palette);

  EXPECT_EQ(clWindow, static_cast<TColor>(0x80000005));
  EXPECT_TRUE(IsSystemColor(clBtnFace));
  EXPECT_EQ(ColorToQColor(clWindow), QColor(1, 2, 3));
  EXPECT_EQ(ColorToQColor(clWindowText), QColor(4, 5, 6));
  EXPECT_EQ(ColorToQColor(clHighlight), QColor(7, 8, 9));
  EXPECT_EQ(ColorToQColor(clBtnFace), QColor(10, 11, 12));
  EXPECT_EQ(ColorToQColor(clInfoBk), QColor(13, 14, 15));
  EXPECT_EQ(ColorToRGB(clWindow), 0x00030201);
  QApplication::setPalette(saved);
}

TEST(GraphicsTest, ColourNamesAndNumbersRoundTrip) {
  for (TColor color : {clRed, clWindow, clInfoBk, clNone, static_cast<TColor>(0x00123456)})
    EXPECT_EQ(StringToColor(ColorToString(color)), color) << ColorToString(color);
  EXPECT_EQ(ColorToString(clBtnFace), "clBtnFace");
  EXPECT_EQ(ColorToString(0x00123456), "$00123456");
  EXPECT_EQ(StringToColor("CLRED"), clRed);
  EXPECT_EQ(StringToColor("255"), clRed);
  EXPECT_EQ(StringToColor("$80000005"), clWindow);
  EXPECT_THROW(StringToColor("reddish"), Exception);
  EXPECT_THROW(StringToColor(""), Exception);
}

TEST(GraphicsTest, TextWidthGrowsWithTheText) {
  const QFont font = StatusBarFont();
  EXPECT_EQ(TextWidth(font, ""), 0);
  EXPECT_GT(TextWidth(font, "Checked out"), TextWidth(font, "Checked"));
  EXPECT_GT(TextHeight(font, "Xg"), 0);
}

} // namespace
