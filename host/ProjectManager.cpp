#include "host/ProjectManager.h"

#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "host/ProjectFile.h"
#include "platform/Files.h"

using platform::ExtractFileName;
using platform::ExtractFilePath;

TProjectManager::TProjectManager(QObject* owner) : TForm(owner), FTree(new QTreeWidget(this)) {
  SetName("ProjectManager");
  SetCaption("Project Manager");
  resize(420, 300);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(FTree);
  FTree->setObjectName("ProjectTree");
  FTree->setHeaderLabels({"File", "Form", "Path"});
  FTree->setRootIsDecorated(true);
  FTree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  connect(FTree, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
    QString path = item->data(0, Qt::UserRole).toString();
    if (!path.isEmpty() && OnOpenFile) OnOpenFile(path.toStdString());
  });
  ShowProject(nullptr);
}

void TProjectManager::ShowProject(const TProjectInfo* project) {
  FTree->clear();
  if (!project) {
    SetCaption("Project Manager");
    return;
  }
  SetCaption("Project Manager - " + ExtractFileName(project->FileName));
  auto* root = new QTreeWidgetItem(FTree, {QString::fromStdString(ExtractFileName(project->FileName)), {},
                                           QString::fromStdString(ExtractFilePath(project->FileName))});
  root->setData(0, Qt::UserRole, QString::fromStdString(project->FileName));
  for (const std::string& unit : project->Units) {
    std::string form = platform::ChangeFileExt(unit, ".dfm");
    bool hasForm = std::find(project->Forms.begin(), project->Forms.end(), form) != project->Forms.end();
    auto* item = new QTreeWidgetItem(root, {QString::fromStdString(ExtractFileName(unit)),
                                            hasForm ? QString::fromStdString(ExtractFileName(form)) : QString(),
                                            QString::fromStdString(ExtractFilePath(unit))});
    item->setData(0, Qt::UserRole, QString::fromStdString(unit));
  }
  FTree->expandAll();
}
