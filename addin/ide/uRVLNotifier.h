#pragma once
// What the add-in does when the IDE reports project and file events: a project that opens is bound
// (and synchronised when the options ask for it), one that closes is synchronised when they ask, a
// file removed from the project may be removed from SourceSafe, and every module opened with a form
// gets a module notifier that keeps the IDE's Lock Controls in step with the form file's state.
// No notification lets an exception through to the IDE: each is reported to the application.
#include <memory>
#include <string>

#include "opentools/Interface.h"
#include "opentools/ModuleIntf.h"
#include "opentools/Notifiers.h"
#include "ui/Object.h"

class TMenuItem;
class TRegOptions;
class TRVLActiveProjects;
class TRVLFilesCommands;
class TRVLItem;

class TRVLNotifier : public TIAddInNotifier, public TObject {
public:
  explicit TRVLNotifier(TRVLActiveProjects* ActiveProjects);

  void FileNotification(TFileNotification NotifyCode, const std::string& FileName, bool& Cancel) override;
  void EventNotification(TEventNotification, bool&) override {}

protected:
  ~TRVLNotifier() override;

private:
  void FileOpened(const std::string& FileName);
  void ProjectOpened(const std::string& FileName);
  void ProjectClosing();
  void RemovedFromProject(const std::string& FileName);

  TRVLActiveProjects* FActiveProjects;   // not owned
  std::unique_ptr<TRegOptions> FOptions;
  std::unique_ptr<TRVLFilesCommands> FFilesCommands;
  TMenuItem* FLockControlsItem;          // the IDE's Edit|Lock Controls, nil without one
};

// Watches one module with a form; registered with the module, it releases itself when the IDE
// deletes the module.
class TRVLModuleNotifier : public TIModuleNotifier, public TObject {
public:
  // Takes a reference on `Module` and owns `Item`, the module's form file.
  TRVLModuleNotifier(TIModuleInterface* Module, std::unique_ptr<TRVLItem> Item, TMenuItem* LockControlsItem);

  void Notify(TNotifyCode NotifyCode) override;
  void ComponentRenamed(void*, const std::string&, const std::string&) override {}

protected:
  ~TRVLModuleNotifier() override;

private:
  // A form is locked while its file is in SourceSafe and not checked out to this user.
  bool IsCheckedIn();
  void SetLockControls(bool Lock);
  void FormModified();
  // Lets the IDE bring the Edit menu (and so the item's check mark) up to date.
  void RefreshLockControls();

  TIntfPtr<TIModuleInterface> FModule;
  std::unique_ptr<TRVLItem> FItem;
  TMenuItem* FLockControlsItem;   // not owned
};
