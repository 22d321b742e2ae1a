#include "host/MenuInterfaces.h"

#include <QVariant>

namespace {

TIMenuItemIntf* Wrap(TMenuItem* item) { return item ? new THostMenuItem(item) : nullptr; }

// Calls `onClick` with a fresh interface on the item that was clicked.
TNotifyEvent ClickHandler(TMenuItem* item, TIMenuClickEvent onClick) {
  if (!onClick) return {};
  QPointer<TMenuItem> weak(item);
  return [weak, onClick](TObject*) {
    TIntfPtr<TIMenuItemIntf> sender(Wrap(weak.data()));
    onClick(sender.Get());
  };
}

} // namespace

bool THostMenuItem::DestroyMenuItem() {
  if (!FItem) return false;
  delete FItem.data();
  return true;
}

int THostMenuItem::GetIndex() { return FItem ? FItem->MenuIndex() : -1; }
int THostMenuItem::GetItemCount() { return FItem ? FItem->Count() : 0; }

TIMenuItemIntf* THostMenuItem::GetItem(int index) {
  if (!FItem || index < 0 || index >= FItem->Count()) return nullptr;
  return Wrap(FItem->Items(index));
}

TIMenuItemIntf* THostMenuItem::GetParent() { return FItem ? Wrap(FItem->Parent()) : nullptr; }
std::string THostMenuItem::GetName() { return FItem ? FItem->Name() : std::string(); }
std::string THostMenuItem::GetCaption() { return FItem ? FItem->Caption() : std::string(); }

bool THostMenuItem::SetCaption(const std::string& caption) {
  if (!FItem) return false;
  FItem->SetCaption(caption);
  return true;
}

TShortCutCode THostMenuItem::GetShortCut() { return FItem ? FItem->ShortCut() : 0; }

bool THostMenuItem::SetShortCut(TShortCutCode shortCut) {
  if (!FItem) return false;
  FItem->SetShortCut(static_cast<TShortCut>(shortCut));
  return true;
}

TIMenuFlags THostMenuItem::GetFlags() {
  if (!FItem) return MenuFlag(mfInvalid);
  return (FItem->Enabled() ? MenuFlag(mfEnabled) : 0) | (FItem->Visible() ? MenuFlag(mfVisible) : 0) |
         (FItem->Checked() ? MenuFlag(mfChecked) : 0);
}

bool THostMenuItem::SetFlags(TIMenuFlags mask, TIMenuFlags flags) {
  if (!FItem) return false;
  if (mask & MenuFlag(mfEnabled)) FItem->SetEnabled(flags & MenuFlag(mfEnabled));
  if (mask & MenuFlag(mfVisible)) FItem->SetVisible(flags & MenuFlag(mfVisible));
  if (mask & MenuFlag(mfChecked)) FItem->SetChecked(flags & MenuFlag(mfChecked));
  return true;
}

std::string THostMenuItem::GetHint() { return FItem ? FItem->Hint() : std::string(); }

bool THostMenuItem::SetHint(const std::string& hint) {
  if (!FItem) return false;
  FItem->SetHint(hint);
  return true;
}

int THostMenuItem::GetContext() { return FItem ? FItem->HelpContext() : 0; }

bool THostMenuItem::SetContext(int context) {
  if (!FItem) return false;
  FItem->SetHelpContext(context);
  return true;
}

// Menus here don't merge groups; the index is only kept on the item for whoever asks.
int THostMenuItem::GetGroupIndex() { return FItem ? FItem->property("GroupIndex").toInt() : 0; }

bool THostMenuItem::SetGroupIndex(int groupIndex) {
  if (!FItem) return false;
  FItem->setProperty("GroupIndex", groupIndex);
  return true;
}

bool THostMenuItem::SetOnClick(TIMenuClickEvent onClick) {
  if (!FItem) return false;
  FItem->OnClick = ClickHandler(FItem, std::move(onClick));
  return true;
}

TIMenuItemIntf* THostMenuItem::InsertItem(int index, const std::string& caption, const std::string& name,
                                          const std::string& hint, TShortCutCode shortCut, int context,
                                          int groupIndex, TIMenuFlags flags, TIMenuClickEvent onClick) {
  if (!FItem) return nullptr;
  // The new item belongs to the menu it is inserted into.
  if (index < 0 || index > FItem->Count()) index = FItem->Count();
  TMenuItem* item = NewMenuItem(FItem, name, caption, index);
  item->SetHint(hint);
  item->SetShortCut(static_cast<TShortCut>(shortCut));
  item->SetHelpContext(context);
  item->OnClick = ClickHandler(item, std::move(onClick));
  auto* result = new THostMenuItem(item);
  result->SetFlags(MenuFlag(mfEnabled) | MenuFlag(mfVisible) | MenuFlag(mfChecked), flags);
  result->SetGroupIndex(groupIndex);
  return result;
}

TIMenuItemIntf* THostMainMenu::GetMenuItems() { return FMenu ? Wrap(FMenu->Items()) : nullptr; }

TIMenuItemIntf* THostMainMenu::FindMenuItem(const std::string& name) {
  return FMenu ? Wrap(FMenu->FindItem(name)) : nullptr;
}
