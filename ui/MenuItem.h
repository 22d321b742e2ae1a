#pragma once
// Menu items: one entry of a main menu or popup menu, with its sub-items. The item's owner (its
// QObject parent) decides its lifetime; its parent item decides where it shows. An item deleted by
// its owner leaves its parent's list, and an item deletes the sub-items it holds when it goes.
//
// An item is shown through a QAction; an item with sub-items also has a QMenu. Opening a submenu
// first runs the head item's OnClick, so a head can update its sub-items before they show.
#include <string>
#include <vector>

#include <QObject>

#include "ui/Object.h"
#include "ui/ShortCuts.h"

class QAction;
class QMenu;
class QWidget;

class TMenuItem : public QObject, public TObject {
  Q_OBJECT
public:
  explicit TMenuItem(QObject* owner);
  ~TMenuItem() override;

  std::string Name() const;
  void SetName(const std::string& name);
  // With "&" before the access key; "-" makes the item a separator.
  std::string Caption() const { return FCaption; }
  void SetCaption(const std::string& caption);
  bool IsSeparator() const { return FCaption == "-"; }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool enabled);
  bool Visible() const { return FVisible; }
  void SetVisible(bool visible);
  bool Checked() const { return FChecked; }
  void SetChecked(bool checked);
  int Tag() const { return FTag; }
  void SetTag(int tag) { FTag = tag; }
  std::string Hint() const { return FHint; }
  void SetHint(const std::string& hint);
  int HelpContext() const { return FHelpContext; }
  void SetHelpContext(int context) { FHelpContext = context; }
  TShortCut ShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut shortCut);

  TNotifyEvent OnClick;
  // Runs OnClick when the item is enabled; an exception goes to the application's exception event.
  void Click();

  // Sub-items.
  int Count() const { return static_cast<int>(FItems.size()); }
  TMenuItem* Items(int index) const;
  // Inserts `item` before position `index` (0..Count()); it leaves any previous parent first.
  // Throws Exception for an index out of range.
  void Insert(int index, TMenuItem* item);
  void Add(TMenuItem* item) { Insert(Count(), item); }
  // Takes `item` out of the list; it stays alive (its owner still owns it).
  void Remove(TMenuItem* item);
  void Delete(int index) { Remove(Items(index)); }
  int IndexOf(const TMenuItem* item) const;
  // The sub-item whose caption equals `caption`, ignoring "&" and letter case; nullptr if none.
  TMenuItem* Find(const std::string& caption) const;
  TMenuItem* Parent() const { return FParent; }
  // Position in the parent's list, -1 without parent.
  int MenuIndex() const;

  // The action that shows this item, and the submenu that shows its sub-items (nullptr while it has
  // none, unless it is a menu-bar head).
  QAction* Action() const { return FAction; }
  QMenu* SubMenu() const { return FMenu; }

protected:
  // Where sub-items are shown: the submenu (created on demand); a main menu's root uses its bar.
  virtual QWidget* ItemContainer();
  // Whether sub-items get a submenu even while empty (heads of a menu bar do).
  bool AlwaysHasSubMenu() const;

private:
  friend class TPopupMenu;
  QMenu* EnsureSubMenu();
  void SubMenuAboutToShow();

  std::string FCaption;
  std::string FHint;
  int FTag = 0;
  int FHelpContext = 0;
  TShortCut FShortCut = 0;
  // Kept here: Qt reports a hidden action as disabled too.
  bool FEnabled = true;
  bool FVisible = true;
  bool FChecked = false;   // changed by code only: a click does not toggle it
  QAction* FAction = nullptr;
  QMenu* FMenu = nullptr;
  TMenuItem* FParent = nullptr;
  std::vector<TMenuItem*> FItems;
  bool FPopupRoot = false;
};

// A new item named `name` showing `caption`, owned by `parent` and inserted into it at `index`
// (at the end when -1).
TMenuItem* NewMenuItem(TMenuItem* parent, const std::string& name, const std::string& caption, int index = -1);
// "&File" -> "File" ("&&" stays as one "&").
std::string StripHotkey(const std::string& caption);
// Follows a path of sub-items below `root`, separated by "|", each step matching an item's name or
// its caption (ignoring "&" and case): "File|Open From SourceSafe...". nullptr when a step is missing.
TMenuItem* FindItemByPath(TMenuItem* root, const std::string& path);
// Clicks the item at `path` as a user would: every head on the way is opened (its OnClick runs, so it
// can update its sub-items) before the next step is looked up. Throws Exception naming the step
// when an item is missing, hidden or disabled.
void ClickPath(TMenuItem* root, const std::string& path);
