#include "host/ToolServices.h"

#include "host/AddInLoader.h"
#include "host/Host.h"
#include "host/MainForm.h"
#include "host/MenuInterfaces.h"
#include "host/Module.h"
#include "host/ModuleInterfaces.h"

bool THostToolServices::CloseProject() { return FHost.CloseProject(); }
bool THostToolServices::OpenProject(const std::string& projName) { return FHost.OpenProject(projName); }
bool THostToolServices::SaveProject() { return FHost.SaveProject(); }

bool THostToolServices::CloseFile(const std::string& fileName) {
  THostModule* module = FHost.FindModule(fileName);
  return module && FHost.CloseModule(module);
}

bool THostToolServices::SaveFile(const std::string& fileName) {
  // A file that is not open has nothing unsaved.
  THostModule* module = FHost.FindModule(fileName);
  return !module || FHost.SaveModule(module, false);
}

bool THostToolServices::OpenFile(const std::string& fileName) { return FHost.OpenFile(fileName) != nullptr; }

bool THostToolServices::ReloadFile(const std::string& fileName) {
  THostModule* module = FHost.FindModule(fileName);
  return module && FHost.ReloadModule(module);
}

TWindowHandle THostToolServices::GetParentHandle() { return FHost.MainForm(); }
std::string THostToolServices::GetProjectName() { return FHost.Project().FileName; }
int THostToolServices::GetUnitCount() { return static_cast<int>(FHost.Project().Units.size()); }

std::string THostToolServices::GetUnitName(int index) {
  const auto& units = FHost.Project().Units;
  return index >= 0 && index < static_cast<int>(units.size()) ? units[static_cast<size_t>(index)] : std::string();
}

int THostToolServices::GetFormCount() { return static_cast<int>(FHost.Project().Forms.size()); }

std::string THostToolServices::GetFormName(int index) {
  const auto& forms = FHost.Project().Forms;
  return index >= 0 && index < static_cast<int>(forms.size()) ? forms[static_cast<size_t>(index)] : std::string();
}

std::string THostToolServices::GetCurrentFile() { return FHost.CurrentFile(); }
bool THostToolServices::IsFileOpen(const std::string& fileName) { return FHost.FindModule(fileName) != nullptr; }

TIModuleInterface* THostToolServices::GetModuleInterface(const std::string& fileName) {
  THostModule* module = FHost.FindModule(fileName);
  return module ? new THostModuleIntf(FHost, module) : nullptr;
}

TIMainMenuIntf* THostToolServices::GetMainMenu() {
  return FHost.MainForm() ? new THostMainMenu(FHost.MainForm()->Menu()) : nullptr;
}

bool THostToolServices::AddNotifier(TIAddInNotifier* notifier) { return FHost.AddNotifier(notifier); }
bool THostToolServices::RemoveNotifier(TIAddInNotifier* notifier) { return FHost.RemoveNotifier(notifier); }
std::string THostToolServices::GetBaseRegistryKey() { return BaseRegistryKey; }
