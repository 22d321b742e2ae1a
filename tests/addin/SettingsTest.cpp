// The settings sections against a real registry: every default, the values stored in their own
// forms, and the rules of the values that are more than plain storage.
#include <chrono>

#include <gtest/gtest.h>

#include "TempDirTest.h"
#include "addin/frame/uRVLGlobals.h"
#include "addin/settings/uRVLRegFactory.h"
#include "addin/settings/uRegAssoc.h"
#include "addin/settings/uRegDiffView.h"
#include "addin/settings/uRegIntl.h"
#include "addin/settings/uRegOptions.h"
#include "addin/settings/uRegProject.h"
#include "addin/settings/uRegRVL.h"
#include "addin/settings/uRegTips.h"
#include "addin/settings/uRegUser.h"
#include "platform/Registry.h"

namespace {

using platform::Hive;
using platform::RegistryKey;
using platform::RegValue;
using platform::ValueType;

TRVLRegFactory& Factory() { return TRVLRegFactory::_Instance(); }

std::string Show(bool value) { return value ? "true" : "false"; }
std::string Show(int value) { return std::to_string(value); }
std::string Show(const std::string& value) { return value; }

class SettingsTest : public TempDirTest {
protected:
  // The add-in's own key, or one of its subkeys.
  static std::string Key(const std::string& tail = {}) {
    return Globals().RegistryKey + (tail.empty() ? "" : "\\" + tail);
  }
  static void ExpectStored(const std::string& tail, const std::string& name, const RegValue& expected) {
    auto stored = RegistryKey(Hive::CurrentUser, Key(tail), false).ReadValue(name);
    ASSERT_TRUE(stored) << tail << "\\" << name << " missing";
    EXPECT_EQ(stored->Type, expected.Type) << name;
    EXPECT_EQ(stored->Text, expected.Text) << name;
    EXPECT_EQ(stored->DWord, expected.DWord) << name;
  }
  static void ExpectString(const std::string& tail, const std::string& name, const std::string& text) {
    ExpectStored(tail, name, {name, ValueType::String, text, 0});
  }
  static void ExpectDWord(const std::string& tail, const std::string& name, uint32_t value) {
    ExpectStored(tail, name, {name, ValueType::DWord, {}, value});
  }
};

// Where each value the Options dialog shows is stored, and as which type, is the dialog's test; here
// every default, and the values no dialog shows.
TEST_F(SettingsTest, EveryValueHasItsDefault) {
  auto o = Factory().CreateRegOptions();
  auto d = Factory().CreateRegDiffView();
  auto i = Factory().CreateRegIntl();
  auto p = Factory().CreateRegProject();
  const std::pair<std::string, std::string> values[] = {
      {Show(o->GetSyncOnOpen()), "false"},       {Show(o->GetSyncOnClose()), "false"},
      {o->GetAsciiViewer(), "ravelin-view"},     {o->GetDifferenceViewer(), ""},
      {Show(o->GetUseReadOnly()), "2"},          {Show(o->GetUnchangedFiles()), "0"},
      {Show(o->GetCompareFiles()), "0"},         {Show(o->GetReplaceFiles()), "0"},
      {Show(o->GetSetTimeFiles()), "0"},         {Show(o->GetShowHints()), "true"},
      {Show(o->GetUseEI()), "true"},             {Show(o->GetCheckEvery()), "0"},
      {Show(o->GetPopupComment()), "false"},     {Show(o->GetAutoCheckComment()), "false"},
      {Show(d->GetSyntax()), "true"},            {Show(d->GetIgnoreSpaces()), "false"},
      {Show(d->GetChangeColor()), "255"},        {Show(d->GetInsertColor()), "65280"},
      {Show(d->GetDeleteColor()), "16776960"},   {i->GetDelphiLang(), "English"},
      {i->GetSSLang(), "English"},               {Show(Factory().CreateRegTips()->GetShowUpdateTip()), "true"},
      {Show(p->GetAutoConvert()), "false"},      {Show(p->GetAutoDelete()), "false"},
      {Show(Factory().CreateRegAssoc()->GetDisableAssoc()), "false"},
  };
  for (size_t n = 0; n < std::size(values); ++n) EXPECT_EQ(values[n].first, values[n].second) << "value " << n;

  Factory().CreateRegTips()->SetShowUpdateTip(false);
  p->SetAutoConvert(true);
  p->SetAutoDelete(true);
  ExpectDWord("Tips", "ShowUpdateTip", 0);
  ExpectDWord("Project", "AutoConvert", 1);
  ExpectDWord("Project", "AutoDelete", 1);
  EXPECT_TRUE(Factory().CreateRegProject()->GetAutoConvert());
}

TEST_F(SettingsTest, ListsAndPerNameValuesRoundTripInTheirStoredForm) {
  auto options = Factory().CreateRegOptions();
  auto assoc = Factory().CreateRegAssoc();
  auto user = Factory().CreateRegUser();
  options->SetShortCut(3, 0x4000 | 'K');
  options->SaveDontCheckIn({"*.res", "*.~*"});
  assoc->Save(".cpp", {"*.h", "*.dfm"});
  user->SetUserName("Main", "ann");
  ExpectDWord("Options", "ShortCut3", 0x4000 | 'K');
  ExpectString("Options", "DontCheckIn", "*.res\r\n*.~*\r\n");
  ExpectString("Assoc", ".cpp", "*.h\r\n*.dfm\r\n");
  ExpectString("User", "Main-Name", "ann");
  EXPECT_EQ(Factory().CreateRegOptions()->GetShortCut(3), 0x4000 | 'K');
  EXPECT_EQ(Factory().CreateRegOptions()->LoadDontCheckIn(), std::vector<std::string>({"*.res", "*.~*"}));
  EXPECT_EQ(Factory().CreateRegAssoc()->Load(".cpp"), std::vector<std::string>({"*.h", "*.dfm"}));
  EXPECT_EQ(Factory().CreateRegUser()->GetUserName("Main"), "ann");
  EXPECT_EQ(Factory().CreateRegUser()->GetUserName("Other"), "") << "per database";
  RegistryKey(Hive::CurrentUser, Key(), true).WriteString("PATH", "/opt/ravelin");
  EXPECT_EQ(Factory().CreateRegRVL()->GetInstallPath(), "/opt/ravelin") << "read from the root key";

  options->SetShortCut(0, 0x12345);
  EXPECT_EQ(options->GetShortCut(0), 0x2345) << "short cuts are sixteen-bit codes";
  ExpectDWord("Options", "ShortCut0", 0x2345);
}

TEST_F(SettingsTest, LinesSplitAtAnyLineBreakAndKeepEmptyLinesInside) {
  RegistryKey(Hive::CurrentUser, Key("Options"), true).WriteString("DontCheckIn", "a\rb\nc\r\n\r\nd");
  EXPECT_EQ(Factory().CreateRegOptions()->LoadDontCheckIn(),
            std::vector<std::string>({"a", "b", "c", "", "d"}));
  auto assoc = Factory().CreateRegAssoc();
  assoc->Save(".pas", {});
  EXPECT_TRUE(assoc->Load(".pas").empty());
  ExpectString("Assoc", ".pas", "");
}

TEST_F(SettingsTest, ClearingAssociationsRemovesThemButNotTheSwitch) {
  auto assoc = Factory().CreateRegAssoc();
  assoc->Save(".cpp", {"*.h"});
  assoc->Save(".pas", {"*.dfm"});
  assoc->SetDisableAssoc(true);
  EXPECT_EQ(assoc->GetNames(), std::vector<std::string>({".cpp", ".pas"}));
  assoc->Clear();
  EXPECT_TRUE(assoc->GetNames().empty());
  EXPECT_TRUE(assoc->GetDisableAssoc());
}

TEST_F(SettingsTest, FlagsComeFromTheStoredOptionsAndGoBack) {
  auto options = Factory().CreateRegOptions();
  auto flags = options->GetFlags();
  EXPECT_EQ(flags->Combined(), 2) << "only the read-only default is set";
  flags->UnchangedFlag = 50331648;
  flags->CompareFlag = 1536;
  flags->ReplaceFlag = 192;
  flags->SetTimeFlag = 8;
  flags->ExtraFlag1 = 0x10000;
  options->SetFlags(*flags);
  auto reread = Factory().CreateRegOptions()->GetFlags();
  EXPECT_EQ(reread->ExtraFlag1, 0) << "extra flags are never stored";
  EXPECT_EQ(reread->Combined(), 2 | 50331648 | 1536 | 192 | 8);
}

TEST_F(SettingsTest, UpdateCheckIsDueAfterTheGivenWholeDays) {
  using namespace std::chrono;
  EXPECT_EQ(DateToDayNumber(sys_days{1970y / 1 / 1}), 25569);
  EXPECT_EQ(DateToDayNumber(sys_days{2000y / 1 / 1}), 36526);

  auto options = Factory().CreateRegOptions();
  const int today = DateToDayNumber(Today());
  options->SetLastCheck(Today());
  EXPECT_EQ(options->GetLastCheck(), today);
  for (int lastCheck : {0, today - 1000, today, today + 5}) {
    RegistryKey(Hive::CurrentUser, Key("Options"), true).WriteInteger("LastCheck", lastCheck);
    options->SetCheckEvery(0);
    EXPECT_FALSE(options->IsUpdateCheckDue()) << "never with CheckEvery 0, LastCheck " << lastCheck;
    options->SetCheckEvery(-3);
    EXPECT_FALSE(options->IsUpdateCheckDue()) << "never with a negative CheckEvery";
  }
  options->SetCheckEvery(7);
  options->SetLastCheck(Today() - days{7});
  EXPECT_TRUE(options->IsUpdateCheckDue());
  options->SetLastCheck(Today() - days{6});
  EXPECT_FALSE(options->IsUpdateCheckDue());
  options->SetLastCheck(Today() - days{400});
  EXPECT_TRUE(options->IsUpdateCheckDue());
}

TEST_F(SettingsTest, LanguageKeysLeadToTheWordsOfTheChosenLanguage) {
  auto intl = Factory().CreateRegIntl();
  const std::string intlKey = Key("Intl");
  EXPECT_EQ(intl->GetIDELangKey(), intlKey + "\\IDE\\English");
  EXPECT_EQ(intl->GetSSLangKey(), intlKey + "\\SourceSafe\\English");
  RegistryKey(Hive::CurrentUser, intlKey + "\\SourceSafe\\Deutsch", true).WriteString("Change", "Änderung");
  RegistryKey(Hive::CurrentUser, intlKey + "\\SourceSafe\\English", true);
  RegistryKey(Hive::CurrentUser, intlKey + "\\IDE\\Deutsch", true);
  EXPECT_EQ(intl->GetSSLanguages(), std::vector<std::string>({"Deutsch", "English"}));
  EXPECT_EQ(intl->GetIDELanguages(), std::vector<std::string>({"Deutsch"}));

  EXPECT_EQ(Factory().CreateRegDiffView()->GetChangeWord(), "Change:");
  intl->SetSSLang("Deutsch");
  auto diff = Factory().CreateRegDiffView();
  EXPECT_EQ(diff->GetChangeWord(), "Änderung:");
  EXPECT_EQ(diff->GetDeleteWord(), "Del:") << "a word the language lacks keeps its name";
  EXPECT_EQ(diff->GetInsertWord(), "Ins:");
}

} // namespace
