#pragma once
// The IDE's side of the version-control add-in: loading it, its menu in the main menu bar (captioned
// with the client's menu name and owned by the application, so add-ins find it among the
// application's components), the client's verbs in that menu, and releasing it on exit.
#include <string>
#include <vector>

#include <QPointer>

#include "host/AddInLoader.h"
#include "opentools/VcsIntf.h"

class TMainMenu;
class TMenuItem;

class TVersionControl {
public:
  explicit TVersionControl(TMainMenu* mainMenu);
  ~TVersionControl();   // releases the client, then unloads the library

  // Loads the add-in and builds its menu; a failure is shown in a message box. False then.
  bool Load(const std::string& path, TIToolServices* services);
  TIVCSClient* Client() const { return FClient; }
  TMenuItem* Menu() const { return FMenu; }

  // Asks the client for its verbs and shows them (each time its menu opens).
  void Refresh();
  // After the IDE's project changed: the verbs again, then ProjectChange.
  void ProjectChanged();
  // Releases the client (the menu's items that it inserted stay until the menu goes).
  void Release();

private:
  // Calls into the client; an exception it lets out goes to the application's exception event.
  template <class F>
  void Guard(F action);

  TMainMenu* FMainMenu;
  TAddInLibrary FLibrary;
  TIVCSClient* FClient = nullptr;
  QPointer<TMenuItem> FMenu;
  std::vector<QPointer<TMenuItem>> FVerbItems;
};
