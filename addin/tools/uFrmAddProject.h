#pragma once
// The dialog that chooses, and creates when needed, the SourceSafe project an IDE project is put
// into, and binds the IDE project to it. The existing SourceSafe project lying deepest on the way to
// the IDE project's folder is preselected, with the missing levels in the name field, so that OK
// mirrors the local folders.
#include "addin/tools/uFrmTree.h"

class QLineEdit;
class TRVLProject;

class TFrmAddProject : public TFrmTree {
  Q_OBJECT
public:
  TFrmAddProject(QObject* AOwner, VSSPtr<IVSSDatabase> Database);

  // Gives the dialog the IDE project (not owned) and preselects a place for it.
  void SetProject(TRVLProject* Project);
  // The IDE project's folder as a SourceSafe path below the root's working folder; "/" without one.
  std::string GetStartProject() override;
  void Resized(int dWidth, int dHeight) override;
  void LoadWindowPlacement() override;
  void SaveWindowPlacement() override;

  QLabel* lblProject;
  QLineEdit* edProject;
  QLabel* lblSpec;
  QPushButton* btnCreate;
  QPushButton* btnOk;
  QPushButton* btnCancel;

private:
  void UpdateSpec();
  void btnCreateClick();
  void btnOkClick();
  // The SourceSafe path of the selected node followed by the name field, without a trailing "/"
  // ("/" for the root itself).
  std::string ChosenPath() const;

  TRVLProject* FProject = nullptr;
};
