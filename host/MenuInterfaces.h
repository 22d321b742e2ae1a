#pragma once
// The add-in's view of the main menu: TIMainMenuIntf and TIMenuItemIntf over the live menu items.
// Each interface object refers to its item weakly; once the item is gone, calls do nothing and
// report failure.
#include <QPointer>

#include "opentools/MenuIntf.h"
#include "ui/MenuItem.h"
#include "ui/Menus.h"

class THostMenuItem : public TIMenuItemIntf {
public:
  explicit THostMenuItem(TMenuItem* item) : FItem(item) {}
  TMenuItem* Item() const { return FItem; }

  bool DestroyMenuItem() override;
  int GetIndex() override;
  int GetItemCount() override;
  TIMenuItemIntf* GetItem(int index) override;
  TIMenuItemIntf* GetParent() override;
  std::string GetName() override;
  std::string GetCaption() override;
  bool SetCaption(const std::string& caption) override;
  TShortCutCode GetShortCut() override;
  bool SetShortCut(TShortCutCode shortCut) override;
  TIMenuFlags GetFlags() override;
  bool SetFlags(TIMenuFlags mask, TIMenuFlags flags) override;
  std::string GetHint() override;
  bool SetHint(const std::string& hint) override;
  int GetContext() override;
  bool SetContext(int context) override;
  int GetGroupIndex() override;
  bool SetGroupIndex(int groupIndex) override;
  bool SetOnClick(TIMenuClickEvent onClick) override;
  TIMenuItemIntf* InsertItem(int index, const std::string& caption, const std::string& name,
                             const std::string& hint, TShortCutCode shortCut, int context, int groupIndex,
                             TIMenuFlags flags, TIMenuClickEvent onClick) override;

private:
  QPointer<TMenuItem> FItem;
};

class THostMainMenu : public TIMainMenuIntf {
public:
  explicit THostMainMenu(TMainMenu* menu) : FMenu(menu) {}
  TIMenuItemIntf* GetMenuItems() override;
  TIMenuItemIntf* FindMenuItem(const std::string& name) override;

private:
  QPointer<TMainMenu> FMenu;
};
