#pragma once
// The history window: a project's files on the left and, for the selected file, its SourceSafe
// versions newest first on the right (labels set on the file or on a project holding it marked).
// A version can be viewed, got into the working folder, seen in detail, and compared with the
// working file or with another version. The details dialog steps from version to version through
// the history window's own selection.
#include <memory>
#include <string>
#include <vector>

#include "addin/dialogs/uRVLForm.h"
#include "vss/api/VSSApi.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QSplitter;
class QTreeWidget;
class QWidget;
class TRVLItem;
class TRVLItems;
class TRVLProject;

class TFrmHistory : public TRVLForm {
  Q_OBJECT
public:
  explicit TFrmHistory(QObject* Owner);
  ~TFrmHistory() override;

  virtual void FillFileList();
  // The files (not owned) and the project whose folder their rows are shown relative to.
  virtual void SetFiles(TRVLItems* Items, TRVLProject* Project);
  // Selects the row of the first of `Files` (row 0 when it is not listed) and loads its history.
  virtual void SelectFile(TRVLItems* Files);

  void LoadWindowPlacement() override;
  // Over a file row too narrow for its name, the full name laid over the row.
  bool DoShowHint(std::string& HintStr, bool& CanShow, THintInfo& HintInfo) override;
  void SaveWindowPlacement() override;

  // For the details dialog: the version of the first selected row (nil when none), and a move of
  // the selection one row up (-1, to the newer version) or down (+1); a move past either end only
  // repaints.
  VSSPtr<IVSSVersion> SelectedVersion() const;
  void MoveSelection(int Delta);

  QLabel* lblFiles;
  QLabel* lblHistory;
  QPushButton* btnClose;
  QPushButton* btnView;
  QPushButton* btnDetails;
  QPushButton* btnGet;
  QPushButton* btnDiff;
  QWidget* pnlLists;
  QListWidget* vlbFileList;
  QSplitter* Splitter;
  QTreeWidget* lvHistory;
  QCheckBox* chkbLabelsOnly;

protected:
  void showEvent(QShowEvent* Event) override;

private:
  // The history of the item of the selected file row.
  void LoadHistory();
  // A row for a version of the file `Spec`; a label set on a project holding it has no number.
  void AddVersion(const std::string& Spec, VSSPtr<IVSSVersion> Version);
  void UpdateButtons();
  // The item of a selected version row: the file as of that version.
  std::unique_ptr<TRVLItem> VersionItem(int Row) const;
  std::vector<int> SelectedRows() const;
  void btnViewClick();
  void btnDetailsClick();
  void btnGetClick();
  void btnDiffClick();

  TRVLItems* FItems = nullptr;       // not owned
  TRVLProject* FProject = nullptr;   // not owned
  int FFilesWidth = 160;                        // of the file list
  VSSPtr<IVSSItem> FFile;                       // the file whose history is shown
  std::vector<VSSPtr<IVSSVersion>> FVersions;   // one per row of lvHistory
};

class TFrmHistoryDetails : public TRVLForm {
  Q_OBJECT
public:
  TFrmHistoryDetails(QObject* Owner, TFrmHistory* History);
  ~TFrmHistoryDetails() override;

  QLabel* lblFile;
  QLabel* lblVersion;
  QLabel* lblDate;
  QLabel* lblUser;
  QLabel* lblLabel;
  QLabel* lblFileStr;
  QLabel* lblVersionStr;
  QLabel* lblDateStr;
  QLabel* lblUserStr;
  QLabel* lblLabelStr;
  QLineEdit* edAction;
  QLabel* lblComment;
  QPlainTextEdit* memComment;
  QPushButton* btnClose;
  QPushButton* btnNext;
  QPushButton* btnPrev;

private:
  void ShowVersion();

  TFrmHistory* FHistory;   // not owned
};
