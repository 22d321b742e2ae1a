// What the add-in reads from the C++Builder editor's settings, and the IDE's word for read-only files.
#include <gtest/gtest.h>

#include "TempDirTest.h"
#include "ToolServicesStub.h"
#include "addin/frame/uRVLGlobals.h"
#include "addin/settings/uRVLRegFactory.h"
#include "addin/settings/uRegIDE.h"
#include "addin/settings/uRegIntl.h"
#include "platform/Registry.h"

namespace {

using platform::Hive;
using platform::RegistryKey;

TEST(Highlight, FieldsGiveStylesAndColoursWhenTheirDefaultFlagsAreOff) {
  struct TCase {
    std::string Text, Styles;  // Styles: the letters of the set flags among B, I, U
    int Foreground, Background;
  };
  const std::vector<TCase> cases = {
      {"0,0,,1,1,0,0", "", clWindowText, clWindow},  // the default: system colours, no style
      {"0,15,BI,0,0,0,0", "BI", 0, 15},
      {"1,2,U,0,0,0,0", "U", 1, 2},
      {"x,2y,,0,0,0,0", "", clWindowText, clWindow},  // not numbers
      {"12,3,,0,0", "", 12, clWindow},                 // the text after the last comma is no field
      {"", "", clWindowText, clWindow},
  };
  for (const TCase& c : cases) {
    const TEditorFont font = ParseHighlightFont(c.Text);
    const std::string styles =
        std::string(font.Bold ? "B" : "") + (font.Italic ? "I" : "") + (font.Underline ? "U" : "");
    EXPECT_EQ(styles, c.Styles) << c.Text;
    EXPECT_EQ(font.Color, c.Foreground) << c.Text;
    EXPECT_EQ(ParseHighlightBackground(c.Text), c.Background) << c.Text;
  }
}

class IDESettingsTest : public TempDirTest {
protected:
  void SetUp() override {
    TempDirTest::SetUp();
    Globals().ToolServices = &FServices;
  }
  void TearDown() override {
    Globals().ToolServices = nullptr;
    TempDirTest::TearDown();
  }
  static RegistryKey IDEKey(const std::string& tail) {
    return RegistryKey(Hive::CurrentUser, "Software\\Borland\\C++Builder\\3.0" + tail, true);
  }
  TToolServicesStub FServices;
};

TEST_F(IDESettingsTest, CppBuilderEditorKeysBuildTheHighlightStringAndFont) {
  auto ide = TRVLRegFactory::_Instance().CreateRegIDE();
  ASSERT_NE(dynamic_cast<TRVLB3RegIDE*>(ide.get()), nullptr);
  EXPECT_EQ(ide->GetHighlight("Comment"), "0,0,,1,1,0,0") << "nothing stored";

  RegistryKey comment = IDEKey("\\Editor\\Highlight\\Comment");
  comment.WriteInteger("Foreground Color", 9);
  comment.WriteInteger("Background Color", 14);
  comment.WriteString("Default Foreground", "0");
  comment.WriteString("Default Background", "0");
  comment.WriteString("Italic", "true");
  comment.WriteString("Bold", "true");
  EXPECT_EQ(ide->GetHighlight("Comment"), "255,16776960,BI,0,0,0,0");
  TEditorFont font;
  EXPECT_EQ(ide->GetCommentFont(font), clAqua);
  EXPECT_EQ(font.Color, clRed);
  EXPECT_TRUE(font.Bold && font.Italic && !font.Underline);

  IDEKey("\\Editor\\Highlight\\Reserved word").WriteString("Underline", "true");
  EXPECT_EQ(ide->GetReservedWordFont(font), clWindow);
  EXPECT_TRUE(font.Underline && !font.Bold && !font.Italic) << "Underline alone";
  EXPECT_EQ(font.Color, clWindowText);

  RegistryKey identifier = IDEKey("\\Editor\\Highlight\\Identifier");
  identifier.WriteInteger("Foreground Color", 16);
  identifier.WriteString("Default Foreground", "0");
  EXPECT_EQ(ide->GetIdentifierForeground(), 0) << "an index outside the palette";
  EXPECT_EQ(ide->GetIdentifierBackground(), clWindow);
  // The editor font is the viewer's paint test.
}

TEST_F(IDESettingsTest, WithoutTheIDEsServicesEveryValueKeepsItsDefault) {
  IDEKey("\\Editor\\Options").WriteInteger("Font Size", 12);
  Globals().ToolServices = nullptr;
  auto ide = TRVLRegFactory::_Instance().CreateRegIDE();
  EXPECT_EQ(ide->GetFontSize(), 10);
  EXPECT_EQ(ide->GetHighlight("Comment"), "0,0,,1,1,0,0");
}

TEST_F(IDESettingsTest, ReadOnlyWordComesFromTheChosenIDELanguage) {
  EXPECT_EQ(TRVLRegFactory::_Instance().CreateRegIDE()->GetReadOnlyText(), "Read Only");
  auto intl = TRVLRegFactory::_Instance().CreateRegIntl();
  RegistryKey(Hive::CurrentUser, intl->GetIDELangKey(), true).WriteString("Read Only", "Read only!");
  EXPECT_EQ(TRVLRegFactory::_Instance().CreateRegIDE()->GetReadOnlyText(), "Read only!");
  intl->SetDelphiLang("Deutsch");
  RegistryKey(Hive::CurrentUser, intl->GetIDELangKey(), true).WriteString("Read Only", "Schreibgeschützt");
  EXPECT_EQ(TRVLRegFactory::_Instance().CreateRegIDE()->GetReadOnlyText(), "Schreibgeschützt");
}

} // namespace
