#pragma once
// What the IDE tells add-ins: file and project events (to add-in notifiers registered with the tool
// services) and module events (to module notifiers registered with one module).
#include <string>

#include "opentools/Interface.h"

enum TFileNotification {
  fnFileOpening = 0,
  fnFileOpened = 1,
  fnFileClosing = 2,
  fnProjectOpening = 3,
  fnProjectOpened = 4,
  fnProjectClosing = 5,
  fnAddedToProject = 6,
  fnRemovedFromProject = 7,
  fnDefaultDesktopLoad = 8,
  fnDefaultDesktopSave = 9,
  fnProjectDesktopLoad = 10,
  fnProjectDesktopSave = 11,
  fnPackageInstalled = 12,
  fnPackageUninstalled = 13,
};

enum TEventNotification {
  enBeforeCompile = 0,
  enAfterCompile = 1,
};

enum TNotifyCode {
  ncModuleDeleted = 0,
  ncModuleRenamed = 1,
  ncEditorModified = 2,
  ncFormModified = 3,
  ncEditorSelected = 4,
  ncFormSelected = 5,
  ncBeforeSave = 6,
  ncAfterSave = 7,
  ncFormSaving = 8,
  ncProjResModified = 9,
};

class TIAddInNotifier : public TInterface {
public:
  // `cancel` starts False; setting it True before an "…ing" event asks the IDE not to go on.
  virtual void FileNotification(TFileNotification notifyCode, const std::string& fileName,
                                bool& cancel) = 0;
  virtual void EventNotification(TEventNotification notifyCode, bool& cancel) = 0;
};

class TIModuleNotifier : public TInterface {
public:
  virtual void Notify(TNotifyCode notifyCode) = 0;
  // `component` identifies the renamed component; the IDE's own handle, opaque to add-ins.
  virtual void ComponentRenamed(void* component, const std::string& oldName,
                                const std::string& newName) = 0;
};
