#include "host/Host.h"

#include <algorithm>

#include <QApplication>

#include "host/EditControl.h"
#include "host/EditWindow.h"
#include "host/FormView.h"
#include "host/MainForm.h"
#include "host/Module.h"
#include "host/ProjectManager.h"
#include "host/ToolServices.h"
#include "host/VersionControl.h"
#include "platform/Files.h"
#include "platform/Text.h"
#include "ui/Application.h"
#include "ui/Menus.h"
#include "ui/Prompter.h"

using namespace platform;

namespace {

constexpr size_t MaxClosedFiles = 10;

} // namespace

void THost::Present(QWidget* window) {
  window->show();
  // The offscreen platform has no stacking order (and says so on each raise).
  if (QGuiApplication::platformName() != QLatin1String("offscreen")) window->raise();
  window->activateWindow();
}

THost::THost() : FToolServices(new THostToolServices(*this)) {
  FMainForm = new TIDEMainForm(*this, nullptr);
  Application().SetMainForm(FMainForm);
  Application().SetTitle("Ravelin IDE");
  FMainForm->move(0, 0);
  FEditWindow = new TEditWindow(FMainForm);
  FEditWindow->move(270, 120);
  FProjectManager = new TProjectManager(FMainForm);
  FProjectManager->setGeometry(0, 120, 260, 420);
  FVersionControl = std::make_unique<TVersionControl>(FMainForm->Menu());

  FEditWindow->OnPageChanged = [this](THostModule* module) { ActiveModuleChanged(module); };
  FEditWindow->OnCloseRequest = [this](THostModule* module) { CloseModule(module, true); };
  FProjectManager->OnOpenFile = [this](const std::string& fileName) {
    if (!IsProjectFileName(fileName)) OpenFile(fileName);
  };
  FMainForm->OnCloseQuery = [this] { return CloseProject(true); };
}

THost::~THost() {
  Shutdown();
  FToolServices->Release();
}

TFormView* THost::FormView(THostModule* module) const {
  auto it = FFormViews.find(module);
  return it == FFormViews.end() ? nullptr : it->second.data();
}

TIToolServices* THost::ToolServices() const { return FToolServices; }

bool THost::LoadAddIn(const std::string& path) {
  std::string name = path.empty() ? RegisteredAddInPath() : path;
  if (name.empty()) return false;
  return FVersionControl->Load(name, FToolServices);
}

void THost::ReportError(const std::string& message) { MessageBox(message, "Error", MB_OK | MB_ICONERROR); }

bool THost::FileNotification(TFileNotification code, const std::string& fileName) {
  bool cancel = false;
  // A snapshot, checked again before each call: notifiers may unregister while this runs.
  std::vector<TIAddInNotifier*> snapshot = FNotifiers;
  for (TIAddInNotifier* notifier : snapshot) {
    if (std::find(FNotifiers.begin(), FNotifiers.end(), notifier) == FNotifiers.end()) continue;
    try {
      notifier->FileNotification(code, fileName, cancel);
    } catch (const std::exception& e) {
      Application().HandleException(nullptr, e);
    }
  }
  return !cancel;
}

bool THost::AddNotifier(TIAddInNotifier* notifier) {
  if (!notifier || std::find(FNotifiers.begin(), FNotifiers.end(), notifier) != FNotifiers.end()) return false;
  FNotifiers.push_back(notifier);
  return true;
}

bool THost::RemoveNotifier(TIAddInNotifier* notifier) {
  auto it = std::find(FNotifiers.begin(), FNotifiers.end(), notifier);
  if (it == FNotifiers.end()) return false;
  FNotifiers.erase(it);
  return true;
}

// ---- projects ----

bool THost::OpenProject(const std::string& fileName) {
  std::string path = ExpandFileName(fileName);
  if (HasProject() && SamePath(path, FProject.FileName)) {
    Present(FProjectManager);
    return true;
  }
  if (HasProject() && !CloseProject(true)) return false;
  if (!FileNotification(fnProjectOpening, path)) return false;
  TProjectInfo info;
  std::string error;
  if (!LoadProjectFile(path, info, error)) {
    ReportError(error);
    return false;
  }
  FProject = info;
  for (THostModule* module : FModules) module->SetProjectModule(IsProjectUnit(module->FileName()));
  FProjectManager->ShowProject(&FProject);
  FProjectManager->show();
  FileNotification(fnProjectOpened, path);
  // The main source opens as a file (a .dpr is both the project and its main source).
  if (FileExists(FProject.MainSource) && !FindModule(FProject.MainSource)) LoadModule(FProject.MainSource);
  FMainForm->UpdateCaption();
  FVersionControl->ProjectChanged();
  return true;
}

bool THost::CloseProject(bool askToSave) {
  if (HasProject() && !FileNotification(fnProjectClosing, FProject.FileName)) return false;
  for (THostModule* module : std::vector<THostModule*>(FModules))
    if (!CloseModule(module, askToSave)) return false;
  if (!HasProject()) return true;
  RememberClosed(FProject.FileName);
  FProject = TProjectInfo{};
  FProjectManager->ShowProject(nullptr);
  FMainForm->UpdateCaption();
  FVersionControl->ProjectChanged();
  return true;
}

bool THost::SaveProject() {
  bool saved = true;
  for (THostModule* module : std::vector<THostModule*>(FModules))
    if (module->IsProjectModule()) saved = SaveModule(module, false) && saved;
  return saved;
}

bool THost::AddToProject(const std::string& fileName) {
  std::string path = ExpandFileName(fileName);
  if (!HasProject()) {
    ReportError("Open a project before adding files to it.");
    return false;
  }
  for (const std::string& unit : FProject.Units)
    if (SamePath(unit, path)) {
      ReportError(path + " is already in the project.");
      return false;
    }
  std::string form = ChangeFileExt(path, ".dfm");
  std::string formName;
  if (FileExists(form)) {
    std::string text;
    ReadFile(form, text);
    formName = FormNameOf(QString::fromStdString(text));
    if (formName.empty()) formName = ExtractBaseName(path);
  }
  if (!EditProjectSource([&](std::string& source, std::string& error) {
        return AddUnitToSource(FProject, source, path, formName, error);
      }))
    return false;
  FProject.Units.push_back(path);
  if (!formName.empty()) FProject.Forms.push_back(form);
  if (THostModule* module = FindModule(path)) module->SetProjectModule(true);
  FProjectManager->ShowProject(&FProject);
  FMainForm->UpdateCaption();
  FileNotification(fnAddedToProject, path);
  return true;
}

bool THost::EditProjectSource(const std::function<bool(std::string&, std::string&)>& edit) {
  // The project source is changed where the user sees it: in its editor buffer when open (saved
  // with the project), else on disk. A read-only one stays as it is.
  THostModule* main = FindModule(FProject.MainSource);
  if (main) main->RefreshReadOnly();
  if (main ? main->IsReadOnly() : IsReadOnly(FProject.MainSource)) {
    ReportError("The project source " + FProject.MainSource + " is read-only.");
    return false;
  }
  std::string source, error;
  if (main)
    source = main->SourceBytes();
  else if (!ReadFile(FProject.MainSource, source, &error)) {
    ReportError(error);
    return false;
  }
  bool done = edit(source, error) && (main || WriteFileAtomic(FProject.MainSource, source, &error));
  if (!done) {
    ReportError(error);
    return false;
  }
  if (main) main->SetSourceBytes(source);
  return true;
}

bool THost::RemoveFromProject(const std::string& fileName) {
  if (!HasProject()) return false;
  // The project's main source is the project itself and can't be removed.
  auto unit = std::find_if(FProject.Units.begin() + 1, FProject.Units.end(),
                           [&](const std::string& u) { return SamePath(u, fileName); });
  if (unit == FProject.Units.end()) {
    ReportError(fileName + " is not a unit of the project.");
    return false;
  }
  std::string path = *unit;
  if (!EditProjectSource([&](std::string& source, std::string& error) {
        return RemoveUnitFromSource(FProject, source, path, error);
      }))
    return false;
  FProject.Units.erase(std::find(FProject.Units.begin(), FProject.Units.end(), path));
  std::string form = ChangeFileExt(path, ".dfm");
  std::erase_if(FProject.Forms, [&](const std::string& f) { return SamePath(f, form); });
  if (THostModule* module = FindModule(path)) module->SetProjectModule(false);
  FProjectManager->ShowProject(&FProject);
  FMainForm->UpdateCaption();
  FileNotification(fnRemovedFromProject, path);
  return true;
}

// ---- files ----

bool THost::IsProjectSource(const std::string& fileName) const {
  return HasProject() && (SamePath(fileName, FProject.FileName) || SamePath(fileName, FProject.MainSource));
}

bool THost::IsProjectUnit(const std::string& fileName) const {
  return std::any_of(FProject.Units.begin(), FProject.Units.end(),
                     [&](const std::string& unit) { return SamePath(unit, fileName); });
}

THostModule* THost::FindModule(const std::string& fileName) const {
  std::string path = ExpandFileName(fileName);
  for (THostModule* module : FModules)
    if (module->Owns(path)) return module;
  return nullptr;
}

THostModule* THost::LoadModule(const std::string& path) {
  if (!FileExists(path)) {
    ReportError("File " + path + " not found.");
    return nullptr;
  }
  if (!FileNotification(fnFileOpening, path)) return nullptr;
  auto* module = new THostModule(path, this);
  std::string error;
  if (!module->Load(error)) {
    delete module;
    ReportError(error);
    return nullptr;
  }
  module->SetProjectModule(IsProjectUnit(path));
  FModules.push_back(module);
  ShowSource(module);
  FileNotification(fnFileOpened, path);
  return module;
}

THostModule* THost::OpenFile(const std::string& fileName) {
  std::string path = ExpandFileName(fileName);
  if (IsProjectFileName(path)) return OpenProject(path) ? FindModule(FProject.MainSource) : nullptr;
  bool formFile = SameText(ExtractFileExt(path), ".dfm");
  if (THostModule* open = FindModule(path)) {
    formFile && open->HasForm() ? ShowForm(open) : ShowSource(open);
    return open;
  }
  if (formFile) {
    // A form opens with its unit, the module both belong to.
    for (const char* ext : {".cpp", ".pas"}) {
      std::string unit = ChangeFileExt(path, ext);
      if (!FileExists(unit)) continue;
      THostModule* module = LoadModule(unit);
      if (module && module->HasForm()) ShowForm(module);
      return module;
    }
  }
  return LoadModule(path);
}

bool THost::AskToSave(THostModule* module) {
  if (!module->IsModified()) return true;
  int answer = MessageBox("Save changes to " + module->FileName() + "?", "Confirm",
                          MB_YESNOCANCEL | MB_ICONQUESTION);
  if (answer == IDCANCEL) return false;
  return answer == IDNO || SaveModule(module, false);
}

bool THost::CloseModule(THostModule* module, bool askToSave) {
  if (askToSave && !AskToSave(module)) return false;
  if (!FileNotification(fnFileClosing, module->FileName())) return false;
  module->Notify(ncModuleDeleted);
  FEditWindow->RemoveModule(module);
  if (TFormView* view = FormView(module)) delete view;
  FFormViews.erase(module);
  std::erase(FModules, module);
  RememberClosed(module->FileName());
  // The module may be closing from inside one of its own notifications.
  module->MarkClosed();
  module->deleteLater();
  return true;
}

bool THost::SaveModule(THostModule* module, bool force) {
  std::string error;
  if (module->Save(force, error)) return true;
  ReportError(error);
  return false;
}

bool THost::ReloadModule(THostModule* module) {
  std::string error;
  if (module->Reload(error)) return true;
  ReportError(error);
  return false;
}

void THost::ShowSource(THostModule* module) {
  FEditWindow->ShowModule(module);
  Present(FEditWindow);
}

void THost::ShowForm(THostModule* module) {
  if (!module->HasForm()) return;
  QPointer<TFormView>& view = FFormViews[module];
  if (!view) {
    view = new TFormView(module, FMainForm);
    view->SetLockControls(FLockControls);
    view->move(FEditWindow->x() + 40, FEditWindow->y() + 40);
  }
  Present(view);
}

std::string THost::CurrentFile() const {
  THostModule* module = FEditWindow ? FEditWindow->CurrentModule() : nullptr;
  return module ? module->FileName() : std::string();
}

THostModule* THost::ActiveModule() const {
  if (auto* view = qobject_cast<TFormView*>(QApplication::activeWindow())) return view->Module();
  return FEditWindow ? FEditWindow->CurrentModule() : nullptr;
}

// ---- the main window's commands ----

void THost::SaveAll() {
  for (THostModule* module : std::vector<THostModule*>(FModules)) SaveModule(module, false);
}

void THost::SaveActive() {
  if (THostModule* module = ActiveModule()) SaveModule(module, false);
}

void THost::RevertActive() {
  if (THostModule* module = ActiveModule()) ReloadModule(module);
}

void THost::CloseActive() {
  if (THostModule* module = ActiveModule()) CloseModule(module, true);
}

void THost::RemoveActiveFromProject() {
  if (THostModule* module = ActiveModule()) RemoveFromProject(module->FileName());
}

void THost::ToggleFormUnit() {
  THostModule* module = ActiveModule();
  if (!module) return;
  TFormView* form = FormView(module);
  if (form && form->isActiveWindow())
    ShowSource(module);
  else if (module->HasForm())
    ShowForm(module);
}

QPlainTextEdit* THost::ActiveTextControl() const {
  THostModule* module = ActiveModule();
  if (!module) return nullptr;
  TFormView* view = FormView(module);
  if (view && view->isActiveWindow()) return view->TextControl();
  return FEditWindow->EditControl();
}

void THost::ShowProjectManager() { Present(FProjectManager); }
void THost::ShowEditWindow() { Present(FEditWindow); }

THostModule* THost::NewUnit() {
  std::string folder = HasProject() ? ExtractFilePath(FProject.FileName) : IncludeTrailingPathDelimiter(ExpandFileName("."));
  std::string path;
  for (int n = 1; path.empty() || FileExists(path) || FindModule(path); ++n)
    path = folder + "Unit" + std::to_string(n) + ".cpp";
  std::string error;
  if (!WriteFileAtomic(path, "//---------------------------------------------------------------------------\r\n", &error)) {
    ReportError(error);
    return nullptr;
  }
  THostModule* module = OpenFile(path);
  if (module && HasProject()) AddToProject(path);
  return module;
}

void THost::RememberClosed(const std::string& fileName) {
  std::erase_if(FClosedFiles, [&](const std::string& f) { return SamePath(f, fileName); });
  FClosedFiles.insert(FClosedFiles.begin(), fileName);
  if (FClosedFiles.size() > MaxClosedFiles) FClosedFiles.resize(MaxClosedFiles);
}

void THost::ActiveModuleChanged(THostModule* module) {
  if (module) module->Notify(ncEditorSelected);
}

void THost::SetLockControls(bool locked) {
  FLockControls = locked;
  if (TMenuItem* item = FMainForm->Menu()->FindItem("EditLockControlsItem")) item->SetChecked(locked);
  for (auto& [module, view] : FFormViews)
    if (view) view->SetLockControls(locked);
}

void THost::Shutdown() {
  if (!FMainForm) return;
  // Files close as on any exit (notifiers hear it), then the add-in goes, then the windows, and
  // the add-in's library last: the windows may hold its menu items and hooks.
  if (HasProject()) FileNotification(fnProjectClosing, FProject.FileName);
  for (THostModule* module : std::vector<THostModule*>(FModules)) {
    FileNotification(fnFileClosing, module->FileName());
    module->Notify(ncModuleDeleted);
    FEditWindow->RemoveModule(module);
    // A form view shows its module's buffers: it goes first.
    delete FormView(module);
    delete module;
  }
  FModules.clear();
  FFormViews.clear();
  FProject = TProjectInfo{};
  FVersionControl->Release();
  Application().SetMainForm(nullptr);
  delete std::exchange(FMainForm, nullptr);
  FEditWindow = nullptr;
  FProjectManager = nullptr;
  FVersionControl.reset();
}
