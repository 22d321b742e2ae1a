#include "addin/settings/uFrmAssociate.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "addin/selection/uRVLAssoc.h"
#include "platform/Files.h"

TFrmAssociate::TFrmAssociate(QObject* Owner) : TRVLForm(Owner), FAssoc(std::make_unique<TRVLAssoc>()) {
  SetName("FrmAssociate");
  SetCaption("Associate");
  setWindowFlags(windowFlags() | Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);

  lblAssociate = NamedLabel("lblAssociate", "Associate:");
  lblMain = NamedLabel("lblMain", "");
  edAssoc = Named(new QLineEdit(this), "edAssoc", "Type of file that will be associated with the above file");
  edAssoc->setMinimumWidth(220);
  lblWith = NamedLabel("lblWith", "With:", edAssoc);
  lblExample = NamedLabel("lblExample", "Example:");
  lblAssocExample = NamedLabel("lblAssocExample", "");
  Button1 = Named(new QPushButton("OK", this), "Button1");
  Button2 = Named(new QPushButton("Cancel", this), "Button2");

  auto* grid = new QGridLayout;
  grid->addWidget(lblAssociate, 0, 0);
  grid->addWidget(lblMain, 0, 1);
  grid->addWidget(lblWith, 1, 0);
  grid->addWidget(edAssoc, 1, 1);
  grid->addWidget(lblExample, 2, 0);
  grid->addWidget(lblAssocExample, 2, 1);
  QHBoxLayout* buttons = ButtonRow({Button1, Button2});
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  layout->addLayout(grid);
  layout->addLayout(buttons);

  Button1->setDefault(true);
  SetDefaultButton(Button1);
  SetCancelButton(Button2);
  SetButtonResult(Button1, mrOk);
  SetButtonResult(Button2, mrCancel);
  connect(edAssoc, &QLineEdit::textChanged, this, [this] { edAssocChange(); });
}

TFrmAssociate::~TFrmAssociate() = default;

void TFrmAssociate::Setup(const std::string& FileType, const std::string& Mask) {
  lblMain->setText(Q(FileType));
  edAssoc->setText(Q(Mask));
  edAssocChange();
}

std::string TFrmAssociate::Mask() const { return edAssoc->text().toStdString(); }

void TFrmAssociate::showEvent(QShowEvent* Event) {
  TRVLForm::showEvent(Event);
  edAssoc->setFocus();
  edAssocChange();
}

void TFrmAssociate::edAssocChange() {
  const std::string form = "Form1" + lblMain->text().toStdString();
  const std::string companion = platform::ExtractFileName(FAssoc->GetAssociatedFile(form, Mask()));
  lblAssocExample->setText(Q(form + " will be associated with " + companion));
}
