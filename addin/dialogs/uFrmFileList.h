#pragma once
// The dialogs in which the user picks the files of an operation: a list of candidates with check
// boxes, the count of ticked files, "O&K" (run on the ticked files and close), "A&pply" (run them one
// by one and stay open), a select-all/clear-all toggle and, per operation, a comment, "Keep checked
// out" and advanced options folding out below. The command hands over the candidates and the executor;
// the dialog ticks, shows and runs.
#include <memory>
#include <string>

#include "addin/dialogs/uRVLForm.h"

class QGroupBox;
class QLabel;
class QPushButton;
class QPlainTextEdit;
class QCheckBox;
class QWidget;
class TFlags;
class TMenuItem;
class TPopupMenu;
class TFrmAdvanced;
class TFrmOtherFiles;
class TRVLAssoc;
class TRVLExecute;
class TRVLItem;
class TRVLItems;
class TRVLListBox;
class TRVLProject;
class TStatusBar;

class TFrmFileList : public TRVLForm {
  Q_OBJECT
public:
  TFrmFileList(QObject* owner, TRVLProject* Project);
  ~TFrmFileList() override;

  virtual void AdvancedChanged(TFrmAdvanced* Panel);
  // Status line, button states and the select-all caption, from the ticks.
  virtual void UpdateState() = 0;
  virtual void FillList() = 0;
  bool GetSelectAllMode() const { return FSelectAllMode; }
  void SetSelectAllMode(bool Mode) { FSelectAllMode = Mode; }
  virtual void InvertSelection();
  // Runs the executor on every item left in the list, with the dialog's comment and flags.
  virtual void ExecuteAll();
  virtual void ExecuteOne(int Row);
  virtual void SelectAll(bool Select);
  // The candidates (not owned; "O&K" removes the unticked ones) and the executor that runs them.
  virtual void SetList(TRVLItems* Items, TRVLExecute* Executor);
  // Ticks the rows of `Items` (with their companions).
  virtual void CheckItems(TRVLItems* Items) = 0;
  // Attaches an advanced panel (made with this dialog as owner), shown by "A&dvanced..".
  virtual void SetAdvanced(TFrmAdvanced* Panel);
  // Asked when there are no candidates: whether to open the dialog anyway.
  virtual bool OpenWhenEmpty() = 0;

  void SaveWindowPlacement() override;

  QWidget* pnlRight;
  QPushButton* btnOKToAll;
  QPushButton* btnOK;
  QPushButton* btnCancel;
  QPushButton* btnSelectAll;
  QPushButton* btnAdvanced;
  QWidget* pnlTop;
  QLabel* lblFiles;
  QWidget* pnlListox;
  QWidget* pnlLeft;
  TStatusBar* sbarStatus;
  TPopupMenu* popupFileList;
  TMenuItem* popupSelectAll;
  TMenuItem* popupInvertSelection;

protected:
  // The rows of the dialog's list, one per item.
  virtual TRVLListBox* Rows() = 0;
  // The comment the operation gets; none by default.
  virtual std::string Comment() { return {}; }
  // The select-all caption and the button states, from the ticks.
  void UpdateButtons();
  // Buttons and status line follow the ticks from the moment the dialog shows.
  void showEvent(QShowEvent* event) override;
  void ShowAdvanced();
  void OKToAllClick();
  void ApplyClick();

  TRVLItems* FItems = nullptr;          // not owned
  TRVLExecute* FExecute = nullptr;      // not owned
  QGroupBox* FAdvancedBox;
  TFrmAdvanced* FAdvanced = nullptr;    // a child of the advanced box
  TFlags* FFlags = nullptr;             // the executor's
  TRVLProject* FProject;                // not owned; may be nil
  std::unique_ptr<TRVLAssoc> FAssoc;

private:
  bool FSelectAllMode = true;
};

// The file-list dialogs whose list is a check-box list of file names; a file that differs from
// SourceSafe's copy is shown in bold.
class TFrmFileListBox : public TFrmFileList {
  Q_OBJECT
public:
  TFrmFileListBox(QObject* owner, TRVLProject* Project);
  ~TFrmFileListBox() override;

  void UpdateState() override;
  void FillList() override;
  void CheckItems(TRVLItems* Items) override;
  bool OpenWhenEmpty() override;
  bool DoShowHint(std::string& HintStr, bool& CanShow, THintInfo& HintInfo) override;
  virtual std::string ItemCaption(TRVLItem* Item);
  virtual int AddListItem(TRVLItem* Item);

  // Ticks or unticks the row and, with associations on, the rows of its companion files.
  void CheckWithCompanions(int Row, bool Checked);

  QPushButton* btnOther;
  TRVLListBox* vlbFileList;

protected:
  TRVLListBox* Rows() override { return vlbFileList; }
  void showEvent(QShowEvent* event) override;
  // "&Other..": the other-files window, over the project's database.
  virtual void OtherClick();
  // A file chosen in the other-files window; with `AlwaysAdd` the project lists it from now on.
  void OtherFileAdded(TRVLItem* Item, bool AlwaysAdd);
  // Adds a copy of `Item` to the candidates and, unless it was one already, appends a row for it,
  // ticks it with companions and scrolls it to the top.
  void AddChosen(TRVLItem* Item);

  TRVLFormPtr<TFrmOtherFiles> FOtherFiles;   // made on first use
};

// Get Latest Version, Undo Check Out, Remove, and the synchronize questions.
class TFrmFileListNoComment : public TFrmFileListBox {
  Q_OBJECT
public:
  using TFrmFileListBox::TFrmFileListBox;
};

// Check Out: the operation takes a comment.
class TFrmFileListComment : public TFrmFileListBox {
  Q_OBJECT
public:
  TFrmFileListComment(QObject* owner, TRVLProject* Project);

  QWidget* pnlComment;
  QLabel* lblComment;
  QPlainTextEdit* memoComment;

protected:
  std::string Comment() override;
};

class TFrmFileListCheckin : public TFrmFileListComment {
  Q_OBJECT
public:
  TFrmFileListCheckin(QObject* owner, TRVLProject* Project);

  QCheckBox* chkbKeepCheckedOut;

protected:
  void KeepCheckedOutClick();
};

// Add: the candidates are local files, named relative to the project's folder, and "&Other.." adds
// any file picked from the disk.
class TFrmFileListAdd : public TFrmFileListCheckin {
  Q_OBJECT
public:
  TFrmFileListAdd(QObject* owner, TRVLProject* Project);
  bool OpenWhenEmpty() override { return true; }
  std::string ItemCaption(TRVLItem* Item) override;

protected:
  void showEvent(QShowEvent* event) override;
  void OtherClick() override;
};
