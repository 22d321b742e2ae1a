#pragma once
// The other-files window: lets a file-list dialog take files from any SourceSafe project, not only
// those its command found. It stays open while the user adds files from several projects; closing
// it only hides it, so the tree and selection are there the next time.
#include <functional>

#include "addin/tools/uFrmTree.h"

class QCheckBox;
class TRVLItem;

class TFrmOtherFiles : public TFrmTreeList {
  Q_OBJECT
public:
  TFrmOtherFiles(QObject* AOwner, VSSPtr<IVSSDatabase> Database);

  // Called for every file the user adds, with a temporary item and whether the file is to be added
  // to the project from now on ("Always a&dd this file").
  std::function<void(TRVLItem* Item, bool AlwaysAdd)> OnAddFile;

  QWidget* pnlBottom;
  QCheckBox* chkbAlwaysAdd;
  QPushButton* btnAdd;
  QPushButton* btnClose;

private:
  void btnAddClick();
};
