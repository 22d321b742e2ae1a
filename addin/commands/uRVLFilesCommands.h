#pragma once
// The commands that work on a list of files. Each is one recipe with its own ingredients: a builder
// decides which files, an executor does the work, a file-list dialog lets the user choose (or, on the
// direct path, the executor runs on the whole list). Callers set the project and the current item
// before each command; a selection mode set before a dialog command applies to that command only.
#include <memory>
#include <string>

#include "ui/Object.h"

class TRVLItem;
class TRVLItems;
class TRVLProject;

class TRVLFilesCommands : public TObject {
public:
  // How a dialog preselects its files.
  enum TSelectionMode { smNone = 0, smCurrent = 1, smAll = 2, smGiven = 3 };

  TRVLFilesCommands();
  ~TRVLFilesCommands() override;

  virtual void SetSelectionMode(int Mode) { FSelectionMode = Mode; }
  // Preselects a copy of `Items` in the next dialog.
  virtual void SetSelection(TRVLItems* Items);
  virtual void SetProject(TRVLProject* Project) { FProject = Project; }
  // Keeps a copy of `Item` (may be nil).
  virtual void SetCurrentItem(TRVLItem* Item);

  virtual void GetLatestAll(bool WithDialog);
  virtual void GetLatestCurrent(bool WithDialog);
  virtual void GetLatestDifferent(bool WithDialog);
  virtual void CheckOutCurrent(bool WithDialog);
  virtual void CheckOutFiles(bool WithDialog);
  virtual void CheckInCurrent(bool WithDialog);
  virtual void CheckInFiles(bool WithDialog);
  virtual void UndoCheckOutCurrent(bool WithDialog);
  virtual void UndoCheckOutFiles(bool WithDialog);
  virtual void Synchronize(bool WithDialog);
  virtual void AddCurrent(bool WithDialog);
  virtual void AddFiles(bool WithDialog);
  virtual void RemoveCurrent(bool WithDialog);
  virtual void RemoveFiles(bool WithDialog);
  // The history window on the project's files (all of them, or those of the bound SourceSafe
  // project), the current file selected; a warning instead when there are none.
  virtual void ShowHistory(bool AllFiles);
  // Offers to get what others changed while the project was closed; silent when nothing did.
  virtual void SyncProjectOpen();
  // Offers to bring the project into step before it closes; silent when it is.
  virtual void SyncProjectClose();

  int GetSelectionMode() const { return FSelectionMode; }
  TRVLItem* GetCurrentItem() const { return FCurrentItem.get(); }

  struct TFileCommand;

private:
  void Run(const TFileCommand& Command, bool WithDialog);
  void RunDirect(const TFileCommand& Command);
  void RunWithDialog(const TFileCommand& Command);
  // Asks whether to synchronize and, on Yes, offers the files in a dialog with every one ticked.
  void OfferSync(bool OnOpen);
  // Brings the editor back to the current file, unless it is the project, a type library or a
  // project group.
  void ShowCurrentFile();

  TRVLProject* FProject = nullptr;   // not owned
  std::unique_ptr<TRVLItem> FCurrentItem;
  int FSelectionMode = smCurrent;
  std::unique_ptr<TRVLItems> FSelection;
};

// The question asked when a project opens with files missing (`New`) or changed (`Changed`) here.
std::string SyncOpenQuestion(const std::string& ProjectName, int New, int Changed);
// The question asked when a project closes out of step with SourceSafe.
std::string SyncCloseQuestion(const std::string& ProjectName);
// The project file's name without folder and extension.
std::string ProjectNameOf(TRVLProject* Project);
