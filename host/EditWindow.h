#pragma once
// The source editor window: a tab per open module, one text control showing the front page's
// buffer, a status bar (line:column, modified, mode; the mode panel has collection ID 2 and reads
// "Read Only" for a read-only file) and the local popup menu "EditorLocalMenu".
#include <functional>
#include <string>
#include <vector>

#include <QPointer>
#include <QTextCursor>

#include "ui/Form.h"

class QTabBar;
class QTextDocument;
class TEditControl;
class THostModule;
class TPopupMenu;
class TStatusBar;
class TStatusPanel;

// Collection IDs of the window's own status panels.
constexpr int EditPanelPosition = 0;
constexpr int EditPanelModified = 1;
constexpr int EditPanelMode = 2;

class TEditWindow : public TForm {
  Q_OBJECT
public:
  explicit TEditWindow(QObject* owner);

  // Adds a page for the module (or brings its page to the front).
  void ShowModule(THostModule* module);
  void RemoveModule(THostModule* module);
  THostModule* CurrentModule() const;
  const std::vector<THostModule*>& Modules() const { return FModules; }

  TEditControl* EditControl() const { return FEditor; }
  TStatusBar* StatusBar() const { return FStatusBar; }
  TPopupMenu* LocalMenu() const { return FLocalMenu; }
  // The number of panels the window itself puts on the status bar.
  static constexpr int OwnPanelCount = 3;
  // The status bar as it reads now, one "status ID: text" line per panel.
  std::vector<std::string> StatusLines() const;

  // The window's owner hooks: the front page changed; a page asks to be closed.
  std::function<void(THostModule*)> OnPageChanged;
  std::function<void(THostModule*)> OnCloseRequest;

private:
  void SelectPage(int index);
  void UpdateStatus();
  void ShowMarkedBlock();
  void TakeMarkedBlock();

  QTabBar* FTabs;
  TEditControl* FEditor;
  TStatusBar* FStatusBar;
  TPopupMenu* FLocalMenu;
  QTextDocument* FEmpty;   // shown when no page is open
  std::vector<THostModule*> FModules;
  std::vector<QTextCursor> FCursors;   // each page's caret while it is not in front
  int FCurrent = -1;
  bool FApplyingBlock = false;
};
