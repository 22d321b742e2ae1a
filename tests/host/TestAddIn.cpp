// A small version-control add-in for the host's tests. It records every call the IDE makes into
// the file named by RAVELIN_TEST_ADDIN_LOG, one line each, and exercises the interfaces the real
// add-in relies on: notifier registration, a refused file opening, and a View menu item.
// RAVELIN_TEST_ADDIN_MODE = "null" makes the entry return no client, "throw" makes it raise.
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <string>

#include "opentools/VcsEntry.h"

namespace {

void Log(const std::string& line) {
  if (const char* file = std::getenv("RAVELIN_TEST_ADDIN_LOG")) std::ofstream(file, std::ios::app) << line << '\n';
}

std::string BaseName(const std::string& path) { return path.substr(path.find_last_of('/') + 1); }

class TTestNotifier : public TIAddInNotifier {
public:
  void FileNotification(TFileNotification code, const std::string& fileName, bool& cancel) override {
    Log("file " + std::to_string(code) + " " + BaseName(fileName));
    if (code == fnFileOpening && BaseName(fileName) == "Refused.cpp") cancel = true;
  }
  void EventNotification(TEventNotification, bool&) override {}
};

class TTestClient : public TIVCSClient {
public:
  explicit TTestClient(TIToolServices* services) : FServices(services), FNotifier(new TTestNotifier) {
    FServices->AddNotifier(FNotifier);
  }
  std::string GetIDString() override { return "Ravelin.TestAddIn"; }
  void ExecuteVerb(int index) override { Log("ExecuteVerb " + std::to_string(index)); }
  std::string GetMenuName() override { return "&Test VCS"; }
  std::string GetVerb(int index) override { return index == 0 ? "Verb &One" : "Verb &Two"; }
  int GetVerbCount() override {
    Log("GetVerbCount");
    if (!FInstalled) FInstalled = InstallViewItem();
    return 2;
  }
  int GetVerbState(int index) override { return index == 0 ? vsEnabled : 0; }
  void ProjectChange() override { Log("ProjectChange " + BaseName(FServices->GetProjectName())); }

protected:
  ~TTestClient() override {
    FServices->RemoveNotifier(FNotifier);
    FNotifier->Release();
    Log("released");
  }

private:
  bool InstallViewItem() {
    TIntfPtr<TIMainMenuIntf> menu(FServices->GetMainMenu());
    if (!menu) return false;
    TIntfPtr<TIMenuItemIntf> views(menu->FindMenuItem("ViewsMenu"));
    if (!views) return false;
    TIntfPtr<TIMenuItemIntf> item(views->InsertItem(12, "Test Tool Bar...", "TestViewItem", "", 0, 0, 0,
                                                    MenuFlag(mfEnabled) | MenuFlag(mfVisible),
                                                    [](TIMenuItemIntf* sender) { Log("clicked " + sender->GetName()); }));
    return static_cast<bool>(item);
  }

  TIToolServices* FServices;
  TTestNotifier* FNotifier;
  bool FInstalled = false;
};

} // namespace

extern "C" RVLENTRY_EXPORT TIVCSClient* RVLENTRY(TIToolServices* services) {
  std::string mode = std::getenv("RAVELIN_TEST_ADDIN_MODE") ? std::getenv("RAVELIN_TEST_ADDIN_MODE") : "";
  Log("entry " + mode);
  if (mode == "null") return nullptr;
  if (mode == "throw") throw std::runtime_error("the test add-in refuses to start");
  return new TTestClient(services);
}
