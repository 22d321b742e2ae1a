#pragma once
// The share dialog: shares SourceSafe files or whole projects into another SourceSafe project, so
// that the same item is present in both places. The user picks a project in the tree and optionally
// files in the list, then either presses "&Share", which shares into the SourceSafe project of the
// IDE project, or drags the selection onto any project node of the tree. Every share is confirmed
// first; a project's confirmation offers to share its subprojects too.
#include <memory>
#include <string>
#include <vector>

#include "addin/tools/uFrmTree.h"
#include "ui/Drag.h"

class QCheckBox;
class QLabel;
class TRVLProject;

// The payload of a drag in the share dialog.
class TShareObject : public TDragObject {
public:
  std::string Spec;                 // the path of the project the drag started from
  std::vector<std::string> Names;   // the dragged files; none when the project itself is dragged
};

class TFrmShare : public TFrmTreeList {
  Q_OBJECT
public:
  TFrmShare(QObject* AOwner, VSSPtr<IVSSDatabase> Database);
  ~TFrmShare() override;

  // The IDE project, whose SourceSafe project "&Share" shares into.
  void SetProject(TRVLProject* Project);

  // Shares the project `Source` (a node path) into `Target` after asking; false when the user
  // declined or stopped after an error.
  bool ShareProject(const std::string& Source, const std::string& Target);
  // Shares the files `Names` of the project `Source` into `Target` after asking; the result of the
  // last share.
  bool ShareFiles(const std::string& Source, const std::vector<std::string>& Names, const std::string& Target);

  QWidget* pnlShareDetails;
  QLabel* lblShare;
  QLabel* lblShareSpec;
  QLabel* lblWith;
  QLabel* lblWithSpec;
  QPushButton* btnShare;
  QPushButton* btnCancel;
  QPushButton* btnView;
  TDragTracker* DragTracker;

private:
  // The "Share:" and "With:" details for the selected node and files.
  void UpdateDetails();
  std::unique_ptr<TDragObject> lbFileListStartDrag(QWidget* Source);
  bool tvProjectsDragOver(QPoint Pos, TDragObject* Source);
  void tvProjectsDragDrop(QPoint Pos, TDragObject* Source);
  void btnShareClick();
  void btnViewClick();
  // One share of `Item` into `Target`; an error asks whether to go on, and the answer is the result.
  bool ShareItem(IVSSItem& Item, IVSSItem& Target);
  // The database's item for a node path or a SourceSafe path.
  VSSPtr<IVSSItem> ItemOf(const std::string& Path);
  // The share text for `Count` files of `Spec`, or the project itself, shortened to `lblShareSpec`.
  void ShowShareSpec(const std::string& Spec, const std::vector<std::string>& Names);
  std::vector<std::string> SelectedNames() const;

  TRVLProject* FProject = nullptr;   // not owned
  int32_t FShareFlags = VSSFLAG_RECURSNO;
};

// The question before a share, with "Recurse Directories" for a project.
class TFrmShareConfirm : public TRVLForm {
  Q_OBJECT
public:
  TFrmShareConfirm(QObject* AOwner, const std::string& Msg, bool AllowRecurse);

  QLabel* lblMsg;
  QLabel* ImageQuestion;
  QPushButton* BtnYes;
  QPushButton* BtnNo;
  QCheckBox* ChkBoxRecurse;
};
