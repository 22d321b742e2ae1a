#include "addin/tools/uFrmLabel.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/StatusBar.h"

namespace {

// A version as the newer interface when it offers that.
VSSPtr<IVSSVersion> Newest(VSSPtr<IVSSVersion> Version) {
  if (VSSPtr<IVSSVersion2> newer = Version.Query<IVSSVersion2>()) return newer;
  return Version;
}

} // namespace

TFrmLabel::TFrmLabel(QObject* AOwner, VSSPtr<IVSSDatabase> Database, VSSPtr<IVSSItem> Item)
    : TRVLForm(AOwner), FItem(std::move(Item)), FDatabase(std::move(Database)) {
  SetName("FrmLabel");
  SetCaption("Label");
  setWindowFlags(windowFlags() | Qt::Dialog);

  edItemSpec = Named(new QLineEdit(this), "edItemSpec", "Name of the item the label will be attached to");
  edItemSpec->setReadOnly(true);
  QPalette palette = edItemSpec->palette();
  palette.setColor(QPalette::Base, palette.color(QPalette::Button));
  edItemSpec->setPalette(palette);
  edItemSpec->setMinimumWidth(300);
  edLabel = Named(new QLineEdit(this), "edLabel", "Enter a label for this item");
  memoComment = Named(new QPlainTextEdit(this), "memoComment", "Enter a comment for the label operation");
  memoComment->setTabChangesFocus(true);
  memoComment->setFixedHeight(memoComment->fontMetrics().height() * 5 + 10);
  lblItem = Named(new QLabel("&Item", this), "lblItem");
  lblItem->setBuddy(edItemSpec);
  lblLabel = Named(new QLabel("&Label", this), "lblLabel");
  lblLabel->setBuddy(edLabel);
  lblComment = Named(new QLabel("Co&mment", this), "lblComment");
  lblComment->setBuddy(memoComment);
  lblLast = Named(new QLabel("Last Label:", this), "lblLast");
  lblLastLabel = Named(new QLabel(this), "lblLastLabel", "The last label that was attached to this item");
  btnOK = Named(new QPushButton("&OK", this), "btnOK");
  btnOK->setEnabled(false);
  btnCancel = Named(new QPushButton("&Cancel", this), "btnCancel");
  sbarStatus = Named(new TStatusBar(this), "sbarStatus");
  sbarStatus->SetSimplePanel(true);
  sbarStatus->setFixedHeight(sbarStatus->fontMetrics().height() + 8);

  auto* grid = new QGridLayout;
  grid->addWidget(lblItem, 0, 0);
  grid->addWidget(edItemSpec, 0, 1, 1, 2);
  grid->addWidget(lblLabel, 1, 0);
  grid->addWidget(edLabel, 1, 1, 1, 2);
  grid->addWidget(lblComment, 2, 0, Qt::AlignTop);
  grid->addWidget(memoComment, 2, 1, 1, 2);
  grid->addWidget(lblLast, 3, 0);
  grid->addWidget(lblLastLabel, 3, 1, 1, 2);
  QHBoxLayout* buttons = ButtonRow({btnOK, btnCancel});
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  layout->addLayout(grid);
  layout->addLayout(buttons);
  layout->addWidget(sbarStatus);

  btnOK->setDefault(true);
  SetDefaultButton(btnOK);
  SetCancelButton(btnCancel);
  SetButtonResult(btnCancel, mrCancel);
  connect(edLabel, &QLineEdit::textChanged, this, [this] { edLabelChange(); });
  connect(btnOK, &QPushButton::clicked, this, [this] { Guarded(this, [this] { btnOKClick(); }); });

  const std::string spec = FItem->Spec();
  edItemSpec->setText(Q(spec));
  // The newest version with a label of the item's own (a project's label shows in its files' history
  // too, but is not theirs).
  VSSPtr<IVSSVersions> versions = FItem->Versions(VSSFLAG_RECURSNO);
  VSSPtr<IVSSVersion> version;
  while (versions->Next(version.Out())) {
    if (version->Label().empty() || version->VSSItem()->Spec() != spec) continue;
    FLastVersion = Newest(version);
    lblLastLabel->setText(Q(version->Label()));
    break;
  }
}

TFrmLabel::~TFrmLabel() = default;

void TFrmLabel::edLabelChange() { btnOK->setEnabled(!edLabel->text().isEmpty()); }

void TFrmLabel::btnOKClick() {
  FItem->Label(edLabel->text().toStdString(), memoComment->toPlainText().toStdString());
  SetModalResult(mrOk);
}

bool TFrmLabel::DoShowHint(std::string& HintStr, bool& CanShow, THintInfo& HintInfo) {
  if (!TRVLForm::DoShowHint(HintStr, CanShow, HintInfo)) return false;
  if (HintInfo.HintControl != lblLastLabel) return true;
  HintStr.clear();
  if (!FLastVersion) return true;
  VSSPtr<IVSSVersion2> newer = FLastVersion.Query<IVSSVersion2>();
  HintStr = newer ? newer->LabelComment() : FLastVersion->Comment();
  HintInfo.HintWindowClass = "TRVLHintWindow";
  return true;
}
