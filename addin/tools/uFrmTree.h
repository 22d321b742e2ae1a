#pragma once
// The windows that browse SourceSafe projects in a tree. `TFrmTree` holds the tree, filled as nodes
// are expanded (one level ahead, so that every node shows whether it can be expanded), never the whole
// database at once. `TFrmTreeList` adds a plain list of the selected project's files with their
// check-out state. The explorer, share and project dialogs build on them.
//
// A node's text is a subproject's name; the root's is the path of the top project without "$" ("/"
// for the whole database). A node's path is "/" followed by the names down to it, each with a
// trailing "/": "/Project/Source/".
#include <string>

#include <QIcon>

#include "addin/dialogs/uRVLForm.h"
#include "vss/api/VSSApi.h"

class QLabel;
class QPushButton;
class QSplitter;
class QTreeWidget;
class QTreeWidgetItem;
class TRVLListBox;
class TStatusBar;
class TStatusPanel;

class TFrmTree : public TRVLForm {
  Q_OBJECT
public:
  TFrmTree(QObject* AOwner, VSSPtr<IVSSDatabase> Database);
  ~TFrmTree() override;

  // Called on every resize with the change of size since the last one.
  virtual void Resized(int dWidth, int dHeight);
  // The project selected when a tree is loaded: the database's current project.
  virtual std::string GetStartProject();
  // Adds the subprojects of `Node` once; a node that has children is left as it is.
  virtual void LoadChildren(QTreeWidgetItem* Node);
  // Reads the subprojects of `Node` again, keeping it expanded when it was.
  virtual void RefreshNode(QTreeWidgetItem* Node);
  // Shows the tree of the project `Spec` ("$/A" or "/A"), with the start project selected.
  virtual void LoadTree(const std::string& Spec);

  // The node of `Path` ("/A/B/" or "/A/B"), loading the nodes on the way; the nearest loaded parent
  // when a name is not found.
  QTreeWidgetItem* FindNode(const std::string& Path);
  static std::string NodePath(const QTreeWidgetItem* Node);
  // The path of the selected node, "" without one.
  std::string SelectedPath() const;

  void SetDatabase(VSSPtr<IVSSDatabase> Database) { FDatabase = std::move(Database); }

  QWidget* pnlTop;
  QWidget* pnlLeft;
  QWidget* pnlRight;
  QWidget* pnlProjects;
  QWidget* pnlProjectsTop;
  QLabel* lblProjects;
  QTreeWidget* tvProjects;
  QPushButton* btnDataBase;
  TStatusBar* sbarStatus;
  QIcon imglFolders[2];   // closed folder, open (selected) folder

protected:
  // The database's item for a node path; nil after showing the failure when `ShowErrors`.
  VSSPtr<IVSSItem> ItemOfPath(const std::string& Path, bool ShowErrors);
  // Lets the user log in to another database and shows its tree; true when he did.
  bool btnDataBaseClick();
  // Where descendants put their lists, right of the tree.
  QSplitter* FLists;

  bool eventFilter(QObject* Watched, QEvent* Event) override;
  void resizeEvent(QResizeEvent* Event) override;
  void tvProjectsExpanding(QTreeWidgetItem* Node);
  // F5 reads the selected node's subprojects again; true when the key was used.
  virtual bool tvProjectsKeyDown(int Key);

  VSSPtr<IVSSDatabase> FDatabase;

private:
  QIcon FNodeIcon;   // the two folders as one icon, by selection
  int FLastWidth = 0;
  int FLastHeight = 0;
  bool FResizeAttached = false;
};

class TFrmTreeList : public TFrmTree {
  Q_OBJECT
public:
  TFrmTreeList(QObject* AOwner, VSSPtr<IVSSDatabase> Database);

  void Resized(int dWidth, int dHeight) override;
  void LoadWindowPlacement() override;
  void SaveWindowPlacement() override;

  // The selected project's path in the title, shortened to the tree's width.
  void UpdateTitle();
  // The selected project's files, each with its IsCheckedOut value as its data.
  void FillFileList();

  TStatusBar* sbarTitle;
  TRVLListBox* lbFileList;
  QSplitter* Splitter;
  QIcon imglFiles[3];   // by IsCheckedOut value

protected:
  bool DoShowHint(std::string& HintStr, bool& CanShow, THintInfo& HintInfo) override;
  void tvProjectsChange();
};

// The pictures of the project trees and file lists, drawn once.
QIcon FolderIcon(bool Open);
// The file picture of a status: checked in, out to another user, out to this one, deleted.
QIcon FileStatusIcon(int Status);
