#include "addin/execute/uRVLExecuteCheckIn.h"

#include "addin/diagnostics/uRVLException.h"
#include "addin/frame/uRVLFactory.h"
#include "addin/frame/uRVLGlobals.h"
#include "addin/selection/uRVLDontCheckIn.h"
#include "addin/sourcesafe/uRVLItem.h"
#include "addin/sourcesafe/uRVLItems.h"

namespace {

// The version the user checked out: that of the user's own check-out record, else the current one.
int CheckedOutVersion(IVSSItem& Item, const std::string& UserName) {
  VSSPtr<IVSSCheckouts> checkouts = Item.Checkouts();
  for (int i = 1; i <= checkouts->Count(); ++i) {
    VSSPtr<IVSSCheckout> checkout = checkouts->Item(i);
    if (checkout->Username() == UserName) return checkout->VersionNumber();
  }
  return Item.VersionNumber();
}

} // namespace

TRVLExecuteCheckIn::TRVLExecuteCheckIn() : FDontCheckIn(TRVLFactory::_Instance().CreateDontCheckIn()) {}

TRVLExecuteCheckIn::~TRVLExecuteCheckIn() = default;

bool TRVLExecuteCheckIn::CanExecute(TRVLItem* Item) {
  return IsCheckedOutToMe(Item) && FDontCheckIn->CanCheckIn(Item->GetVSSItem()->Name());
}

void TRVLExecuteCheckIn::ExecuteItem(int Index, const std::string& Comment, TFlags& Flags) {
  TRVLItem* item = FItems->GetItem(Index);
  if (!item->SaveInIDE()) throw ERVLException("File must be saved");
  const std::string local = item->GetLocalSpec();
  VSSPtr<IVSSItem> vssItem = item->GetVSSItem();
  const int version = CheckedOutVersion(*vssItem, item->GetDatabase()->UserName());
  if (vssItem->VersionNumber() != version)
    throw ERVLException("The file can not be merged using " + Globals().ProductName + ". Please use " +
                        Globals().ShortName + " to check it in");
  vssItem->Checkin(Comment, local, Flags.Combined());
  FReloadList->AddCopy(item);
}

bool TRVLExecuteUndoCheckOut::CanExecute(TRVLItem* Item) { return IsCheckedOutToMe(Item); }

void TRVLExecuteUndoCheckOut::ExecuteItem(int Index, const std::string&, TFlags& Flags) {
  TRVLItem* item = FItems->GetItem(Index);
  item->GetVSSItem()->UndoCheckout(item->GetLocalSpec(), Flags.Combined());
  FReloadList->AddCopy(item);
}
