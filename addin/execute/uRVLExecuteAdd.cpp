#include "addin/execute/uRVLExecuteAdd.h"

#include "addin/diagnostics/uRVLException.h"
#include "addin/frame/uRVLFactory.h"
#include "addin/frame/uRVLGlobals.h"
#include "addin/selection/uRVLDontCheckIn.h"
#include "addin/settings/uRVLUtils.h"
#include "addin/settings/uSpecPath.h"
#include "addin/sourcesafe/uRVLItems.h"
#include "platform/Files.h"

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
  // Without a SourceSafe path inside the bound project there is no parent to add to. (Choosing one in
  // the project dialog comes with that dialog.)
  if (spec.empty() || HasDotDot(spec) || !database)
    throw ERVLException(Globals().ProductName + " could not find under which project " + local + " should be added");
  EnsureSourceSafeProject(*database, SpecFolder(VSSPathOf(spec)))->Add(local, Comment, Flags.Combined());
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
