// The view commands start real programs (recording scripts stand in for the viewers and the
// desktop's opener) on copies in a temporary folder of the test's own: what each program is given,
// the form-file shapes, the messages instead of a comparison, and failures that leave no copy.
#include <filesystem>

#include "../execute/WorkFixture.h"
#include "MessageOf.h"
#include "addin/commands/uRVLCommandsFactory.h"
#include "addin/frame/uRVLFactory.h"
#include "addin/frame/uRVLGlobals.h"
#include "addin/diagnostics/uRVLException.h"
#include "addin/settings/uRVLRegFactory.h"
#include "addin/settings/uRegDiffView.h"
#include "addin/settings/uRegOptions.h"
#include "addin/settings/uRegVSS.h"
#include "addin/sourcesafe/uRVLItem.h"
#include "addin/sourcesafe/uRVLProject.h"
#include "addin/tools/uRVLViewCommands.h"
#include "platform/Environment.h"
#include "platform/FormFile.h"
#include "platform/Text.h"

namespace {

const std::string TextForm = "object Form1: TForm1\r\n  Caption = 'Hello'\r\nend\r\n";

class ViewCommandsTest : public WorkFixture {
protected:
  void SetUp() override {
    WorkFixture::SetUp();
    std::filesystem::create_directories(PathOf("tmp"));
    SetEnvironment("TMPDIR", (PathOf("tmp") + "/").c_str());
    // Each program copies the files it is given into seen/, in order, and lists their names.
    for (const char* name : {"viewer", "xdg-open"}) {
      const std::string file = WriteFile(std::string("bin/") + name,
                                         "#!/bin/sh\nmkdir -p '" + PathOf("seen") + "'\nfor f; do\n  printf '%s\\n' \"$f\" >> '" +
                                             PathOf("seen/names") + "'\n  cp \"$f\" '" + PathOf("seen") +
                                             "'/$(ls '" + PathOf("seen") + "' | wc -l)\ndone\n");
      std::filesystem::permissions(file, std::filesystem::perms::owner_exec, std::filesystem::perm_options::add);
    }
    SetEnvironment("PATH", (PathOf("bin") + ":" + platform::GetEnv("PATH")).c_str());
    TRVLRegFactory::_Instance().CreateRegOptions()->SetAsciiViewer(PathOf("bin/viewer"));
    // No viewer window is expected here: one that comes up is named and closed.
    SetModalHook([](TForm& form) {
      ADD_FAILURE() << form.ClassName() << " came up";
      form.SetModalResult(mrCancel);
    });
  }
  void TearDown() override {
    SetModalHook(nullptr);
    WorkFixture::TearDown();
  }
  std::unique_ptr<TRVLViewCommands> View() { return TRVLCommandsFactory::_Instance().CreateViewCommands(); }
  std::vector<std::string> Seen() const {
    std::vector<std::string> names = platform::Split(ReadFile(PathOf("seen/names")), '\n');
    if (!names.empty() && names.back().empty()) names.pop_back();
    return names;
  }
  std::string SeenContent(int index) const { return ReadFile(PathOf("seen/" + std::to_string(index + 1))); }
  bool TempEmpty() const { return std::filesystem::is_empty(PathOf("tmp")); }
  std::string LastPrompt() const {
    return FPrompter->Prompts().empty() ? "" : FPrompter->Prompts().back().Icon + ": " + FPrompter->Prompts().back().Text;
  }
};

// Forms are shown as text in all three shapes: a text form as it is, a binary one (resource header
// or bare stream) through a text copy deleted with the command. Type libraries go to the desktop's
// opener; a second copy of one name gets a number.
TEST_F(ViewCommandsTest, FormShapesTypeLibrariesAndTemporaryNames) {
  const std::string stream = platform::FormTextToBinary(TextForm);
  const std::string header("\xFF\x0A\x00" "FORM1\x00" "\x30\x10", 11);
  const uint32_t size = uint32_t(stream.size());
  const std::string resource = header + std::string(reinterpret_cast<const char*>(&size), 4) + stream;
  const std::string text = WriteFile("forms/Text.dfm", TextForm);
  {
    auto view = View();
    view->ViewFile(text, true);
    view->ViewFile(WriteFile("forms/Bare.DFM", stream), true);
    view->ViewFile(WriteFile("forms/Header.dfm", resource), false);
    view->ViewFile(WriteFile("other/Header.dfm", resource), false);
    view->ViewFile(WriteFile("forms/Types.tlb", "MSFT"), false);
    EXPECT_EQ(view->TempFiles.size(), 3u);
  }
  const std::vector<std::string> seen = Seen();
  ASSERT_EQ(seen.size(), 5u);
  EXPECT_EQ(seen[0], text);
  EXPECT_EQ(seen[1], PathOf("tmp/Bare.DFM"));
  EXPECT_EQ(seen[2], PathOf("tmp/Header.dfm"));
  EXPECT_TRUE(seen[3].starts_with(PathOf("tmp/Header-")) && seen[3].ends_with(".dfm")) << seen[3];
  EXPECT_EQ(seen[4], PathOf("forms/Types.tlb")) << "a type library goes to the desktop's opener";
  for (int i = 0; i < 4; ++i) EXPECT_EQ(platform::FormBinaryToText(platform::FormTextToBinary(SeenContent(i))),
                                        platform::FormBinaryToText(stream)) << i;
  EXPECT_TRUE(TempEmpty());

  const std::string error = MessageOf<ERVLException>([&] { View()->ViewFile(WriteFile("forms/Bad.dfm", "TPF0\x05"), false); });
  EXPECT_NE(error.find(PathOf("forms/Bad.dfm") + "\" is not a form file that can be shown as text"), std::string::npos)
      << error;
}

// What Show Differences says instead of comparing; the files are compared as saved (no editor has
// them open).
TEST_F(ViewCommandsTest, MessagesInsteadOfAComparison) {
  Globals().ToolServices = &FServices;
  FPrompter->AddAnswer("OK");
  const std::string notes = WriteFile("elsewhere/Notes.cpp", "// notes\n");
  TRVLFactory::_Instance().CreateItemFromFile(notes, FProject.get())->ShowDifference();
  EXPECT_EQ(LastPrompt(), "Error: " + notes + " is not in SourceSafe");

  std::filesystem::remove(Local("Util.cpp"));
  FPrompter->AddAnswer("OK");
  Item("Util.cpp")->ShowDifference();
  EXPECT_EQ(LastPrompt(), "Warning: File " + Local("Util.cpp") + " does not exist");

  // Only blanks changed: with the option set, the viewer is not shown at all.
  const std::string unit = Stored("Unit1.h");
  CheckInAs("Bob", "Unit1.h", unit + "   \n");
  std::filesystem::permissions(Local("Unit1.h"), std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
  WriteFile("Demo/Unit1.h", unit + "\t\n");
  TRVLRegFactory::_Instance().CreateRegDiffView()->SetIgnoreSpaces(true);
  TRVLRegFactory::_Instance().CreateRegVSS()->SetInstallDir((BuildDir() / "sourcesafe").string());
  FPrompter->AddAnswer("OK");
  Item("Unit1.h")->ShowDifference();
  EXPECT_EQ(LastPrompt(), "Information: The files are identical");
  EXPECT_TRUE(TempEmpty());
}

// A viewer that isn't there and an `ss` that reports an error raise with the program's name; the
// copies made before are deleted all the same.
TEST_F(ViewCommandsTest, FailuresNameTheProgramAndLeaveNoCopy) {
  TRVLRegFactory::_Instance().CreateRegOptions()->SetAsciiViewer(PathOf("bin/missing"));
  std::string error = MessageOf<ERVLException>([&] { Item("Util.h")->ViewVersion(); });
  EXPECT_EQ(error.find("Can not run '" + PathOf("bin/missing") + "' - "), 0u) << error;
  EXPECT_TRUE(TempEmpty());

  const std::string ss = WriteFile("failing/ss", "#!/bin/sh\nexit 100\n");
  std::filesystem::permissions(ss, std::filesystem::perms::owner_exec, std::filesystem::perm_options::add);
  TRVLRegFactory::_Instance().CreateRegVSS()->SetInstallDir(PathOf("failing"));
  CheckInAs("Bob", "Util.cpp", Stored("Util.cpp") + "// Bob\n");
  error = MessageOf<ERVLException>([&] { Item("Util.cpp")->ShowDifference(); });
  EXPECT_EQ(error, "Can not run '" + ss + "' (100)");
  EXPECT_TRUE(TempEmpty());
}

} // namespace
