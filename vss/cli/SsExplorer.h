#pragma once
// SourceSafe's explorer window: the project tree, the selected project's files with who has them
// checked out, and the selected file's history. It reads the database as the user who opened it.
#include <string>

#include <QMainWindow>

#include "vss/api/VSSInterfaces.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace vsscli {

class SsExplorer : public QMainWindow {
public:
  explicit SsExplorer(VSSPtr<IVSSDatabase> database);

  // Lists the files of the project `spec` and selects it in the tree.
  void ShowProject(const std::string& spec);
  // Lists the versions of the file `spec`, newest first.
  void ShowHistory(const std::string& spec);

  QTreeWidget* tvProjects;
  QTreeWidget* lvFiles;
  QTreeWidget* lvHistory;

private:
  void AddProjects(QTreeWidgetItem* parent, IVSSItem& project);

  VSSPtr<IVSSDatabase> FDatabase;
};

} // namespace vsscli
