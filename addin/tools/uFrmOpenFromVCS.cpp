#include "addin/tools/uFrmOpenFromVCS.h"

#include <filesystem>

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "addin/diagnostics/uRVLException.h"
#include "addin/dialogs/uRVLListBox.h"
#include "addin/execute/uRVLExecute.h"
#include "addin/execute/uRVLExecuteFactory.h"
#include "addin/frame/uRVLFactory.h"
#include "addin/frame/uRVLGlobals.h"
#include "addin/selection/uRVLFileListBuilder.h"
#include "addin/selection/uRVLFileListBuilderFactory.h"
#include "addin/settings/uFlags.h"
#include "addin/settings/uRVLRegFactory.h"
#include "addin/settings/uRVLUtils.h"
#include "addin/settings/uRegProject.h"
#include "addin/settings/uRegWindow.h"
#include "addin/settings/uSpecPath.h"
#include "addin/sourcesafe/uRVLItem.h"
#include "addin/sourcesafe/uRVLItems.h"
#include "addin/sourcesafe/uRVLProject.h"
#include "opentools/ToolIntf.h"
#include "platform/Files.h"
#include "platform/Text.h"
#include "ui/StatusBar.h"

bool IsProjectFile(const std::string& Name) {
  const std::string ext = platform::ExtractFileExt(Name);
  if (ext.empty()) return false;
  for (const std::string& known : platform::Split(Globals().ProjectExtensions, ','))
    if (platform::SameText(known, ext)) return true;
  return false;
}

TFrmOpenFromVCS::TFrmOpenFromVCS(QObject* AOwner, VSSPtr<IVSSDatabase> Database)
    : TFrmTreeList(AOwner, std::move(Database)) {
  SetName("FrmOpenFromVCS");
  SetCaption("Open From Source Control Database");
  btnDataBase->show();
  lbFileList->SetMultiSelect(true);

  btnOpen = Named(new QPushButton("&Open", pnlRight), "btnOpen", "Get the selected file and open it in the editor");
  btnOpen->setEnabled(false);
  btnCancel = Named(new QPushButton("Cancel", pnlRight), "btnCancel");
  auto* right = static_cast<QVBoxLayout*>(pnlRight->layout());
  right->insertWidget(0, btnOpen);
  right->insertWidget(1, btnCancel);
  btnOpen->setDefault(true);
  SetDefaultButton(btnOpen);
  SetCancelButton(btnCancel);
  SetButtonResult(btnCancel, mrCancel);

  pnlBottom = Named(new QWidget(this), "pnlBottom");
  edLocalSpec = Named(new QLineEdit(pnlBottom), "edLocalSpec", "The selected project local path");
  edLocalSpec->setFixedWidth(300);
  lblLocalPath = NamedLabel("lblLocalPath", "&Local Path:", edLocalSpec);
  lblLocalPath->setParent(pnlBottom);
  chkbOpenNewProject = Named(new QCheckBox("Open as a project", pnlBottom), "chkbOpenNewProject",
                             "Try to open this file as a project");
  chkbOpenNewProject->setEnabled(false);
  auto* bottom = new QHBoxLayout(pnlBottom);
  bottom->setContentsMargins(4, 2, 4, 2);
  bottom->addWidget(lblLocalPath);
  bottom->addWidget(edLocalSpec);
  bottom->addSpacing(8);
  bottom->addWidget(chkbOpenNewProject);
  bottom->addStretch();
  // Above the status bar, below the tree and the list.
  auto* layout = static_cast<QVBoxLayout*>(this->layout());
  layout->insertWidget(layout->indexOf(sbarStatus), pnlBottom);

  // After the base's own handler, which fills the list.
  connect(tvProjects, &QTreeWidget::currentItemChanged, this, [this] { Guarded(this, [this] { lbFileListClick(); }); });
  connect(lbFileList, &QListWidget::itemSelectionChanged, this, [this] { Guarded(this, [this] { lbFileListClick(); }); });
  connect(lbFileList, &QListWidget::itemDoubleClicked, this, [this] { Guarded(this, [this] { btnOpenClick(); }); });
  connect(btnOpen, &QPushButton::clicked, this, [this] { Guarded(this, [this] { btnOpenClick(); }); });
}

void TFrmOpenFromVCS::Resized(int dWidth, int dHeight) {
  TFrmTreeList::Resized(dWidth, dHeight);
  edLocalSpec->setFixedWidth(std::max(60, edLocalSpec->width() + dWidth));
}

void TFrmOpenFromVCS::LoadWindowPlacement() {
  TFrmTreeList::LoadWindowPlacement();
  edLocalSpec->setFixedWidth(std::max(60, RegWindow().ReadControlInteger(this, "edLocalSpecWidth", edLocalSpec->width())));
}

void TFrmOpenFromVCS::SaveWindowPlacement() {
  RegWindow().WriteControlInteger(this, "edLocalSpecWidth", edLocalSpec->width());
  TFrmTreeList::SaveWindowPlacement();
}

std::vector<std::string> TFrmOpenFromVCS::SelectedFiles() const {
  std::vector<std::string> names;
  for (int i = 0; i < lbFileList->Count(); ++i)
    if (lbFileList->Selected(i)) names.push_back(lbFileList->Text(i));
  return names;
}

void TFrmOpenFromVCS::UpdateButtons() { btnOpen->setEnabled(!SelectedFiles().empty()); }

void TFrmOpenFromVCS::lbFileListClick() {
  if (!tvProjects->currentItem()) {
    UpdateButtons();
    return;
  }
  const std::vector<std::string> files = SelectedFiles();
  const std::string spec = SelectedPath() + (files.size() == 1 ? files[0] : std::string());
  if (VSSPtr<IVSSItem> item = ItemOfPath(spec.size() > 1 && spec.back() == '/' ? spec.substr(0, spec.size() - 1) : spec,
                                         false)) {
    FShownLocalSpec = item->LocalSpec();
    edLocalSpec->setText(Q(FShownLocalSpec));
    VSSPtr<IVSSItem> parent = item->Parent();
    const std::string expected =
        parent ? platform::IncludeTrailingPathDelimiter(parent->LocalSpec()) + item->Name() : FShownLocalSpec;
    const bool suspicious = !FShownLocalSpec.empty() &&
                            platform::SamePath(FShownLocalSpec, std::filesystem::current_path().string()) &&
                            !platform::SamePath(FShownLocalSpec, expected);
    sbarStatus->SetSimpleText(suspicious ? "Warning: 'Local Path' might be incorrect." : "");
    chkbOpenNewProject->setEnabled(item->Type() != VSSITEM_PROJECT && IsProjectFile(item->Name()));
  }
  UpdateButtons();
}

void TFrmOpenFromVCS::ApplyLocalPath() {
  const std::string typed = platform::Trim(edLocalSpec->text().toStdString());
  if (typed.empty() || platform::SamePath(typed, FShownLocalSpec)) return;
  VSSPtr<IVSSItem> project = ItemOfPath(SelectedPath(), true);
  if (!project) return;
  // For one file the path names the file, whose folder is the project's.
  const bool oneFile = SelectedFiles().size() == 1;
  project->SetLocalSpec(platform::ExpandFileName(oneFile ? platform::ExtractFileDir(typed) : typed));
  FShownLocalSpec = typed;
}

void TFrmOpenFromVCS::GetFiles(TRVLItems* Items) {
  std::unique_ptr<TRVLExecute> get = TRVLExecuteFactory::_Instance().CreateGet();
  get->SetItems(Items);
  TFlags flags = *get->GetFlags();
  flags.ReplaceFlag = VSSFLAG_REPASK;
  get->Execute("", &flags);
}

void TFrmOpenFromVCS::OpenFiles() {
  std::unique_ptr<TRVLItems> list = TRVLFactory::_Instance().CreateItems();
  for (const std::string& name : SelectedFiles())
    list->Add(TRVLFactory::_Instance().CreateItemFromSpec(SelectedPath() + name, FDatabase));
  GetFiles(list.get());
  TIToolServices* services = Globals().ToolServices;
  for (int i = 0; services && i < list->Count(); ++i) {
    try {
      services->OpenFile(list->GetItem(i)->GetLocalSpec());
    } catch (const std::exception& e) {
      ShowError(e.what());
    }
  }
}

bool TFrmOpenFromVCS::OpenAsProject() {
  const std::string spec = SelectedPath() + SelectedFiles().front();
  std::unique_ptr<TRVLItem> item = TRVLFactory::_Instance().CreateItemFromSpec(spec, FDatabase);
  VSSPtr<IVSSItem> vssItem = item->GetVSSItem();
  if (!vssItem) throw ERVLException(spec + " is not in SourceSafe.");
  PrepareTree(vssItem->Parent().Get());
  // The IDE's current project goes first: its files are no part of the one being opened.
  TIToolServices* services = Globals().ToolServices;
  if (services && !services->CloseProject()) return false;
  const std::string projectFile = item->GetLocalSpec();
  {
    std::unique_ptr<TRVLItems> list = TRVLFactory::_Instance().CreateItems();
    list->AddCopy(item.get());
    GetFiles(list.get());
  }
  // Every file of the SourceSafe project tree, then those of the opened project that live elsewhere
  // (units in other folders) and are still missing.
  auto getProjectFiles = [&](bool MissingOnly) {
    std::unique_ptr<TRVLProject> project = TRVLFactory::_Instance().CreateProject(projectFile);
    std::unique_ptr<TRVLFileListBuilder> builder = TRVLFileListBuilderFactory::_Instance().CreateAllVCSFilesBuilder();
    builder->SetParams(project.get(), nullptr);
    builder->SetFilter(nullptr);
    builder->SetIncludeAssociated(false);
    std::unique_ptr<TRVLItems> all = TRVLFactory::_Instance().CreateItems();
    builder->Build(all.get());
    std::unique_ptr<TRVLItems> list = TRVLFactory::_Instance().CreateItems();
    for (int i = 0; i < all->Count(); ++i)
      if (!MissingOnly || !platform::FileExists(all->GetItem(i)->GetLocalSpec())) list->AddCopy(all->GetItem(i));
    if (list->Count() > 0) GetFiles(list.get());
  };
  getProjectFiles(false);
  if (!services) return true;
  const std::string ext = platform::ExtractFileExt(projectFile);
  if (platform::SameText(ext, ".bpr") || platform::SameText(ext, ".dpr")) {
    if (!services->OpenProject(projectFile)) return false;
    getProjectFiles(true);
  } else {
    services->OpenFile(projectFile);
  }
  return true;
}

void TFrmOpenFromVCS::PrepareTree(IVSSItem* Project) {
  PrepareFolder(Project);
  VSSPtr<IVSSItems> items = Project->Items(false);
  for (int32_t i = 1, count = items->Count(); i <= count; ++i) {
    VSSPtr<IVSSItem> entry = items->Item(i);
    if (entry->Type() == VSSITEM_PROJECT) PrepareTree(entry.Get());
  }
}

void TFrmOpenFromVCS::PrepareFolder(IVSSItem* Project) {
  const std::string folder = Project->LocalSpec();
  if (folder.empty())
    throw ERVLException("No working folder is set for " + Project->Spec() + ": type one into Local Path.");
  EnsureFolder(folder, FolderForAll, FolderCreate);
  if (!platform::DirectoryExists(folder)) return;
  std::unique_ptr<TRegProject> settings = TRVLRegFactory::_Instance().CreateRegProject();
  settings->Open(platform::IncludeTrailingPathDelimiter(folder) + "Default");
  settings->SetSrcSafeIni(FDatabase->SrcSafeIni());
  settings->SetVssPath(Project->Spec());
}

void TFrmOpenFromVCS::btnOpenClick() {
  const std::vector<std::string> files = SelectedFiles();
  if (files.empty()) return;
  {
    THourglass hourglass;
    ApplyLocalPath();
    const bool asProject = files.size() == 1 && chkbOpenNewProject->isEnabled() && chkbOpenNewProject->isChecked();
    if (asProject) {
      if (!OpenAsProject()) return;
    } else {
      OpenFiles();
    }
  }
  raise();
  SetModalResult(mrOk);
}
