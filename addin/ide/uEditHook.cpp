#include "addin/ide/uEditHook.h"

#include <QApplication>
#include <QKeyEvent>

#include "addin/commands/uRVLFilesCommands.h"
#include "addin/frame/uRVLGlobals.h"
#include "addin/settings/uRVLRegFactory.h"
#include "addin/settings/uRVLUtils.h"
#include "addin/settings/uRegIDE.h"
#include "addin/settings/uRegOptions.h"
#include "addin/sourcesafe/uRVLItem.h"
#include "addin/sourcesafe/uRVLItems.h"
#include "addin/sourcesafe/uRVLProject.h"
#include "addin/diagnostics/uRVLExceptionHandler.h"
#include "addin/sourcesafe/uRVLProjects.h"
#include "opentools/EditIntf.h"
#include "opentools/ModuleIntf.h"
#include "opentools/ToolIntf.h"
#include "platform/Files.h"
#include "platform/Text.h"
#include "ui/Menus.h"
#include "ui/VirtualKeys.h"

namespace {

// The status bar's panel in which the editor shows "Read Only".
constexpr int ModePanelID = 2;
constexpr int StatusPanelWidth = 143;

// The status panel's text for each file state.
std::string StateText(TFileState State, const std::string& User) {
  switch (State) {
    case fsCheckedIn: return "Checked in";
    case fsCheckedOutToOther: return "Checked out to " + User;
    case fsCheckedOut: return "Checked out";
    default: return "Not in SourceSafe";
  }
}

struct TMenuEntry {
  const char* Name;
  const char* Caption;
};

// The file commands, as both menus show them first.
constexpr TMenuEntry FileEntries[] = {{"Get", "&Get Latest Version"},
                                      {"CheckOut", "Check &Out"},
                                      {"CheckIn", "Check &In"},
                                      {"UndoCheck", "&Undo Check Out"}};
// The status menu's commands on the project's files, after a separator.
constexpr TMenuEntry FilesEntries[] = {{"GetFiles", "G&et Files"},
                                       {"CheckOutFiles", "Check Ou&t Files"},
                                       {"CheckInFiles", "Check I&n Files"},
                                       {"UndoCheckFiles", "Un&do Check Out Files"}};
// Looking at the file, last in both menus after a separator.
constexpr TMenuEntry ViewEntries[] = {{"ShowDiff", "Show Di&fferences..."}, {"ShowHistory", "Show Histor&y..."}};
constexpr int ViewItemCount = 3;   // the separator and the two entries

// The editor's marked block, saved while a check-out reloads the file.
struct TSavedBlock {
  TCharPos Start{};
  TCharPos After{};
  TBlockType Type = btInclusive;
  bool Visible = false;
};

TIntfPtr<TIEditorInterface> EditorOf(const std::string& FileName, bool ShowSource) {
  TIntfPtr<TIModuleInterface> module(Globals().ToolServices->GetModuleInterface(FileName));
  if (!module) return {};
  if (ShowSource) module->ShowSource();
  return TIntfPtr<TIEditorInterface>(module->GetEditorInterface());
}

} // namespace

TEditHookComp::TEditHookComp(QObject* Owner) : TComponent(Owner) {}

// The parts get back what the hook replaced; the entries added to the popup menu and the status
// panels stay with the window.
// A hook removed from a living editor (editor integration switched off) takes away all it added.
TEditHookComp::~TEditHookComp() {
  if (FEditorLocalMenu) {
    FEditorLocalMenu->OnPopup = std::move(FOldOnPopup);
    delete FPopupSubMenu;
    delete FPopupSeparator;
  }
  if (FStatusBar) {
    FStatusBar->OnMouseDown = std::move(FOldMouseDown);
    FStatusBar->OnMouseUp = std::move(FOldMouseUp);
    if (FStatusPanel) {
      const int index = FStatusPanel->Index();
      FStatusBar->DeletePanel(index + 1);
      FStatusBar->DeletePanel(index);
      if (index > 0) {
        TStatusPanel* previous = FStatusBar->Panels(index - 1);
        previous->SetWidth(previous->Width() - 10);
      }
    }
  }
}

void TEditHookComp::Initialize(TRVLActiveFiles* ActiveFiles, TRVLActiveProjects* ActiveProjects,
                               TRVLFilesCommands* FilesCommands) {
  FActiveFiles = ActiveFiles;
  FActiveProjects = ActiveProjects;
  FFilesCommands = FilesCommands;
  FReadOnlyText = TRVLRegFactory::_Instance().CreateRegIDE()->GetReadOnlyText();
  FindParts();
  HookParts();
  FLineHeight = QFontMetrics(FStatusBar ? FStatusBar->font() : QApplication::font()).height() + 2;
  if (FEditorLocalMenu) BuildMenus();
  if (FStatusBar) {
    AddStatusPanel();
    // The window may have painted before it was hooked: the panel shows the state from the start.
    SchedulePanelUpdate();
  }
}

void TEditHookComp::FindParts() {
  for (QObject* component : Components(Owner())) {
    const std::string className = ::ClassName(component);
    if (platform::SameText(className, "TStatusbar")) {
      if (auto* bar = qobject_cast<TStatusBar*>(component)) {
        FStatusBar = bar;
        for (int i = 0; i < bar->PanelCount(); ++i)
          if (bar->Panels(i)->ID() == ModePanelID) FModePanel = bar->Panels(i);
      }
    } else if (platform::SameText(className, "TPopupMenu")) {
      auto* menu = qobject_cast<TPopupMenu*>(component);
      if (menu && platform::SameText(menu->Name(), "EditorLocalMenu")) FEditorLocalMenu = menu;
    } else if (platform::SameText(className, "TEditControl")) {
      if (auto* control = qobject_cast<QWidget*>(component)) FEditControl = control;
    }
  }
}

// The text control's keys come through the event filter; its "painted" report refreshes the panel.
void TEditHookComp::HookParts() {
  if (FEditControl) {
    FEditControl->installEventFilter(this);
    if (FEditControl->metaObject()->indexOfSignal("Painted()") >= 0)
      connect(FEditControl, SIGNAL(Painted()), this, SLOT(SchedulePanelUpdate()));
  }
  if (FEditorLocalMenu) {
    FOldOnPopup = FEditorLocalMenu->OnPopup;
    FEditorLocalMenu->OnPopup = [this](TObject* sender) { EditorPopup(sender); };
  }
  if (FStatusBar) {
    FOldMouseDown = FStatusBar->OnMouseDown;
    FOldMouseUp = FStatusBar->OnMouseUp;
    FStatusBar->OnMouseDown = [this](TObject* sender, TMouseButton button, TShiftState shift, int x, int y) {
      StatusMouseDown(sender, button, shift, x, y);
    };
    FStatusBar->OnMouseUp = [this](TObject* sender, TMouseButton button, TShiftState shift, int x, int y) {
      StatusMouseUp(sender, button, shift, x, y);
    };
    FStatusBar->SetShowHint(true);
  }
}

void TEditHookComp::BuildMenus() {
  auto addItem = [this](TMenuItem* parent, const std::string& name, const std::string& caption) {
    TMenuItem* item = NewMenuItem(parent, name, caption);
    if (caption != "-")
      item->OnClick = [this](TObject* sender) {
        TRVLExceptionHandler::_Instance().ForgetShownDamage();
        MenuClick(sender);
      };
    return item;
  };
  TMenuItem* root = FEditorLocalMenu->Items();
  FPopupSeparator = addItem(root, "RVLPMenuSep", "-");
  FPopupSubMenu = addItem(root, "RVLPMenu", Globals().MenuName);
  FPopupSubMenu->OnClick = nullptr;
  for (const TMenuEntry& entry : FileEntries)
    addItem(FPopupSubMenu, std::string("RVLPMenu") + entry.Name, entry.Caption);
  addItem(FPopupSubMenu, "RVLPMenuViewSep", "-");
  for (const TMenuEntry& entry : ViewEntries)
    addItem(FPopupSubMenu, std::string("RVLPMenu") + entry.Name, entry.Caption);

  FStatusMenu = new TPopupMenu(this);
  FStatusMenu->SetName("RVLSMenu");
  FStatusMenu->SetAutoPopup(false);
  for (const TMenuEntry& entry : FileEntries)
    addItem(FStatusMenu->Items(), std::string("RVLSMenu") + entry.Name, entry.Caption);
  addItem(FStatusMenu->Items(), "RVLSMenuSep", "-");
  for (const TMenuEntry& entry : FilesEntries)
    addItem(FStatusMenu->Items(), std::string("RVLSMenu") + entry.Name, entry.Caption);
  addItem(FStatusMenu->Items(), "RVLSMenuViewSep", "-");
  for (const TMenuEntry& entry : ViewEntries)
    addItem(FStatusMenu->Items(), std::string("RVLSMenu") + entry.Name, entry.Caption);
}

void TEditHookComp::AddStatusPanel() {
  FStatusPanel = FStatusBar->AddPanel();
  FStatusPanel->SetWidth(StatusPanelWidth);
  FStatusPanel->SetBevel(pbRaised);
  FStatusBar->AddPanel()->SetWidth(0);
  if (FStatusPanel->Index() > 0) {
    TStatusPanel* previous = FStatusBar->Panels(FStatusPanel->Index() - 1);
    previous->SetWidth(previous->Width() + 10);
  }
}

QRect TEditHookComp::StatusPanelRect() const { return FStatusBar->PanelRect(FStatusPanel->Index()); }

// Strictly between the panel's edges: the edges belong to its neighbours.
bool TEditHookComp::OverStatusPanel(int X) const {
  const QRect rect = StatusPanelRect();
  return X > rect.left() && X < rect.left() + rect.width();
}

TFileState TEditHookComp::FileState(TRVLItem* Item) {
  VSSPtr<IVSSItem> vssItem = Item ? Item->GetVSSItem() : VSSPtr<IVSSItem>();
  if (!vssItem || vssItem->Type() == VSSITEM_PROJECT) return fsNotInVSS;
  return static_cast<TFileState>(vssItem->IsCheckedOut());
}

// Paints come in bursts; the panel is brought up to date once after them, outside the painting.
void TEditHookComp::SchedulePanelUpdate() {
  if (FUpdatePending) return;
  FUpdatePending = true;
  QMetaObject::invokeMethod(this, [this] {
    FUpdatePending = false;
    UpdateStatusPanel();
  }, Qt::QueuedConnection);
}

void TEditHookComp::UpdateStatusPanel() {
  if (!FStatusBar || !FStatusPanel) return;
  try {
    TRVLItem* item = FActiveFiles->GetCurrentItem();
    TFileState state = FileState(item);
    std::string user;
    if (state == fsCheckedOutToOther) {
      VSSPtr<IVSSCheckouts> checkouts = item->GetVSSItem()->Checkouts();
      user = checkouts->Item(1)->Username();
      if (checkouts->Count() > 1) user += ",..";
    }
    FStatusPanel->SetText(StateText(state, user));
    FLastStatusError.clear();
  } catch (const std::exception& e) {
    // Every paint asks again: the same failure is reported once, not after each paint.
    if (e.what() == FLastStatusError) return;
    FLastStatusError = e.what();
    Application().HandleException(this, e);
  }
}

bool TEditHookComp::StatusHint(std::string& HintStr, THintInfo& HintInfo) {
  if (!FStatusBar || !FStatusPanel || HintInfo.HintControl != FStatusBar) return false;
  if (!OverStatusPanel(HintInfo.CursorPos.x())) return false;
  const QRect rect = StatusPanelRect();
  HintInfo.HintWindowClass = "TRVLHintWindow";
  HintInfo.CursorRect = rect;
  HintInfo.HideTimeout = 10000;
  HintInfo.HintPos = FStatusBar->mapToGlobal(rect.topLeft()) - QPoint(0, 2 * FLineHeight + FLineHeight / 2);
  HintStr = HintText();
  return true;
}

std::string TEditHookComp::HintText() {
  TRVLItem* item = FActiveFiles->GetCurrentItem();
  VSSPtr<IVSSItem> vssItem = item ? item->GetVSSItem() : VSSPtr<IVSSItem>();
  if (!vssItem) return {};
  std::string status;
  switch (vssItem->IsCheckedOut()) {
    case VSSFILE_NOTCHECKEDOUT:
      status = vssItem->IsDifferent(item->GetLocalSpec()) ? "Status: Different from " + item->GetLocalSpec()
                                                          : "Status: No changes";
      break;
    case VSSFILE_CHECKEDOUT: {
      VSSPtr<IVSSCheckouts> checkouts = vssItem->Checkouts();
      status = "Status: Checked out to ";
      for (int32_t i = 1; i <= checkouts->Count(); ++i)
        status += (i > 1 ? ", " : "") + checkouts->Item(i)->Username();
      break;
    }
    case VSSFILE_CHECKEDOUT_ME: {
      VSSPtr<IVSSCheckouts> checkouts = vssItem->Checkouts();
      const std::string me = item->GetDatabase()->UserName();
      status = "Status: Checked out to ";
      for (int32_t i = 1; i <= checkouts->Count(); ++i)
        if (VSSPtr<IVSSCheckout> checkout = checkouts->Item(i); checkout->Username() == me) {
          status += checkout->LocalSpec();
          break;
        }
      break;
    }
  }
  return "Spec: " + VSSPathOf(item->GetSpec()) + "\r" + status;
}

void TEditHookComp::EditorPopup(TObject* Sender) {
  if (FOldOnPopup) FOldOnPopup(Sender);
  UpdateMenuItems(FPopupSubMenu);
}

void TEditHookComp::UpdateMenuItems(TMenuItem* Parent) {
  const TFileState state = FileState(FActiveFiles->GetCurrentItem());
  TRVLProject* project = FActiveProjects->GetActiveProject();
  Parent->Items(0)->SetVisible(state != fsNotInVSS);
  Parent->Items(1)->SetVisible(state == fsCheckedIn || state == fsCheckedOutToOther);
  Parent->Items(2)->SetVisible(state == fsCheckedOut);
  Parent->Items(3)->SetVisible(state == fsCheckedOut);
  const bool bound = project && project->IsBound();
  if (Parent != FPopupSubMenu) {
    Parent->Items(4)->SetVisible(state != fsNotInVSS);
    for (int i = 5; i < Parent->Count() - ViewItemCount; ++i) Parent->Items(i)->SetEnabled(bound);
  } else {
    Parent->SetEnabled(state != fsNotInVSS);
  }
  const int view = Parent->Count() - ViewItemCount;
  Parent->Items(view)->SetVisible(state != fsNotInVSS);
  Parent->Items(view + 1)->SetVisible(state != fsNotInVSS);
  Parent->Items(view + 2)->SetEnabled(bound);
}

void TEditHookComp::StatusMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (FOldMouseDown) FOldMouseDown(Sender, Button, Shift, X, Y);
  if (!FStatusPanel || !FStatusMenu || !OverStatusPanel(X)) return;
  const QRect rect = StatusPanelRect();
  FStatusPanel->SetBevel(pbLowered);
  struct TRaise {
    TStatusPanel* Panel;
    ~TRaise() { Panel->SetBevel(pbRaised); }
  } raise{FStatusPanel};
  UpdateMenuItems(FStatusMenu->Items());
  const QPoint at = FStatusBar->mapToGlobal(QPoint(rect.left(), 0));
  FStatusMenu->TrackPopup(at, QRect(at, QSize(rect.width(), FStatusBar->height())));
}

void TEditHookComp::StatusMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (FOldMouseUp) FOldMouseUp(Sender, Button, Shift, X, Y);
}

void TEditHookComp::MenuClick(TObject* Sender) {
  auto* item = dynamic_cast<TMenuItem*>(Sender);
  if (!item) return;
  const bool withDialog =
      item->Parent() == FPopupSubMenu ? TRVLRegFactory::_Instance().CreateRegOptions()->GetPopupComment() : true;
  FFilesCommands->SetProject(FActiveProjects->GetActiveProject());
  FFilesCommands->SetCurrentItem(FActiveFiles->GetCurrentItem());
  const int fromEnd = item->Parent()->Count() - item->MenuIndex();
  if (fromEnd == 2) {
    if (TRVLItem* current = FActiveFiles->GetCurrentItem()) current->ShowDifference();
    return;
  }
  if (fromEnd == 1) {
    FFilesCommands->ShowHistory(true);
    return;
  }
  switch (item->MenuIndex()) {
    case 0: FFilesCommands->GetLatestCurrent(withDialog); break;
    case 1: FFilesCommands->CheckOutCurrent(withDialog); break;
    case 2: FFilesCommands->CheckInCurrent(withDialog); break;
    case 3: FFilesCommands->UndoCheckOutCurrent(withDialog); break;
    case 5: FFilesCommands->GetLatestAll(true); break;
    case 6: FFilesCommands->CheckOutFiles(true); break;
    case 7: FFilesCommands->CheckInFiles(true); break;
    case 8: FFilesCommands->UndoCheckOutFiles(true); break;
    default: break;
  }
}

bool TEditHookComp::eventFilter(QObject* Watched, QEvent* Event) {
  if (Watched != FEditControl || Event->type() != QEvent::KeyPress) return TComponent::eventFilter(Watched, Event);
  // A failure is reported; the key then goes on to the editor, which refuses it.
  bool handled = false;
  Guarded(this, [&] { handled = KeyStep(static_cast<QKeyEvent*>(Event)); });
  return handled;
}

bool TEditHookComp::KeyStep(QKeyEvent* Event) {
  if (!IsReadOnly()) return false;
  if (!IsEditingKey(VirtualKeyOf(Event), Event->modifiers())) return false;
  TRVLItem* item = FActiveFiles->GetCurrentItem();
  return item && CanBeCheckedOut(item) && CheckOutPrompt(item, Event);
}

// Keys that change the text. Ctrl+Q starts a two-key editor command whose second key, typed without
// Ctrl, changes nothing; the next key ends it. A Ctrl key after Ctrl+Q is a command of its own.
bool TEditHookComp::IsEditingKey(int Key, Qt::KeyboardModifiers Shift) {
  if (FStatusBar && FStatusBar->SimplePanel()) return false;
  if (Key == VK_SHIFT || Key == VK_CONTROL || Key == VK_MENU) return false;
  const bool quoted = std::exchange(FQuotePrefix, false);
  if (Shift & Qt::ControlModifier) {
    if (Key == 'Q') FQuotePrefix = true;
    return Key == 'X' || Key == 'V' || Key == 'Y';
  }
  if (quoted) return false;
  // Alt combinations are the system's (menus), never text.
  if (Shift & Qt::AltModifier) return false;
  if (Key == VK_INSERT) return (Shift & Qt::ShiftModifier) != 0;
  return Key == VK_RETURN || Key == VK_TAB || Key == VK_SPACE || Key == VK_BACK || (Key >= 46 && Key <= 90) ||
         (Key >= 96 && Key <= 111) || (Key >= 166 && Key <= 228);
}

bool TEditHookComp::CheckOutPrompt(TRVLItem* Item, QKeyEvent* Event) {
  const std::string fileName = Item->GetLocalSpec();
  if (ShowMessageBox(fileName + "\rThe file is under source control and has read-only attributes.\r"
                                "Would you like to check it out?",
                     MB_YESNO | MB_ICONQUESTION) != IDYES)
    return false;
  uint8_t keyboard[256];
  GetKeyboardState(keyboard);
  // A check-out reloads the file; the marked block (and with it the caret) comes back afterwards.
  TSavedBlock block;
  if (TIntfPtr<TIEditorInterface> editor = EditorOf(fileName, false)) {
    block.Start = editor->GetBlockStart();
    block.After = editor->GetBlockAfter();
    block.Type = editor->GetBlockType();
    block.Visible = editor->GetBlockVisible();
  }
  auto restoreBlock = [&] {
    TIntfPtr<TIEditorInterface> editor = EditorOf(fileName, true);
    if (!editor || !block.Visible) return;
    editor->SetBlockVisible(false);
    editor->SetBlockType(block.Type);
    editor->SetBlockStart(block.Start);
    editor->SetBlockAfter(block.After);
    editor->SetBlockVisible(true);
  };
  try {
    FFilesCommands->SetProject(FActiveProjects->GetActiveProject());
    FFilesCommands->SetCurrentItem(Item);
    FFilesCommands->CheckOutCurrent(TRVLRegFactory::_Instance().CreateRegOptions()->GetAutoCheckComment());
  } catch (...) {
    restoreBlock();
    throw;
  }
  restoreBlock();
  if (IsReadOnly() || !FEditControl) return false;
  // The key is typed again with the modifiers it had, as the keyboard state says too.
  const bool shift = Event->modifiers() & Qt::ShiftModifier, ctrl = Event->modifiers() & Qt::ControlModifier;
  if (shift) keyboard[VK_SHIFT] = 0x80;
  if (ctrl) keyboard[VK_CONTROL] = 0x80;
  SetKeyboardState(keyboard);
  QKeyEvent replay(Event->type(), Event->key(), Event->modifiers(), Event->nativeScanCode(),
                   Event->nativeVirtualKey(), Event->nativeModifiers(), Event->text(), Event->isAutoRepeat(),
                   Event->count());
  QApplication::sendEvent(FEditControl, &replay);
  keyboard[VK_SHIFT] = 0;
  keyboard[VK_CONTROL] = 0;
  SetKeyboardState(keyboard);
  return true;
}

bool TEditHookComp::IsReadOnly() {
  if (!FStatusBar || FStatusBar->SimplePanel() || !FModePanel) return false;
  return platform::SameText(FModePanel->Text(), FReadOnlyText);
}

bool TB3EditHookComp::IsReadOnly() {
  TRVLItem* item = ActiveFiles()->GetCurrentItem();
  if (!item) return false;
  const std::string fileName = item->GetLocalSpec();
  return !platform::FileExists(fileName) || platform::IsReadOnly(fileName);
}
