#include "addin/commands/uRVLMenu.h"

#include "addin/commands/uRVLCommands.h"
#include "addin/commands/uRVLCommandsFactory.h"
#include "addin/commands/uRVLFilesCommands.h"
#include "addin/commands/uRVLProjectCommands.h"
#include "addin/diagnostics/uRVLExceptionHandler.h"
#include "addin/frame/uRVLGlobals.h"
#include "addin/settings/uRVLRegFactory.h"
#include "addin/settings/uRVLUtils.h"
#include "addin/settings/uRegOptions.h"
#include "addin/sourcesafe/uRVLItem.h"
#include "addin/sourcesafe/uRVLItems.h"
#include "addin/sourcesafe/uRVLProject.h"
#include "addin/sourcesafe/uRVLProjects.h"
#include "opentools/MenuIntf.h"
#include "opentools/ToolIntf.h"
#include "platform/Files.h"
#include "ui/Application.h"
#include "ui/Component.h"
#include "ui/MenuItem.h"

namespace {

bool UnderControl(TRVLItem* Item) { return Item->IsInVSS(); }

// A command whose window is not part of this version: the user learns that instead of seeing nothing.
void ShowNotAvailable(std::string Command) {
  std::erase(Command, '&');
  if (Command.ends_with("...")) Command.resize(Command.size() - 3);
  ShowMessageBox("\"" + Command + "\" is not available in this version of " + Globals().ProductName + ".",
                 MB_OK | MB_ICONINFORMATION);
}
bool CanRemove(TRVLItem* Item) { return Item->IsInVSS() && !Item->GetVSSItem()->Deleted(); }

} // namespace

TRVLMenu::TRVLMenu(TRVLActiveProjects* ActiveProjects, TRVLActiveFiles* ActiveFiles)
    : FFilesCommands(TRVLCommandsFactory::_Instance().CreateFilesCommands()),
      FCommands(TRVLCommandsFactory::_Instance().CreateCommands()),
      FProjectCommands(TRVLCommandsFactory::_Instance().CreateProjectCommands()),
      FActiveProjects(ActiveProjects),
      FActiveFiles(ActiveFiles) {}

TRVLMenu::~TRVLMenu() = default;

TRVLProject* TRVLMenu::Project() { return FActiveProjects->GetActiveProject(); }

TRVLItem* TRVLMenu::CurrentItem() { return FActiveFiles->GetCurrentItem(); }

bool TRVLMenu::IsBound(TRVLProject* Project) { return Project && Project->IsBound(); }

TRVLMenuD3::~TRVLMenuD3() {
  for (TIntfPtr<TIMenuItemIntf>* item : {&FOpenFromSS, &FViewToolBar})
    if (*item) (*item)->DestroyMenuItem();
}

bool TRVLMenuD3::Install() {
  FindMenu();
  if (!FMenu) return false;
  BuildItems();
  AddIDEItems();
  ApplyShortcuts();
  AnnounceMissingWindows();
  return true;
}

void TRVLMenuD3::AnnounceMissingWindows() {
  std::function<void(TMenuItem*)> visit = [&](TMenuItem* Parent) {
    for (int i = 0; i < Parent->Count(); ++i) {
      TMenuItem* item = Parent->Items(i);
      if (item->Count() > 0)
        visit(item);
      else if (!item->OnClick && item->Caption() != "-")
        item->OnClick = [this, item](TObject*) { Guarded(this, [item] { ShowNotAvailable(item->Caption()); }); };
    }
  };
  visit(FMenu);
  if (FViewToolBar)
    FViewToolBar->SetOnClick([this](TIMenuItemIntf*) { Guarded(this, [] { ShowNotAvailable("SourceSafe Tool Bar"); }); });
}

void TRVLMenuD3::FindMenu() {
  for (QObject* component : Components(&Application())) {
    auto* item = qobject_cast<TMenuItem*>(component);
    if (!item || item->Caption() != Globals().MenuName) continue;
    FMenu = item;
    FMenu->SetName("RVLMenuSS");
    FMenu->SetEnabled(true);
    FMenu->SetVisible(true);
    return;
  }
}

TMenuItem* TRVLMenuD3::AddMenuItem(TMenuItem* Parent, int& Position, std::function<void()> OnClick,
                                   const std::string& Name, const std::string& Caption) {
  TMenuItem* item = NewMenuItem(Parent, Name, Caption, Position++);
  if (OnClick)
    item->OnClick = [this, OnClick, item](TObject*) {
      // Opening a submenu is part of the command the user is giving, not a new one: a damaged
      // database it meets is said once, by whichever of the two meets it first.
      if (item->Count() == 0) TRVLExceptionHandler::_Instance().ForgetShownDamage();
      Guarded(this, OnClick);
    };
  return item;
}

void TRVLMenuD3::AddSeparator(TMenuItem* Parent, int& Position) {
  AddMenuItem(Parent, Position, nullptr, Parent->Name() + "Sep" + std::to_string(Position), "-");
}

TMenuItem* TRVLMenuD3::AddSubmenu(int& Position, const std::string& Name, const std::string& Caption,
                                  TItemRule Rule) {
  TMenuItem* head = AddMenuItem(FMenu, Position, nullptr, Name, Caption);
  head->OnClick = [this, head, Rule](TObject*) { Guarded(this, [&] { UpdateSubmenu(head, Rule); }); };
  return head;
}

void TRVLMenuD3::RunCurrent(TFileCommand Command) {
  FFilesCommands->SetProject(Project());
  FFilesCommands->SetCurrentItem(CurrentItem());
  (FFilesCommands.get()->*Command)(true);
}

// The current item stays that of the last command that set one.
void TRVLMenuD3::RunFiles(TFileCommand Command) {
  FFilesCommands->SetProject(Project());
  FFilesCommands->SetSelectionMode(TRVLFilesCommands::smNone);
  (FFilesCommands.get()->*Command)(true);
}

void TRVLMenuD3::BuildItems() {
  using F = TRVLFilesCommands;
  int pos = 0;
  auto current = [this](TFileCommand command) { return [this, command] { RunCurrent(command); }; };
  auto files = [this](TFileCommand command) { return [this, command] { RunFiles(command); }; };

  RVLMnuGetLatest = AddSubmenu(pos, "RVLMnuGetLatest", "&Get Latest Version", UnderControl);
  int sub = 0;
  RVLMnuGetCurrent = AddMenuItem(RVLMnuGetLatest, sub, current(&F::GetLatestCurrent), "RVLMnuGetCurrent", "&Current File");
  RVLMnuGetDiff = AddMenuItem(RVLMnuGetLatest, sub, current(&F::GetLatestDifferent), "RVLMnuGetDiff", "&Different Files");
  RVLMnuGetFiles = AddMenuItem(RVLMnuGetLatest, sub, files(&F::GetLatestAll), "RVLMnuGetFiles", "&Files...");

  RVLMnuCheckOut = AddSubmenu(pos, "RVLMnuCheckOut", "Check &Out", CanBeCheckedOut);
  sub = 0;
  RVLMenuCheckOutCurrent =
      AddMenuItem(RVLMnuCheckOut, sub, current(&F::CheckOutCurrent), "RVLMenuCheckOutCurrent", "&Current File");
  RVLMenuCheckOutFiles = AddMenuItem(RVLMnuCheckOut, sub, files(&F::CheckOutFiles), "RVLMenuCheckOutFiles", "&Files...");

  RVLMnuCheckIn = AddSubmenu(pos, "RVLMnuCheckIn", "Check &In", IsCheckedOutToMe);
  sub = 0;
  RVLMenuCheckInCurrent =
      AddMenuItem(RVLMnuCheckIn, sub, current(&F::CheckInCurrent), "RVLMenuCheckInCurrent", "&Current File");
  RVLMenuCheckInFiles = AddMenuItem(RVLMnuCheckIn, sub, files(&F::CheckInFiles), "RVLMenuCheckInFiles", "&Files...");

  RVLMnuUndoCheckOut = AddSubmenu(pos, "RVLMnuUndoCheckOut", "&Undo Check Out", IsCheckedOutToMe);
  sub = 0;
  RVLMenuUndoCheckCurrent =
      AddMenuItem(RVLMnuUndoCheckOut, sub, current(&F::UndoCheckOutCurrent), "RVLMenuUndoCheckCurrent", "&Current File");
  RVLMenuUndoCheckFiles =
      AddMenuItem(RVLMnuUndoCheckOut, sub, files(&F::UndoCheckOutFiles), "RVLMenuUndoCheckFiles", "&Files...");

  AddSeparator(FMenu, pos);
  RVLMnuSynchronize = AddMenuItem(
      FMenu, pos,
      [this] {
        FFilesCommands->SetProject(Project());
        FFilesCommands->SetCurrentItem(CurrentItem());
        FFilesCommands->SetSelectionMode(TRVLFilesCommands::smNone);
        FFilesCommands->Synchronize(true);
      },
      "RVLMnuSynchronize", "Synchroni&ze Project...");
  AddSeparator(FMenu, pos);

  RVLMnuAddToControl = AddMenuItem(FMenu, pos, [this] { UpdateAddSubmenu(); }, "RVLMnuAddToControl", "&Add To SourceSafe");
  sub = 0;
  RVLMenuAddCurrent = AddMenuItem(RVLMnuAddToControl, sub, [this] { AddCurrentClick(); }, "RVLMenuAddCurrent", "&Current File");
  RVLMenuAddFiles = AddMenuItem(RVLMnuAddToControl, sub, files(&F::AddFiles), "RVLMenuAddFiles", "&Files...");

  RVLMnuRemove = AddSubmenu(pos, "RVLMnuRemove", "&Remove From SourceSafe", CanRemove);
  sub = 0;
  RVLMnuRemoveCurrent = AddMenuItem(RVLMnuRemove, sub, current(&F::RemoveCurrent), "RVLMnuRemoveCurrent", "&Current File");
  RVLMnuRemoveFiles = AddMenuItem(RVLMnuRemove, sub, files(&F::RemoveFiles), "RVLMnuRemoveFiles", "&Files...");

  AddSeparator(FMenu, pos);
  RVLMnuShowHistory = AddMenuItem(
      FMenu, pos,
      [this] {
        FFilesCommands->SetProject(Project());
        FFilesCommands->SetCurrentItem(CurrentItem());
        FFilesCommands->ShowHistory(true);
      },
      "RVLMnuShowHistory", "Show Histor&y...");
  RVLMnuShowDiff = AddMenuItem(
      FMenu, pos,
      [this] {
        if (TRVLItem* item = CurrentItem()) item->ShowDifference();
      },
      "RVLMnuShowDiff", "Show Di&fferences...");
  RVLMnuProjectExplorer = AddMenuItem(FMenu, pos, [this] { FProjectCommands->ProjectExplorer(Project()); },
                                      "RVLMnuProjectExplorer", "Project E&xplorer...");
  RVLMnuProjectDiff = AddMenuItem(FMenu, pos, nullptr, "RVLMnuProjectDiff", "Pro&ject Difference...");
  RVLMnuProjectDiff->SetVisible(false);
  RVLMnuShare = AddMenuItem(FMenu, pos, [this] { FProjectCommands->Share(Project()); }, "RVLMnuShare",
                            "S&hare From SourceSafe...");

  AddSeparator(FMenu, pos);
  RVLMnuExecSourceSafe =
      AddMenuItem(FMenu, pos, [this] { FCommands->ExecuteSourceSafe(); }, "RVLMnuExecSourceSafe", "Execute &SourceSafe");
  RVLMnuOptions = AddMenuItem(
      FMenu, pos,
      [this] {
        FCommands->Options();
        ApplyShortcuts();
      },
      "RVLMnuOptions", "Op&tions...");
  RVLMnuHelp = AddMenuItem(FMenu, pos, nullptr, "RVLMnuHelp", "Hel&p");
  sub = 0;
  RVLMnuHelpContents =
      AddMenuItem(RVLMnuHelp, sub, [this] { FCommands->HelpContents(); }, "RVLMnuHelpContents", "&Contents...");
  RVLMnuHelpAbout = AddMenuItem(RVLMnuHelp, sub, [this] { FCommands->About(); }, "RVLMnuHelpAbout", "A&bout...");
  RVLMnuHelpCheckUpdate = AddMenuItem(RVLMnuHelp, sub, [this] { FCommands->CheckForUpdates(false); },
                                      "RVLMnuHelpCheckUpdate", "Check &Updates...");
}

void TRVLMenuD3::AddIDEItems() {
  TIToolServices* services = Globals().ToolServices;
  TIntfPtr<TIMainMenuIntf> mainMenu(services ? services->GetMainMenu() : nullptr);
  if (!mainMenu) return;
  const TIMenuFlags flags = MenuFlag(mfEnabled) | MenuFlag(mfVisible);
  // The tool bar has no window behind it.
  if (TIntfPtr<TIMenuItemIntf> closed(mainMenu->FindMenuItem("FileClosedFilesItem")); closed)
    if (TIntfPtr<TIMenuItemIntf> parent(closed->GetParent()); parent)
      FOpenFromSS = TIntfPtr<TIMenuItemIntf>(parent->InsertItem(closed->GetIndex() + 1, "Open From SourceSafe...",
                                                                "RVLMnuOpenFromSS", "", 0, 0, 0, flags, nullptr));
  if (FOpenFromSS)
    FOpenFromSS->SetOnClick([this](TIMenuItemIntf*) {
      Guarded(this, [this] { FProjectCommands->OpenFromSourceSafe(Project()); });
    });
  if (TIntfPtr<TIMenuItemIntf> views(mainMenu->FindMenuItem("ViewsMenu")); views)
    FViewToolBar = TIntfPtr<TIMenuItemIntf>(
        views->InsertItem(12, "SourceSafe Tool Bar...", "RVLMnuViewSSToolBar", "", 0, 0, 0, flags, nullptr));
}

void TRVLMenuD3::ApplyShortcuts() {
  auto options = TRVLRegFactory::_Instance().CreateRegOptions();
  TMenuItem* items[] = {RVLMnuGetFiles, RVLMenuCheckInFiles, RVLMenuCheckOutFiles, RVLMenuUndoCheckFiles};
  for (int i = 0; i < 4; ++i) items[i]->SetShortCut(static_cast<TShortCut>(options->GetShortCut(i)));
}

void TRVLMenuD3::UpdateState() {
  if (!FMenu) return;
  TRVLProject* project = Project();
  const bool bound = IsBound(project);
  const bool named = project && !project->FileName().empty();
  for (TMenuItem* item : {RVLMnuGetLatest, RVLMnuCheckOut, RVLMnuCheckIn, RVLMnuUndoCheckOut, RVLMnuSynchronize,
                          RVLMnuRemove, RVLMnuShowHistory, RVLMnuProjectDiff, RVLMnuShare})
    item->SetEnabled(bound);
  RVLMnuSynchronize->SetCaption(named ? "Synchroni&ze " + ProjectNameOf(project) : "Synchroni&ze Project");
  RVLMnuAddToControl->SetEnabled(named);
  TRVLItem* item = CurrentItem();
  RVLMnuShowDiff->SetEnabled(item && item->IsInVSS());
}

void TRVLMenuD3::UpdateSubmenu(TMenuItem* Head, TItemRule Rule) {
  TRVLItem* item = CurrentItem();
  const bool bound = IsBound(Project());
  TMenuItem* first = Head->Items(0);
  first->SetCaption(item && item->IsInVSS() ? "&" + item->GetVSSItem()->Name() : "&Current File");
  for (int i = 0; i < Head->Count(); ++i) Head->Items(i)->SetEnabled(bound);
  first->SetEnabled(bound && item && Rule(item));
}

void TRVLMenuD3::UpdateAddSubmenu() {
  TRVLProject* project = Project();
  if (!project) {
    RVLMenuAddCurrent->SetCaption("&Current File");
    RVLMenuAddCurrent->SetEnabled(false);
    RVLMenuAddFiles->SetEnabled(false);
  } else if (project->IsBound()) {
    TRVLItem* item = CurrentItem();
    if (!item) return;
    RVLMenuAddCurrent->SetCaption("&" + platform::ExtractFileName(item->GetLocalSpec()));
    RVLMenuAddCurrent->SetEnabled(!item->IsInVSS() || item->GetVSSItem()->Deleted());
    RVLMenuAddFiles->SetEnabled(true);
  } else {
    RVLMenuAddCurrent->SetCaption("&" + ProjectNameOf(project));
    RVLMenuAddCurrent->SetEnabled(true);
    RVLMenuAddFiles->SetEnabled(false);
  }
}

// Adds the current file of a bound project, or an unbound project itself.
void TRVLMenuD3::AddCurrentClick() {
  if (IsBound(Project())) {
    RunCurrent(&TRVLFilesCommands::AddCurrent);
    return;
  }
  FProjectCommands->AddProject(Project());
  // Files looked up while the project was unbound have no SourceSafe path: they are looked up again.
  FActiveFiles->Clear();
  UpdateState();
}
