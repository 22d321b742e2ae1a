#include "addin/dialogs/uFrmFileList.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "addin/dialogs/uFrmAdvanced.h"
#include "addin/dialogs/uRVLListBox.h"
#include "addin/execute/uRVLExecute.h"
#include "addin/frame/uRVLFactory.h"
#include "addin/selection/uRVLAssoc.h"
#include "addin/settings/uRVLUtils.h"
#include "addin/sourcesafe/uRVLItems.h"
#include "ui/Menus.h"
#include "ui/MenuItem.h"
#include "ui/StatusBar.h"

namespace {

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption, const char* hint) {
  auto* button = new QPushButton(QString::fromUtf8(caption), parent);
  button->setObjectName(name);
  button->setToolTip(QString::fromUtf8(hint));
  return button;
}

TMenuItem* MakeMenuItem(TPopupMenu* menu, const char* name, const char* caption, TShortCut shortCut = 0) {
  TMenuItem* item = NewMenuItem(menu->Items(), name, caption);
  item->SetShortCut(shortCut);
  return item;
}

constexpr TShortCut CtrlI = 16457;

} // namespace

TFrmFileList::TFrmFileList(QObject* owner, TRVLProject* Project)
    : TRVLForm(owner), FProject(Project), FAssoc(TRVLFactory::_Instance().CreateAssoc()) {
  resize(440, 300);
  pnlRight = new QWidget(this);
  pnlRight->setObjectName("pnlRight");
  btnOKToAll = MakeButton(pnlRight, "btnOKToAll", "O&K", "Perform the operation and close this window");
  btnOK = MakeButton(pnlRight, "btnOK", "A&pply", "Perform the operation and leave the window open");
  btnCancel = MakeButton(pnlRight, "btnCancel", "Cancel", "");
  btnSelectAll = MakeButton(pnlRight, "btnSelectAll", "Select &All", "Select/Clear all checkboxes");
  btnAdvanced = MakeButton(pnlRight, "btnAdvanced", "A&dvanced..", "Show advanced settings for this operation");
  btnAdvanced->hide();
  SetDefaultButton(btnOKToAll);
  SetCancelButton(btnCancel);
  SetButtonResult(btnCancel, mrCancel);
  auto* buttons = new QVBoxLayout(pnlRight);
  for (QPushButton* button : {btnOKToAll, btnOK, btnCancel, btnSelectAll, btnAdvanced}) buttons->addWidget(button);
  buttons->addStretch();

  pnlTop = new QWidget(this);
  pnlTop->setObjectName("pnlTop");
  lblFiles = new QLabel(QStringLiteral("&Files"), pnlTop);
  lblFiles->setObjectName("lblFiles");
  (new QHBoxLayout(pnlTop))->addWidget(lblFiles);
  pnlListox = new QWidget(this);
  pnlListox->setObjectName("pnlListox");
  new QVBoxLayout(pnlListox);
  pnlListox->layout()->setContentsMargins(0, 0, 0, 0);
  pnlLeft = new QWidget(this);
  pnlLeft->setObjectName("pnlLeft");
  pnlLeft->setFixedWidth(5);
  sbarStatus = new TStatusBar(this);
  sbarStatus->setObjectName("sbarStatus");
  sbarStatus->SetSimplePanel(true);
  FAdvancedBox = new QGroupBox(this);
  FAdvancedBox->hide();

  auto* middle = new QVBoxLayout;
  middle->addWidget(pnlTop);
  middle->addWidget(pnlListox, 1);
  auto* row = new QHBoxLayout;
  row->addWidget(pnlLeft);
  row->addLayout(middle, 1);
  row->addWidget(pnlRight);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addLayout(row, 1);
  layout->addWidget(FAdvancedBox);
  layout->addWidget(sbarStatus);

  popupFileList = new TPopupMenu(this);
  popupFileList->SetName("popupFileList");
  popupSelectAll = MakeMenuItem(popupFileList, "popupSelectAll", "Select &All");
  popupInvertSelection = MakeMenuItem(popupFileList, "popupInvertSelection", "&Invert Selection", CtrlI);

  auto selectAll = [this] {
    SelectAll(GetSelectAllMode());
    UpdateState();
    Rows()->setFocus();
  };
  connect(btnSelectAll, &QPushButton::clicked, this, selectAll);
  popupSelectAll->OnClick = [selectAll](TObject*) { selectAll(); };
  popupInvertSelection->OnClick = [this](TObject*) {
    InvertSelection();
    UpdateState();
    Rows()->setFocus();
  };
  // The popup menu is only shown on demand; its shortcut works while the dialog is active.
  addAction(popupInvertSelection->Action());
  connect(btnAdvanced, &QPushButton::clicked, this, [this] { ShowAdvanced(); });
  connect(btnOKToAll, &QPushButton::clicked, this, [this] { Guarded(this, [this] { OKToAllClick(); }); });
  connect(btnOK, &QPushButton::clicked, this, [this] { Guarded(this, [this] { ApplyClick(); }); });
}

TFrmFileList::~TFrmFileList() = default;

void TFrmFileList::AdvancedChanged(TFrmAdvanced* Panel) { FFlags = Panel->FFlags; }

void TFrmFileList::InvertSelection() {
  for (int i = 0; i < Rows()->Count(); ++i) Rows()->SetChecked(i, !Rows()->Checked(i));
}

void TFrmFileList::SelectAll(bool Select) {
  for (int i = 0; i < Rows()->Count(); ++i) Rows()->SetChecked(i, Select);
}

void TFrmFileList::ExecuteAll() { FExecute->Execute(Comment(), FFlags); }

void TFrmFileList::ExecuteOne(int Row) { FExecute->ExecuteItem(Row, Comment(), *FFlags); }

void TFrmFileList::SetList(TRVLItems* Items, TRVLExecute* Executor) {
  FItems = Items;
  FExecute = Executor;
  FFlags = Executor->GetFlags();
  if (FAdvanced) FAdvanced->FFlags = FFlags;
  FillList();
}

void TFrmFileList::SetAdvanced(TFrmAdvanced* Panel) {
  if (!Panel) return;
  btnAdvanced->show();
  FAdvancedBox->setTitle(QStringLiteral("Advanced"));
  // Room for the panel, the box's title and its frame.
  FAdvancedBox->setFixedHeight(Panel->height() + FAdvancedBox->fontMetrics().height() + 16);
  FAdvanced = Panel;
  Panel->FOnChange = [this](TFrmAdvanced* panel) { AdvancedChanged(panel); };
  Panel->setParent(FAdvancedBox);
  Panel->setWindowFlags(Qt::Widget);
  auto* layout = new QVBoxLayout(FAdvancedBox);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(Panel);
}

void TFrmFileList::ShowAdvanced() {
  btnAdvanced->setEnabled(false);
  resize(width(), height() + FAdvancedBox->height());
  FAdvancedBox->show();
  FAdvanced->show();
}

void TFrmFileList::SaveWindowPlacement() {
  // The stored height never includes the advanced area.
  if (FAdvancedBox->isVisible()) {
    FAdvancedBox->hide();
    resize(width(), height() - FAdvancedBox->height());
  }
  TRVLForm::SaveWindowPlacement();
}

void TFrmFileList::UpdateButtons() {
  const int ticked = Rows()->ChkCount();
  btnOKToAll->setEnabled(ticked > 0);
  btnOK->setEnabled(ticked > 0);
  SetSelectAllMode(Rows()->Count() != ticked);
  const char* caption = GetSelectAllMode() ? "Select &All" : "Clear &All";
  btnSelectAll->setText(QString::fromUtf8(caption));
  popupSelectAll->SetCaption(caption);
}

void TFrmFileList::showEvent(QShowEvent* event) {
  TRVLForm::showEvent(event);
  UpdateState();
}

void TFrmFileList::OKToAllClick() {
  THourglass hourglass;
  for (int i = Rows()->Count() - 1; i >= 0; --i)
    if (!Rows()->Checked(i)) FItems->Delete(i);
  FExecute->SetItems(FItems);
  hide();
  // The window is gone: a failure outside the executor's per-file handling must end the modal loop too.
  struct TClose {
    TFrmFileList* Form;
    ~TClose() {
      if (Form->ModalResult() == mrNone) Form->SetModalResult(mrCancel);
    }
  } close{this};
  ExecuteAll();
  SetModalResult(mrOk);
}

void TFrmFileList::ApplyClick() {
  THourglass hourglass;
  FExecute->SetItems(FItems);
  FExecute->BeforeExecute();
  TRVLListBox* rows = Rows();
  for (int i = 0; i < rows->Count(); ++i) {
    if (!rows->Checked(i)) continue;
    rows->SetItemIndex(i);
    if (!rows->viewport()->rect().contains(rows->visualItemRect(rows->item(i)))) rows->SetTopIndex(i);
    try {
      ExecuteOne(i);
    } catch (const std::exception& e) {
      const std::string text = FItems->GetItem(i)->GetLocalSpec() + "\r" + e.what() + "\rContinue operation on other files?";
      if (ShowMessageBox(text, MB_YESNO | MB_ICONSTOP) != IDYES) break;
      continue;
    }
    rows->SetChecked(i, false);
    rows->SetItemEnabled(i, false);
    repaint();
    raise();
  }
  UpdateState();
  btnCancel->setText(QStringLiteral("&Close"));
}
