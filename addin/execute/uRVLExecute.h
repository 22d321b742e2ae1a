#pragma once
// Executors: one SourceSafe operation over a list of items. `Execute` runs the operation item by item,
// logging each result in the log window (failures in red, without stopping), and shows only the
// failures at the end. The same executor filters the file-list builders through `CanExecute`, so that
// a list only offers files fit for the operation. `TRVLExecuteAndReload` reloads into the IDE every
// file whose disk copy the operation changed, right after its item.
#include <memory>
#include <string>

#include "addin/dialogs/uRVLForm.h"
#include "addin/settings/uFlags.h"
#include "ui/Object.h"

class TFrmExecuteLog;
class TRVLItem;
class TRVLItems;

class TRVLExecute : public TObject {
public:
  TRVLExecute();
  ~TRVLExecute() override;

  virtual void SetItems(TRVLItems* Items) { FItems = Items; }
  virtual void AfterExecute() {}
  virtual TFlags* GetFlags() { return FFlags.get(); }
  virtual void BeforeExecute() {}
  // Runs every item with `Comment` and `Flags` (the executor's own flags when nil).
  virtual void Execute(const std::string& Comment, TFlags* Flags);
  virtual void ExecuteItem(int Index, const std::string& Comment, TFlags& Flags) = 0;
  // Whether the item is fit for the operation; changes neither the item nor SourceSafe.
  virtual bool CanExecute(TRVLItem* Item) = 0;

  TFrmExecuteLog* LogWindow() const { return FLogWindow.get(); }

protected:
  TRVLItems* FItems = nullptr;   // not owned

private:
  TRVLFormPtr<TFrmExecuteLog> FLogWindow;
  std::unique_ptr<TFlags> FFlags;
};

class TRVLExecuteAndReload : public TRVLExecute {
public:
  TRVLExecuteAndReload();
  ~TRVLExecuteAndReload() override;

  // Reloads the listed files, last first, each read once writable, and empties the list.
  void AfterExecute() override;

protected:
  // Files to reload into the IDE.
  std::unique_ptr<TRVLItems> FReloadList;
};
