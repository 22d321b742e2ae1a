#pragma once
// The executors that change what SourceSafe holds: Add puts local files under source control in the
// SourceSafe project each belongs to (created when missing); Remove marks a file deleted, Recover takes
// a deleted file back, Purge destroys a file for good. None of them changes a local file.
#include <memory>

#include "addin/execute/uRVLExecute.h"

class TRVLDontCheckIn;

class TRVLExecuteAddFile : public TRVLExecute {
public:
  TRVLExecuteAddFile();
  ~TRVLExecuteAddFile() override;

  void ExecuteItem(int Index, const std::string& Comment, TFlags& Flags) override;
  // Not under source control, on disk, and its full name matches no never-check-in mask.
  bool CanExecute(TRVLItem* Item) override;

private:
  std::unique_ptr<TRVLDontCheckIn> FDontCheckIn;
};

class TRVLExecuteRemoveFile : public TRVLExecute {
public:
  void ExecuteItem(int Index, const std::string& Comment, TFlags& Flags) override;
  bool CanExecute(TRVLItem* Item) override;
};

class TRVLExecutePurge : public TRVLExecute {
public:
  void ExecuteItem(int Index, const std::string& Comment, TFlags& Flags) override;
  bool CanExecute(TRVLItem* Item) override;
};

class TRVLExecuteRecover : public TRVLExecute {
public:
  void ExecuteItem(int Index, const std::string& Comment, TFlags& Flags) override;
  bool CanExecute(TRVLItem* Item) override;
};
