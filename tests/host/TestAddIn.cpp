// A small version-control add-in for the host's tests. It records every call the IDE makes into
// the file named by RAVELIN_TEST_ADDIN_LOG, one line each, and exercises the interfaces the real
// add-in relies on: notifier registration, module notifiers on forms, and a View menu item.
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

class TTestModuleNotifier : public TIModuleNotifier {
public:
  explicit TTestModuleNotifier(TIModuleInterface* module) : FModule(TIntfPtr<TIModuleInterface>::Share(module)) {
    FModule->AddNotifier(this);
  }
  void Notify(TNotifyCode code) override {
    if (code == ncEditorModified) return;   // every keystroke; not what these tests look at
    Log("module " + std::to_string(code));
    if (code == ncModuleDeleted) Release();
  }
  void ComponentRenamed(void*, const std::string&, const std::string&) override {}

protected:
  ~TTestModuleNotifier() override { FModule->RemoveNotifier(this); }

private:
  TIntfPtr<TIModuleInterface> FModule;
};

class TTestNotifier : public TIAddInNotifier {
public:
  explicit TTestNotifier(TIToolServices* services) : FServices(services) {}
  void FileNotification(TFileNotification code, const std::string& fileName, bool& cancel) override {
    Log("file " + std::to_string(code) + " " + BaseName(fileName));
    if (code == fnFileOpening && BaseName(fileName) == "Refused.cpp") cancel = true;
    if (code != fnFileOpened) return;
    TIntfPtr<TIModuleInterface> module(FServices->GetModuleInterface(fileName));
    if (!module) return;
    TIntfPtr<TIFormInterface> form(module->GetFormInterface());
    if (form) {
      Log("form " + BaseName(form->FileName()));
      new TTestModuleNotifier(module.Get());
    }
  }
  void EventNotification(TEventNotification, bool&) override {}

private:
  TIToolServices* FServices;
};

class TTestClient : public TIVCSClient {
public:
  explicit TTestClient(TIToolServices* services) : FServices(services), FNotifier(new TTestNotifier(services)) {
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
