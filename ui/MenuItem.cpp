#include "ui/MenuItem.h"

#include <algorithm>

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "platform/Exception.h"
#include "platform/Text.h"
#include "ui/Application.h"

TMenuItem::TMenuItem(QObject* owner) : QObject(owner), FAction(new QAction(this)) {
  connect(FAction, &QAction::triggered, this, [this] {
    FAction->setChecked(FChecked);   // Qt toggled it
    Click();
  });
}

TMenuItem::~TMenuItem() {
  if (FParent) FParent->Remove(this);
  // Sub-items go with their parent, whoever owns them.
  const std::vector<TMenuItem*> items = std::move(FItems);
  FItems.clear();
  for (TMenuItem* item : items) {
    item->FParent = nullptr;
    delete item;
  }
  delete FMenu;
}

std::string TMenuItem::Name() const { return objectName().toStdString(); }

void TMenuItem::SetName(const std::string& name) { setObjectName(QString::fromStdString(name)); }

void TMenuItem::SetCaption(const std::string& caption) {
  FCaption = caption;
  FAction->setSeparator(caption == "-");
  FAction->setText(QString::fromStdString(caption));
  if (FMenu) FMenu->setTitle(FAction->text());
}

void TMenuItem::SetEnabled(bool enabled) {
  FEnabled = enabled;
  FAction->setEnabled(enabled);
}

void TMenuItem::SetVisible(bool visible) {
  FVisible = visible;
  FAction->setVisible(visible);
}

void TMenuItem::SetChecked(bool checked) {
  FChecked = checked;
  // Only a checked item shows a check mark; an unchecked one shows none at all.
  FAction->setCheckable(checked);
  FAction->setChecked(checked);
}

void TMenuItem::SetHint(const std::string& hint) {
  FHint = hint;
  FAction->setStatusTip(QString::fromStdString(hint));
}

void TMenuItem::SetShortCut(TShortCut shortCut) {
  FShortCut = shortCut;
  FAction->setShortcut(ShortCutToKeySequence(shortCut));
  // A main-menu shortcut works from every window of the application (an editor window too), as long
  // as its menu is on screen and no modal dialog stands in the way.
  FAction->setShortcutContext(Qt::ApplicationShortcut);
}

void TMenuItem::Click() {
  if (!Enabled() || !OnClick) return;
  TNotifyEvent handler = OnClick;   // the handler may replace itself
  Guarded(this, [&] { handler(this); });
}

TMenuItem* TMenuItem::Items(int index) const {
  if (index < 0 || index >= Count())
    throw Exception("Menu index " + std::to_string(index) + " out of range in '" + FCaption + "'");
  return FItems[index];
}

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (!item) throw Exception("No menu item to insert into '" + FCaption + "'");
  for (const TMenuItem* p = this; p; p = p->FParent)
    if (p == item) throw Exception("A menu item cannot be inserted into itself");
  // Checked first, so that a refused insertion leaves the item where it was.
  const int limit = Count() - (item->FParent == this ? 1 : 0);
  if (index < 0 || index > limit)
    throw Exception("Menu index " + std::to_string(index) + " out of range in '" + FCaption + "'");
  if (item->FParent) item->FParent->Remove(item);
  FItems.insert(FItems.begin() + index, item);
  item->FParent = this;
  if (item->AlwaysHasSubMenu()) item->EnsureSubMenu();   // before the bar first sees the action
  QAction* before = index + 1 < Count() ? FItems[index + 1]->FAction : nullptr;
  ItemContainer()->insertAction(before, item->FAction);
}

void TMenuItem::Remove(TMenuItem* item) {
  auto found = std::find(FItems.begin(), FItems.end(), item);
  if (found == FItems.end()) return;
  FItems.erase(found);
  item->FParent = nullptr;
  ItemContainer()->removeAction(item->FAction);
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
  auto found = std::find(FItems.begin(), FItems.end(), item);
  return found == FItems.end() ? -1 : static_cast<int>(found - FItems.begin());
}

TMenuItem* TMenuItem::Find(const std::string& caption) const {
  const std::string wanted = StripHotkey(caption);
  for (TMenuItem* item : FItems)
    if (!item->IsSeparator() && platform::SameText(StripHotkey(item->FCaption), wanted)) return item;
  return nullptr;
}

int TMenuItem::MenuIndex() const { return FParent ? FParent->IndexOf(this) : -1; }

QWidget* TMenuItem::ItemContainer() { return EnsureSubMenu(); }

bool TMenuItem::AlwaysHasSubMenu() const {
  return FPopupRoot || (FParent && qobject_cast<QMenuBar*>(FParent->ItemContainer()));
}

QMenu* TMenuItem::EnsureSubMenu() {
  if (!FMenu) {
    FMenu = new QMenu;
    FMenu->setTitle(FAction->text());
    FAction->setMenu(FMenu);
    connect(FMenu, &QMenu::aboutToShow, this, [this] { SubMenuAboutToShow(); });
  }
  return FMenu;
}

// A head's OnClick runs as its submenu opens, so it can update the sub-items first.
void TMenuItem::SubMenuAboutToShow() { Click(); }

TMenuItem* NewMenuItem(TMenuItem* parent, const std::string& name, const std::string& caption, int index) {
  auto* item = new TMenuItem(parent);
  item->SetName(name);
  item->SetCaption(caption);
  parent->Insert(index < 0 ? parent->Count() : index, item);
  return item;
}

std::string StripHotkey(const std::string& caption) {
  std::string result;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] != '&') result += caption[i];
    else if (i + 1 < caption.size() && caption[i + 1] == '&') result += caption[++i];
  }
  return result;
}

namespace {

TMenuItem* FindStep(const TMenuItem* parent, const std::string& step) {
  const std::string wanted = StripHotkey(step);
  for (int i = 0; i < parent->Count(); ++i) {
    TMenuItem* item = parent->Items(i);
    if (item->IsSeparator()) continue;
    if (platform::SameText(item->Name(), step) || platform::SameText(StripHotkey(item->Caption()), wanted)) return item;
  }
  return nullptr;
}

std::vector<std::string> Steps(const std::string& path) {
  std::vector<std::string> steps;
  for (const std::string& step : platform::Split(path, '|')) steps.push_back(platform::Trim(step));
  return steps;
}

} // namespace

TMenuItem* FindItemByPath(TMenuItem* root, const std::string& path) {
  TMenuItem* item = root;
  for (const std::string& step : Steps(path)) {
    if (!item) break;
    item = FindStep(item, step);
  }
  return item;
}

void ClickPath(TMenuItem* root, const std::string& path) {
  TMenuItem* item = root;
  for (const std::string& step : Steps(path)) {
    TMenuItem* next = FindStep(item, step);
    const std::string where = item == root ? std::string("the menu") : "'" + StripHotkey(item->Caption()) + "'";
    if (!next) throw Exception("There is no menu item '" + step + "' in " + where);
    if (!next->Visible()) throw Exception("The menu item '" + step + "' in " + where + " is hidden");
    if (!next->Enabled()) throw Exception("The menu item '" + step + "' in " + where + " is disabled");
    next->Click();
    item = next;
  }
}
