#include "host/VersionControl.h"

#include "ui/Application.h"
#include "ui/Menus.h"
#include "ui/Prompter.h"

TVersionControl::TVersionControl(TMainMenu* mainMenu) : FMainMenu(mainMenu) {}

TVersionControl::~TVersionControl() {
  Release();
  // Items the add-in inserted run its code when clicked or freed: they go before the library does.
  delete FMenu.data();
}

template <class F>
void TVersionControl::Guard(F action) {
  try {
    action();
  } catch (const std::exception& e) {
    Application().HandleException(nullptr, e);
  }
}

bool TVersionControl::Load(const std::string& path, TIToolServices* services) {
  FClient = FLibrary.Load(path, services);
  if (!FClient) {
    MessageBox(FLibrary.Error(), "Version Control", MB_OK | MB_ICONERROR);
    return false;
  }
  std::string caption;
  Guard([&] { caption = FClient->GetMenuName(); });
  FMenu = new TMenuItem(&Application());
  FMenu->SetName("VersionControlMenu");
  FMenu->SetCaption(caption.empty() ? "&Version Control" : caption);
  FMenu->OnClick = [this](TObject*) { Refresh(); };
  // Before Help, as the last menu of the IDE's own.
  TMenuItem* bar = FMainMenu->Items();
  FMainMenu->Items()->Insert(std::max(0, bar->Count() - 1), FMenu);
  Refresh();
  return true;
}

void TVersionControl::Refresh() {
  if (!FClient || !FMenu) return;
  int count = 0;
  Guard([&] { count = FClient->GetVerbCount(); });
  for (auto& item : FVerbItems) delete item.data();
  FVerbItems.clear();
  for (int i = 0; i < count; ++i) {
    auto* item = new TMenuItem(FMenu);
    Guard([&] {
      item->SetCaption(FClient->GetVerb(i));
      int state = FClient->GetVerbState(i);
      item->SetEnabled(state & vsEnabled);
      item->SetChecked(state & vsChecked);
    });
    item->OnClick = [this, i](TObject*) {
      if (FClient) Guard([&] { FClient->ExecuteVerb(i); });
    };
    FMenu->Insert(i, item);
    FVerbItems.emplace_back(item);
  }
}

void TVersionControl::ProjectChanged() {
  Refresh();
  if (FClient) Guard([&] { FClient->ProjectChange(); });
}

void TVersionControl::Release() {
  if (FClient) std::exchange(FClient, nullptr)->Release();
}
