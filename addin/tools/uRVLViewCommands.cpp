#include "addin/tools/uRVLViewCommands.h"

#include <fstream>
#include <memory>
#include <random>

#include "addin/commands/uRVLCommands.h"
#include "addin/diagnostics/uRVLException.h"
#include "addin/dialogs/uRVLFormFactory.h"
#include "addin/frame/uRVLGlobals.h"
#include "addin/settings/uRVLRegFactory.h"
#include "addin/settings/uRVLUtils.h"
#include "addin/settings/uRegDiffView.h"
#include "addin/settings/uRegOptions.h"
#include "addin/settings/uRegVSS.h"
#include "addin/sourcesafe/uRVLItem.h"
#include "addin/tools/uFrmFileDiff.h"
#include "opentools/EditIntf.h"
#include "opentools/ModuleIntf.h"
#include "opentools/ToolIntf.h"
#include "platform/Files.h"
#include "platform/FormFile.h"
#include "platform/Process.h"
#include "platform/Text.h"

namespace {

std::string Quoted(const std::string& FileName) { return platform::QuoteArgument(FileName); }

void Inform(const std::string& Text) { ShowMessageBox(Text, MB_OK | MB_ICONINFORMATION); }

} // namespace

std::string VersionCaption(TRVLItem* Item) {
  return Item->GetSpec() + " Version:" + std::to_string(Item->GetVSSItem()->VersionNumber());
}

TRVLViewCommands::TRVLViewCommands() {
  TRVLRegFactory& settings = TRVLRegFactory::_Instance();
  std::unique_ptr<TRegOptions> options = settings.CreateRegOptions();
  AsciiViewer = options->GetAsciiViewer();
  DifferenceViewer = options->GetDifferenceViewer();
  SSExePath = settings.CreateRegVSS()->GetSSExePath();
  IgnoreSpaces = settings.CreateRegDiffView()->GetIgnoreSpaces();
}

// SourceSafe's copies are read-only; each is made writable before it is deleted.
TRVLViewCommands::~TRVLViewCommands() {
  for (const std::string& file : TempFiles)
    if (platform::FileExists(file)) {
      platform::SetReadOnly(file, false);
      platform::DeleteFile(file);
    }
}

std::string TRVLViewCommands::TempName(const std::string& Name) {
  static std::mt19937 random{std::random_device{}()};
  const std::string folder = platform::TempDirectory(), name = platform::ExtractFileName(Name);
  std::string result = folder + name;
  while (platform::FileExists(result))
    result = folder + platform::ExtractBaseName(name) + "-" +
             std::to_string(random() % unsigned(Globals().TempNameRange)) + platform::ExtractFileExt(name);
  TempFiles.push_back(result);
  return result;
}

std::string TRVLViewCommands::FetchVersion(TRVLItem* Item) {
  std::string local = TempName(Item->GetLocalSpec().empty() ? Item->GetSpec() : Item->GetLocalSpec());
  Item->GetVSSItem()->Get(local, 0);
  if (local != TempFiles.back()) TempFiles.push_back(local);
  return local;
}

void TRVLViewCommands::Prepare(std::string& FileName, bool& IsBinary) {
  const std::string extension = platform::UpperCase(platform::ExtractFileExt(FileName));
  if (extension == ".DFM") {
    FileName = FormAsText(FileName);
    IsBinary = false;
  } else if (extension == ".TLB") {
    IsBinary = true;
  }
}

// A form saved as text is shown as it is; a binary one (with or without its resource header) as
// the text it streams to.
std::string TRVLViewCommands::FormAsText(const std::string& FileName) {
  std::string content, error;
  if (!platform::ReadFile(FileName, content, &error))
    throw ERVLException("Cannot read \"" + FileName + "\": " + error);
  if (platform::IsTextForm(content)) return FileName;
  std::string text;
  try {
    text = platform::FormBinaryToText(content);
  } catch (const std::exception& e) {
    throw ERVLException("\"" + FileName + "\" is not a form file that can be shown as text: " + e.what());
  }
  const std::string result = TempName(FileName);
  if (!platform::WriteFileAtomic(result, text, &error))
    throw ERVLException("Cannot write \"" + result + "\": " + error);
  return result;
}

std::string TRVLViewCommands::EditorText(const std::string& FileName) {
  TIToolServices* services = Globals().ToolServices;
  if (!services || !services->IsFileOpen(FileName)) return FileName;
  TIntfPtr<TIModuleInterface> module(services->GetModuleInterface(FileName));
  if (!module) return FileName;
  const std::string copy = TempName(FileName);
  return WriteEditorText(module.Get(), copy) ? copy : FileName;
}

bool TRVLViewCommands::WriteEditorText(TIModuleInterface* Module, const std::string& FileName) {
  TIntfPtr<TIEditorInterface> editor(Module->GetEditorInterface());
  if (!editor) return false;
  TIntfPtr<TIEditReader> reader(editor->CreateReader());
  if (!reader) return false;
  std::ofstream out(FileName, std::ios::binary | std::ios::trunc);
  constexpr int BufferSize = 16385;
  std::vector<char> buffer(BufferSize);
  for (int position = 0;;) {
    const int n = reader->GetText(position, buffer.data(), BufferSize);
    if (n > 0) out.write(buffer.data(), n);
    position += std::max(n, 0);
    if (n < BufferSize) break;
  }
  out.close();
  return bool(out);
}

void TRVLViewCommands::ViewVersion(TRVLItem* Item) {
  const std::string file = FetchVersion(Item);
  ViewFile(file, Item->GetVSSItem()->Binary());
}

void TRVLViewCommands::ViewFile(const std::string& FileName, bool IsBinary) {
  std::string file = FileName;
  Prepare(file, IsBinary);
  platform::FileReadWatch read(file);
  if (IsBinary) {
    THourglass hourglass;
    std::string error;
    if (!platform::ShellOpen(file, &error)) throw ERVLException(error);
    read.Wait(nullptr, Globals().IdleWait);
  } else {
    read.Wait(&StartProgram(AsciiViewer, Quoted(file)), Globals().IdleWait);
  }
}

void TRVLViewCommands::ShowDifference(TRVLItem* Item) {
  if (!Item->IsInVSS()) {
    ShowMessageBox(Item->GetLocalSpec() + " is not in " + Globals().ShortName, MB_OK | MB_ICONSTOP);
    return;
  }
  const std::string leftCaption = VersionCaption(Item), rightCaption = Item->GetLocalSpec();
  const std::string working = EditorText(Item->GetLocalSpec());
  if (!platform::FileExists(working)) {
    ShowMessageBox("File " + working + " does not exist", MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  if (!Item->GetVSSItem()->IsDifferent(working)) {
    Inform("The files are identical");
    return;
  }
  const std::string left = FetchVersion(Item);
  ShowDifferences(leftCaption, rightCaption, left, working, Item->GetVSSItem()->Binary());
}

void TRVLViewCommands::CompareVersions(TRVLItem* ItemA, TRVLItem* ItemB) {
  const std::string captionA = VersionCaption(ItemA), captionB = VersionCaption(ItemB);
  const std::string a = FetchVersion(ItemA);
  if (!ItemB->GetVSSItem()->IsDifferent(a)) {
    Inform("The files are identical");
    return;
  }
  const std::string b = FetchVersion(ItemB);
  ShowDifferences(captionA, captionB, a, b, ItemA->GetVSSItem()->Binary() || ItemB->GetVSSItem()->Binary());
}

void TRVLViewCommands::ShowDifferences(const std::string& LeftCaption, const std::string& RightCaption,
                                       std::string LeftFile, std::string RightFile, bool IsBinary) {
  Prepare(LeftFile, IsBinary);
  Prepare(RightFile, IsBinary);
  if (IsBinary) {
    Inform("Binary files are different");
  } else if (DifferenceViewer.empty()) {
    InternalCompare(LeftCaption, RightCaption, LeftFile, RightFile);
  } else {
    // A program still open after the wait is left running.
    StartProgram(DifferenceViewer, Quoted(LeftFile) + " " + Quoted(RightFile)).Wait(Globals().ExitWait);
  }
}

void TRVLViewCommands::InternalCompare(const std::string& LeftCaption, const std::string& RightCaption,
                                       const std::string& LeftFile, const std::string& RightFile) {
  const std::string report = TempName("Diff.txt");
  RunSS("Diff " + Quoted(LeftFile) + " " + Quoted(RightFile) + "  -I-" + (IgnoreSpaces ? " -IW " : " ") + "-Ds " +
        Quoted("-O&" + report) + " " + Quoted("-O@" + report));
  TRVLFormPtr<TFrmFileDiff> viewer =
      TRVLFormFactory::_Instance().CreateFileDiff(LeftFile, RightFile, report, LeftCaption, RightCaption);
  if (viewer->DiffCount == 0 && IgnoreSpaces) Inform("The files are identical");
  else viewer->ShowModal();
}

void TRVLViewCommands::RunSS(const std::string& Arguments) {
  platform::Process ss;
  if (!ss.Start(Quoted(SSExePath) + " " + Arguments, true))
    throw ERVLException("Can not run '" + SSExePath + "' - " + ss.Error());
  const int code = ss.Wait(Globals().ExitWait);
  if (code == platform::TimeoutExitCode)
    throw ERVLException("Can not run '" + SSExePath + "' - Possibly wrong password");
  if (code == 100) throw ERVLException("Can not run '" + SSExePath + "' (100)");
}
