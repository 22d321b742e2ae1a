#include "addin/execute/uRVLExecuteAdd.h"

#include "addin/diagnostics/uRVLException.h"
#include "addin/dialogs/uRVLFormFactory.h"
#include "addin/frame/uRVLFactory.h"
#include "addin/frame/uRVLGlobals.h"
#include "addin/selection/uRVLDontCheckIn.h"
#include "addin/settings/uRVLUtils.h"
#include "addin/settings/uSpecPath.h"
#include "addin/sourcesafe/uRVLItems.h"
#include "addin/sourcesafe/uRVLLogin.h"
#include "addin/sourcesafe/uRVLProject.h"
#include "addin/tools/uFrmAddProject.h"
#include "platform/Files.h"

namespace {

// Asks the user for the SourceSafe project a file with no usable SourceSafe path goes into. The
// project dialog binds the file's folder to the project chosen; nil when the user declines.
VSSPtr<IVSSItem> ChooseParent(const std::string& Local, VSSPtr<IVSSDatabase> Database) {
  const std::string& product = Globals().ProductName;
  if (ShowMessageBox(product + " Can not find the parent project for " + Local + ".\rWould you like to select it?",
                     MB_YESNO | MB_ICONQUESTION) != IDYES)
    return nullptr;
  // A file of no bound project has no database yet: the one the user logs in to.
  if (!Database) Database = TRVLFactory::_Instance().CreateLogin()->Login("");
  if (!Database) return nullptr;
  std::unique_ptr<TRVLProject> project = TRVLFactory::_Instance().CreateProject(platform::ExtractFilePath(Local));
  TRVLFormPtr<TFrmAddProject> dialog = TRVLFormFactory::_Instance().CreateAddProject(Database);
  dialog->SetCaption("Select project");
  dialog->SetProject(project.get());
  if (dialog->ShowModal() != mrOk) return nullptr;
  return project->GetVSSProject();
}

} // namespace

TRVLExecuteAddFile::TRVLExecuteAddFile() : FDontCheckIn(TRVLFactory::_Instance().CreateDontCheckIn()) {}

TRVLExecuteAddFile::~TRVLExecuteAddFile() = default;

bool TRVLExecuteAddFile::CanExecute(TRVLItem* Item) {
  const std::string local = Item->GetLocalSpec();
  return !Item->IsInVSS() && FDontCheckIn->CanCheckIn(local) && platform::FileExists(local);
}

void TRVLExecuteAddFile::ExecuteItem(int Index, const std::string& Comment, TFlags& Flags) {
  TRVLItem* item = FItems->GetItem(Index);
  if (!item->SaveInIDE()) throw ERVLException("File must be saved");
  const std::string local = item->GetLocalSpec();
  const std::string spec = item->GetSpec();
  VSSPtr<IVSSDatabase> database = item->GetDatabase();
  VSSPtr<IVSSItem> parent;
  // A path climbing out of the bound project (or none at all) names no parent; the user picks one.
  if (!spec.empty() && !HasDotDot(spec) && database)
    parent = EnsureSourceSafeProject(*database, SpecFolder(VSSPathOf(spec)));
  else
    parent = ChooseParent(local, database);
  if (!parent)
    throw ERVLException(Globals().ProductName + " could not find under which project " + local + " should be added");
  parent->Add(local, Comment, Flags.Combined());
}

bool TRVLExecuteRemoveFile::CanExecute(TRVLItem* Item) { return Item->IsInVSS(); }

void TRVLExecuteRemoveFile::ExecuteItem(int Index, const std::string&, TFlags&) {
  FItems->GetItem(Index)->GetVSSItem()->SetDeleted(true);
}

bool TRVLExecutePurge::CanExecute(TRVLItem* Item) { return Item->IsInVSS(); }

void TRVLExecutePurge::ExecuteItem(int Index, const std::string&, TFlags&) {
  FItems->GetItem(Index)->GetVSSItem()->Destroy();
}

bool TRVLExecuteRecover::CanExecute(TRVLItem* Item) {
  VSSPtr<IVSSItem> vssItem = Item->GetVSSItem();
  return vssItem && vssItem->Deleted();
}

void TRVLExecuteRecover::ExecuteItem(int Index, const std::string&, TFlags&) {
  FItems->GetItem(Index)->GetVSSItem()->SetDeleted(false);
}
