#pragma once
// The project explorer: a modeless window for browsing a SourceSafe database from inside the IDE. The
// tree of projects is on the left; the selected project's files are on the right with their check-out
// state, who holds them, on which machine, where and since when, deleted files included. Tool buttons,
// the main menu and two popup menus run the operations on the selected files (all files of the
// project when none is selected) or on the selected project, and the list follows each of them.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "addin/tools/uFrmTree.h"

class QToolButton;
class TMainMenu;
class TMenuItem;
class TPopupMenu;
class TRVLItem;
class TRVLItems;

class TFrmExplorer : public TFrmTree {
  Q_OBJECT
public:
  // The operation codes of the tool buttons and menu items (their Tag).
  enum TOperation { opGet = 0, opCheckOut, opCheckIn, opUndoCheckOut, opDelete, opRecover, opPurge };
  // The status of a file row (its image): checked in, out to another user, out to me, deleted.
  enum TFileStatus { fsCheckedIn = 0, fsCheckedOutOther, fsCheckedOutMe, fsDeleted };
  // The columns of the file list; the sort menu has one item each.
  enum TColumn { colName = 0, colStatus, colUser, colMachine, colLocalPath, colDate, ColumnCount };

  TFrmExplorer(QObject* AOwner, VSSPtr<IVSSDatabase> Database);
  ~TFrmExplorer() override;

  // The whole database: the tree always starts at the root.
  std::string GetStartProject() override;
  void Resized(int dWidth, int dHeight) override;
  void LoadWindowPlacement() override;
  void SaveWindowPlacement() override;
  bool DoShowHint(std::string& HintStr, bool& CanShow, THintInfo& HintInfo) override;

  // The selected project's path and working folder in the title.
  void UpdateTitle();
  // Reads the selected project's files again.
  void FillFileList();
  // Enables what fits the focus and the selected rows.
  void UpdateActions();
  // Runs an operation on the selected files (every file when none is selected), then refills the
  // list. Delete and Purge ask first.
  void mnuSSGCCUCheckClick(int Operation);
  // Delete on the selected rows when the list has the focus, else on the selected project.
  void mnuSSDeleteClick();
  void pmnuProjDeleteClick();
  void mnuFileCreateProjectClick();
  void mnuFileSetWorkFolderClick();
  void mnuFileLabelClick();
  void mnuFileOpenProjectClick();
  void mnuFileDatabaseClick();
  void mnuToolsOpenFileClick();
  // The history of the selected project's files, the selected file first.
  void mnuToolsShowHistoryClick();
  void mnuToolsShowDifferenceClick();
  // Each selected file's SourceSafe version in the viewer.
  void mnuToolsViewFileClick();
  void mnuViewSortByClick(int Column);
  void mnuViewRefreshClick();
  // The databases SourceSafe registers, as items of the File menu.
  void BuildDatabaseList();

  // Once closed, the explorer only waits to be freed.
  bool Closed() const { return FClosed; }
  // Whether the tree (rather than the file list) is where the user works: the one of the two that
  // had the focus last.
  bool TreeActive() const { return FTreeActive; }
  void SetTreeActive(bool TreeActive);
  // The SourceSafe items of the selected rows, or of every row when none is selected.
  std::unique_ptr<TRVLItems> SelectedItems();
  // The one selected row's item; nil unless exactly one row is selected.
  std::unique_ptr<TRVLItem> SelectedRowItem();

  TMainMenu* mnuMain;
  TPopupMenu* pmnuFiles;
  TPopupMenu* pmnuProjects;
  QWidget* pnlFilesTop;
  TStatusBar* sbarTitle;
  QTreeWidget* lvFileList;
  QSplitter* SplitterH;
  QIcon imglFiles[4];

  QToolButton* btnGet;
  QToolButton* btnCheckOut;
  QToolButton* btnCheckIn;
  QToolButton* btnUndo;
  QToolButton* btnLabel;
  QToolButton* btnHistory;
  QToolButton* btnDiff;
  QToolButton* btnView;
  QToolButton* btnCreateProj;
  QToolButton* btnWorkingFolder;
  QToolButton* btnDelete;

  TMenuItem* mnuFile;
  TMenuItem* mnuFileShowAllProjects;
  TMenuItem* mnuFileOpenProject;
  TMenuItem* mnuFileDatabase;
  TMenuItem* mnuFileCreateProject;
  TMenuItem* mnuFileSetWorkFolder;
  TMenuItem* mnuFileLabel;
  TMenuItem* mnuFileStartDB;
  TMenuItem* mnuFileEndDB;
  TMenuItem* mnuFileClose;
  TMenuItem* mnuSourceSafe;
  TMenuItem* mnuSSGetLatest;
  TMenuItem* mnuSSCheckOut;
  TMenuItem* mnuSSCheckIn;
  TMenuItem* mnuSSUndoCheck;
  TMenuItem* mnuSSDelete;
  TMenuItem* mnuSSRecover;
  TMenuItem* mnuSSPurge;
  TMenuItem* mnuTools;
  TMenuItem* mnuToolsShowHistory;
  TMenuItem* mnuToolsShowDifference;
  TMenuItem* mnuToolsOpenFile;
  TMenuItem* mnuToolsViewFile;
  TMenuItem* mnuView;
  TMenuItem* mnuViewSort;
  TMenuItem* mnuViewSortBy[ColumnCount];
  TMenuItem* mnuViewRefresh;
  TMenuItem* mnuHelp;
  TMenuItem* mnuHelpAbout;

  TMenuItem* pmnuFileGet;
  TMenuItem* pmnuFileCheckOut;
  TMenuItem* pmnuFileCheckIn;
  TMenuItem* pmnuFileUndoCheck;
  TMenuItem* pmnuFileOpenFile;
  TMenuItem* pmnuFileViewFile;
  TMenuItem* pmnuFileShowDiff;
  TMenuItem* pmnuFileLabel;
  TMenuItem* pmnuFileDelete;
  TMenuItem* pmnuFileRecover;
  TMenuItem* pmnuFilePurge;

  TMenuItem* pmnuProjGet;
  TMenuItem* pmnuProjCheckOut;
  TMenuItem* pmnuProjCheckIn;
  TMenuItem* pmnuProjUndo;
  TMenuItem* pmnuProjShowHistory;
  TMenuItem* pmnuProjLabel;
  TMenuItem* pmnuProjCreateProj;
  TMenuItem* pmnuProjSetWorkFolder;
  TMenuItem* pmnuProjDelete;

protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override;
  bool tvProjectsKeyDown(int Key) override;
  void changeEvent(QEvent* Event) override;
  void showEvent(QShowEvent* Event) override;

private:
  void BuildToolButtons();
  void BuildMainMenu();
  void BuildPopupMenus();
  // A menu item whose click runs `Click`, failures going to the exception handler.
  TMenuItem* AddItem(TMenuItem* Parent, const char* Name, const char* Caption, std::function<void()> Click);
  void tvProjectsChange();
  void AddFileRow(IVSSItem& Entry);
  // Runs `Operation` on the project the popup selected: on every file listed.
  void ProjectOperation(int Operation);
  void SelectDatabase(const std::string& Caption);
  void pmnuProjectsPopup(QPoint Pos);

  bool FUpdating = true;
  bool FClosed = false;
  bool FTreeActive = true;
  int FSortColumn = colName;
};

// The status texts of the file rows, by status.
std::string FileStatusText(int Status);
