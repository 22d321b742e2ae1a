#include "addin/execute/uRVLExecuteSynchronize.h"

#include "addin/execute/uRVLExecuteFactory.h"
#include "addin/sourcesafe/uRVLItems.h"
#include "platform/Files.h"

TSyncAction SyncActionOf(TRVLItem* Item) {
  VSSPtr<IVSSItem> vssItem = Item->GetVSSItem();
  if (!vssItem) return TSyncAction::Add;
  if (platform::FileExists(Item->GetLocalSpec()) && vssItem->IsCheckedOut() == VSSFILE_CHECKEDOUT_ME)
    return TSyncAction::CheckIn;
  return TSyncAction::Get;
}

TRVLExecuteSynchronize::TRVLExecuteSynchronize()
    : FGet(TRVLExecuteFactory::_Instance().CreateGet()), FAddFile(TRVLExecuteFactory::_Instance().CreateAddFile()),
      FCheckIn(TRVLExecuteFactory::_Instance().CreateCheckIn()) {}

TRVLExecuteSynchronize::~TRVLExecuteSynchronize() = default;

void TRVLExecuteSynchronize::SetItems(TRVLItems* Items) {
  TRVLExecuteAndReload::SetItems(Items);
  for (TRVLExecute* inner : {FGet.get(), FAddFile.get(), FCheckIn.get()}) inner->SetItems(Items);
}

bool TRVLExecuteSynchronize::CanExecute(TRVLItem* Item) {
  VSSPtr<IVSSItem> vssItem = Item->GetVSSItem();
  if (!vssItem) return FAddFile->CanExecute(Item);
  const std::string local = Item->GetLocalSpec();
  return !platform::FileExists(local) || vssItem->IsDifferent(local);
}

void TRVLExecuteSynchronize::ExecuteItem(int Index, const std::string& Comment, TFlags& Flags) {
  switch (SyncActionOf(FItems->GetItem(Index))) {
    case TSyncAction::Add: return FAddFile->ExecuteItem(Index, Comment, Flags);
    case TSyncAction::CheckIn: return FCheckIn->ExecuteItem(Index, Comment, Flags);
    case TSyncAction::Get: return FGet->ExecuteItem(Index, Comment, Flags);
  }
}

TRVLExecuteSyncClose::TRVLExecuteSyncClose()
    : FAddFile(TRVLExecuteFactory::_Instance().CreateAddFile()),
      FCheckIn(TRVLExecuteFactory::_Instance().CreateCheckIn()) {}

TRVLExecuteSyncClose::~TRVLExecuteSyncClose() = default;

void TRVLExecuteSyncClose::SetItems(TRVLItems* Items) {
  TRVLExecute::SetItems(Items);
  FAddFile->SetItems(Items);
  FCheckIn->SetItems(Items);
}

bool TRVLExecuteSyncClose::CanExecute(TRVLItem* Item) {
  return FAddFile->CanExecute(Item) || FCheckIn->CanExecute(Item);
}

void TRVLExecuteSyncClose::ExecuteItem(int Index, const std::string& Comment, TFlags& Flags) {
  (FItems->GetItem(Index)->IsInVSS() ? FCheckIn : FAddFile)->ExecuteItem(Index, Comment, Flags);
}
