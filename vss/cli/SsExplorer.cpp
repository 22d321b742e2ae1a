#include "vss/cli/SsExplorer.h"

#include <QHeaderView>
#include <QSplitter>
#include <QTreeWidget>

#include "vss/api/VSSFlags.h"
#include "vss/cli/SsReports.h"
#include "vss/cli/SsSession.h"

namespace vsscli {

namespace {

QTreeWidget* MakeList(const char* name, const QStringList& columns, QWidget* parent) {
  auto* list = new QTreeWidget(parent);
  list->setObjectName(name);
  list->setHeaderLabels(columns);
  list->setRootIsDecorated(false);
  list->header()->setStretchLastSection(true);
  return list;
}

QString Q(const std::string& text) { return QString::fromStdString(text); }

// "Alice" or "Alice, Bob" for a file checked out, empty otherwise.
std::string CheckedOutBy(IVSSItem& file) {
  std::string users;
  if (file.IsCheckedOut() == VSSFILE_NOTCHECKEDOUT) return users;
  VSSPtr<IVSSCheckouts> checkouts = file.Checkouts();
  for (int32_t i = 1, n = checkouts->Count(); i <= n; ++i)
    users += (users.empty() ? "" : ", ") + checkouts->Item(i)->Username();
  return users;
}

} // namespace

SsExplorer::SsExplorer(VSSPtr<IVSSDatabase> database) : FDatabase(std::move(database)) {
  setObjectName("SsExplorer");
  setWindowTitle(Q("Visual SourceSafe Explorer - " + FDatabase->DatabaseName() + " - " + FDatabase->UserName()));
  auto* split = new QSplitter(Qt::Horizontal, this);
  tvProjects = new QTreeWidget(split);
  tvProjects->setObjectName("tvProjects");
  tvProjects->setHeaderLabel("All projects");
  auto* right = new QSplitter(Qt::Vertical, split);
  lvFiles = MakeList("lvFiles", {"Name", "Version", "Checked out by", "Local copy"}, right);
  lvHistory = MakeList("lvHistory", {"Version", "User", "Date", "Action", "Comment"}, right);
  split->setStretchFactor(1, 3);
  setCentralWidget(split);
  resize(900, 600);

  VSSPtr<IVSSItem> root = FDatabase->VSSItem("$/");
  auto* top = new QTreeWidgetItem(tvProjects, {Q(root->Spec())});
  top->setData(0, Qt::UserRole, Q(root->Spec()));
  AddProjects(top, *root);
  tvProjects->expandAll();
  connect(tvProjects, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
    if (item) ShowProject(item->data(0, Qt::UserRole).toString().toStdString());
  });
  connect(lvFiles, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
    lvHistory->clear();
    if (item) ShowHistory(item->data(0, Qt::UserRole).toString().toStdString());
  });
  tvProjects->setCurrentItem(top);
}

void SsExplorer::AddProjects(QTreeWidgetItem* parent, IVSSItem& project) {
  ForEachItem(*project.Items(), [&](IVSSItem& item) {
    if (item.Type() != VSSITEM_PROJECT) return;
    auto* node = new QTreeWidgetItem(parent, {Q(item.Name())});
    node->setData(0, Qt::UserRole, Q(item.Spec()));
    AddProjects(node, item);
  });
}

void SsExplorer::ShowProject(const std::string& spec) {
  lvFiles->clear();
  lvHistory->clear();
  ForEachItem(*FDatabase->VSSItem(spec)->Items(), [&](IVSSItem& file) {
    if (file.Type() != VSSITEM_FILE) return;
    auto* row = new QTreeWidgetItem(
        lvFiles, {Q(file.Name()), QString::number(file.VersionNumber()), Q(CheckedOutBy(file)), Q(file.LocalSpec())});
    row->setData(0, Qt::UserRole, Q(file.Spec()));
  });
}

void SsExplorer::ShowHistory(const std::string& spec) {
  lvHistory->clear();
  VSSPtr<IVSSVersions> versions = FDatabase->VSSItem(spec)->Versions();
  VSSPtr<IVSSVersion> version;
  while (versions->Next(version.Out()))
    new QTreeWidgetItem(lvHistory, {QString::number(version->VersionNumber()), Q(version->Username()),
                                    Q(FormatDate(version->Date())), Q(version->Action()), Q(version->Comment())});
}

} // namespace vsscli
