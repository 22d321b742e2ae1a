#pragma once
// The IDE: its windows, the open project, the open modules and the notifiers the add-in registers.
// Every change of project or file goes through here, so notifications are sent in one place and in
// the order add-ins expect: "…ing" before the change (a notifier may cancel it), "…ed" after.
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <QObject>
#include <QPointer>

#include "host/ProjectFile.h"
#include "opentools/Notifiers.h"

class TEditWindow;
class TFormView;
class THostModule;
class THostToolServices;
class TIDEMainForm;
class TProjectManager;
class TVersionControl;
class TIToolServices;
class QWidget;

class THost : public QObject {
  Q_OBJECT
public:
  THost();
  ~THost() override;

  TIDEMainForm* MainForm() const { return FMainForm; }
  TEditWindow* EditWindow() const { return FEditWindow; }
  TProjectManager* ProjectManager() const { return FProjectManager; }
  // The module's form view, or nullptr while it has none.
  TFormView* FormView(THostModule* module) const;
  TIToolServices* ToolServices() const;
  TVersionControl& VersionControl() const { return *FVersionControl; }

  // Loads the add-in named by `path`, else by the registry; without either nothing is loaded. A
  // failure is reported in a message box and the IDE goes on without it.
  bool LoadAddIn(const std::string& path);

  // Projects. Failures are reported in message boxes; false when nothing changed.
  bool HasProject() const { return !FProject.FileName.empty(); }
  const TProjectInfo& Project() const { return FProject; }
  bool OpenProject(const std::string& fileName);
  // Closes the project and its files; `askToSave` offers to save modified files first.
  bool CloseProject(bool askToSave = true);
  bool SaveProject();
  // Both change the project's main source too (its buffer when open, else the file).
  bool AddToProject(const std::string& fileName);
  bool RemoveFromProject(const std::string& fileName);

  // Files.
  THostModule* OpenFile(const std::string& fileName);
  THostModule* FindModule(const std::string& fileName) const;
  const std::vector<THostModule*>& Modules() const { return FModules; }
  bool CloseModule(THostModule* module, bool askToSave = false);
  bool SaveModule(THostModule* module, bool force);
  bool ReloadModule(THostModule* module);
  void ShowSource(THostModule* module);
  void ShowForm(THostModule* module);
  // The front editor page's file; empty when none.
  std::string CurrentFile() const;
  // The module the user works in: the active form view's, else the editor's front page.
  THostModule* ActiveModule() const;
  // Creates and opens a new unit (UnitN.cpp beside the project, or in the current folder).
  THostModule* NewUnit();
  // Recently closed files and projects, newest first (the File menu's Reopen list).
  const std::vector<std::string>& ClosedFiles() const { return FClosedFiles; }

  bool LockControls() const { return FLockControls; }
  void SetLockControls(bool locked);

  // Add-in notifiers (not owned).
  bool AddNotifier(TIAddInNotifier* notifier);
  bool RemoveNotifier(TIAddInNotifier* notifier);
  // Sends the notification to every notifier; false when one of them cancelled.
  bool FileNotification(TFileNotification code, const std::string& fileName);

  // Shows a window in front and activates it.
  static void Present(QWidget* window);

  // Releases the add-in and closes every window without asking anything.
  void Shutdown();

signals:
  void ProjectChanged();

private:
  THostModule* LoadModule(const std::string& fileName);
  bool IsProjectUnit(const std::string& fileName) const;
  void RememberClosed(const std::string& fileName);
  bool AskToSave(THostModule* module);
  void ActiveModuleChanged(THostModule* module);
  void ReportError(const std::string& message);
  // Applies `edit` (source, error) to the project's main source; false, reported, when it fails.
  bool EditProjectSource(const std::function<bool(std::string&, std::string&)>& edit);

  TProjectInfo FProject;
  std::vector<THostModule*> FModules;
  std::map<THostModule*, QPointer<TFormView>> FFormViews;
  std::vector<TIAddInNotifier*> FNotifiers;
  std::vector<std::string> FClosedFiles;
  bool FLockControls = false;
  THostToolServices* FToolServices;
  std::unique_ptr<TVersionControl> FVersionControl;
  // Owned through the main form (the other windows are its children) until Shutdown.
  TIDEMainForm* FMainForm = nullptr;
  TEditWindow* FEditWindow = nullptr;
  TProjectManager* FProjectManager = nullptr;
};
