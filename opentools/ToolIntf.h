#pragma once
// The IDE's services to an add-in: projects, files, modules, the main menu and notifier
// registration. One object lives as long as the IDE; add-ins receive it at their entry point.
#include <string>

#include "opentools/MenuIntf.h"
#include "opentools/ModuleIntf.h"
#include "opentools/Notifiers.h"

class QWidget;
// The IDE's main window: a QWidget, passed opaquely so these headers need no Qt.
using TWindowHandle = QWidget*;

class TIToolServices : public TInterface {
public:
  virtual bool CloseProject() = 0;
  virtual bool OpenProject(const std::string& projName) = 0;
  virtual bool SaveProject() = 0;
  virtual bool CloseFile(const std::string& fileName) = 0;
  virtual bool SaveFile(const std::string& fileName) = 0;
  virtual bool OpenFile(const std::string& fileName) = 0;
  // Reads an open file again from disk.
  virtual bool ReloadFile(const std::string& fileName) = 0;

  virtual TWindowHandle GetParentHandle() = 0;
  // Full path of the project file, empty when no project is open.
  virtual std::string GetProjectName() = 0;
  // The project's units (full paths of their .cpp/.pas sources) and forms (their .dfm files).
  virtual int GetUnitCount() = 0;
  virtual std::string GetUnitName(int index) = 0;
  virtual int GetFormCount() = 0;
  virtual std::string GetFormName(int index) = 0;
  // The file in the front editor page, empty when none.
  virtual std::string GetCurrentFile() = 0;
  virtual bool IsFileOpen(const std::string& fileName) = 0;

  // New references, or nil (file not open / no menu); release after use.
  virtual TIModuleInterface* GetModuleInterface(const std::string& fileName) = 0;
  virtual TIMainMenuIntf* GetMainMenu() = 0;

  // The IDE does not take a reference: a notifier stays registered until RemoveNotifier, which
  // must come before the notifier is freed. Notifiers may unregister while being notified.
  virtual bool AddNotifier(TIAddInNotifier* notifier) = 0;
  virtual bool RemoveNotifier(TIAddInNotifier* notifier) = 0;

  // The IDE's own key below HKEY_CURRENT_USER, e.g. "Software\Borland\C++Builder\3.0".
  virtual std::string GetBaseRegistryKey() = 0;
};
