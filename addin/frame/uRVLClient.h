#pragma once
// The version-control client the IDE drives: it names the add-in's menu and receives the IDE's
// requests for verbs, which the add-in answers with none (its own menus stand in the IDE instead:
// the first request installs them, later ones bring them up to date).
// No call from the IDE lets an exception through: each is reported to the application.
#include <memory>
#include <string>

#include "opentools/ToolIntf.h"
#include "opentools/VcsIntf.h"
#include "ui/Object.h"

class TIDEHook;
class TRVLActiveFiles;
class TRVLActiveProjects;
class TRVLMenu;
class TRVLNotifier;

class TRVLClient : public TIVCSClient, public TObject {
public:
  TRVLClient();

  std::string GetIDString() override { return "Halberd.Ravelin"; }
  void ExecuteVerb(int) override {}
  std::string GetMenuName() override;
  std::string GetVerb(int) override { return {}; }
  int GetVerbCount() override;
  int GetVerbState(int) override { return 0; }
  // When the IDE has closed its project, forgets its projects and files and updates the menus.
  void ProjectChange() override;

  bool Initialized() const { return FInitialized; }
  TRVLActiveProjects* ActiveProjects() const { return FActiveProjects.get(); }
  TRVLActiveFiles* ActiveFiles() const { return FActiveFiles.get(); }
  TRVLMenu* Menu() const { return FMenu.get(); }
  // Tells the user once that updates can be checked for automatically.
  void ShowUpdateTip();

protected:
  ~TRVLClient() override;

private:
  bool FInitialized = false;
  TIToolServices* FToolServices = nullptr;   // not owned
  std::unique_ptr<TRVLMenu> FMenu;
  TIntfPtr<TRVLNotifier> FNotifier;   // registered with the IDE while the client lives
  std::unique_ptr<TRVLActiveProjects> FActiveProjects;
  std::unique_ptr<TRVLActiveFiles> FActiveFiles;
  std::unique_ptr<TIDEHook> FIDEHook;
};
