#include "addin/commands/uRVLFilesCommands.h"

#include <utility>

#include "addin/dialogs/uFrmAdvanced.h"
#include "addin/dialogs/uFrmFileList.h"
#include "addin/dialogs/uRVLFormFactory.h"
#include "addin/execute/uRVLExecuteFactory.h"
#include "addin/frame/uRVLFactory.h"
#include "addin/frame/uRVLGlobals.h"
#include "addin/selection/uRVLFileListBuilderFactory.h"
#include "addin/settings/uRVLUtils.h"
#include "addin/sourcesafe/uRVLItem.h"
#include "addin/sourcesafe/uRVLItems.h"
#include "addin/sourcesafe/uRVLProject.h"
#include "addin/tools/uFrmHistory.h"
#include "opentools/ToolIntf.h"
#include "platform/Files.h"
#include "platform/Text.h"

using TBuilderMake = std::unique_ptr<TRVLFileListBuilder> (TRVLFileListBuilderFactory::*)();
using TExecuteMake = std::unique_ptr<TRVLExecute> (TRVLExecuteFactory::*)();
using TDialogMake = TRVLFormPtr<TFrmFileList> (TRVLFormFactory::*)(TRVLProject*);
using TAdvancedMake = TFrmAdvanced* (TRVLFormFactory::*)(TForm*);

struct TRVLFilesCommands::TFileCommand {
  TBuilderMake Builder;
  TExecuteMake Executor;
  TDialogMake Dialog;       // nil: the synchronize dialog, made without the project
  TAdvancedMake Advanced;   // nil: none
  const char* Caption;
};

namespace {

using B = TRVLFileListBuilderFactory;
using E = TRVLExecuteFactory;
using F = TRVLFormFactory;
using C = TRVLFilesCommands::TFileCommand;

const C GetAll{&B::CreateAllVCSFilesBuilder, &E::CreateGet, &F::CreateFileListNoComment, &F::CreateAdvancedGet,
               "Get Latest Version"};
const C GetCurrent{&B::CreateCurrentFileBuilder, &E::CreateGet, &F::CreateFileListNoComment, &F::CreateAdvancedGet,
                   "Get Latest Version"};
const C GetDifferent{&B::CreateDifferentFilesBuilder, &E::CreateGet, &F::CreateFileListNoComment,
                     &F::CreateAdvancedGet, "Get Latest Version"};
const C CheckOutOne{&B::CreateCurrentFileBuilder, &E::CreateCheckOut, &F::CreateFileListComment,
                    &F::CreateAdvancedCheckOut, "Check Out"};
const C CheckOutAll{&B::CreateAllVCSFilesBuilder, &E::CreateCheckOut, &F::CreateFileListComment,
                    &F::CreateAdvancedCheckOut, "Check Out"};
const C CheckInOne{&B::CreateCurrentFileBuilder, &E::CreateCheckIn, &F::CreateFileListCheckIn, nullptr, "Check In"};
const C CheckInAll{&B::CreateAllVCSFilesBuilder, &E::CreateCheckIn, &F::CreateFileListCheckIn, nullptr, "Check In"};
const C UndoOne{&B::CreateCurrentFileBuilder, &E::CreateUndoCheckOut, &F::CreateFileListNoComment,
                &F::CreateAdvancedUndo, "Undo Check Out"};
const C UndoAll{&B::CreateAllVCSFilesBuilder, &E::CreateUndoCheckOut, &F::CreateFileListNoComment,
                &F::CreateAdvancedUndo, "Undo Check Out"};
const C SyncAll{&B::CreateSynchronizeBuilder, &E::CreateSynchronize, nullptr, nullptr, "Synchronize"};
const C AddOne{&B::CreateCurrentFileBuilder, &E::CreateAddFile, &F::CreateFileListAdd, nullptr,
               "Add To Version Control"};
const C AddAll{&B::CreateAllLocalFilesBuilder, &E::CreateAddFile, &F::CreateFileListAdd, nullptr,
               "Add To Version Control"};
const C RemoveOne{&B::CreateCurrentFileBuilder, &E::CreateRemoveFile, &F::CreateFileListNoComment, nullptr,
                  "Remove From Version Control"};
const C RemoveAll{&B::CreateAllVCSFilesBuilder, &E::CreateRemoveFile, &F::CreateFileListNoComment, nullptr,
                  "Remove From Version Control"};

std::unique_ptr<TRVLItems> BuildList(TRVLFileListBuilder& Builder, TRVLProject* Project, TRVLItem* Current,
                                     TRVLExecute* Filter) {
  auto list = TRVLFactory::_Instance().CreateItems();
  Builder.SetParams(Project, Current);
  Builder.SetFilter(Filter);
  Builder.Build(list.get());
  return list;
}

} // namespace

TRVLFilesCommands::TRVLFilesCommands() : FSelection(TRVLFactory::_Instance().CreateItems()) {}

TRVLFilesCommands::~TRVLFilesCommands() = default;

void TRVLFilesCommands::SetSelection(TRVLItems* Items) {
  FSelection->Assign(Items);
  FSelectionMode = smGiven;
}

void TRVLFilesCommands::SetCurrentItem(TRVLItem* Item) {
  FCurrentItem = Item ? TRVLFactory::_Instance().CreateItemCopy(*Item) : nullptr;
}

void TRVLFilesCommands::GetLatestAll(bool WithDialog) { Run(GetAll, WithDialog); }
void TRVLFilesCommands::GetLatestCurrent(bool WithDialog) { Run(GetCurrent, WithDialog); }
void TRVLFilesCommands::GetLatestDifferent(bool WithDialog) { Run(GetDifferent, WithDialog); }
void TRVLFilesCommands::CheckOutCurrent(bool WithDialog) { Run(CheckOutOne, WithDialog); }
void TRVLFilesCommands::CheckOutFiles(bool WithDialog) { Run(CheckOutAll, WithDialog); }
void TRVLFilesCommands::CheckInCurrent(bool WithDialog) { Run(CheckInOne, WithDialog); }
void TRVLFilesCommands::CheckInFiles(bool WithDialog) { Run(CheckInAll, WithDialog); }
void TRVLFilesCommands::UndoCheckOutCurrent(bool WithDialog) { Run(UndoOne, WithDialog); }
void TRVLFilesCommands::UndoCheckOutFiles(bool WithDialog) { Run(UndoAll, WithDialog); }
void TRVLFilesCommands::Synchronize(bool WithDialog) { Run(SyncAll, WithDialog); }
void TRVLFilesCommands::AddCurrent(bool WithDialog) { Run(AddOne, WithDialog); }
void TRVLFilesCommands::AddFiles(bool WithDialog) { Run(AddAll, WithDialog); }
void TRVLFilesCommands::RemoveCurrent(bool WithDialog) { Run(RemoveOne, WithDialog); }
void TRVLFilesCommands::RemoveFiles(bool WithDialog) { Run(RemoveAll, WithDialog); }

void TRVLFilesCommands::Run(const TFileCommand& Command, bool WithDialog) {
  {
    THourglass hourglass;
    if (WithDialog)
      RunWithDialog(Command);
    else
      RunDirect(Command);
  }
  ShowCurrentFile();
}

// Without a dialog the executor's own flags (those of the options) apply.
void TRVLFilesCommands::RunDirect(const TFileCommand& Command) {
  auto builder = (TRVLFileListBuilderFactory::_Instance().*Command.Builder)();
  auto executor = (TRVLExecuteFactory::_Instance().*Command.Executor)();
  auto list = BuildList(*builder, FProject, FCurrentItem.get(), executor.get());
  executor->SetItems(list.get());
  executor->Execute("", nullptr);
}

// The selection mode and the given items apply to this one command, whatever becomes of it.
void TRVLFilesCommands::RunWithDialog(const TFileCommand& Command) {
  const int mode = std::exchange(FSelectionMode, smCurrent);
  const std::unique_ptr<TRVLItems> given = std::exchange(FSelection, TRVLFactory::_Instance().CreateItems());
  auto builder = (TRVLFileListBuilderFactory::_Instance().*Command.Builder)();
  auto executor = (TRVLExecuteFactory::_Instance().*Command.Executor)();
  TRVLFormFactory& forms = TRVLFormFactory::_Instance();
  TRVLFormPtr<TFrmFileList> dialog = Command.Dialog ? (forms.*Command.Dialog)(FProject) : forms.CreateSynchronize();
  if (Command.Advanced) dialog->SetAdvanced((forms.*Command.Advanced)(dialog.get()));
  dialog->SetCaption(Command.Caption);
  auto list = BuildList(*builder, FProject, FCurrentItem.get(), executor.get());
  if (list->Count() == 0 && !dialog->OpenWhenEmpty()) return;
  dialog->SetList(list.get(), executor.get());
  if (mode == smCurrent) {
    if (FCurrentItem) given->AddCopy(FCurrentItem.get());
    dialog->CheckItems(given.get());
  } else if (mode == smAll) {
    dialog->SelectAll(true);
  } else if (mode == smGiven) {
    dialog->CheckItems(given.get());
  }
  dialog->ShowModal();
}

void TRVLFilesCommands::ShowHistory(bool AllFiles) {
  TRVLFileListBuilderFactory& builders = TRVLFileListBuilderFactory::_Instance();
  auto builder = AllFiles ? builders.CreateAllVCSFilesBuilder() : builders.CreateVCSProjectBuilder();
  std::unique_ptr<TRVLItems> list = BuildList(*builder, FProject, FCurrentItem.get(), nullptr);
  FSelectionMode = smCurrent;
  if (list->Count() == 0) {
    ShowMessageBox("Nothing was found for this command!", MB_OK | MB_ICONWARNING);
    return;
  }
  TRVLFormPtr<TFrmHistory> window = TRVLFormFactory::_Instance().CreateHistory();
  window->SetCaption("Show History");
  window->SetFiles(list.get(), FProject);
  std::unique_ptr<TRVLItems> current = TRVLFactory::_Instance().CreateItems();
  if (FCurrentItem) current->AddCopy(FCurrentItem.get());
  window->SelectFile(current.get());
  window->ShowModal();
}

void TRVLFilesCommands::SyncProjectOpen() { OfferSync(true); }
void TRVLFilesCommands::SyncProjectClose() { OfferSync(false); }

void TRVLFilesCommands::OfferSync(bool OnOpen) {
  auto& builders = TRVLFileListBuilderFactory::_Instance();
  auto& executors = TRVLExecuteFactory::_Instance();
  std::unique_ptr<TRVLSyncOpenListBuilder> openBuilder;
  std::unique_ptr<TRVLFileListBuilder> builder;
  if (OnOpen)
    openBuilder = builders.CreateSyncOpenBuilder();
  else
    builder = builders.CreateSyncCloseBuilder();
  auto executor = OnOpen ? executors.CreateGet() : executors.CreateSyncClose();
  auto list = BuildList(OnOpen ? *openBuilder : *builder, FProject, FCurrentItem.get(), executor.get());
  if (list->Count() == 0) return;
  const std::string name = ProjectNameOf(FProject);
  const std::string question = OnOpen ? SyncOpenQuestion(name, openBuilder->NewFiles(), openBuilder->ChangedFiles())
                                      : SyncCloseQuestion(name);
  if (ShowMessageBox(question, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  TRVLFormFactory& forms = TRVLFormFactory::_Instance();
  TRVLFormPtr<TFrmFileList> dialog = forms.CreateFileListNoComment(FProject);
  dialog->SetAdvanced(forms.CreateAdvancedGet(dialog.get()));
  dialog->SetCaption("Synchronize Project");
  dialog->SetList(list.get(), executor.get());
  dialog->SelectAll(true);
  dialog->ShowModal();
}

void TRVLFilesCommands::ShowCurrentFile() {
  TIToolServices* services = Globals().ToolServices;
  if (!FCurrentItem || !services) return;
  const std::string file = FCurrentItem->GetLocalSpec();
  const std::string ext = platform::ExtractFileExt(file);
  if (platform::SameText(ext, ".tlb") || platform::SameText(ext, ".bpg") ||
      platform::FoldCase(platform::ExtractFileName(file)).find("_tlb.pas") != std::string::npos)
    return;
  // Nor the project file itself.
  if (platform::SamePath(file, services->GetProjectName())) return;
  FCurrentItem->ShowInIDE();
}

std::string SyncOpenQuestion(const std::string& ProjectName, int New, int Changed) {
  const std::string shortName = Globals().ShortName;
  const std::string head = "Project " + ProjectName + " has";
  const std::string newPart =
      std::to_string(New) + (New == 1 ? " new file in " : " new files in ") + shortName;
  const std::string changedPart = std::to_string(Changed) +
                                  (Changed == 1 ? " file that has changed in " : " files that has changed in ") +
                                  shortName;
  const std::string question = New + Changed < 2 ? "Would you like to get this file now?"
                                                 : "Would you like to get these files now?";
  if (New == 0) return head + " " + changedPart + ". " + question;
  return head + " " + newPart + (Changed > 0 ? ", and " + changedPart : "") + ". " + question;
}

std::string SyncCloseQuestion(const std::string& ProjectName) {
  return "Project " + ProjectName + " is not synchronized, Would you like to synchronize it now?";
}

std::string ProjectNameOf(TRVLProject* Project) {
  return Project ? platform::ExtractBaseName(Project->FileName()) : std::string();
}
