#pragma once
// The IDE's services as in-process tests need them: an IDE with a main window and no project. The
// end-to-end scenarios drive the add-in inside the real IDE instead.
#include <string>

#include "opentools/ToolIntf.h"

class TToolServicesStub : public TIToolServices {
public:
  explicit TToolServicesStub(TWindowHandle mainWindow = nullptr) : FMainWindow(mainWindow) {}
  ~TToolServicesStub() override = default;

  bool CloseProject() override { return false; }
  bool OpenProject(const std::string&) override { return false; }
  bool SaveProject() override { return false; }
  bool CloseFile(const std::string&) override { return false; }
  bool SaveFile(const std::string&) override { return false; }
  bool OpenFile(const std::string&) override { return false; }
  bool ReloadFile(const std::string&) override { return false; }
  TWindowHandle GetParentHandle() override { return FMainWindow; }
  std::string GetProjectName() override { return {}; }
  int GetUnitCount() override { return 0; }
  std::string GetUnitName(int) override { return {}; }
  int GetFormCount() override { return 0; }
  std::string GetFormName(int) override { return {}; }
  std::string GetCurrentFile() override { return {}; }
  bool IsFileOpen(const std::string&) override { return false; }
  TIModuleInterface* GetModuleInterface(const std::string&) override { return nullptr; }
  TIMainMenuIntf* GetMainMenu() override { return nullptr; }
  bool AddNotifier(TIAddInNotifier*) override { return true; }
  bool RemoveNotifier(TIAddInNotifier*) override { return true; }
  std::string GetBaseRegistryKey() override { return "Software\\Borland\\C++Builder\\3.0"; }

private:
  TWindowHandle FMainWindow;
};
