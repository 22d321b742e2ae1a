#pragma once
// Synchronize brings a project and its SourceSafe project into step in one pass, handing each file to
// the executor that fits it: Add for a file SourceSafe lacks, Check In for one checked out to the user,
// Get for one that differs or is missing locally. Before a project closes, only adding and checking in
// are offered.
#include <memory>

#include "addin/execute/uRVLExecute.h"

class TRVLExecuteSynchronize : public TRVLExecuteAndReload {
public:
  TRVLExecuteSynchronize();
  ~TRVLExecuteSynchronize() override;

  void SetItems(TRVLItems* Items) override;
  void ExecuteItem(int Index, const std::string& Comment, TFlags& Flags) override;
  bool CanExecute(TRVLItem* Item) override;

private:
  // Owned; the Get and Check In executors reload their files when they are freed.
  std::unique_ptr<TRVLExecute> FGet;
  std::unique_ptr<TRVLExecute> FAddFile;
  std::unique_ptr<TRVLExecute> FCheckIn;
};

class TRVLExecuteSyncClose : public TRVLExecute {
public:
  TRVLExecuteSyncClose();
  ~TRVLExecuteSyncClose() override;

  void SetItems(TRVLItems* Items) override;
  void ExecuteItem(int Index, const std::string& Comment, TFlags& Flags) override;
  bool CanExecute(TRVLItem* Item) override;

private:
  std::unique_ptr<TRVLExecute> FAddFile;
  std::unique_ptr<TRVLExecute> FCheckIn;
};

// How Synchronize handles an item, as the synchronize dialog shows it.
enum class TSyncAction { Add, CheckIn, Get };
TSyncAction SyncActionOf(TRVLItem* Item);
