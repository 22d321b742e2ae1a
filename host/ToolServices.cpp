#include "host/ToolServices.h"

#include "host/AddInLoader.h"
#include "host/IDEServices.h"
#include "host/MainForm.h"
#include "host/MenuInterfaces.h"
#include "host/Module.h"
#include "host/ModuleInterfaces.h"

bool THostToolServices::CloseProject() { return FIDE.CloseProject(true); }
bool THostToolServices::OpenProject(const std::string& projName) { return FIDE.OpenProject(projName); }
bool THostToolServices::SaveProject() { return FIDE.SaveProject(); }

bool THostToolServices::CloseFile(const std::string& fileName) {
  THostModule* module = FIDE.FindModule(fileName);
  return module && FIDE.CloseModule(module, false);
}

bool THostToolServices::SaveFile(const std::string& fileName) {
  // A file that is not open has nothing unsaved.
  THostModule* module = FIDE.FindModule(fileName);
  return !module || FIDE.SaveModule(module, false);
}

bool THostToolServices::OpenFile(const std::string& fileName) { return FIDE.OpenFile(fileName) != nullptr; }

bool THostToolServices::ReloadFile(const std::string& fileName) {
  THostModule* module = FIDE.FindModule(fileName);
  return module && FIDE.ReloadModule(module);
}

TWindowHandle THostToolServices::GetParentHandle() { return FIDE.MainForm(); }
std::string THostToolServices::GetProjectName() { return FIDE.Project().FileName; }
int THostToolServices::GetUnitCount() { return static_cast<int>(FIDE.Project().Units.size()); }

std::string THostToolServices::GetUnitName(int index) {
  const auto& units = FIDE.Project().Units;
  return index >= 0 && index < static_cast<int>(units.size()) ? units[static_cast<size_t>(index)] : std::string();
}

int THostToolServices::GetFormCount() { return static_cast<int>(FIDE.Project().Forms.size()); }

std::string THostToolServices::GetFormName(int index) {
  const auto& forms = FIDE.Project().Forms;
  return index >= 0 && index < static_cast<int>(forms.size()) ? forms[static_cast<size_t>(index)] : std::string();
}

std::string THostToolServices::GetCurrentFile() { return FIDE.CurrentFile(); }
bool THostToolServices::IsFileOpen(const std::string& fileName) { return FIDE.FindModule(fileName) != nullptr; }

TIModuleInterface* THostToolServices::GetModuleInterface(const std::string& fileName) {
  THostModule* module = FIDE.FindModule(fileName);
  return module ? new THostModuleIntf(FIDE, module) : nullptr;
}

TIMainMenuIntf* THostToolServices::GetMainMenu() {
  return FIDE.MainForm() ? new THostMainMenu(FIDE.MainForm()->Menu()) : nullptr;
}

bool THostToolServices::AddNotifier(TIAddInNotifier* notifier) { return FIDE.AddNotifier(notifier); }
bool THostToolServices::RemoveNotifier(TIAddInNotifier* notifier) { return FIDE.RemoveNotifier(notifier); }
std::string THostToolServices::GetBaseRegistryKey() { return BaseRegistryKey; }
