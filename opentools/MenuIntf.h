#pragma once
// The IDE's main menu as add-ins see it: items found by component name, read and changed, and new
// items inserted with a click callback.
#include <functional>
#include <string>

#include "opentools/Interface.h"

// Flags are bit numbers: a flag set is a bit mask with bit (1 << flag) per flag, so enabled and
// visible together are 6.
enum TIMenuFlag { mfInvalid, mfEnabled, mfVisible, mfChecked, mfBreak, mfBarBreak, mfRadioItem };
using TIMenuFlags = int;
constexpr TIMenuFlags MenuFlag(TIMenuFlag flag) { return 1 << flag; }

// A key and its modifiers as the 16-bit shortcut code (virtual key | 0x2000 Shift | 0x4000 Ctrl |
// 0x8000 Alt); 0 is none.
using TShortCutCode = int;

class TIMenuItemIntf;
// Runs when the inserted item is clicked; receives the item.
using TIMenuClickEvent = std::function<void(TIMenuItemIntf* sender)>;

class TIMenuItemIntf : public TInterface {
public:
  // Removes the item from its menu and frees it.
  virtual bool DestroyMenuItem() = 0;
  virtual int GetIndex() = 0;
  virtual int GetItemCount() = 0;
  // Each returns a new reference, or nil; release it after use.
  virtual TIMenuItemIntf* GetItem(int index) = 0;
  virtual TIMenuItemIntf* GetParent() = 0;
  virtual std::string GetName() = 0;
  virtual std::string GetCaption() = 0;
  virtual bool SetCaption(const std::string& caption) = 0;
  virtual TShortCutCode GetShortCut() = 0;
  virtual bool SetShortCut(TShortCutCode shortCut) = 0;
  virtual TIMenuFlags GetFlags() = 0;
  // Changes the flags selected by `mask` to their values in `flags`.
  virtual bool SetFlags(TIMenuFlags mask, TIMenuFlags flags) = 0;
  virtual std::string GetHint() = 0;
  virtual bool SetHint(const std::string& hint) = 0;
  virtual int GetContext() = 0;
  virtual bool SetContext(int context) = 0;
  virtual int GetGroupIndex() = 0;
  virtual bool SetGroupIndex(int groupIndex) = 0;
  virtual bool SetOnClick(TIMenuClickEvent onClick) = 0;
  // Inserts a new child at `index` (below 0 or past the end appends) and returns it (a new
  // reference), or nil when it could not be made.
  virtual TIMenuItemIntf* InsertItem(int index, const std::string& caption, const std::string& name,
                                     const std::string& hint, TShortCutCode shortCut, int context,
                                     int groupIndex, TIMenuFlags flags,
                                     TIMenuClickEvent onClick) = 0;
};

class TIMainMenuIntf : public TInterface {
public:
  // The menu bar as an item whose children are the top-level menus (new reference).
  virtual TIMenuItemIntf* GetMenuItems() = 0;
  // The item with that component name anywhere in the menu (new reference), or nil.
  virtual TIMenuItemIntf* FindMenuItem(const std::string& name) = 0;
};
