#pragma once
// The form view: a module's form file shown as its text. Activating the view selects the form;
// editing the text modifies it. While Lock Controls is on, or the form file is read-only, the text
// can't be changed; a key that would change a locked form is refused and reported to the module's
// notifiers as a modification, so that add-ins hear of the attempt. A binary form file is shown as
// its text form, read-only.
#include "ui/Form.h"

class QTextDocument;
class TEditControl;
class THostModule;

class TFormView : public TForm {
  Q_OBJECT
public:
  TFormView(THostModule* module, QObject* owner);
  THostModule* Module() const { return FModule; }
  TEditControl* TextControl() const { return FText; }
  void SetLockControls(bool locked);

protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void UpdateReadOnly();
  void ShowForm();

  THostModule* FModule;
  TEditControl* FText;
  QTextDocument* FBinaryText = nullptr;   // the text form of a binary form file, else nullptr
  bool FLocked = false;
};

// The form's name from its text ("object Form1: TForm1" gives "Form1"); empty when not found.
std::string FormNameOf(const QString& formText);
