#pragma once
// Get Latest Version and Check Out. Both create missing local folders after asking, and recover when
// SourceSafe refuses to overwrite a writable local file: the user may replace it, and a to-All answer
// (like the folder question's) holds for the rest of the run.
#include "addin/execute/uRVLExecute.h"

class IVSSItem;

// The answers both executors remember for one run.
class TRVLGetAnswers {
protected:
  // Raises "<folder> does not exist" when the folder of `FileName` is missing and not created.
  void EnsureLocalFolder(const std::string& FileName);
  // Runs `Operation` with the flags' value; when SourceSafe refuses because the local file is
  // writable, asks whether to replace it and runs it again with the replace flag, which then stays
  // in `Flags` for the following items.
  void RunReplacing(const std::string& FileName, TFlags& Flags, const std::function<void(int)>& Operation);

  bool WritableForAll = false;
  bool WritableReplace = false;
  bool FolderForAll = false;
  bool FolderCreate = false;
};

class TRVLExecuteGet : public TRVLExecuteAndReload, protected TRVLGetAnswers {
public:
  void BeforeExecute() override { WritableForAll = false; }
  void ExecuteItem(int Index, const std::string& Comment, TFlags& Flags) override;
  bool CanExecute(TRVLItem* Item) override;
};

class TRVLExecuteCheckOut : public TRVLExecuteAndReload, protected TRVLGetAnswers {
public:
  ~TRVLExecuteCheckOut() override;
  // Reloads every file checked out so far in the run, keeping its attributes; a failed reload is
  // reported and the others go on.
  void AfterExecute() override;
  void ExecuteItem(int Index, const std::string& Comment, TFlags& Flags) override;
  bool CanExecute(TRVLItem* Item) override;
};
