#pragma once
// The IDE: its windows, the open project, the open modules and the notifiers the add-in registers.
// Every change of project or file goes through here, so notifications are sent in one place and in
// the order add-ins expect: "…ing" before the change (a notifier may cancel it), "…ed" after.
// The main window sees it as TIDECommands, the add-in's interfaces as TIDEServices.
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <QObject>
#include <QPointer>

#include "host/IDECommands.h"
#include "host/IDEServices.h"
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

class THost : public QObject, public TIDECommands, public TIDEServices {
  Q_OBJECT
public:
  THost();
  ~THost() override;

  TIDEMainForm* MainForm() const override { return FMainForm; }
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
  const TProjectInfo& Project() const override { return FProject; }
  bool OpenProject(const std::string& fileName) override;
  // Closes the project and its files; `askToSave` offers to save modified files first.
  bool CloseProject(bool askToSave = true) override;
  bool SaveProject() override;
  // Both change the project's main source too (its buffer when open, else the file).
  bool AddToProject(const std::string& fileName) override;
  bool RemoveFromProject(const std::string& fileName);
  bool IsProjectSource(const std::string& fileName) const override;

  // Files.
  THostModule* OpenFile(const std::string& fileName) override;
  THostModule* FindModule(const std::string& fileName) const override;
  const std::vector<THostModule*>& Modules() const { return FModules; }
  bool CloseModule(THostModule* module, bool askToSave = false) override;
  bool SaveModule(THostModule* module, bool force) override;
  bool ReloadModule(THostModule* module) override;
  void ShowSource(THostModule* module) override;
  void ShowForm(THostModule* module) override;
  // The front editor page's file; empty when none.
  std::string CurrentFile() const override;
  // The module the user works in: the active form view's, else the editor's front page.
  THostModule* ActiveModule() const;
  // Creates and opens a new unit (UnitN.cpp beside the project, or in the current folder).
  THostModule* NewUnit() override;
  // Recently closed files and projects, newest first (the File menu's Reopen list).
  const std::vector<std::string>& ClosedFiles() const override { return FClosedFiles; }

  // The main window's commands.
  void SaveAll() override;
  void SaveActive() override;
  void RevertActive() override;
  void CloseActive() override;
  void RemoveActiveFromProject() override;
  void ToggleFormUnit() override;
  QPlainTextEdit* ActiveTextControl() const override;
  void ShowProjectManager() override;
  void ShowEditWindow() override;

  bool LockControls() const override { return FLockControls; }
  void SetLockControls(bool locked) override;

  // Add-in notifiers (not owned).
  bool AddNotifier(TIAddInNotifier* notifier) override;
  bool RemoveNotifier(TIAddInNotifier* notifier) override;
  // Sends the notification to every notifier; false when one of them cancelled.
  bool FileNotification(TFileNotification code, const std::string& fileName);

  // Shows a window in front and activates it.
  static void Present(QWidget* window);

  // Releases the add-in and closes every window without asking anything.
  void Shutdown();

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
