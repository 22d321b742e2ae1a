#include "ui/Graphics.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPalette>
#include <QString>

#include <array>
#include <cstdio>

#include "platform/Exception.h"
#include "platform/Text.h"

namespace {

struct TColorName {
  TColor Color;
  const char* Name;
};

constexpr std::array<TColorName, 45> ColorNames{{
    {clBlack, "clBlack"}, {clMaroon, "clMaroon"}, {clGreen, "clGreen"}, {clOlive, "clOlive"},
    {clNavy, "clNavy"}, {clPurple, "clPurple"}, {clTeal, "clTeal"}, {clGray, "clGray"},
    {clSilver, "clSilver"}, {clRed, "clRed"}, {clLime, "clLime"}, {clYellow, "clYellow"},
    {clBlue, "clBlue"}, {clFuchsia, "clFuchsia"}, {clAqua, "clAqua"}, {clWhite, "clWhite"},
    {clNone, "clNone"}, {clDefault, "clDefault"},
    {clScrollBar, "clScrollBar"}, {clBackground, "clBackground"}, {clActiveCaption, "clActiveCaption"},
    {clInactiveCaption, "clInactiveCaption"}, {clMenu, "clMenu"}, {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"}, {clMenuText, "clMenuText"}, {clWindowText, "clWindowText"},
    {clCaptionText, "clCaptionText"}, {clActiveBorder, "clActiveBorder"},
    {clInactiveBorder, "clInactiveBorder"}, {clAppWorkSpace, "clAppWorkSpace"},
    {clHighlight, "clHighlight"}, {clHighlightText, "clHighlightText"}, {clBtnFace, "clBtnFace"},
    {clBtnShadow, "clBtnShadow"}, {clGrayText, "clGrayText"}, {clBtnText, "clBtnText"},
    {clInactiveCaptionText, "clInactiveCaptionText"}, {clBtnHighlight, "clBtnHighlight"},
    {cl3DDkShadow, "cl3DDkShadow"}, {cl3DLight, "cl3DLight"}, {clInfoText, "clInfoText"},
    {clInfoBk, "clInfoBk"}, {clLtGray, "clLtGray"}, {clDkGray, "clDkGray"},
}};

TColor FromRgb(int r, int g, int b) { return static_cast<TColor>((b << 16) | (g << 8) | r); }

// System colours that follow the palette; the others keep the classic desktop's values.
QColor SystemQColor(int index) {
  const QPalette palette = QApplication::palette();
  switch (index) {
  case 4: return palette.color(QPalette::Window);              // clMenu
  case 5: return palette.color(QPalette::Base);                // clWindow
  case 7: return palette.color(QPalette::WindowText);          // clMenuText
  case 8: return palette.color(QPalette::Text);                // clWindowText
  case 13: return palette.color(QPalette::Highlight);
  case 14: return palette.color(QPalette::HighlightedText);
  case 0: case 15: return palette.color(QPalette::Button);     // clScrollBar, clBtnFace
  case 16: return palette.color(QPalette::Dark);               // clBtnShadow
  case 17: return palette.color(QPalette::Disabled, QPalette::Text);
  case 18: return palette.color(QPalette::ButtonText);
  case 20: return palette.color(QPalette::Light);              // clBtnHighlight
  case 21: return palette.color(QPalette::Shadow);             // cl3DDkShadow
  case 22: return palette.color(QPalette::Midlight);           // cl3DLight
  case 23: return palette.color(QPalette::ToolTipText);        // clInfoText
  case 24: return palette.color(QPalette::ToolTipBase);        // clInfoBk
  case 1: return QColor(0, 128, 128);                          // clBackground
  case 2: return QColor(0, 0, 128);                            // clActiveCaption
  case 3: return QColor(128, 128, 128);                        // clInactiveCaption
  case 6: return QColor(0, 0, 0);                              // clWindowFrame
  case 9: return QColor(255, 255, 255);                        // clCaptionText
  case 10: case 11: return palette.color(QPalette::Button);    // borders
  case 12: return palette.color(QPalette::Mid);                // clAppWorkSpace
  case 19: return QColor(192, 192, 192);                       // clInactiveCaptionText
  default: return QColor(0, 0, 0);
  }
}

} // namespace

TColor ColorToRGB(TColor color) {
  return IsSystemColor(color) ? QColorToColor(ColorToQColor(color)) : color;
}

QColor ColorToQColor(TColor color) {
  if (IsSystemColor(color)) return SystemQColor(color & 0xFF);
  if (color == clNone) return QColor(Qt::transparent);
  if (color == clDefault) return QColor(0, 0, 0);
  return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

TColor QColorToColor(const QColor& color) { return FromRgb(color.red(), color.green(), color.blue()); }

std::string ColorToString(TColor color) {
  for (const auto& entry : ColorNames)
    if (entry.Color == color) return entry.Name;
  char text[16];
  std::snprintf(text, sizeof text, "$%08X", static_cast<unsigned>(color));
  return text;
}

TColor StringToColor(const std::string& text) {
  const std::string value = platform::Trim(text);
  for (const auto& entry : ColorNames)
    if (platform::SameText(value, entry.Name)) return entry.Color;
  bool ok = false;
  const QString number = QString::fromStdString(value);
  const long long parsed = number.startsWith('$') ? number.mid(1).toLongLong(&ok, 16) : number.toLongLong(&ok, 10);
  if (!ok || parsed < INT32_MIN || parsed > UINT32_MAX) throw Exception("'" + text + "' is not a colour");
  return static_cast<TColor>(static_cast<uint32_t>(parsed));
}

int TextWidth(const QFont& font, const std::string& text) {
  return QFontMetrics(font).horizontalAdvance(QString::fromStdString(text));
}

int TextHeight(const QFont& font, const std::string& text) {
  return QFontMetrics(font).boundingRect(QString::fromStdString(text)).height();
}

QFont StatusBarFont() { return QApplication::font("QStatusBar"); }
