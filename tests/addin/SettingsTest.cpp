// The settings sections against a real registry: every default, every round trip at its exact key,
// value name and type, and the rules of the values that are more than plain storage.
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
using platform::ValueType;

TRVLRegFactory& Factory() { return TRVLRegFactory::_Instance(); }

class SettingsTest : public TempDirTest {
protected:
  // The add-in's own key, or one of its subkeys.
  static std::string Key(const std::string& tail = {}) {
    return Globals().RegistryKey + (tail.empty() ? "" : "\\" + tail);
  }
  // A stored value as it stands in the registry.
  static std::optional<platform::RegValue> Stored(const std::string& tail, const std::string& name) {
    return RegistryKey(Hive::CurrentUser, Key(tail), false).ReadValue(name);
  }
  static void ExpectDWord(const std::string& tail, const std::string& name, uint32_t value) {
    auto stored = Stored(tail, name);
    ASSERT_TRUE(stored) << tail << "\\" << name << " missing";
    EXPECT_EQ(stored->Type, ValueType::DWord) << name;
    EXPECT_EQ(stored->DWord, value) << name;
  }
  static void ExpectString(const std::string& tail, const std::string& name, const std::string& value) {
    auto stored = Stored(tail, name);
    ASSERT_TRUE(stored) << tail << "\\" << name << " missing";
    EXPECT_EQ(stored->Type, ValueType::String) << name;
    EXPECT_EQ(stored->Text, value) << name;
  }
};

TEST_F(SettingsTest, EveryValueHasItsDefaultInAnEmptyRegistry) {
  auto options = Factory().CreateRegOptions();
  EXPECT_FALSE(options->GetSyncOnOpen());
  EXPECT_FALSE(options->GetSyncOnClose());
  EXPECT_EQ(options->GetAsciiViewer(), "ravelin-view");
  EXPECT_EQ(options->GetDifferenceViewer(), "");
  for (int i = 0; i < 4; ++i) EXPECT_EQ(options->GetShortCut(i), 0);
  EXPECT_EQ(options->GetUseReadOnly(), 2);
  EXPECT_EQ(options->GetUnchangedFiles(), 0);
  EXPECT_EQ(options->GetCompareFiles(), 0);
  EXPECT_EQ(options->GetReplaceFiles(), 0);
  EXPECT_EQ(options->GetSetTimeFiles(), 0);
  EXPECT_TRUE(options->GetShowHints());
  EXPECT_TRUE(options->GetUseEI());
  EXPECT_EQ(options->GetLastCheck(), 0);
  EXPECT_EQ(options->GetCheckEvery(), 0);
  EXPECT_FALSE(options->GetPopupComment());
  EXPECT_FALSE(options->GetAutoCheckComment());
  EXPECT_TRUE(options->LoadDontCheckIn().empty());

  auto diff = Factory().CreateRegDiffView();
  EXPECT_TRUE(diff->GetSyntax());
  EXPECT_FALSE(diff->GetIgnoreSpaces());
  EXPECT_EQ(diff->GetChangeColor(), 255);
  EXPECT_EQ(diff->GetInsertColor(), 65280);
  EXPECT_EQ(diff->GetDeleteColor(), 16776960);
  EXPECT_EQ(diff->GetChangeWord(), "Change:");
  EXPECT_EQ(diff->GetDeleteWord(), "Del:");
  EXPECT_EQ(diff->GetInsertWord(), "Ins:");

  auto intl = Factory().CreateRegIntl();
  EXPECT_EQ(intl->GetDelphiLang(), "English");
  EXPECT_EQ(intl->GetSSLang(), "English");
  EXPECT_TRUE(intl->GetIDELanguages().empty());

  EXPECT_TRUE(Factory().CreateRegTips()->GetShowUpdateTip());
  EXPECT_FALSE(Factory().CreateRegProject()->GetAutoConvert());
  EXPECT_FALSE(Factory().CreateRegProject()->GetAutoDelete());
  EXPECT_FALSE(Factory().CreateRegAssoc()->GetDisableAssoc());
  EXPECT_TRUE(Factory().CreateRegAssoc()->GetNames().empty());
  EXPECT_EQ(Factory().CreateRegRVL()->GetInstallPath(), "");
  EXPECT_EQ(Factory().CreateRegUser()->GetUserName("Main"), "");
  EXPECT_EQ(Factory().CreateRegUser()->GetPassword("Main"), "");
}

TEST_F(SettingsTest, WrittenValuesStandAtTheirKeysWithTheirTypesAndReadBackThroughNewSections) {
  {
    auto options = Factory().CreateRegOptions();
    options->SetSyncOnOpen(true);
    options->SetSyncOnClose(true);
    options->SetAsciiViewer("less");
    options->SetDifferenceViewer("meld");
    options->SetShortCut(3, 0x4000 | 'K');
    options->SetShowHints(false);
    options->SetUseEI(false);
    options->SetCheckEvery(14);
    options->SetPopupComment(true);
    options->SetAutoCheckComment(true);
    options->SaveDontCheckIn({"*.res", "*.~*"});
    auto diff = Factory().CreateRegDiffView();
    diff->SetSyntax(false);
    diff->SetIgnoreSpaces(true);
    diff->SetChangeColor(0x123456);
    diff->SetInsertColor(1);
    diff->SetDeleteColor(2);
    auto intl = Factory().CreateRegIntl();
    intl->SetDelphiLang("Deutsch");
    intl->SetSSLang("Francais");
    Factory().CreateRegTips()->SetShowUpdateTip(false);
    Factory().CreateRegProject()->SetAutoConvert(true);
    Factory().CreateRegProject()->SetAutoDelete(true);
    Factory().CreateRegAssoc()->SetDisableAssoc(true);
    Factory().CreateRegAssoc()->Save(".cpp", {"*.h", "*.dfm"});
    Factory().CreateRegUser()->SetUserName("Main", "ann");
  }
  ExpectDWord("Options", "SyncOnOpen", 1);
  ExpectDWord("Options", "SynOnClose", 1);
  ExpectString("Options", "AsciiViewer", "less");
  ExpectString("Options", "DifferenceViewer", "meld");
  ExpectDWord("Options", "ShortCut3", 0x4000 | 'K');
  ExpectDWord("Options", "ShowHints", 0);
  ExpectDWord("Options", "UseEI", 0);
  ExpectDWord("Options", "CheckEvery", 14);
  ExpectDWord("Options", "PopupComment", 1);
  ExpectDWord("Options", "AutoCheckComment", 1);
  ExpectString("Options", "DontCheckIn", "*.res\r\n*.~*\r\n");
  ExpectDWord("DiffView", "Syntax", 0);
  ExpectDWord("DiffView", "IgnoreSpaces", 1);
  ExpectDWord("DiffView", "Change", 0x123456);
  ExpectDWord("DiffView", "Insert", 1);
  ExpectDWord("DiffView", "Delete", 2);
  ExpectString("Intl", "DelphiLang", "Deutsch");
  ExpectString("Intl", "SSLang", "Francais");
  ExpectDWord("Tips", "ShowUpdateTip", 0);
  ExpectDWord("Project", "AutoConvert", 1);
  ExpectDWord("Project", "AutoDelete", 1);
  ExpectDWord("", "DisableAssoc", 1);
  ExpectString("Assoc", ".cpp", "*.h\r\n*.dfm\r\n");
  ExpectString("User", "Main-Name", "ann");

  auto options = Factory().CreateRegOptions();
  EXPECT_TRUE(options->GetSyncOnOpen());
  EXPECT_TRUE(options->GetSyncOnClose());
  EXPECT_EQ(options->GetAsciiViewer(), "less");
  EXPECT_EQ(options->GetDifferenceViewer(), "meld");
  EXPECT_EQ(options->GetShortCut(3), 0x4000 | 'K');
  EXPECT_FALSE(options->GetShowHints());
  EXPECT_FALSE(options->GetUseEI());
  EXPECT_EQ(options->GetCheckEvery(), 14);
  EXPECT_TRUE(options->GetPopupComment());
  EXPECT_TRUE(options->GetAutoCheckComment());
  EXPECT_EQ(options->LoadDontCheckIn(), std::vector<std::string>({"*.res", "*.~*"}));
  auto diff = Factory().CreateRegDiffView();
  EXPECT_FALSE(diff->GetSyntax());
  EXPECT_TRUE(diff->GetIgnoreSpaces());
  EXPECT_EQ(diff->GetChangeColor(), 0x123456);
  EXPECT_FALSE(Factory().CreateRegTips()->GetShowUpdateTip());
  EXPECT_TRUE(Factory().CreateRegProject()->GetAutoConvert());
  EXPECT_TRUE(Factory().CreateRegAssoc()->GetDisableAssoc());
  EXPECT_EQ(Factory().CreateRegAssoc()->Load(".cpp"), std::vector<std::string>({"*.h", "*.dfm"}));
  EXPECT_EQ(Factory().CreateRegUser()->GetUserName("Main"), "ann");
  EXPECT_EQ(Factory().CreateRegUser()->GetUserName("Other"), "") << "per database";
}

TEST_F(SettingsTest, TwoLiveSectionsSeeEachOthersWritesAtOnce) {
  auto reader = Factory().CreateRegOptions();
  auto writer = Factory().CreateRegOptions();
  EXPECT_TRUE(reader->GetUseEI());
  writer->SetUseEI(false);
  EXPECT_FALSE(reader->GetUseEI());
}

TEST_F(SettingsTest, ShortCutsAreStoredAsSixteenBitCodes) {
  auto options = Factory().CreateRegOptions();
  options->SetShortCut(0, 0x12345);
  EXPECT_EQ(options->GetShortCut(0), 0x2345);
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
  ExpectDWord("Options", "UnchangedFiles", 50331648);
  ExpectDWord("Options", "SetTimeFiles", 8);
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

  intl->SetSSLang("Deutsch");
  auto diff = Factory().CreateRegDiffView();
  EXPECT_EQ(diff->GetChangeWord(), "Änderung:");
  EXPECT_EQ(diff->GetDeleteWord(), "Del:") << "a word the language lacks keeps its name";
}

TEST_F(SettingsTest, InstallPathIsReadFromTheRootKey) {
  RegistryKey(Hive::CurrentUser, Key(), true).WriteString("PATH", "/opt/ravelin");
  EXPECT_EQ(Factory().CreateRegRVL()->GetInstallPath(), "/opt/ravelin");
}

} // namespace
