#pragma once
// What the add-in's interfaces ask of the IDE. TIDEFiles is what a module's interfaces act on;
// TIDEServices adds the project, the notifiers and the main window for the tool services.
#include <string>

#include "host/ProjectFile.h"
#include "opentools/Notifiers.h"

class THostModule;
class TIDEMainForm;

class TIDEFiles {
public:
  virtual ~TIDEFiles() = default;
  // The open module that owns the file (its source or form), or nullptr.
  virtual THostModule* FindModule(const std::string& fileName) const = 0;
  virtual THostModule* OpenFile(const std::string& fileName) = 0;
  virtual bool CloseModule(THostModule* module, bool askToSave) = 0;
  virtual bool SaveModule(THostModule* module, bool force) = 0;
  virtual bool ReloadModule(THostModule* module) = 0;
  virtual void ShowSource(THostModule* module) = 0;
  virtual void ShowForm(THostModule* module) = 0;
  // Whether the file is the open project's own: its project file or its main source.
  virtual bool IsProjectSource(const std::string& fileName) const = 0;
};

class TIDEServices : public TIDEFiles {
public:
  // The open project; its FileName is empty while none is open.
  virtual const TProjectInfo& Project() const = 0;
  virtual bool OpenProject(const std::string& fileName) = 0;
  virtual bool CloseProject(bool askToSave) = 0;
  virtual bool SaveProject() = 0;
  // The front editor page's file; empty when none.
  virtual std::string CurrentFile() const = 0;
  virtual bool AddNotifier(TIAddInNotifier* notifier) = 0;
  virtual bool RemoveNotifier(TIAddInNotifier* notifier) = 0;
  // nullptr once the IDE has shut down.
  virtual TIDEMainForm* MainForm() const = 0;
};
