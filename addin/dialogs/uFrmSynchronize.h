#pragma once
// The Synchronize dialog: every file out of step with SourceSafe, with its status and the operation
// that will bring it into step, in columns whose widths are remembered.
#include "addin/dialogs/uFrmFileList.h"

class THRVLListbox;

class TFrmSynchronize : public TFrmFileList {
  Q_OBJECT
public:
  TFrmSynchronize(QObject* owner, TRVLProject* Project);

  void LoadWindowPlacement() override;
  void SaveWindowPlacement() override;
  void UpdateState() override;
  void FillList() override;
  // Check-ins keep the file checked out.
  void SetList(TRVLItems* Items, TRVLExecute* Executor) override;
  // Preselection has no meaning here: every row starts unticked or all are ticked.
  void CheckItems(TRVLItems*) override {}
  // Says "Project is already synchronized" and does not open.
  bool OpenWhenEmpty() override;

  THRVLListbox* vlbFileList;

protected:
  TRVLListBox* Rows() override;
};

// The words the dialog shows for an item: its status and the operation Synchronize will apply.
std::string SyncStatusText(TRVLItem* Item);
std::string SyncOperationText(TRVLItem* Item);
