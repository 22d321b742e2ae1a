#include "addin/execute/uRVLExecuteGet.h"

#include "addin/diagnostics/uRVLException.h"
#include "addin/settings/uRVLUtils.h"
#include "addin/sourcesafe/uRVLItem.h"
#include "addin/sourcesafe/uRVLItems.h"
#include "platform/Files.h"

void TRVLGetAnswers::EnsureLocalFolder(const std::string& FileName) {
  const std::string folder = platform::ExtractFileDir(FileName);
  if (!EnsureFolder(folder, FolderForAll, FolderCreate)) throw ERVLException(folder + " does not exist");
}

void TRVLGetAnswers::RunReplacing(const std::string& FileName, TFlags& Flags,
                                  const std::function<void(int)>& Operation) {
  try {
    Operation(Flags.Combined());
    return;
  } catch (const EVSSAutomation& e) {
    if (e.HelpContext() != 0) throw;
  }
  if (!WritableForAll) {
    const TModalResult answer =
        MessageDlg(FileName + " is writeable, replace?", mtWarning, {mbYes, mbNo, mbNoToAll, mbYesToAll});
    WritableReplace = answer == mrYes || answer == mrYesToAll;
    WritableForAll = answer == mrNoToAll || answer == mrYesToAll;
  }
  if (!WritableReplace) throw ERVLException("Writeable");
  Flags.ReplaceFlag = VSSFLAG_REPREPLACE;
  Operation(Flags.Combined());
}

bool TRVLExecuteGet::CanExecute(TRVLItem* Item) { return Item->IsInVSS(); }

void TRVLExecuteGet::ExecuteItem(int Index, const std::string&, TFlags& Flags) {
  TRVLItem* item = FItems->GetItem(Index);
  std::string local = item->GetLocalSpec();
  EnsureLocalFolder(local);
  RunReplacing(local, Flags, [&](int flags) {
    item->GetVSSItem()->Get(local, flags);
    FReloadList->AddCopy(item);
  });
}

TRVLExecuteCheckOut::~TRVLExecuteCheckOut() {
  // The last reload is this executor's own kind; the list is then done with.
  Guarded(this, [this] { AfterExecute(); });
  FReloadList->Clear();
}

bool TRVLExecuteCheckOut::CanExecute(TRVLItem* Item) { return CanBeCheckedOut(Item); }

void TRVLExecuteCheckOut::AfterExecute() {
  for (int i = 0; i < FReloadList->Count(); ++i) {
    try {
      FReloadList->GetItem(i)->ReloadInIDE(false);
    } catch (const std::exception& e) {
      ShowError(e.what());
    }
  }
}

void TRVLExecuteCheckOut::ExecuteItem(int Index, const std::string& Comment, TFlags& Flags) {
  TRVLItem* item = FItems->GetItem(Index);
  const std::string local = item->GetLocalSpec();
  VSSPtr<IVSSItem> vssItem = item->GetVSSItem();
  if (vssItem->IsCheckedOut() == VSSFILE_CHECKEDOUT) {
    const std::string user = vssItem->Checkouts()->Item(1)->Username();
    if (ShowMessageBox(local + " is already checked out to " + user + ", Continue?", MB_YESNO | MB_ICONQUESTION) !=
        IDYES)
      throw ERVLException("Already checked out");
  }
  EnsureLocalFolder(local);
  RunReplacing(local, Flags, [&](int flags) {
    vssItem->Checkout(Comment, local, flags);
    FReloadList->AddCopy(item);
  });
}
