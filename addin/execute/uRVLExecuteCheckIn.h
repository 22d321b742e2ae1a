#pragma once
// Check In and Undo Check Out of the files checked out to the user. Check In refuses to merge: when
// another version was checked in after the user's check-out, the file fails and stays checked out.
#include <memory>

#include "addin/execute/uRVLExecute.h"

class TRVLDontCheckIn;

class TRVLExecuteCheckIn : public TRVLExecuteAndReload {
public:
  TRVLExecuteCheckIn();
  ~TRVLExecuteCheckIn() override;

  void ExecuteItem(int Index, const std::string& Comment, TFlags& Flags) override;
  // Checked out to the user, and its name matches no never-check-in mask.
  bool CanExecute(TRVLItem* Item) override;

private:
  std::unique_ptr<TRVLDontCheckIn> FDontCheckIn;
};

class TRVLExecuteUndoCheckOut : public TRVLExecuteAndReload {
public:
  void ExecuteItem(int Index, const std::string& Comment, TFlags& Flags) override;
  bool CanExecute(TRVLItem* Item) override;
};
