#pragma once
// Menus: a form's main menu (a menu bar) and popup menus (context menus, menus opened from a panel).
#include <string>

#include <QObject>
#include <QPoint>
#include <QRect>

#include "ui/MenuItem.h"
#include "ui/Object.h"

class QMenu;
class QMenuBar;
class QWidget;

// The menu bar of a form. Its root item (Items()) holds the bar's heads.
class TMainMenu : public QObject, public TObject {
  Q_OBJECT
public:
  // The bar is created on `form`, and set as the menu bar of the form's layout when it has one.
  explicit TMainMenu(QWidget* form);

  std::string Name() const;
  void SetName(const std::string& name);
  TMenuItem* Items() const { return FItems; }
  QMenuBar* MenuBar() const { return FBar; }
  // The item named `name` (ignoring case) anywhere below the root, or nullptr.
  TMenuItem* FindItem(const std::string& name) const;

private:
  QMenuBar* FBar;
  TMenuItem* FItems;
};

// A popup menu. Showing it never blocks: the menu opens and its items run when they are clicked.
class TPopupMenu : public QObject, public TObject {
  Q_OBJECT
public:
  explicit TPopupMenu(QObject* owner);

  std::string Name() const;
  void SetName(const std::string& name);
  TMenuItem* Items() const { return FItems; }
  // Whether the control this menu belongs to opens it on a right click (the control decides).
  bool AutoPopup() const { return FAutoPopup; }
  void SetAutoPopup(bool autoPopup) { FAutoPopup = autoPopup; }
  // Runs before the menu opens (after the items' own updates could run).
  TNotifyEvent OnPopup;

  // Runs OnPopup and opens the menu with its top-left corner at (x, y), screen coordinates.
  void Popup(int x, int y);
  // Runs OnPopup and opens the menu at `pos` so that it does not cover `exclude` (screen
  // coordinates): below the rectangle when it fits on the screen, otherwise above it.
  void TrackPopup(QPoint pos, const QRect& exclude);
  // Runs OnPopup without showing anything (scripts do this before they click an item).
  void DoPopup();
  // The menu as Qt shows it, and whether it is open.
  QMenu* Menu() const;
  bool IsOpen() const;
  void ClosePopup();

private:
  TMenuItem* FItems;
  bool FAutoPopup = true;
};
