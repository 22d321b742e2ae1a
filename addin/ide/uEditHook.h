#pragma once
// The editor hook, placed on each IDE editor window: a SourceSafe submenu in the editor's popup
// menu, a status panel that always shows the file's SourceSafe state (with a hint and a menu of its
// own), and a watch on the keys typed into a read-only file that offers to check the file out and
// then types the key.
#include <string>

#include <QPointer>
#include <QRect>

#include "ui/Application.h"
#include "ui/Component.h"
#include "ui/StatusBar.h"

class QKeyEvent;
class TMenuItem;
class TPopupMenu;
class TRVLActiveFiles;
class TRVLActiveProjects;
class TRVLFilesCommands;
class TRVLItem;

// The SourceSafe state of the editor's file.
enum TFileState { fsCheckedIn = 0, fsCheckedOutToOther = 1, fsCheckedOut = 2, fsNotInVSS = 3 };

class TEditHookComp : public TComponent {
  Q_OBJECT
public:
  // `Owner` is the editor window.
  explicit TEditHookComp(QObject* Owner);
  ~TEditHookComp() override;

  // Whether the file in the editor is read-only: the editor's mode panel says so.
  virtual bool IsReadOnly();
  // Finds the editor's parts and hooks them; called once, right after construction.
  virtual void Initialize(TRVLActiveFiles* ActiveFiles, TRVLActiveProjects* ActiveProjects,
                          TRVLFilesCommands* FilesCommands);
  // Fills in the hint over the status panel; false when the hint is not about it.
  bool StatusHint(std::string& HintStr, THintInfo& HintInfo);
  // Shows the state of the editor's file, asked afresh from SourceSafe, in the status panel.
  void UpdateStatusPanel();

  TStatusPanel* StatusPanel() const { return FStatusPanel; }
  TPopupMenu* StatusMenu() const { return FStatusMenu; }

private slots:
  void SchedulePanelUpdate();

protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override;
  TRVLActiveFiles* ActiveFiles() const { return FActiveFiles; }

private:
  void FindParts();
  void HookParts();
  void BuildMenus();
  void AddStatusPanel();
  QRect StatusPanelRect() const;
  bool OverStatusPanel(int X) const;
  static TFileState FileState(TRVLItem* Item);
  std::string HintText();
  void EditorPopup(TObject* Sender);
  void UpdateMenuItems(TMenuItem* Parent);
  void StatusMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void StatusMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void MenuClick(TObject* Sender);
  // True when the key has been dealt with (the file was checked out and the key typed again).
  bool KeyStep(QKeyEvent* Event);
  bool IsEditingKey(int Key, Qt::KeyboardModifiers Shift);
  bool CheckOutPrompt(TRVLItem* Item, QKeyEvent* Event);

  TRVLActiveFiles* FActiveFiles = nullptr;         // not owned
  TRVLActiveProjects* FActiveProjects = nullptr;   // not owned
  TRVLFilesCommands* FFilesCommands = nullptr;     // not owned
  std::string FReadOnlyText;
  int FLineHeight = 0;
  QWidget* FEditorWindow;
  // The editor's parts, found on the window; they may go before the hook does.
  QPointer<TStatusBar> FStatusBar;
  QPointer<TPopupMenu> FEditorLocalMenu;
  QPointer<QWidget> FEditControl;
  TStatusPanel* FModePanel = nullptr;
  TMenuItem* FPopupSeparator = nullptr; // owned by the editor's popup menu
  TMenuItem* FPopupSubMenu = nullptr;   // owned by the editor's popup menu
  TPopupMenu* FStatusMenu = nullptr;    // owned by the hook
  TStatusPanel* FStatusPanel = nullptr; // owned by the status bar
  bool FQuotePrefix = false;
  TNotifyEvent FOldOnPopup;
  TMouseEvent FOldMouseDown;
  TMouseEvent FOldMouseUp;
  bool FUpdatePending = false;
  std::string FLastStatusError;   // reported once until the state can be read again
};

// The C++Builder editor's variant: read-only is the file's own attribute.
class TB3EditHookComp : public TEditHookComp {
  Q_OBJECT
public:
  using TEditHookComp::TEditHookComp;
  bool IsReadOnly() override;
};
