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
}

TEST(GraphicsTest, SystemColoursFollowThePalette) {
  const QPalette saved = QApplication::palette();
  QPalette palette = saved;
  palette.setColor(QPalette::Base, QColor(10, 11, 12));
  QApplication::setPalette(palette);
  EXPECT_EQ(ColorToQColor(clWindow), QColor(10, 11, 12));
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

} // namespace
