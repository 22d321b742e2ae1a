#include <algorithm>

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "addin/dialogs/uFrmFileList.h"
#include "addin/dialogs/uRVLHintWindow.h"
#include "addin/diagnostics/uRVLException.h"
#include "addin/dialogs/uRVLFormFactory.h"
#include "addin/dialogs/uRVLListBox.h"
#include "addin/execute/uRVLExecute.h"
#include "addin/frame/uRVLFactory.h"
#include "addin/frame/uRVLGlobals.h"
#include "addin/selection/uRVLAssoc.h"
#include "addin/settings/uFlags.h"
#include "addin/settings/uRVLUtils.h"
#include "addin/settings/uSpecPath.h"
#include "addin/sourcesafe/uRVLItems.h"
#include "addin/sourcesafe/uRVLProject.h"
#include "addin/settings/uRegProject.h"
#include "addin/tools/uFrmOtherFiles.h"
#include "platform/Files.h"
#include "ui/Menus.h"
#include "ui/StatusBar.h"

TFrmFileListBox::TFrmFileListBox(QObject* owner, TRVLProject* Project) : TFrmFileList(owner, Project) {
  btnOther = new QPushButton(QStringLiteral("&Other.."), pnlRight);
  btnOther->setObjectName("btnOther");
  btnOther->setToolTip(QStringLiteral("Allow you to choose files that does not appear in this dialog"));
  static_cast<QVBoxLayout*>(pnlRight->layout())->insertWidget(4, btnOther);
  connect(btnOther, &QPushButton::clicked, this, [this] { Guarded(this, [this] { OtherClick(); }); });
  // Other files come from the project's database; the Add dialog picks them from the disk instead.
  btnOther->setEnabled(Project && Project->GetDatabase());

  vlbFileList = new TRVLListBox(pnlListox);
  vlbFileList->setObjectName("vlbFileList");
  vlbFileList->SetStyle(lbOwnerDrawFixed);
  vlbFileList->SetItemHeight(16);
  vlbFileList->SetCheckBoxes(true);
  vlbFileList->SetHScrollBar(false);
  static_cast<QVBoxLayout*>(pnlListox->layout())->addWidget(vlbFileList, 1);
  lblFiles->setBuddy(vlbFileList);
  vlbFileList->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(vlbFileList, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
    const QPoint global = vlbFileList->viewport()->mapToGlobal(pos);
    popupFileList->Popup(global.x(), global.y());
  });
  vlbFileList->OnClickCheck = [this](TObject*) {
    const int row = vlbFileList->ItemIndex();
    if (row >= 0) CheckWithCompanions(row, vlbFileList->Checked(row));
  };
  vlbFileList->OnDrawItem = [this](TRVLListBox* list, int index, QPainter& canvas, const QRect& rect,
                                   TOwnerDrawState state) {
    canvas.fillRect(rect, list->palette().base());
    QFont font = list->font();
    font.setBold(list->ItemData(index) == 1);
    canvas.setFont(font);
    std::string text = list->Text(index);
    if (state & odSelected) text = ShortenSpec(text, font, rect.width());
    canvas.drawText(rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, QString::fromStdString(text));
  };
}

TFrmFileListBox::~TFrmFileListBox() = default;

void TFrmFileListBox::UpdateState() {
  sbarStatus->SetSimpleText(std::to_string(vlbFileList->ChkCount()) + " Selected Files");
  UpdateButtons();
}

void TFrmFileListBox::FillList() {
  vlbFileList->Clear();
  for (int i = 0; i < FItems->Count(); ++i) AddListItem(FItems->GetItem(i));
}

std::string TFrmFileListBox::ItemCaption(TRVLItem* Item) {
  const std::string spec = VSSPathOf(Item->GetSpec());
  VSSPtr<IVSSItem> project = FProject ? FProject->GetVSSProject() : nullptr;
  if (!project) return spec;
  const std::string relative = RelativeSpec(project->Spec() + "/", spec);
  return relative.find("..") == std::string::npos ? relative : spec;
}

int TFrmFileListBox::AddListItem(TRVLItem* Item) {
  const std::string local = Item->GetLocalSpec();
  VSSPtr<IVSSItem> vssItem = Item->GetVSSItem();
  const bool differs = platform::FileExists(local) && vssItem && vssItem->IsDifferent(local);
  const int row = vlbFileList->Add(ItemCaption(Item));
  vlbFileList->SetItemData(row, differs ? 1 : 0);
  return row;
}

void TFrmFileListBox::CheckWithCompanions(int Row, bool Checked) {
  vlbFileList->SetChecked(Row, Checked);
  if (FAssoc->IsEnabled()) {
    std::vector<std::string> companions;
    FAssoc->GetAssociatedFiles(vlbFileList->Text(Row), companions);
    for (int i = 0; i < vlbFileList->Count(); ++i)
      if (std::find(companions.begin(), companions.end(), vlbFileList->Text(i)) != companions.end())
        vlbFileList->SetChecked(i, Checked);
  }
  UpdateState();
}

void TFrmFileListBox::CheckItems(TRVLItems* Items) {
  for (int i = 0; i < Items->Count(); ++i) {
    const std::string caption = ItemCaption(Items->GetItem(i));
    for (int row = 0; row < vlbFileList->Count(); ++row)
      if (vlbFileList->Text(row) == caption) {
        CheckWithCompanions(row, true);
        break;
      }
  }
  for (int row = 0; row < vlbFileList->Count(); ++row)
    if (vlbFileList->Checked(row)) {
      vlbFileList->SetItemIndex(row);
      vlbFileList->SetTopIndex(row);
      break;
    }
  UpdateState();
}

bool TFrmFileListBox::OpenWhenEmpty() {
  return ShowMessageBox("No files were found for this operation.\rWould you still like to open the dialog?",
                        MB_YESNO | MB_ICONQUESTION) == IDYES;
}

bool TFrmFileListBox::DoShowHint(std::string& HintStr, bool& CanShow, THintInfo& HintInfo) {
  if (HintInfo.HintControl != vlbFileList->viewport()) return TFrmFileList::DoShowHint(HintStr, CanShow, HintInfo);
  QListWidgetItem* row = vlbFileList->itemAt(HintInfo.CursorPos);
  CanShow = false;
  if (!row) return true;
  const std::string text = row->text().toStdString();
  if (vlbFileList->fontMetrics().horizontalAdvance(row->text()) <= vlbFileList->width() - 32) return true;
  const QRect rect = vlbFileList->visualItemRect(row);
  CanShow = true;
  HintStr = text;
  HintInfo.HintWindowClass = TRVLHintWindow::staticMetaObject.className();
  HintInfo.HintPos = vlbFileList->viewport()->mapToGlobal(rect.topLeft() + QPoint(20, -2));
  HintInfo.CursorRect = rect;
  HintInfo.ReshowTimeout = HintInfo.HideTimeout;
  return true;
}

void TFrmFileListBox::OtherClick() {
  if (!FOtherFiles) {
    FOtherFiles = TRVLFormFactory::_Instance().CreateOtherFiles(this, FProject->GetDatabase());
    FOtherFiles->OnAddFile = [this](TRVLItem* item, bool alwaysAdd) { OtherFileAdded(item, alwaysAdd); };
  }
  FOtherFiles->Show();
  FOtherFiles->raise();
}

void TFrmFileListBox::OtherFileAdded(TRVLItem* Item, bool AlwaysAdd) {
  if (AlwaysAdd && FProject->GetRegProject()) FProject->GetRegProject()->AddOtherFile(VSSPathOf(Item->GetSpec()));
  AddChosen(Item);
}

void TFrmFileListBox::AddChosen(TRVLItem* Item) {
  const int count = FItems->Count();
  if (FItems->AddCopy(Item) != count) return;
  const int row = AddListItem(Item);
  CheckWithCompanions(row, true);
  vlbFileList->SetTopIndex(row);
}

void TFrmFileListBox::showEvent(QShowEvent* event) {
  TFrmFileList::showEvent(event);
  if (FItems && FItems->Count() == 0 && btnOther->isEnabled()) btnOther->setFocus();
}

TFrmFileListComment::TFrmFileListComment(QObject* owner, TRVLProject* Project) : TFrmFileListBox(owner, Project) {
  pnlComment = new QWidget(pnlListox);
  pnlComment->setObjectName("pnlComment");
  lblComment = new QLabel(QStringLiteral("&Comment"), pnlComment);
  lblComment->setObjectName("lblComment");
  memoComment = new QPlainTextEdit(pnlComment);
  memoComment->setObjectName("memoComment");
  memoComment->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memoComment->setToolTip(QStringLiteral(
      "Enter a comment for this operation. The comment will be applied to all selected files"));
  memoComment->setFixedHeight(60);
  lblComment->setBuddy(memoComment);
  auto* layout = new QVBoxLayout(pnlComment);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(lblComment);
  layout->addWidget(memoComment);
  pnlListox->layout()->addWidget(pnlComment);
}

std::string TFrmFileListComment::Comment() { return memoComment->toPlainText().toStdString(); }

TFrmFileListCheckin::TFrmFileListCheckin(QObject* owner, TRVLProject* Project)
    : TFrmFileListComment(owner, Project) {
  SetCaption("Check In");
  chkbKeepCheckedOut = new QCheckBox(QStringLiteral("&Keep checked out"), pnlComment);
  chkbKeepCheckedOut->setObjectName("chkbKeepCheckedOut");
  static_cast<QVBoxLayout*>(pnlComment->layout())->insertWidget(0, chkbKeepCheckedOut);
  connect(chkbKeepCheckedOut, &QCheckBox::clicked, this, [this] { KeepCheckedOutClick(); });
}

void TFrmFileListCheckin::KeepCheckedOutClick() {
  if (!FFlags) throw ERVLException("Flags is nil! (uFrmCheckIn)");
  FFlags->ExtraFlag2 = chkbKeepCheckedOut->isChecked() ? VSSFLAG_KEEPYES : VSSFLAG_KEEPNO;
}

TFrmFileListAdd::TFrmFileListAdd(QObject* owner, TRVLProject* Project) : TFrmFileListCheckin(owner, Project) {
  SetCaption("Add files to source control");
  btnOther->setEnabled(true);
}

std::string TFrmFileListAdd::ItemCaption(TRVLItem* Item) {
  const std::string folder = FProject ? platform::ExtractFilePath(FProject->FileName()) : std::string();
  return folder.empty() ? Item->GetLocalSpec() : platform::ExtractRelativePath(folder, Item->GetLocalSpec());
}

void TFrmFileListAdd::showEvent(QShowEvent* event) {
  TFrmFileListCheckin::showEvent(event);
  if (!chkbKeepCheckedOut->isChecked()) chkbKeepCheckedOut->click();
}

void TFrmFileListAdd::OtherClick() {
  TOpenDialogOptions options;
  options.Filter = Globals().FileFilter;
  options.MultiSelect = true;
  options.FileMustExist = true;
  options.PathMustExist = true;
  std::vector<std::string> files;
  if (!OpenFile(options, files)) return;
  for (const std::string& file : files) {
    std::unique_ptr<TRVLItem> item = TRVLFactory::_Instance().CreateItemFromFile(file, FProject);
    if (FExecute->CanExecute(item.get())) AddChosen(item.get());
  }
}
