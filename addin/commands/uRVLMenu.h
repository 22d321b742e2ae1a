#pragma once
// The add-in's menus in the IDE: the "S&ourceSafe" menu with every file and project command,
// "Open From SourceSafe..." in File and "SourceSafe Tool Bar..." in View. Captions and enabled states
// follow the active project and the file in the editor; a submenu brings its first item up to date as
// it opens. `TRVLMenuD3` builds them for the version-3 IDEs.
#include <functional>
#include <memory>
#include <string>

#include "opentools/MenuIntf.h"
#include "ui/Object.h"

class TMenuItem;
class TRVLActiveFiles;
class TRVLActiveProjects;
class TRVLCommands;
class TRVLFilesCommands;
class TRVLProjectCommands;
class TRVLItem;
class TRVLProject;

class TRVLMenu : public TObject {
public:
  TRVLMenu(TRVLActiveProjects* ActiveProjects, TRVLActiveFiles* ActiveFiles);
  ~TRVLMenu() override;

  // Finds the IDE's menu and builds into it; false when the IDE has none yet.
  virtual bool Install() = 0;
  virtual void UpdateState() = 0;
  // Puts the shortcuts of the options on their items.
  virtual void ApplyShortcuts() = 0;

protected:
  TRVLProject* Project();
  TRVLItem* CurrentItem();
  // The project exists and is bound to a SourceSafe project.
  static bool IsBound(TRVLProject* Project);

  std::unique_ptr<TRVLFilesCommands> FFilesCommands;
  std::unique_ptr<TRVLCommands> FCommands;
  std::unique_ptr<TRVLProjectCommands> FProjectCommands;
  TRVLActiveProjects* FActiveProjects;   // not owned
  TRVLActiveFiles* FActiveFiles;         // not owned
  TMenuItem* FMenu = nullptr;            // the IDE's, once found
};

class TRVLMenuD3 : public TRVLMenu {
public:
  using TRVLMenu::TRVLMenu;
  // Takes the items it put into the IDE's own menus out again: their clicks would reach a freed menu.
  ~TRVLMenuD3() override;

  bool Install() override;
  void UpdateState() override;
  void ApplyShortcuts() override;
  // Creates an item, inserts it into `Parent` at `Position` and advances `Position`.
  virtual TMenuItem* AddMenuItem(TMenuItem* Parent, int& Position, std::function<void()> OnClick,
                                 const std::string& Name, const std::string& Caption);
  virtual void FindMenu();
  virtual void BuildItems();
  virtual void AddIDEItems();

  TMenuItem* RVLMnuGetLatest = nullptr;
  TMenuItem* RVLMnuGetCurrent = nullptr;
  TMenuItem* RVLMnuGetDiff = nullptr;
  TMenuItem* RVLMnuGetFiles = nullptr;
  TMenuItem* RVLMnuCheckOut = nullptr;
  TMenuItem* RVLMenuCheckOutCurrent = nullptr;
  TMenuItem* RVLMenuCheckOutFiles = nullptr;
  TMenuItem* RVLMnuCheckIn = nullptr;
  TMenuItem* RVLMenuCheckInCurrent = nullptr;
  TMenuItem* RVLMenuCheckInFiles = nullptr;
  TMenuItem* RVLMnuUndoCheckOut = nullptr;
  TMenuItem* RVLMenuUndoCheckCurrent = nullptr;
  TMenuItem* RVLMenuUndoCheckFiles = nullptr;
  TMenuItem* RVLMnuSynchronize = nullptr;
  TMenuItem* RVLMnuAddToControl = nullptr;
  TMenuItem* RVLMenuAddCurrent = nullptr;
  TMenuItem* RVLMenuAddFiles = nullptr;
  TMenuItem* RVLMnuRemove = nullptr;
  TMenuItem* RVLMnuRemoveCurrent = nullptr;
  TMenuItem* RVLMnuRemoveFiles = nullptr;
  TMenuItem* RVLMnuShowHistory = nullptr;
  TMenuItem* RVLMnuShowDiff = nullptr;
  TMenuItem* RVLMnuProjectExplorer = nullptr;
  TMenuItem* RVLMnuProjectDiff = nullptr;
  TMenuItem* RVLMnuShare = nullptr;
  TMenuItem* RVLMnuExecSourceSafe = nullptr;
  TMenuItem* RVLMnuOptions = nullptr;
  TMenuItem* RVLMnuHelp = nullptr;
  TMenuItem* RVLMnuHelpContents = nullptr;
  TMenuItem* RVLMnuHelpAbout = nullptr;
  TMenuItem* RVLMnuHelpCheckUpdate = nullptr;

private:
  using TFileCommand = void (TRVLFilesCommands::*)(bool);
  using TItemRule = bool (*)(TRVLItem*);

  // A submenu head whose first item is the current file's and follows `Rule`.
  TMenuItem* AddSubmenu(int& Position, const std::string& Name, const std::string& Caption, TItemRule Rule);
  // A separator named after its parent and position.
  void AddSeparator(TMenuItem* Parent, int& Position);
  // The command on the current file (with the project and the current item) or on files chosen
  // with nothing preselected (with the project only).
  void RunCurrent(TFileCommand Command);
  void RunFiles(TFileCommand Command);
  void UpdateSubmenu(TMenuItem* Head, TItemRule Rule);
  void UpdateAddSubmenu();
  void AddCurrentClick();
  // Until their windows exist, the items with nothing behind them say so when clicked.
  void AnnounceMissingWindows();

  TIntfPtr<TIMenuItemIntf> FOpenFromSS;
  TIntfPtr<TIMenuItemIntf> FViewToolBar;
};
