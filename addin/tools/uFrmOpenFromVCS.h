#pragma once
// The dialog that gets files out of SourceSafe and opens them in the editor, or gets a whole
// SourceSafe project tree and opens one of its project files as the IDE's project. Every folder of
// the tree gets a "Default" binding, so projects opened from there are bound at once. A path typed
// into "Local Path" becomes the working folder of the selected SourceSafe project.
#include <vector>

#include "addin/tools/uFrmTree.h"

class QCheckBox;
class QLineEdit;
class TRVLItems;

class TFrmOpenFromVCS : public TFrmTreeList {
  Q_OBJECT
public:
  TFrmOpenFromVCS(QObject* AOwner, VSSPtr<IVSSDatabase> Database);

  void Resized(int dWidth, int dHeight) override;
  void LoadWindowPlacement() override;
  void SaveWindowPlacement() override;

  QPushButton* btnOpen;
  QPushButton* btnCancel;
  QWidget* pnlBottom;
  QLabel* lblLocalPath;
  QLineEdit* edLocalSpec;
  QCheckBox* chkbOpenNewProject;

  // The remembered answer of the create-folder question, for every later open in this dialog.
  bool FolderCreate = false;
  bool FolderForAll = false;

private:
  void lbFileListClick();
  void UpdateButtons();
  void btnOpenClick();
  std::vector<std::string> SelectedFiles() const;
  // A path the user typed over the one shown becomes the selected project's working folder.
  void ApplyLocalPath();
  // Gets the items without a dialog; a writable copy that differs is only replaced after asking.
  void GetFiles(TRVLItems* Items);
  void OpenFiles();
  // False when the IDE kept its current project open.
  bool OpenAsProject();
  void PrepareTree(IVSSItem* Project);
  void PrepareFolder(IVSSItem* Project);

  std::string FShownLocalSpec;   // what edLocalSpec showed for the selection
};

// True for a name whose extension is one of the IDE's project extensions, ignoring case.
bool IsProjectFile(const std::string& Name);
