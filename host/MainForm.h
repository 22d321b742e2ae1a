#pragma once
// The IDE's main window: the menu bar (File with the Reopen list "FileClosedFilesItem", Edit with
// "EditLockControlsItem", View as "ViewsMenu", Project, Help) and a speed bar.
#include <string>

#include "ui/Form.h"

class TIDECommands;
class TMainMenu;
class TMenuItem;

class TIDEMainForm : public TForm {
  Q_OBJECT
public:
  TIDEMainForm(TIDECommands& ide, QObject* owner);
  TMainMenu* Menu() const { return FMenu; }
  // Shows the project's name in the caption.
  void UpdateCaption();

private:
  TMenuItem* AddMenu(const std::string& name, const std::string& caption);
  TMenuItem* AddItem(TMenuItem* parent, const std::string& name, const std::string& caption,
                     std::function<void()> action);
  void BuildFileMenu();
  void BuildEditMenu();
  void BuildViewMenu();
  void BuildProjectMenu();
  void BuildHelpMenu();
  void BuildSpeedBar();
  void FillReopenMenu();
  std::string ChooseFile(const std::string& title, const std::string& filter);

  TIDECommands& FIDE;
  TMainMenu* FMenu;
  TMenuItem* FReopen = nullptr;
};
