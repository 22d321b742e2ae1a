#pragma once
// The project manager window: the open project with its units and their forms.
#include <functional>
#include <string>

#include "ui/Form.h"

class QTreeWidget;
struct TProjectInfo;

class TProjectManager : public TForm {
  Q_OBJECT
public:
  explicit TProjectManager(QObject* owner);
  // Lists the project (nullptr: no project).
  void ShowProject(const TProjectInfo* project);
  QTreeWidget* Tree() const { return FTree; }
  // A unit or form was opened from the list (double click or Return).
  std::function<void(const std::string& fileName)> OnOpenFile;

private:
  QTreeWidget* FTree;
};
