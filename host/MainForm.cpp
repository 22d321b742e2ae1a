#include "host/MainForm.h"

#include <QAction>
#include <QLabel>
#include <QPlainTextEdit>
#include <QToolBar>
#include <QVBoxLayout>

#include "host/IDECommands.h"
#include "platform/Files.h"
#include "ui/Menus.h"
#include "ui/Prompter.h"

namespace {

const char* const SourceFilter =
    "C++Builder Files|*.cpp;*.c;*.h;*.hpp;*.dfm|Delphi Files|*.pas;*.dfm;*.dpr|Any file (*.*)|*.*";
const char* const ProjectFilter = "Projects|*.bpr;*.dpr|Any file (*.*)|*.*";

} // namespace

TIDEMainForm::TIDEMainForm(TIDECommands& ide, QObject* owner) : TForm(owner), FIDE(ide) {
  SetName("AppBuilder");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  FMenu = new TMainMenu(this);
  FMenu->SetName("MainMenu1");
  BuildFileMenu();
  BuildEditMenu();
  BuildViewMenu();
  BuildProjectMenu();
  BuildHelpMenu();
  BuildSpeedBar();
  resize(900, 80);
  UpdateCaption();
}

void TIDEMainForm::UpdateCaption() {
  const TProjectInfo& info = FIDE.Project();
  std::string project = info.FileName.empty() ? "" : platform::ExtractBaseName(info.FileName);
  SetCaption(project.empty() ? "Ravelin IDE" : "Ravelin IDE - " + project);
  if (auto* hint = findChild<QLabel*>("HintLabel")) {
    hint->setText(project.empty() ? "Open a project (File | Open Project...) or a file to start."
                                  : QString::fromStdString(platform::ExtractFileName(info.FileName) + ": " +
                                                           std::to_string(info.Units.size()) + " units, " +
                                                           std::to_string(info.Forms.size()) + " forms"));
  }
}

TMenuItem* TIDEMainForm::AddMenu(const std::string& name, const std::string& caption) {
  return NewMenuItem(FMenu->Items(), name, caption);
}

TMenuItem* TIDEMainForm::AddItem(TMenuItem* parent, const std::string& name, const std::string& caption,
                                 std::function<void()> action) {
  TMenuItem* item = NewMenuItem(parent, name, caption);
  if (action) item->OnClick = [action](TObject*) { action(); };
  return item;
}

std::string TIDEMainForm::ChooseFile(const std::string& title, const std::string& filter) {
  TOpenDialogOptions options;
  options.Title = title;
  options.Filter = filter;
  options.FileMustExist = true;
  const std::string& project = FIDE.Project().FileName;
  if (!project.empty()) options.InitialDir = platform::ExtractFileDir(project);
  std::vector<std::string> files;
  return OpenFile(options, files) && !files.empty() ? files.front() : std::string();
}

void TIDEMainForm::BuildFileMenu() {
  TMenuItem* file = AddMenu("FileMenu", "&File");
  AddItem(file, "FileNewUnitItem", "New &Unit", [this] { FIDE.NewUnit(); });
  AddItem(file, "FileOpenItem", "&Open...", [this] {
    std::string name = ChooseFile("Open", SourceFilter);
    if (!name.empty()) FIDE.OpenFile(name);
  });
  AddItem(file, "FileOpenProjectItem", "Open Pro&ject...", [this] {
    std::string name = ChooseFile("Open Project", ProjectFilter);
    if (!name.empty()) FIDE.OpenProject(name);
  });
  FReopen = AddItem(file, "FileClosedFilesItem", "&Reopen", nullptr);
  // The list is filled as the submenu opens, so it always shows the latest closings.
  FReopen->OnClick = [this](TObject*) { FillReopenMenu(); };
  FillReopenMenu();
  AddItem(file, "FileSep1", "-", nullptr);
  AddItem(file, "FileSaveItem", "&Save", [this] { FIDE.SaveActive(); });
  AddItem(file, "FileSaveAllItem", "Sav&e All", [this] { FIDE.SaveAll(); });
  AddItem(file, "FileReloadItem", "Re&vert to Saved", [this] { FIDE.RevertActive(); });
  AddItem(file, "FileCloseItem", "&Close", [this] { FIDE.CloseActive(); });
  AddItem(file, "FileCloseAllItem", "Close A&ll", [this] { FIDE.CloseProject(true); });
  AddItem(file, "FileSep2", "-", nullptr);
  AddItem(file, "FileExitItem", "E&xit", [this] { Close(); });
}

void TIDEMainForm::FillReopenMenu() {
  while (FReopen->Count() > 0) delete FReopen->Items(0);
  int number = 0;
  for (const std::string& name : FIDE.ClosedFiles()) {
    std::string caption = "&" + std::to_string(number++) + " " + name;
    AddItem(FReopen, "ReopenItem" + std::to_string(number), caption, [this, name] {
      if (IsProjectFileName(name))
        FIDE.OpenProject(name);
      else
        FIDE.OpenFile(name);
    });
  }
  if (number == 0) AddItem(FReopen, "ReopenEmptyItem", "(empty)", nullptr)->SetEnabled(false);
}

void TIDEMainForm::BuildEditMenu() {
  TMenuItem* edit = AddMenu("EditMenu", "&Edit");
  auto onText = [this](void (QPlainTextEdit::*action)()) {
    return [this, action] {
      if (QPlainTextEdit* text = FIDE.ActiveTextControl()) (text->*action)();
    };
  };
  AddItem(edit, "EditUndoItem", "&Undo", onText(&QPlainTextEdit::undo));
  AddItem(edit, "EditRedoItem", "&Redo", onText(&QPlainTextEdit::redo));
  AddItem(edit, "EditSep1", "-", nullptr);
  AddItem(edit, "EditCutItem", "Cu&t", onText(&QPlainTextEdit::cut));
  AddItem(edit, "EditCopyItem", "&Copy", onText(&QPlainTextEdit::copy));
  AddItem(edit, "EditPasteItem", "&Paste", onText(&QPlainTextEdit::paste));
  AddItem(edit, "EditSelectAllItem", "Select &All", onText(&QPlainTextEdit::selectAll));
  AddItem(edit, "EditSep2", "-", nullptr);
  TMenuItem* lock = AddItem(edit, "EditLockControlsItem", "Loc&k Controls", nullptr);
  lock->OnClick = [this](TObject*) { FIDE.SetLockControls(!FIDE.LockControls()); };
}

void TIDEMainForm::BuildViewMenu() {
  TMenuItem* view = AddMenu("ViewsMenu", "&View");
  AddItem(view, "ViewPrjMgrItem", "&Project Manager", [this] { FIDE.ShowProjectManager(); });
  // Windows this IDE doesn't have: the items exist (add-ins count positions in this menu) and
  // harmlessly say so.
  auto absent = [](const std::string& what) {
    return [what] { ShowMessage(what + " is not part of this IDE."); };
  };
  AddItem(view, "ViewObjInspItem", "Object &Inspector", absent("The Object Inspector"));
  AddItem(view, "ViewAlignPaletteItem", "&Alignment Palette", absent("The Alignment Palette"));
  AddItem(view, "ViewBrowserItem", "&Browser", absent("The Browser"));
  AddItem(view, "ViewBreakpointsItem", "B&reakpoints", absent("The Breakpoints window"));
  AddItem(view, "ViewCallStackItem", "Call &Stack", absent("The Call Stack window"));
  AddItem(view, "ViewWatchesItem", "&Watches", absent("The Watches window"));
  AddItem(view, "ViewThreadsItem", "&Threads", absent("The Threads window"));
  AddItem(view, "ViewCompListItem", "&Component List", absent("The Component List"));
  AddItem(view, "ViewWindowListItem", "W&indow List...", [this] { FIDE.ShowEditWindow(); });
  AddItem(view, "ViewSep1", "-", nullptr);
  AddItem(view, "ViewToggleFormItem", "Toggle &Form/Unit", [this] { FIDE.ToggleFormUnit(); });
  AddItem(view, "ViewSep2", "-", nullptr);
  AddItem(view, "ViewNewEditorItem", "&New Edit Window", [this] { FIDE.ShowEditWindow(); });
  AddItem(view, "ViewSpeedBarItem", "&Speedbar", [this] {
    if (auto* bar = findChild<QToolBar*>("SpeedBar")) bar->setVisible(!bar->isVisible());
  });
}

void TIDEMainForm::BuildProjectMenu() {
  TMenuItem* project = AddMenu("ProjectMenu", "&Project");
  AddItem(project, "ProjectAddItem", "&Add to Project...", [this] {
    std::string name = ChooseFile("Add to Project", SourceFilter);
    if (!name.empty()) FIDE.AddToProject(name);
  });
  AddItem(project, "ProjectRemoveItem", "&Remove from Project", [this] { FIDE.RemoveActiveFromProject(); });
  AddItem(project, "ProjectSep1", "-", nullptr);
  AddItem(project, "ProjectSaveItem", "&Save Project", [this] { FIDE.SaveProject(); });
  AddItem(project, "ProjectCloseItem", "&Close Project", [this] { FIDE.CloseProject(true); });
}

void TIDEMainForm::BuildHelpMenu() {
  TMenuItem* help = AddMenu("HelpMenu", "&Help");
  AddItem(help, "HelpAboutItem", "&About...", [] {
    MessageBox("Ravelin IDE\nAn editor for C++Builder and Delphi projects with version control add-ins.",
               "About", MB_OK | MB_ICONINFORMATION);
  });
}

void TIDEMainForm::BuildSpeedBar() {
  auto* bar = new QToolBar(this);
  bar->setObjectName("SpeedBar");
  bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  auto click = [this](const std::string& path) {
    return [this, path] { ClickPath(FMenu->Items(), path); };
  };
  connect(bar->addAction("Open Project"), &QAction::triggered, this, click("FileMenu|FileOpenProjectItem"));
  connect(bar->addAction("Open"), &QAction::triggered, this, click("FileMenu|FileOpenItem"));
  connect(bar->addAction("Save"), &QAction::triggered, this, click("FileMenu|FileSaveItem"));
  connect(bar->addAction("Save All"), &QAction::triggered, this, click("FileMenu|FileSaveAllItem"));
  bar->addSeparator();
  connect(bar->addAction("Project Manager"), &QAction::triggered, this, click("ViewsMenu|ViewPrjMgrItem"));
  connect(bar->addAction("Toggle Form/Unit"), &QAction::triggered, this, click("ViewsMenu|ViewToggleFormItem"));
  layout()->addWidget(bar);
  auto* hint = new QLabel("Open a project (File | Open Project...) or a file to start.", this);
  hint->setObjectName("HintLabel");
  hint->setContentsMargins(8, 2, 8, 2);
  layout()->addWidget(hint);
}
