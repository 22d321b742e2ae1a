#pragma once
// An open module (a unit's source and, when it has one, its form) and its form.
#include <string>

#include "opentools/EditIntf.h"
#include "opentools/Notifiers.h"

class TIFormInterface : public TInterface {
public:
  // Full path of the form file (.dfm).
  virtual std::string FileName() = 0;
  virtual bool FormModified() = 0;
  virtual bool MarkModified() = 0;
};

class TIModuleInterface : public TInterface {
public:
  // Each returns a new reference (nil when the module has none); release it after use.
  virtual TIEditorInterface* GetEditorInterface() = 0;
  virtual TIFormInterface* GetFormInterface() = 0;
  // Whether this is the project's own module (the project file or its main source).
  virtual bool IsProjectModule() = 0;
  virtual bool Close() = 0;
  // Saves when modified, or always when `forceSave`; false when it could not be written.
  virtual bool Save(bool forceSave) = 0;
  // Bring the module's source, or its form, to the front.
  virtual bool ShowSource() = 0;
  virtual bool ShowForm() = 0;
  // The module does not take a reference: the notifier stays registered until RemoveNotifier or
  // until the module closes (after ncModuleDeleted), so remove it before freeing it.
  virtual bool AddNotifier(TIModuleNotifier* notifier) = 0;
  virtual bool RemoveNotifier(TIModuleNotifier* notifier) = 0;
};
