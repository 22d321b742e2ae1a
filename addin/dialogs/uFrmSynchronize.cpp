#include "addin/dialogs/uFrmSynchronize.h"

#include <QLabel>
#include <QLayout>

#include "addin/dialogs/uHRVLListbox.h"
#include "addin/dialogs/uRVLListBox.h"
#include "addin/execute/uRVLExecute.h"
#include "addin/execute/uRVLExecuteSynchronize.h"
#include "addin/settings/uFlags.h"
#include "addin/settings/uRVLUtils.h"
#include "addin/settings/uRegWindow.h"
#include "addin/sourcesafe/uRVLItems.h"
#include "platform/Files.h"

namespace {

// The persisted width of each column after the check column.
constexpr const char* WidthValues[] = {"SectionNameWidth", "SectionStatusWidth", "SectionOperationWidth"};

} // namespace

std::string SyncStatusText(TRVLItem* Item) {
  if (!Item->IsInVSS()) return "Not In Source Control";
  return platform::FileExists(Item->GetLocalSpec()) ? "Different" : "Not on local disk";
}

std::string SyncOperationText(TRVLItem* Item) {
  switch (SyncActionOf(Item)) {
    case TSyncAction::Add: return "Add";
    case TSyncAction::CheckIn: return "Check In and keep";
    case TSyncAction::Get: break;
  }
  return "Get Latest";
}

TFrmSynchronize::TFrmSynchronize(QObject* owner, TRVLProject* Project) : TFrmFileList(owner, Project) {
  SetName("FrmSynchronize");
  SetCaption("Synchronize");
  resize(560, 320);
  vlbFileList = new THRVLListbox(pnlListox);
  vlbFileList->setObjectName("vlbFileList");
  vlbFileList->setToolTip(QStringLiteral(
      "List of files that need synchronization, their status and what action needed to synchronize them"));
  vlbFileList->SetSections({{"Name", 200}, {"Status", 120}, {"Operation", 111}});
  vlbFileList->SetCheckBoxes(true);
  vlbFileList->SetDelimChar('\t');
  vlbFileList->SetLBStyle(hlbStandard);
  vlbFileList->RVLListBox()->SetItemHeight(16);
  vlbFileList->SetPopupMenu(popupFileList);
  pnlListox->layout()->addWidget(vlbFileList);
  lblFiles->setBuddy(vlbFileList->RVLListBox());
  vlbFileList->OnClickCheck = [this](TObject*) { UpdateState(); };
}

TRVLListBox* TFrmSynchronize::Rows() { return vlbFileList->RVLListBox(); }

void TFrmSynchronize::LoadWindowPlacement() {
  TFrmFileList::LoadWindowPlacement();
  std::vector<THeaderSection> sections = vlbFileList->Sections();
  for (size_t i = 0; i < std::size(WidthValues); ++i)
    sections[i + 1].Width = RegWindow().ReadControlInteger(this, WidthValues[i], sections[i + 1].Width);
  vlbFileList->SetSections(sections);
}

void TFrmSynchronize::SaveWindowPlacement() {
  const std::vector<THeaderSection> sections = vlbFileList->Sections();
  for (size_t i = 0; i < std::size(WidthValues); ++i)
    RegWindow().WriteControlInteger(this, WidthValues[i], sections[i + 1].Width);
  TFrmFileList::SaveWindowPlacement();
}

void TFrmSynchronize::UpdateState() { UpdateButtons(); }

void TFrmSynchronize::FillList() {
  TRVLListBox* rows = Rows();
  rows->Clear();
  for (int i = 0; i < FItems->Count(); ++i) {
    TRVLItem* item = FItems->GetItem(i);
    rows->Add(item->GetLocalSpec() + "\t" + SyncStatusText(item) + "\t" + SyncOperationText(item));
  }
}

void TFrmSynchronize::SetList(TRVLItems* Items, TRVLExecute* Executor) {
  TFrmFileList::SetList(Items, Executor);
  FFlags->ExtraFlag2 = VSSFLAG_KEEPYES;
}

bool TFrmSynchronize::OpenWhenEmpty() {
  ShowMessageBox("Project is already synchronized", MB_ICONINFORMATION);
  return false;
}
