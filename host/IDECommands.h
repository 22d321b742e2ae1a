#pragma once
// What the main window's menus ask of the IDE: the project, files by name, and commands on the
// module the user works in.
#include <string>
#include <vector>

#include "host/ProjectFile.h"

class QPlainTextEdit;
class THostModule;

class TIDECommands {
public:
  virtual ~TIDECommands() = default;
  // The open project; its FileName is empty while none is open.
  virtual const TProjectInfo& Project() const = 0;
  virtual bool OpenProject(const std::string& fileName) = 0;
  virtual bool AddToProject(const std::string& fileName) = 0;
  virtual bool SaveProject() = 0;
  // Closes the project and its files; `askToSave` offers to save modified files first.
  virtual bool CloseProject(bool askToSave) = 0;

  virtual THostModule* NewUnit() = 0;
  virtual THostModule* OpenFile(const std::string& fileName) = 0;
  // Recently closed files and projects, newest first.
  virtual const std::vector<std::string>& ClosedFiles() const = 0;
  virtual void SaveAll() = 0;

  // Commands on the active module; without one they do nothing.
  virtual void SaveActive() = 0;
  virtual void RevertActive() = 0;
  virtual void CloseActive() = 0;
  virtual void RemoveActiveFromProject() = 0;
  virtual void ToggleFormUnit() = 0;
  // The text control of the window the user works in, or nullptr.
  virtual QPlainTextEdit* ActiveTextControl() const = 0;

  virtual bool LockControls() const = 0;
  virtual void SetLockControls(bool locked) = 0;
  virtual void ShowProjectManager() = 0;
  virtual void ShowEditWindow() = 0;
};
