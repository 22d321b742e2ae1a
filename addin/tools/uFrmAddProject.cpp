#include "addin/tools/uFrmAddProject.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "addin/diagnostics/uRVLExceptionHandler.h"
#include "addin/settings/uRVLUtils.h"
#include "addin/settings/uRegWindow.h"
#include "addin/settings/uSpecPath.h"
#include "addin/sourcesafe/uRVLProject.h"
#include "platform/Files.h"
#include "platform/Text.h"

namespace {

// Marks a node whose SourceSafe project this dialog created.
constexpr int CreatedRole = Qt::UserRole;

std::string WithoutTrailingSlash(std::string Path) {
  if (Path.size() > 1 && Path.back() == '/') Path.pop_back();
  return Path;
}

} // namespace

TFrmAddProject::TFrmAddProject(QObject* AOwner, VSSPtr<IVSSDatabase> Database) : TFrmTree(AOwner, std::move(Database)) {
  SetName("FrmAddProject");
  SetCaption("Add project to source control");
  btnDataBase->show();

  edProject = Named(new QLineEdit(pnlTop), "edProject", "Name of the new project to create");
  edProject->setFixedWidth(291);
  lblProject = NamedLabel("lblProject", "Project Name:", edProject);
  lblProject->setParent(pnlTop);
  lblSpec = Named(new QLabel(pnlTop), "lblSpec", "Path that this project will be added to");
  lblSpec->setFixedWidth(288);
  btnCreate = Named(new QPushButton("&Create", pnlTop), "btnCreate", "Create a sub-project under the selected project");
  btnCreate->setFixedWidth(75);
  btnCreate->setEnabled(false);
  auto* top = new QGridLayout(pnlTop);
  top->setContentsMargins(4, 4, 4, 0);
  top->addWidget(lblProject, 0, 0, 1, 2);
  top->addWidget(edProject, 1, 0);
  top->addWidget(btnCreate, 1, 1, Qt::AlignLeft);
  top->addWidget(lblSpec, 2, 0, 1, 2);
  top->setColumnStretch(2, 1);

  btnOk = Named(new QPushButton("OK", pnlRight), "btnOk", "Add the project to the selected path");
  btnCancel = Named(new QPushButton("Cancel", pnlRight), "btnCancel");
  for (QPushButton* button : {btnOk, btnCancel}) button->setFixedWidth(75);
  auto* right = static_cast<QVBoxLayout*>(pnlRight->layout());
  right->insertWidget(0, btnOk);
  right->insertWidget(1, btnCancel);
  btnOk->setDefault(true);
  SetDefaultButton(btnOk);
  SetCancelButton(btnCancel);
  SetButtonResult(btnCancel, mrCancel);

  connect(edProject, &QLineEdit::textChanged, this, [this] { Guarded(this, [this] { UpdateSpec(); }); });
  connect(tvProjects, &QTreeWidget::currentItemChanged, this, [this] { Guarded(this, [this] { UpdateSpec(); }); });
  connect(btnCreate, &QPushButton::clicked, this, [this] { Guarded(this, [this] { btnCreateClick(); }); });
  connect(btnOk, &QPushButton::clicked, this, [this] { Guarded(this, [this] { btnOkClick(); }); });
}

void TFrmAddProject::Resized(int dWidth, int dHeight) {
  TFrmTree::Resized(dWidth, dHeight);
  edProject->setFixedWidth(std::max(40, edProject->width() + dWidth));
}

void TFrmAddProject::LoadWindowPlacement() {
  TFrmTree::LoadWindowPlacement();
  edProject->setFixedWidth(std::max(40, RegWindow().ReadControlInteger(this, "edProjectWidth", edProject->width())));
}

void TFrmAddProject::SaveWindowPlacement() {
  TFrmTree::SaveWindowPlacement();
  RegWindow().WriteControlInteger(this, "edProjectWidth", edProject->width());
}

std::string TFrmAddProject::GetStartProject() {
  if (!FProject) return "/";
  try {
    const std::string root = FDatabase->VSSItem("$/")->LocalSpec();
    if (root.empty()) return "/";
    const std::string relative = platform::ExtractRelativePath(
        platform::IncludeTrailingPathDelimiter(root), platform::ExtractFileDir(FProject->FileName()));
    // A folder outside the root's working folder has no place below it.
    if (HasDotDot(relative) || relative == "./") return "/";
    return LocalToSpec("/" + relative);
  } catch (const std::exception&) {
    return "/";
  }
}

void TFrmAddProject::SetProject(TRVLProject* Project) {
  FProject = Project;
  const std::string projectName = platform::ExtractBaseName(platform::ExtractFileName(Project->FileName()));
  edProject->setText(Q(projectName));
  if (QTreeWidgetItem* start = FindNode(GetStartProject())) tvProjects->setCurrentItem(start);
  if (!tvProjects->currentItem()) {
    tvProjects->setCurrentItem(tvProjects->topLevelItem(0));
    return;
  }
  std::string name = projectName;
  if (VSSPtr<IVSSItem> selected = ItemOfPath(SelectedPath(), false)) {
    const std::string local = selected->LocalSpec();
    const std::string relative =
        local.empty() ? std::string()
                      : platform::ExtractRelativePath(platform::IncludeTrailingPathDelimiter(local),
                                                      platform::ExtractFilePath(Project->FileName()));
    // The project's folder is the selected project's working folder itself, or lies below it; a
    // folder elsewhere (or no working folder) keeps the project's own name.
    if (relative == "./")
      name.clear();
    else if (!relative.empty() && !HasDotDot(relative))
      name = LocalToSpec(relative);
  }
  if (!name.empty() && name.back() == '/') name.pop_back();
  edProject->setText(Q(name));
}

std::string TFrmAddProject::ChosenPath() const {
  return WithoutTrailingSlash(SelectedPath() + edProject->text().toStdString());
}

void TFrmAddProject::UpdateSpec() {
  if (tvProjects->currentItem())
    lblSpec->setText(Q(ShortenSpec(SelectedPath() + edProject->text().toStdString(), lblSpec->font(), lblSpec->width())));
  btnCreate->setEnabled(!edProject->text().isEmpty());
}

void TFrmAddProject::btnCreateClick() {
  QTreeWidgetItem* node = tvProjects->currentItem();
  if (!node) return;
  const std::string spec = ChosenPath();
  EnsureSourceSafeProject(*FDatabase, "$" + spec);
  RefreshNode(node);
  QTreeWidgetItem* created = FindNode(spec);
  tvProjects->setCurrentItem(created);
  created->setData(0, CreatedRole, 1);
  edProject->clear();
  edProject->setFocus();
}

void TFrmAddProject::btnOkClick() {
  QTreeWidgetItem* node = tvProjects->currentItem();
  if (!node || !FProject) return;
  const std::string path = ChosenPath();
  bool created = node->data(0, CreatedRole).toInt() == 1;
  VSSPtr<IVSSItem> item = ItemOfPath(path, false);
  if (item && item->Type() != VSSITEM_PROJECT) {
    ShowError(path + " is a file, not a project.");
    return;
  }
  if (!item) {
    if (ShowMessageBox("Project " + path + " does not exist. Would you like to create it?", MB_YESNO | MB_ICONQUESTION) !=
        IDYES)
      return;
    created = true;
    // Every missing level is made, so a name such as Sub/Project works as well as a plain one.
    try {
      item = EnsureSourceSafeProject(*FDatabase, "$" + path);
    } catch (const std::exception& e) {
      TRVLExceptionHandler::_Instance().HandleException(this, e);
      return;
    }
  }
  if (created) {
    const std::string folder = platform::ExtractFileDir(FProject->FileName());
    if (!platform::SameText(item->LocalSpec(), folder)) item->SetLocalSpec(folder);
  }
  FProject->SetBinding(item, FDatabase);
  SetModalResult(mrOk);
}
