#include "addin/selection/uRVLFileListBuilder.h"

#include "addin/execute/uRVLExecute.h"
#include "addin/frame/uRVLFactory.h"
#include "addin/frame/uRVLGlobals.h"
#include "addin/selection/uRVLAssoc.h"
#include "addin/selection/uRVLFileListBuilderFactory.h"
#include "addin/settings/uRegProject.h"
#include "addin/sourcesafe/uRVLItems.h"
#include "addin/sourcesafe/uRVLProject.h"
#include "opentools/ToolIntf.h"
#include "platform/Files.h"
#include "platform/Text.h"
#include "vss/api/VSSErrors.h"

namespace {

enum class TLocalCopy { Missing, Same, Different };

// IsDifferent is asked first, so an unchanged file costs one stat: only a file said to differ (a
// missing one does) is looked for, and a folder in its place is no local copy either.
TLocalCopy LocalCopyOf(IVSSItem& VSSItem, const std::string& Local) {
  try {
    if (!VSSItem.IsDifferent(Local)) return TLocalCopy::Same;
  } catch (const EVSSAutomation&) {
    if (platform::DirectoryExists(Local)) return TLocalCopy::Missing;
    throw;
  }
  return platform::FileExists(Local) ? TLocalCopy::Different : TLocalCopy::Missing;
}

bool ChangedElsewhere(IVSSItem& VSSItem, TLocalCopy Copy) {
  return Copy == TLocalCopy::Different && VSSItem.IsCheckedOut() != VSSFILE_CHECKEDOUT_ME;
}

} // namespace

bool IsChangedElsewhere(TRVLItem* Item) {
  VSSPtr<IVSSItem> vssItem = Item->GetVSSItem();
  return vssItem && ChangedElsewhere(*vssItem, LocalCopyOf(*vssItem, Item->GetLocalSpec()));
}

void TRVLFileListBuilder::AddItem(TRVLItems* List, TRVLItem* Item) {
  if (!Accept(Item)) return;
  if (FFilter && !FFilter->CanExecute(Item)) return;
  List->AddCopy(Item);
}

void TRVLFileListBuilder::SetParams(TRVLProject* Project, TRVLItem* CurrentItem) {
  FProject = Project;
  FCurrentItem = CurrentItem;
}

void TRVLFileListBuilder::AddVSSFiles(TRVLItems* List, IVSSItem* Project, bool Deep) {
  VSSPtr<IVSSItems> children = Project->Items(false);
  const int count = children->Count();
  for (int i = 1; i <= count; ++i) {
    VSSPtr<IVSSItem> child = children->Item(i);
    if (child->Type() == VSSITEM_FILE) {
      AddItem(List, TRVLFactory::_Instance().CreateItemFromVSS(child, FProject->GetDatabase()).get());
    } else if (Deep) {
      AddVSSFiles(List, child.Get(), true);
    }
  }
}

void TRVLFileListBuilder::AddFile(TRVLItems* List, const std::string& FileName) {
  AddItem(List, TRVLFactory::_Instance().CreateItemFromFile(FileName, FProject).get());
}

// The IDE lists a project's units and forms; the project file and the header of each C++ unit
// belong to the project as much, so they come along.
void TRVLFileListBuilder::AddIDEFiles(TRVLItems* List) {
  TIToolServices* services = Globals().ToolServices;
  if (!services) return;
  const int units = services->GetUnitCount();
  const std::string projectFile = FProject ? FProject->FileName() : std::string();
  bool projectListed = false;
  for (int i = 0; i < units; ++i) projectListed = projectListed || platform::SamePath(services->GetUnitName(i), projectFile);
  if (!projectListed && platform::FileExists(projectFile)) AddFile(List, projectFile);
  for (int i = 0; i < units; ++i) {
    const std::string unit = services->GetUnitName(i);
    AddFile(List, unit);
    if (!platform::SameText(platform::ExtractFileExt(unit), ".cpp")) continue;
    // A header SourceSafe has counts even when it is missing here, so that getting a project brings it.
    const std::string header = platform::ExistingCase(platform::ChangeFileExt(unit, ".h"));
    std::unique_ptr<TRVLItem> item = TRVLFactory::_Instance().CreateItemFromFile(header, FProject);
    if (platform::FileExists(header) || item->IsInVSS()) AddItem(List, item.get());
  }
  for (int i = 0; i < services->GetFormCount(); ++i) AddFile(List, services->GetFormName(i));
}

void TRVLCurrentFileListBuilder::Build(TRVLItems* List) {
  if (!FCurrentItem) return;
  AddItem(List, FCurrentItem);
  if (!FIncludeAssociated) return;
  std::unique_ptr<TRVLAssoc> assoc = TRVLFactory::_Instance().CreateAssoc();
  if (!assoc->IsEnabled()) return;
  std::vector<std::string> companions;
  assoc->GetAssociatedFiles(FCurrentItem->GetLocalSpec(), companions);
  for (const std::string& companion : companions) AddFile(List, companion);
}

bool TRVLVCSProjectListBuilder::Accept(TRVLItem* Item) { return Item->IsInVSS(); }

void TRVLVCSProjectListBuilder::Build(TRVLItems* List) {
  if (VSSPtr<IVSSItem> project = FProject->GetVSSProject()) AddVSSFiles(List, project.Get(), false);
}

void TRVLAllFilesListBuilder::Build(TRVLItems* List) {
  if (VSSPtr<IVSSItem> project = FProject->GetVSSProject()) AddVSSFiles(List, project.Get(), true);
  AddIDEFiles(List);
  TRegProject* settings = FProject->GetRegProject();
  if (!settings) return;
  for (const std::string& spec : settings->GetOtherFiles())
    AddItem(List, TRVLFactory::_Instance().CreateItemFromSpec(spec, FProject->GetDatabase()).get());
}

bool TRVLAllVCSFilesListBuilder::Accept(TRVLItem* Item) { return Item->IsInVSS(); }

bool TRVLDifferentFilesListBuilder::Accept(TRVLItem* Item) { return IsChangedElsewhere(Item); }

void TRVLAllLocalFilesListBuilder::Build(TRVLItems* List) {
  if (FProject) AddIDEFiles(List);
}

bool TRVLSyncOpenListBuilder::Accept(TRVLItem* Item) {
  VSSPtr<IVSSItem> vssItem = Item->GetVSSItem();
  if (!vssItem) return false;
  const TLocalCopy copy = LocalCopyOf(*vssItem, Item->GetLocalSpec());
  const bool missing = copy == TLocalCopy::Missing;
  if (!missing && !ChangedElsewhere(*vssItem, copy)) return false;
  if (FCounted.insert(platform::FoldCase(Item->GetSpec())).second) ++(missing ? FNewFiles : FChangedFiles);
  return true;
}

TRVLSynchronizeListBuilder::TRVLSynchronizeListBuilder()
    : FAllVCSFiles(TRVLFileListBuilderFactory::_Instance().CreateAllVCSFilesBuilder()),
      FAllLocalFiles(TRVLFileListBuilderFactory::_Instance().CreateAllLocalFilesBuilder()) {}

TRVLSynchronizeListBuilder::~TRVLSynchronizeListBuilder() = default;

void TRVLSynchronizeListBuilder::Build(TRVLItems* List) {
  for (TRVLFileListBuilder* inner : {FAllVCSFiles.get(), FAllLocalFiles.get()}) {
    inner->SetParams(FProject, FCurrentItem);
    inner->SetFilter(FFilter);
    inner->Build(List);
  }
}
