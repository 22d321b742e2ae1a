#pragma once
// TIToolServices over the IDE: what the add-in may ask of it and do through it.
#include "opentools/ToolIntf.h"

class TIDEServices;

class THostToolServices : public TIToolServices {
public:
  explicit THostToolServices(TIDEServices& ide) : FIDE(ide) {}

  bool CloseProject() override;
  bool OpenProject(const std::string& projName) override;
  bool SaveProject() override;
  bool CloseFile(const std::string& fileName) override;
  bool SaveFile(const std::string& fileName) override;
  bool OpenFile(const std::string& fileName) override;
  bool ReloadFile(const std::string& fileName) override;
  TWindowHandle GetParentHandle() override;
  std::string GetProjectName() override;
  int GetUnitCount() override;
  std::string GetUnitName(int index) override;
  int GetFormCount() override;
  std::string GetFormName(int index) override;
  std::string GetCurrentFile() override;
  bool IsFileOpen(const std::string& fileName) override;
  TIModuleInterface* GetModuleInterface(const std::string& fileName) override;
  TIMainMenuIntf* GetMainMenu() override;
  bool AddNotifier(TIAddInNotifier* notifier) override;
  bool RemoveNotifier(TIAddInNotifier* notifier) override;
  std::string GetBaseRegistryKey() override;

private:
  TIDEServices& FIDE;
};
