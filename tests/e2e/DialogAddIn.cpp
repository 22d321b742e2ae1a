// An add-in for the scenarios that drive modal forms: its one command runs a small check-in dialog
// and reports in a message box what the dialog was left with.
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "opentools/VcsEntry.h"
#include "ui/Form.h"
#include "ui/Prompter.h"

namespace {

class TFrmTestCheckIn : public TForm {
  Q_OBJECT
public:
  TFrmTestCheckIn() {
    SetCaption("Check In");
    auto* layout = new QVBoxLayout(this);
    for (QWidget* control : std::initializer_list<QWidget*>{lbFiles, edComment, chkbKeep, btnOK, btnCancel})
      layout->addWidget(control);
    lbFiles->setObjectName("lbFiles");
    edComment->setObjectName("edComment");
    chkbKeep->setObjectName("chkbKeep");
    btnOK->setObjectName("btnOK");
    btnCancel->setObjectName("btnCancel");
    for (const char* file : {"Unit1.cpp", "Util.cpp"}) lbFiles->addItem(file);
    for (int i = 0; i < lbFiles->count(); ++i) lbFiles->item(i)->setCheckState(Qt::Unchecked);
    SetButtonResult(btnOK, mrOk);
    SetButtonResult(btnCancel, mrCancel);
    // OK waits for a comment, as a real check-in dialog can.
    btnOK->setEnabled(false);
    connect(edComment, &QLineEdit::textEdited, btnOK, [this] { btnOK->setEnabled(!edComment->text().isEmpty()); });
  }

  std::string Outcome() const {
    std::string outcome = "\"" + edComment->text().toStdString() + "\"";
    if (chkbKeep->isChecked()) outcome += ", keep checked out";
    for (int i = 0; i < lbFiles->count(); ++i)
      if (lbFiles->item(i)->checkState() == Qt::Checked) outcome += ", ticked " + lbFiles->item(i)->text().toStdString();
    return outcome;
  }

  QListWidget* lbFiles = new QListWidget(this);
  QLineEdit* edComment = new QLineEdit(this);
  QCheckBox* chkbKeep = new QCheckBox("&Keep checked out", this);
  QPushButton* btnOK = new QPushButton("OK", this);
  QPushButton* btnCancel = new QPushButton("Cancel", this);
};

class TDialogClient : public TIVCSClient {
public:
  std::string GetIDString() override { return "Ravelin.DialogAddIn"; }
  void ExecuteVerb(int) override {
    TFrmTestCheckIn form;
    if (form.ShowModal() == mrOk) MessageBox("Checked in: " + form.Outcome(), "Check In", MB_OK | MB_ICONINFORMATION);
  }
  std::string GetMenuName() override { return "&Dialogs"; }
  std::string GetVerb(int) override { return "&Check In..."; }
  int GetVerbCount() override { return 1; }
  int GetVerbState(int) override { return vsEnabled; }
  void ProjectChange() override {}
};

} // namespace

extern "C" RVLENTRY_EXPORT TIVCSClient* RVLENTRY(TIToolServices*) { return new TDialogClient; }

#include "DialogAddIn.moc"
