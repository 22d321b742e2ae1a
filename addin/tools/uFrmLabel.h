#pragma once
// The label dialog: attaches a label with a comment to a SourceSafe file or project, and shows the
// last label the item itself already carries (its comment as the hint).
#include "addin/dialogs/uRVLForm.h"
#include "vss/api/VSSApi.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class TStatusBar;

class TFrmLabel : public TRVLForm {
  Q_OBJECT
public:
  TFrmLabel(QObject* AOwner, VSSPtr<IVSSDatabase> Database, VSSPtr<IVSSItem> Item);
  ~TFrmLabel() override;

  bool DoShowHint(std::string& HintStr, bool& CanShow, THintInfo& HintInfo) override;

  QLabel* lblItem;
  QLineEdit* edItemSpec;
  QLabel* lblLabel;
  QLineEdit* edLabel;
  QLabel* lblComment;
  QPlainTextEdit* memoComment;
  QLabel* lblLast;
  QLabel* lblLastLabel;
  QPushButton* btnOK;
  QPushButton* btnCancel;
  TStatusBar* sbarStatus;

private:
  void edLabelChange();
  // Labels the item and closes; a refusal leaves the dialog open and goes to the caller's handling.
  void btnOKClick();

  VSSPtr<IVSSItem> FItem;
  VSSPtr<IVSSDatabase> FDatabase;
  VSSPtr<IVSSVersion> FLastVersion;   // the version carrying the last label, or none
};
