#include "addin/sourcesafe/uRVLItem.h"

#include "addin/commands/uRVLCommandsFactory.h"
#include "addin/frame/uRVLFactory.h"
#include "addin/frame/uRVLGlobals.h"
#include "addin/settings/uRVLUtils.h"
#include "addin/settings/uSpecPath.h"
#include "addin/sourcesafe/uRVLProject.h"
#include "addin/tools/uRVLViewCommands.h"
#include "opentools/ToolIntf.h"
#include "platform/Files.h"
#include "platform/Text.h"

namespace {

// `Folder` + "/" + `Rest`, without doubling the root's "/".
std::string JoinSpec(const std::string& Folder, const std::string& Rest) {
  return Folder.ends_with('/') ? Folder + Rest : Folder + "/" + Rest;
}

TIToolServices* ToolServices() { return Globals().ToolServices; }

// True when the local path `Relative` ("../../x.cpp") leads from the SourceSafe project `Spec` to
// above SourceSafe's root.
bool ClimbsAboveRoot(const std::string& Spec, const std::string& Relative) {
  size_t depth = 0;
  for (const std::string& name : platform::Split(StripDollar(Spec), '/')) depth += name.empty() ? 0 : 1;
  size_t ups = 0;
  while (Relative.compare(ups * 3, 3, "../") == 0) ++ups;
  return ups > depth;
}

} // namespace

std::string VSSPathOf(const std::string& Key) { return Key.starts_with('$') ? Key : "$" + Key; }

bool IsCheckedOutToMe(TRVLItem* Item) {
  VSSPtr<IVSSItem> vssItem = Item->GetVSSItem();
  return vssItem && vssItem->IsCheckedOut() == VSSFILE_CHECKEDOUT_ME;
}

bool CanBeCheckedOut(TRVLItem* Item) {
  VSSPtr<IVSSItem> vssItem = Item->GetVSSItem();
  return vssItem && vssItem->IsCheckedOut() != VSSFILE_CHECKEDOUT_ME;
}

TRVLItem::TRVLItem(VSSPtr<IVSSItem> VSSItem, VSSPtr<IVSSDatabase> Database)
    : FVSSItem(std::move(VSSItem)), FDatabase(std::move(Database)) {
  if (FVSSItem) FSpec = StripDollar(FVSSItem->Spec());
}

TRVLItem::TRVLItem(TFromSpec, const std::string& Path, VSSPtr<IVSSDatabase> Database)
    : FSpec(StripDollar(Path)), FDatabase(std::move(Database)) {
  if (!FDatabase) return;
  FVSSItem = FDatabase->VSSItem(VSSPathOf(FSpec), false);
  FSpec = StripDollar(FVSSItem->Spec());
}

TRVLItem::TRVLItem(TFromFile, const std::string& FileName, TRVLProject* Project)
    : FLocalSpec(FileName), FLocalSpecKnown(true), FProject(Project) {
  if (Project && Project->IsBound()) LookupThroughProject(Project);
  // A file in the project's own folder would bind through the same per-project file again (and ask
  // for the login that just failed a second time).
  const bool projectsFolder =
      Project && platform::SamePath(platform::ExtractFileDir(FileName), platform::ExtractFileDir(Project->FileName()));
  if (!FVSSItem && !projectsFolder && !SpecFolderExists()) LookupThroughOwnFolder();
  if (FVSSItem) FSpec = StripDollar(FVSSItem->Spec());
  FDatabase = FProject ? FProject->GetDatabase() : nullptr;
}

TRVLItem::TRVLItem(const TRVLItem& Source)
    : TObject(Source), FLive(Source.FLive), FVSSItem(Source.FVSSItem), FStale(Source.FStale),
      FLocalSpec(Source.FLocalSpec), FLocalSpecKnown(Source.FLocalSpecKnown), FSpec(StripDollar(Source.FSpec)),
      FDatabase(Source.FDatabase), FProject(Source.FProject), FOwnedProject(Source.FOwnedProject) {}

TRVLItem::~TRVLItem() = default;

VSSPtr<IVSSItem> TRVLItem::FileItem(const std::string& Spec, bool Quiet) {
  VSSPtr<IVSSItem> item;
  try {
    item = FDatabase->VSSItem(VSSPathOf(Spec), false);
  } catch (const EVSSAutomation& e) {
    // A file SourceSafe doesn't have yet (a new unit) simply has no item.
    if (!Quiet && e.ErrorCode() != VSSError::NotFound) throw;
    return nullptr;
  } catch (const std::exception&) {
    if (!Quiet) throw;
    return nullptr;
  }
  return item->Type() == VSSITEM_PROJECT ? nullptr : item;
}

void TRVLItem::LookupThroughProject(TRVLProject* Project) {
  const std::string projectSpec = Project->GetVSSProject()->Spec();
  const std::string projectDir = platform::ExtractFileDir(Project->FileName());
  if (platform::SamePath(platform::ExtractFileDir(FLocalSpec), projectDir)) {
    FSpec = StripDollar(JoinSpec(projectSpec, platform::ExtractFileName(FLocalSpec)));
    FDatabase = Project->GetDatabase();
    FVSSItem = FileItem(FSpec, false);
    return;
  }
  const std::string relative = platform::ExtractRelativePath(projectDir, FLocalSpec);
  std::string path = LocalToSpec(JoinSpec(projectSpec, relative));
  if (HasDotDot(relative) && !ClimbsAboveRoot(projectSpec, relative)) path = StripDollar(CollapseDotDot(path));
  FSpec = path;
  // A path still climbing above the root names nothing SourceSafe could have.
  if (HasDotDot(FSpec)) return;
  FDatabase = Project->GetDatabase();
  FVSSItem = FileItem(FSpec, true);
}

bool TRVLItem::SpecFolderExists() {
  if (FSpec.empty() || HasDotDot(FSpec) || !FDatabase) return false;
  try {
    FDatabase->VSSItem(VSSPathOf(SpecParent(FSpec)), false);
  } catch (const std::exception&) {
    return false;
  }
  return true;
}

void TRVLItem::LookupThroughOwnFolder() {
  std::unique_ptr<TRVLProject> project = TRVLFactory::_Instance().CreateProject(platform::ExtractFilePath(FLocalSpec));
  if (!project->IsBound()) return;
  LookupThroughProject(project.get());
  if (!FVSSItem) return;
  FProject = project.get();
  FOwnedProject = std::move(project);
}

VSSPtr<IVSSItem> TRVLItem::GetVSSItem() {
  if (FStale && FDatabase) {
    FVSSItem = nullptr;
    if (!FSpec.empty() && !HasDotDot(FSpec)) {
      try {
        FVSSItem = FDatabase->VSSItem(VSSPathOf(FSpec), false);
      } catch (const EVSSAutomation& e) {
        if (e.ErrorCode() != VSSError::NotFound) throw;
      }
    }
    FStale = false;
  }
  return FVSSItem;
}

bool TRVLItem::IsInVSS() { return static_cast<bool>(GetVSSItem()); }

std::string TRVLItem::GetLocalSpec() {
  if (!FLocalSpecKnown) {
    VSSPtr<IVSSItem> item = GetVSSItem();
    FLocalSpec = item ? item->LocalSpec() : std::string();
    FLocalSpecKnown = true;
  }
  return FLocalSpec;
}

bool TRVLItem::SaveInIDE() {
  TIToolServices* services = ToolServices();
  if (!services) return false;
  const std::string fileName = GetLocalSpec();
  if (TIntfPtr<TIModuleInterface> module(services->GetModuleInterface(fileName)); module) return module->Save(false);
  return services->SaveFile(fileName);
}

void TRVLItem::ShowInIDE() {
  TIToolServices* services = ToolServices();
  if (!services) return;
  if (TIntfPtr<TIModuleInterface> module(services->GetModuleInterface(GetLocalSpec())); module) module->ShowSource();
}

void TRVLItem::ReloadInIDE(bool ClearReadOnly) {
  TIToolServices* services = ToolServices();
  const std::string fileName = GetLocalSpec();
  // A local copy deleted on purpose (Undo Check Out can do that) has nothing to reload.
  if (!services || !platform::FileExists(fileName)) return;
  if (ClearReadOnly) {
    // Read once writable, then again with the file's own attributes.
    const bool readOnly = platform::IsReadOnly(fileName);
    platform::SetReadOnly(fileName, false);
    services->ReloadFile(fileName);
    platform::SetReadOnly(fileName, readOnly);
  }
  services->ReloadFile(fileName);
}

namespace {

void View(void (TRVLViewCommands::*Operation)(TRVLItem*), TRVLItem* Item) {
  THourglass hourglass;
  (TRVLCommandsFactory::_Instance().CreateViewCommands().get()->*Operation)(Item);
}

} // namespace

void TRVLItem::ViewVersion() { View(&TRVLViewCommands::ViewVersion, this); }
void TRVLItem::ShowDifference() { View(&TRVLViewCommands::ShowDifference, this); }

void TRVLItem::ViewLocalFile() {
  THourglass hourglass;
  VSSPtr<IVSSItem> vssItem = GetVSSItem();
  TRVLCommandsFactory::_Instance().CreateViewCommands()->ViewFile(GetLocalSpec(), vssItem && vssItem->Binary());
}

void TRVLItem::CompareWith(TRVLItem* Other) {
  THourglass hourglass;
  TRVLCommandsFactory::_Instance().CreateViewCommands()->CompareVersions(this, Other);
}

void TRVLB3Item::ReloadInIDE(bool) {
  TIToolServices* services = ToolServices();
  const std::string fileName = GetLocalSpec();
  if (services && platform::FileExists(fileName)) services->ReloadFile(fileName);
}
