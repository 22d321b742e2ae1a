// The settings sections against a real registry: every default, every round trip at its exact key,
// value name and type, and the rules of the values that are more than plain storage.
#include <chrono>
#include <functional>
#include <type_traits>

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

// One plain value: how a new section reads it, how it is written, and what then stands in the registry.
struct TSetting {
  std::string Tail, Name;
  std::function<std::string()> Get;
  std::function<void()> Set;
  std::string Default, Written;
  RegValue Stored;
};

std::string Show(bool value) { return value ? "true" : "false"; }
std::string Show(int value) { return std::to_string(value); }
std::string Show(const std::string& value) { return value; }

// A new section of the given kind, as the add-in makes them.
template <class S>
std::unique_ptr<S> NewSection() {
  if constexpr (std::is_same_v<S, TRegOptions>) return Factory().CreateRegOptions();
  else if constexpr (std::is_same_v<S, TRegDiffView>) return Factory().CreateRegDiffView();
  else if constexpr (std::is_same_v<S, TRegIntl>) return Factory().CreateRegIntl();
  else if constexpr (std::is_same_v<S, TRegTips>) return Factory().CreateRegTips();
  else if constexpr (std::is_same_v<S, TRegProject>) return Factory().CreateRegProject();
  else return Factory().CreateRegAssoc();
}

template <class S, class T, class A>
TSetting Value(T (S::*get)(), void (S::*set)(A), T def, T written, const std::string& tail,
               const std::string& name) {
  RegValue stored{name, ValueType::String, {}, 0};
  if constexpr (std::is_same_v<T, std::string>) stored.Text = written;
  else stored = {name, ValueType::DWord, {}, static_cast<uint32_t>(written)};
  auto read = [=] {
    auto section = NewSection<S>();
    return Show((section.get()->*get)());
  };
  auto write = [=] {
    auto section = NewSection<S>();
    (section.get()->*set)(written);
  };
  return {tail, name, read, write, Show(def), Show(written), stored};
}

std::string Str(const char* text) { return text; }

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

TEST_F(SettingsTest, EveryValueHasItsDefaultAndRoundTripsAtItsKeyWithItsType) {
  using O = TRegOptions;
  using D = TRegDiffView;
  using I = TRegIntl;
  using P = TRegProject;
  using T = TRegTips;
  using A = TRegAssoc;
  const std::vector<TSetting> values = {
      Value(&O::GetSyncOnOpen, &O::SetSyncOnOpen, false, true, "Options", "SyncOnOpen"),
      Value(&O::GetSyncOnClose, &O::SetSyncOnClose, false, true, "Options", "SynOnClose"),
      Value(&O::GetAsciiViewer, &O::SetAsciiViewer, Str("ravelin-view"), Str("less"), "Options", "AsciiViewer"),
      Value(&O::GetDifferenceViewer, &O::SetDifferenceViewer, Str(""), Str("meld"), "Options", "DifferenceViewer"),
      Value(&O::GetUseReadOnly, &O::SetUseReadOnly, 2, 0, "Options", "UseReadOnly"),
      Value(&O::GetUnchangedFiles, &O::SetUnchangedFiles, 0, 50331648, "Options", "UnchangedFiles"),
      Value(&O::GetCompareFiles, &O::SetCompareFiles, 0, 1536, "Options", "CompareFiles"),
      Value(&O::GetReplaceFiles, &O::SetReplaceFiles, 0, 192, "Options", "ReplaceFiles"),
      Value(&O::GetSetTimeFiles, &O::SetSetTimeFiles, 0, 8, "Options", "SetTimeFiles"),
      Value(&O::GetShowHints, &O::SetShowHints, true, false, "Options", "ShowHints"),
      Value(&O::GetUseEI, &O::SetUseEI, true, false, "Options", "UseEI"),
      Value(&O::GetCheckEvery, &O::SetCheckEvery, 0, 14, "Options", "CheckEvery"),
      Value(&O::GetPopupComment, &O::SetPopupComment, false, true, "Options", "PopupComment"),
      Value(&O::GetAutoCheckComment, &O::SetAutoCheckComment, false, true, "Options", "AutoCheckComment"),
      Value(&D::GetSyntax, &D::SetSyntax, true, false, "DiffView", "Syntax"),
      Value(&D::GetIgnoreSpaces, &D::SetIgnoreSpaces, false, true, "DiffView", "IgnoreSpaces"),
      Value(&D::GetChangeColor, &D::SetChangeColor, 255, 0x123456, "DiffView", "Change"),
      Value(&D::GetInsertColor, &D::SetInsertColor, 65280, 1, "DiffView", "Insert"),
      Value(&D::GetDeleteColor, &D::SetDeleteColor, 16776960, 2, "DiffView", "Delete"),
      Value(&I::GetDelphiLang, &I::SetDelphiLang, Str("English"), Str("Deutsch"), "Intl", "DelphiLang"),
      Value(&I::GetSSLang, &I::SetSSLang, Str("English"), Str("Francais"), "Intl", "SSLang"),
      Value(&T::GetShowUpdateTip, &T::SetShowUpdateTip, true, false, "Tips", "ShowUpdateTip"),
      Value(&P::GetAutoConvert, &P::SetAutoConvert, false, true, "Project", "AutoConvert"),
      Value(&P::GetAutoDelete, &P::SetAutoDelete, false, true, "Project", "AutoDelete"),
      Value(&A::GetDisableAssoc, &A::SetDisableAssoc, false, true, "", "DisableAssoc"),
  };
  for (const TSetting& value : values) EXPECT_EQ(value.Get(), value.Default) << value.Name;
  for (const TSetting& value : values) value.Set();
  for (const TSetting& value : values) {
    EXPECT_EQ(value.Get(), value.Written) << value.Name;
    ExpectStored(value.Tail, value.Name, value.Stored);
  }
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
