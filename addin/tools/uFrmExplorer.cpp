#include "addin/tools/uFrmExplorer.h"

#include <QContextMenuEvent>
#include <QEvent>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QSplitter>
#include <QStyle>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "addin/commands/uRVLCommands.h"
#include "addin/commands/uRVLCommandsFactory.h"
#include "addin/commands/uRVLFilesCommands.h"
#include "addin/dialogs/uRVLFormFactory.h"
#include "addin/execute/uRVLExecuteFactory.h"
#include "addin/frame/uRVLFactory.h"
#include "addin/frame/uRVLGlobals.h"
#include "addin/settings/uRVLRegFactory.h"
#include "addin/settings/uRVLUtils.h"
#include "addin/settings/uRegOptions.h"
#include "addin/settings/uRegVSS.h"
#include "addin/settings/uRegWindow.h"
#include "addin/settings/uSpecPath.h"
#include "addin/sourcesafe/uRVLItems.h"
#include "addin/sourcesafe/uRVLLogin.h"
#include "addin/sourcesafe/uRVLProject.h"
#include "addin/tools/uFrmLabel.h"
#include "opentools/ToolIntf.h"
#include "platform/Files.h"
#include "platform/Text.h"
#include "ui/Menus.h"
#include "ui/Prompter.h"
#include "ui/StatusBar.h"
#include "ui/VirtualKeys.h"
#include "vss/api/VSSDate.h"

namespace {

std::string S(const QString& text) { return text.toStdString(); }

constexpr int StatusRole = Qt::UserRole;

// Rows sort by the text of the sort column, ignoring case; the date column's text sorts by time.
class TFileRow : public QTreeWidgetItem {
public:
  using QTreeWidgetItem::QTreeWidgetItem;
  bool operator<(const QTreeWidgetItem& Other) const override {
    const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
    return text(column).compare(Other.text(column), Qt::CaseInsensitive) < 0;
  }
};

} // namespace

std::string FileStatusText(int Status) {
  static const char* const texts[] = {"Checked In", "Checked Out to", "Checked Out", "Deleted"};
  return Status >= 0 && Status <= 3 ? texts[Status] : "";
}

TFrmExplorer::TFrmExplorer(QObject* AOwner, VSSPtr<IVSSDatabase> Database) : TFrmTree(AOwner, std::move(Database)) {
  SetName("FrmExplorer");
  SetCaption("Project Explorer");
  resize(760, 460);
  for (int i = 0; i < 4; ++i) imglFiles[i] = FileStatusIcon(i);
  SplitterH = FLists;
  SplitterH->setObjectName("SplitterH");

  auto* files = new QWidget(this);
  pnlFilesTop = new QWidget(files);
  pnlFilesTop->setObjectName("pnlFilesTop");
  sbarTitle = new TStatusBar(pnlFilesTop);
  sbarTitle->setObjectName("sbarTitle");
  sbarTitle->AddPanel()->SetWidth(200);
  sbarTitle->AddPanel()->SetWidth(300);
  sbarTitle->setFixedHeight(sbarTitle->fontMetrics().height() + 8);
  auto* top = new QVBoxLayout(pnlFilesTop);
  top->setContentsMargins(0, 0, 0, 0);
  top->addWidget(sbarTitle);
  lvFileList = new QTreeWidget(files);
  lvFileList->setObjectName("lvFileList");
  lvFileList->setRootIsDecorated(false);
  lvFileList->setUniformRowHeights(true);
  lvFileList->setSelectionMode(QAbstractItemView::ExtendedSelection);
  lvFileList->setEditTriggers(QAbstractItemView::NoEditTriggers);
  lvFileList->setContextMenuPolicy(Qt::DefaultContextMenu);
  lvFileList->setHeaderLabels({"Name", "Status", "User", "Machine", "Local Path", "Date"});
  const int widths[ColumnCount] = {100, 65, 100, 55, 160, 80};
  for (int i = 0; i < ColumnCount; ++i) lvFileList->setColumnWidth(i, widths[i]);
  // The status texts in full, in whatever font the system gives.
  lvFileList->setColumnWidth(colStatus, std::max(widths[colStatus], lvFileList->fontMetrics().horizontalAdvance(
                                                                        Q(FileStatusText(fsCheckedOutOther))) + 16));
  lvFileList->header()->setSectionsClickable(true);
  lvFileList->header()->setSortIndicatorShown(true);
  lvFileList->installEventFilter(this);
  lvFileList->viewport()->installEventFilter(this);
  SetShowHintOf(lvFileList, true);
  auto* filesLayout = new QVBoxLayout(files);
  filesLayout->setContentsMargins(0, 0, 0, 0);
  filesLayout->setSpacing(0);
  filesLayout->addWidget(lvFileList);
  // The title spans tree and list, above both.
  static_cast<QVBoxLayout*>(layout())->insertWidget(1, pnlFilesTop);
  SplitterH->addWidget(files);
  SplitterH->setStretchFactor(1, 1);
  SplitterH->setSizes({180, 560});
  tvProjects->setContextMenuPolicy(Qt::CustomContextMenu);

  BuildToolButtons();
  BuildMainMenu();
  BuildPopupMenus();

  // The configured shortcuts of the first four operations.
  std::unique_ptr<TRegOptions> options = TRVLRegFactory::_Instance().CreateRegOptions();
  TMenuItem* configured[] = {mnuSSGetLatest, mnuSSCheckOut, mnuSSCheckIn, mnuSSUndoCheck};
  for (int i = 0; i < 4; ++i) configured[i]->SetShortCut(static_cast<TShortCut>(options->GetShortCut(i)));
  BuildDatabaseList();
  mnuSourceSafe->SetCaption(Globals().MenuName);

  connect(tvProjects, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* node) {
    if (node) Guarded(this, [this] { tvProjectsChange(); });
  });
  connect(tvProjects, &QWidget::customContextMenuRequested, this,
          [this](QPoint pos) { Guarded(this, [&] { pmnuProjectsPopup(pos); }); });
  connect(lvFileList, &QTreeWidget::itemSelectionChanged, this, [this] { Guarded(this, [this] { UpdateActions(); }); });
  connect(lvFileList, &QTreeWidget::itemDoubleClicked, this,
          [this] { Guarded(this, [this] { mnuToolsViewFileClick(); }); });
  connect(lvFileList->header(), &QHeaderView::sectionClicked, this,
          [this](int column) { Guarded(this, [&] { mnuViewSortByClick(column); }); });
  connect(SplitterH, &QSplitter::splitterMoved, this, [this] { Guarded(this, [this] { UpdateTitle(); }); });
  OnClose = [this](TObject*) {
    // Closing frees the explorer; the next one is made anew.
    FClosed = true;
    BeforeDestruction();
    deleteLater();
  };
  UpdateActions();
}

TFrmExplorer::~TFrmExplorer() = default;

void TFrmExplorer::BuildToolButtons() {
  auto* tools = new QHBoxLayout(pnlTop);
  tools->setContentsMargins(2, 2, 2, 2);
  tools->setSpacing(1);
  auto button = [&](const char* name, const char* hint, QStyle::StandardPixmap icon, auto click) {
    auto* b = new QToolButton(pnlTop);
    b->setObjectName(name);
    b->setToolTip(hint);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setIcon(style()->standardIcon(icon));
    tools->addWidget(b);
    connect(b, &QToolButton::clicked, this, [this, click] { Guarded(this, [&] { click(); }); });
    return b;
  };
  auto operation = [this](int code) { return [this, code] { mnuSSGCCUCheckClick(code); }; };
  auto separator = [&] { tools->addSpacing(8); };
  btnGet = button("btnGet", "Get latest version", QStyle::SP_ArrowDown, operation(opGet));
  btnCheckOut = button("btnCheckOut", "Check out", QStyle::SP_DialogOpenButton, operation(opCheckOut));
  btnCheckIn = button("btnCheckIn", "Check in", QStyle::SP_DialogSaveButton, operation(opCheckIn));
  btnUndo = button("btnUndo", "Undo check out", QStyle::SP_DialogResetButton, operation(opUndoCheckOut));
  separator();
  btnLabel = button("btnLabel", "Label project", QStyle::SP_FileDialogInfoView, [this] { mnuFileLabelClick(); });
  btnHistory = button("btnHistory", "Show history", QStyle::SP_FileDialogDetailedView,
                      [this] { mnuToolsShowHistoryClick(); });
  btnDiff = button("btnDiff", "Show differences", QStyle::SP_FileDialogContentsView,
                   [this] { mnuToolsShowDifferenceClick(); });
  btnView = button("btnView", "View file", QStyle::SP_FileIcon, [this] { mnuToolsViewFileClick(); });
  separator();
  btnCreateProj = button("btnCreateProj", "Create project", QStyle::SP_FileDialogNewFolder,
                         [this] { mnuFileCreateProjectClick(); });
  btnWorkingFolder = button("btnWorkingFolder", "Set working folder", QStyle::SP_DirHomeIcon,
                            [this] { mnuFileSetWorkFolderClick(); });
  separator();
  btnDelete = button("btnDelete", "Delete/Purge", QStyle::SP_TrashIcon, [this] { mnuSSDeleteClick(); });
  tools->addStretch();
}

void TFrmExplorer::BuildMainMenu() {
  mnuMain = new TMainMenu(this);
  mnuMain->SetName("mnuMain");
  TMenuItem* root = mnuMain->Items();
  auto item = [this](TMenuItem* parent, const char* name, const char* caption, std::function<void()> click) {
    return AddItem(parent, name, caption, std::move(click));
  };
  auto operation = [&](TMenuItem* parent, const char* name, const char* caption, int code) {
    TMenuItem* i = item(parent, name, caption, [this, code] { mnuSSGCCUCheckClick(code); });
    i->SetTag(code);
    return i;
  };
  mnuFile = NewMenuItem(root, "mnuFile", "&File");
  mnuFileShowAllProjects = item(mnuFile, "mnuFileShowAllProjects", "&Show All Projects", [this] { LoadTree("/"); });
  mnuFileOpenProject = item(mnuFile, "mnuFileOpenProject", "&Explore Project...", [this] { mnuFileOpenProjectClick(); });
  mnuFileOpenProject->SetShortCut(ShortCut('O', ssCtrl));
  mnuFileDatabase = item(mnuFile, "mnuFileDatabase", "&Database...", [this] { mnuFileDatabaseClick(); });
  mnuFileDatabase->SetHint("Change the current database");
  mnuFileCreateProject =
      item(mnuFile, "mnuFileCreateProject", "&Create Project...", [this] { mnuFileCreateProjectClick(); });
  mnuFileSetWorkFolder =
      item(mnuFile, "mnuFileSetWorkFolder", "Set &Working Folder...", [this] { mnuFileSetWorkFolderClick(); });
  mnuFileLabel = item(mnuFile, "mnuFileLabel", "&Label...", [this] { mnuFileLabelClick(); });
  mnuFileStartDB = NewMenuItem(mnuFile, "mnuFileStartDB", "-");
  mnuFileEndDB = NewMenuItem(mnuFile, "mnuFileEndDB", "-");
  mnuFileClose = item(mnuFile, "mnuFileClose", "&Close", [this] { Close(); });

  mnuSourceSafe = NewMenuItem(root, "mnuSourceSafe", "S&ourceSafe");
  mnuSSGetLatest = operation(mnuSourceSafe, "mnuSSGetLatest", "&Get Latest Version...", opGet);
  mnuSSCheckOut = operation(mnuSourceSafe, "mnuSSCheckOut", "Check &Out...", opCheckOut);
  mnuSSCheckIn = operation(mnuSourceSafe, "mnuSSCheckIn", "Check &In...", opCheckIn);
  mnuSSUndoCheck = operation(mnuSourceSafe, "mnuSSUndoCheck", "&Undo Check Out...", opUndoCheckOut);
  mnuSSDelete = item(mnuSourceSafe, "mnuSSDelete", "&Delete...", [this] { mnuSSDeleteClick(); });
  mnuSSDelete->SetTag(opDelete);
  mnuSSDelete->SetShortCut(ShortCut(VK_DELETE, 0));
  mnuSSRecover = operation(mnuSourceSafe, "mnuSSRecover", "&Recover...", opRecover);
  mnuSSPurge = operation(mnuSourceSafe, "mnuSSPurge", "&Purge...", opPurge);
  mnuSSPurge->SetShortCut(ShortCut(VK_DELETE, ssShift));

  mnuTools = NewMenuItem(root, "mnuTools", "&Tools");
  mnuToolsShowHistory =
      item(mnuTools, "mnuToolsShowHistory", "Show &History...", [this] { mnuToolsShowHistoryClick(); });
  mnuToolsShowDifference =
      item(mnuTools, "mnuToolsShowDifference", "Show &Difference...", [this] { mnuToolsShowDifferenceClick(); });
  mnuToolsOpenFile = item(mnuTools, "mnuToolsOpenFile", "&Open In IDE...", [this] { mnuToolsOpenFileClick(); });
  mnuToolsViewFile = item(mnuTools, "mnuToolsViewFile", "&View...", [this] { mnuToolsViewFileClick(); });

  mnuView = NewMenuItem(root, "mnuView", "&View");
  mnuViewSort = NewMenuItem(mnuView, "mnuViewSort", "&Sort");
  const char* const names[ColumnCount] = {"mnuViewSortName", "mnuViewSortStatus", "mnuViewSortUser",
                                          "mnuViewSortMachine", "mnuViewSortLoaclPath", "mnuViewSortDate"};
  const char* const captions[ColumnCount] = {"&Name", "&Status", "&User", "&Machine", "&Loacl Path", "&Date"};
  for (int i = 0; i < ColumnCount; ++i)
    mnuViewSortBy[i] = item(mnuViewSort, names[i], captions[i], [this, i] { mnuViewSortByClick(i); });
  mnuViewSortBy[colName]->SetChecked(true);
  mnuViewRefresh = item(mnuView, "mnuViewRefresh", "&Refresh", [this] { mnuViewRefreshClick(); });
  mnuViewRefresh->SetShortCut(ShortCut(VK_F5, 0));

  mnuHelp = NewMenuItem(root, "mnuHelp", "&Help");
  mnuHelpAbout = item(mnuHelp, "mnuHelpAbout", "&About..",
                      [] { TRVLCommandsFactory::_Instance().CreateCommands()->About(); });
}

TMenuItem* TFrmExplorer::AddItem(TMenuItem* Parent, const char* Name, const char* Caption,
                                 std::function<void()> Click) {
  TMenuItem* item = NewMenuItem(Parent, Name, Caption);
  item->OnClick = [this, Click](TObject*) { Guarded(this, Click); };
  return item;
}

void TFrmExplorer::BuildPopupMenus() {
  auto item = [this](TMenuItem* parent, const char* name, const char* caption, std::function<void()> click) {
    return AddItem(parent, name, caption, std::move(click));
  };
  pmnuFiles = new TPopupMenu(this);
  pmnuFiles->SetName("pmnuFiles");
  TMenuItem* files = pmnuFiles->Items();
  auto file = [&](const char* name, const char* caption, int code) {
    TMenuItem* i = item(files, name, caption, [this, code] { mnuSSGCCUCheckClick(code); });
    i->SetTag(code);
    return i;
  };
  pmnuFileGet = file("pmnuFileGet", "&Get Latest Version..", opGet);
  pmnuFileCheckOut = file("pmnuFileCheckOut", "Check &Out...", opCheckOut);
  pmnuFileCheckIn = file("pmnuFileCheckIn", "Check &In...", opCheckIn);
  pmnuFileUndoCheck = file("pmnuFileUndoCheck", "&Undo Check Out...", opUndoCheckOut);
  pmnuFileOpenFile = item(files, "pmnuFileOpenFile", "O&pen In IDE...", [this] { mnuToolsOpenFileClick(); });
  pmnuFileViewFile = item(files, "pmnuFileViewFile", "&View...", [this] { mnuToolsViewFileClick(); });
  pmnuFileShowDiff =
      item(files, "pmnuFileShowDiff", "Show &Difference...", [this] { mnuToolsShowDifferenceClick(); });
  pmnuFileLabel = item(files, "pmnuFileLabel", "&Label...", [this] { mnuFileLabelClick(); });
  pmnuFileDelete = file("pmnuFileDelete", "&Delete...", opDelete);
  pmnuFileDelete->SetShortCut(ShortCut(VK_DELETE, 0));
  pmnuFileRecover = file("pmnuFileRecover", "&Recover...", opRecover);
  pmnuFilePurge = file("pmnuFilePurge", "&Purge...", opPurge);
  pmnuFilePurge->SetShortCut(ShortCut(VK_DELETE, ssShift));

  pmnuProjects = new TPopupMenu(this);
  pmnuProjects->SetName("pmnuProjects");
  TMenuItem* projects = pmnuProjects->Items();
  auto project = [&](const char* name, const char* caption, int code) {
    TMenuItem* i = item(projects, name, caption, [this, code] { ProjectOperation(code); });
    i->SetTag(code);
    return i;
  };
  pmnuProjGet = project("pmnuProjGet", "&Get Latest Version..", opGet);
  pmnuProjCheckOut = project("pmnuProjCheckOut", "Check &Out...", opCheckOut);
  pmnuProjCheckIn = project("pmnuProjCheckIn", "Check &In...", opCheckIn);
  pmnuProjUndo = project("pmnuProjUndo", "&Undo Check Out...", opUndoCheckOut);
  pmnuProjShowHistory =
      item(projects, "pmnuProjShowHistory", "Show &History...", [this] { mnuToolsShowHistoryClick(); });
  pmnuProjLabel = item(projects, "pmnuProjLabel", "&Label...", [this] { mnuFileLabelClick(); });
  pmnuProjCreateProj = item(projects, "pmnuProjCreateProj", "&Create Project...", [this] { mnuFileCreateProjectClick(); });
  pmnuProjSetWorkFolder =
      item(projects, "pmnuProjSetWorkFolder", "Set &Working Folder", [this] { mnuFileSetWorkFolderClick(); });
  pmnuProjDelete = item(projects, "pmnuProjDelete", "&Delete", [this] { pmnuProjDeleteClick(); });
  // Opening the project popup is working in the tree.
  pmnuProjects->OnPopup = [this](TObject*) { SetTreeActive(true); };
  pmnuFiles->OnPopup = [this](TObject*) { SetTreeActive(false); };
}

std::string TFrmExplorer::GetStartProject() { return "/"; }

void TFrmExplorer::BuildDatabaseList() {
  const int start = mnuFile->IndexOf(mnuFileStartDB);
  while (mnuFile->Items(start + 1) != mnuFileEndDB) delete mnuFile->Items(start + 1);
  const std::vector<std::string> names = TRVLRegFactory::_Instance().CreateRegVSS()->GetDatabaseNames();
  for (size_t i = 0; i < names.size(); ++i) {
    const std::string caption = "&" + std::to_string(i + 1) + " " + names[i];
    TMenuItem* entry = NewMenuItem(mnuFile, "mnuFileDB" + std::to_string(i), caption, start + 1 + int(i));
    entry->OnClick = [this, entry](TObject*) { Guarded(this, [&] { SelectDatabase(entry->Caption()); }); };
  }
}

void TFrmExplorer::SelectDatabase(const std::string& Caption) {
  const std::string name = Caption.substr(Caption.find(' ') + 1);
  VSSPtr<IVSSDatabase> database = TRVLFactory::_Instance().CreateLogin()->LoginByName(name);
  if (!database) return;
  FDatabase = database;
  LoadTree("/");
}

void TFrmExplorer::mnuFileDatabaseClick() {
  btnDataBaseClick();
  BuildDatabaseList();
}

void TFrmExplorer::tvProjectsChange() {
  THourglass hourglass;
  UpdateTitle();
  FillFileList();
  UpdateActions();
}

void TFrmExplorer::Resized(int, int) { UpdateTitle(); }

void TFrmExplorer::UpdateTitle() {
  TStatusPanel* path = sbarTitle->Panels(0);
  const std::string spec = SelectedPath();
  path->SetText(ShortenSpec(spec, sbarTitle->font(), path->Width() - 8));
  std::string folder;
  if (VSSPtr<IVSSItem> item = ItemOfPath(spec, false)) {
    try {
      folder = item->LocalSpec();
    } catch (const std::exception&) {
      folder.clear();
    }
  }
  const int width = sbarTitle->width() - path->Width() - 6;
  sbarTitle->Panels(1)->SetText(S(sbarTitle->fontMetrics().elidedText(Q(folder), Qt::ElideMiddle, width - 8)));
}

void TFrmExplorer::AddFileRow(IVSSItem& Entry) {
  auto* row = new TFileRow(QStringList(Q(Entry.Name())));
  const int status = Entry.Deleted() ? int(fsDeleted) : Entry.IsCheckedOut();
  row->setIcon(colName, imglFiles[status >= 0 && status <= 3 ? status : 0]);
  row->setData(colName, StatusRole, status);
  if (status == fsCheckedOutOther || status == fsCheckedOutMe) {
    VSSPtr<IVSSCheckouts> checkouts = Entry.Checkouts();
    if (checkouts->Count() > 0) {
      std::string users;
      for (int32_t i = 1, count = checkouts->Count(); i <= count; ++i)
        users += (i > 1 ? "," : "") + checkouts->Item(i)->Username();
      VSSPtr<IVSSCheckout> first = checkouts->Item(1);
      row->setText(colStatus, Q(FileStatusText(status)));
      row->setText(colUser, Q(users));
      row->setText(colMachine, Q(first->Machine()));
      row->setText(colLocalPath, Q(first->LocalSpec()));
      row->setText(colDate, Q(VSSDateText(first->Date())));
    }
  } else {
    row->setText(colStatus, Q(FileStatusText(status)));
  }
  lvFileList->addTopLevelItem(row);
}

void TFrmExplorer::FillFileList() {
  THourglass hourglass;
  FUpdating = false;
  lvFileList->setUpdatesEnabled(false);
  lvFileList->setSortingEnabled(false);
  try {
    lvFileList->clear();
    if (VSSPtr<IVSSItem> project = ItemOfPath(SelectedPath(), false)) {
      VSSPtr<IVSSItems> items = project->Items(true);
      for (int32_t i = 1, count = items->Count(); i <= count; ++i) {
        VSSPtr<IVSSItem> entry = items->Item(i);
        if (entry->Type() == VSSITEM_FILE) AddFileRow(*entry);
      }
    }
    lvFileList->sortItems(FSortColumn, Qt::AscendingOrder);
  } catch (...) {
    FUpdating = true;
    lvFileList->setUpdatesEnabled(true);
    throw;
  }
  FUpdating = true;
  lvFileList->setUpdatesEnabled(true);
  UpdateActions();
}

std::unique_ptr<TRVLItems> TFrmExplorer::SelectedItems() {
  std::unique_ptr<TRVLItems> items = TRVLFactory::_Instance().CreateItems();
  const std::string folder = SelectedPath();
  QList<QTreeWidgetItem*> rows = lvFileList->selectedItems();
  if (rows.isEmpty())
    for (int i = 0; i < lvFileList->topLevelItemCount(); ++i) rows.push_back(lvFileList->topLevelItem(i));
  for (QTreeWidgetItem* row : rows) {
    const bool deleted = row->data(colName, StatusRole).toInt() == fsDeleted;
    VSSPtr<IVSSItem> item = FDatabase->VSSItem("$" + folder + S(row->text(colName)), deleted);
    items->Add(TRVLFactory::_Instance().CreateItemFromVSS(item, FDatabase));
  }
  return items;
}

void TFrmExplorer::mnuSSGCCUCheckClick(int Operation) {
  THourglass hourglass;
  if (Operation == opDelete &&
      ShowMessageBox("Are you sure you want to delete the selected files?", MB_YESNO | MB_ICONQUESTION) != IDYES)
    return;
  if (Operation == opPurge &&
      ShowMessageBox("This will permanently delete the file. Are you sure you want to continue?",
                     MB_YESNO | MB_ICONQUESTION) != IDYES)
    return;
  TRVLExecuteFactory& factory = TRVLExecuteFactory::_Instance();
  std::unique_ptr<TRVLExecute> executor;
  switch (Operation) {
    case opGet: executor = factory.CreateGet(); break;
    case opCheckOut: executor = factory.CreateCheckOut(); break;
    case opCheckIn: executor = factory.CreateCheckIn(); break;
    case opUndoCheckOut: executor = factory.CreateUndoCheckOut(); break;
    case opDelete: executor = factory.CreateRemoveFile(); break;
    case opRecover: executor = factory.CreateRecover(); break;
    case opPurge: executor = factory.CreatePurge(); break;
    default: return;
  }
  const bool chosen = !lvFileList->selectedItems().isEmpty();
  std::unique_ptr<TRVLItems> items = SelectedItems();
  // Files the user chose all go to the operation, so each refusal is reported with its reason; of a
  // whole project only the files the operation fits are taken.
  if (!chosen)
    for (int i = items->Count() - 1; i >= 0; --i)
      if (!executor->CanExecute(items->GetItem(i))) items->Delete(i);
  if (items->Count() == 0) {
    static const char* const names[] = {"Get Latest Version", "Check Out", "Check In", "Undo Check Out",
                                        "Delete", "Recover", "Purge"};
    ShowMessageBox("No file in " + SelectedPath() + " is fit for " + names[Operation] + ".",
                   MB_OK | MB_ICONINFORMATION);
    return;
  }
  executor->SetItems(items.get());
  executor->Execute("", nullptr);
  executor.reset();
  FillFileList();
}

void TFrmExplorer::ProjectOperation(int Operation) {
  lvFileList->clearSelection();
  mnuSSGCCUCheckClick(Operation);
}

void TFrmExplorer::mnuSSDeleteClick() {
  if (!FTreeActive && !lvFileList->selectedItems().isEmpty())
    mnuSSGCCUCheckClick(opDelete);
  else
    pmnuProjDeleteClick();
}

void TFrmExplorer::pmnuProjDeleteClick() {
  QTreeWidgetItem* node = tvProjects->currentItem();
  if (!node) return;
  if (!node->parent()) {
    ShowError("The top project " + NodePath(node) + " can't be deleted here.");
    return;
  }
  if (ShowMessageBox("Are you sure you want to delete the selected project?", MB_YESNO | MB_ICONQUESTION) != IDYES)
    return;
  VSSPtr<IVSSItem> item = ItemOfPath(NodePath(node), true);
  if (!item) return;
  item->SetDeleted(true);
  QTreeWidgetItem* parent = node->parent();
  tvProjects->setCurrentItem(parent);
  RefreshNode(parent);
}

void TFrmExplorer::mnuFileOpenProjectClick() {
  std::string spec = SelectedPath();
  if (!InputQuery("Explore Project", "Enter the name of the project to explore:", spec)) return;
  spec = platform::Trim(spec);
  if (!spec.empty()) LoadTree(spec);
}

void TFrmExplorer::mnuFileCreateProjectClick() {
  QTreeWidgetItem* node = tvProjects->currentItem();
  if (!node) return;
  VSSPtr<IVSSItem> project = ItemOfPath(NodePath(node), true);
  if (!project) return;
  std::string name;
  if (!InputQuery("Create Project", "Enter project name:", name)) return;
  name = platform::Trim(name);
  if (name.empty()) {
    ShowError("A project needs a name.");
    return;
  }
  project->NewSubproject(name, "");
  RefreshNode(node);
  node->setExpanded(true);
}

void TFrmExplorer::mnuFileSetWorkFolderClick() {
  VSSPtr<IVSSItem> project = ItemOfPath(SelectedPath(), true);
  if (!project) return;
  std::string folder = project->LocalSpec();
  if (!SelectDirectory("Set Working Folder", folder)) return;
  project->SetLocalSpec(folder);
  UpdateTitle();
  // Local paths of the files follow the folder.
  FillFileList();
}

void TFrmExplorer::mnuFileLabelClick() {
  QList<QTreeWidgetItem*> rows = lvFileList->selectedItems();
  VSSPtr<IVSSItem> item;
  if (!FTreeActive && rows.size() == 1)
    item = FDatabase->VSSItem("$" + SelectedPath() + S(rows.front()->text(colName)),
                              rows.front()->data(colName, StatusRole).toInt() == fsDeleted);
  else
    item = ItemOfPath(SelectedPath(), true);
  if (!item) return;
  TRVLFormPtr<TFrmLabel> dialog = TRVLFormFactory::_Instance().CreateLabel(FDatabase, item);
  dialog->ShowModal();
}

std::unique_ptr<TRVLItem> TFrmExplorer::SelectedRowItem() {
  const QList<QTreeWidgetItem*> rows = lvFileList->selectedItems();
  if (rows.size() != 1) return nullptr;
  VSSPtr<IVSSItem> item = FDatabase->VSSItem("$" + SelectedPath() + S(rows.front()->text(colName)),
                                             rows.front()->data(colName, StatusRole).toInt() == fsDeleted);
  return TRVLFactory::_Instance().CreateItemFromVSS(item, FDatabase);
}

void TFrmExplorer::mnuToolsShowHistoryClick() {
  VSSPtr<IVSSItem> folder = ItemOfPath(SelectedPath(), true);
  if (!folder) return;
  std::unique_ptr<TRVLProject> project = TRVLFactory::_Instance().CreateProjectFromVSS(FDatabase, folder);
  std::unique_ptr<TRVLItem> current = FTreeActive ? nullptr : SelectedRowItem();
  std::unique_ptr<TRVLFilesCommands> commands = TRVLCommandsFactory::_Instance().CreateFilesCommands();
  commands->SetProject(project.get());
  commands->SetCurrentItem(current.get());
  commands->ShowHistory(false);
}

void TFrmExplorer::mnuToolsShowDifferenceClick() {
  if (std::unique_ptr<TRVLItem> item = SelectedRowItem()) item->ShowDifference();
}

void TFrmExplorer::mnuToolsViewFileClick() {
  if (lvFileList->selectedItems().isEmpty()) return;
  std::unique_ptr<TRVLItems> items = SelectedItems();
  for (int i = 0; i < items->Count(); ++i) items->GetItem(i)->ViewVersion();
}

void TFrmExplorer::mnuToolsOpenFileClick() {
  std::unique_ptr<TRVLItems> items = SelectedItems();
  {
    std::unique_ptr<TRVLExecute> get = TRVLExecuteFactory::_Instance().CreateGet();
    TFlags flags = *get->GetFlags();
    flags.ReplaceFlag = 192;   // a writable local copy is kept as it is
    get->SetItems(items.get());
    get->Execute("", &flags);
  }
  TIToolServices* services = Globals().ToolServices;
  for (int i = 0; i < items->Count(); ++i) {
    const std::string file = items->GetItem(i)->GetLocalSpec();
    if (services && platform::FileExists(file)) services->OpenFile(file);
  }
  hide();
}

void TFrmExplorer::mnuViewSortByClick(int Column) {
  if (Column < 0 || Column >= ColumnCount) return;
  FSortColumn = Column;
  lvFileList->sortItems(Column, Qt::AscendingOrder);
  for (int i = 0; i < ColumnCount; ++i) mnuViewSortBy[i]->SetChecked(i == Column);
}

void TFrmExplorer::mnuViewRefreshClick() {
  if (FTreeActive)
    RefreshNode(tvProjects->currentItem());
  else
    FillFileList();
}

bool TFrmExplorer::tvProjectsKeyDown(int Key) {
  if (Key != VK_F5) return false;
  mnuViewRefreshClick();
  return true;
}

void TFrmExplorer::SetTreeActive(bool TreeActive) {
  FTreeActive = TreeActive;
  UpdateActions();
}

void TFrmExplorer::UpdateActions() {
  if (!FUpdating) return;
  const bool tree = FTreeActive && tvProjects->currentItem();
  for (QWidget* control : {static_cast<QWidget*>(btnCreateProj), static_cast<QWidget*>(btnWorkingFolder)})
    control->setEnabled(tree);
  mnuFileCreateProject->SetEnabled(tree);
  mnuFileSetWorkFolder->SetEnabled(tree);
  for (int i = 0; i < pmnuProjects->Items()->Count(); ++i) pmnuProjects->Items()->Items(i)->SetEnabled(tree);

  const QList<QTreeWidgetItem*> rows = lvFileList->selectedItems();
  const bool E = !FTreeActive && !rows.isEmpty();
  const bool single = !FTreeActive && rows.size() == 1;
  const int status = single ? rows.front()->data(colName, StatusRole).toInt() : -1;
  for (int i = 0; i < pmnuFiles->Items()->Count(); ++i) pmnuFiles->Items()->Items(i)->SetEnabled(E);
  mnuSSRecover->SetEnabled(E);
  mnuSSPurge->SetEnabled(E);
  mnuToolsOpenFile->SetEnabled(E);

  // One row selected: what its status allows; several or none: everything, SourceSafe sorts it out
  // per file.
  const bool get = !single || status != fsDeleted;
  const bool checkOut = !single || (status != fsCheckedOutMe && status != fsDeleted);
  const bool mine = !single || status == fsCheckedOutMe;
  const bool live = !single || status != fsDeleted;
  mnuSSGetLatest->SetEnabled(get);
  btnGet->setEnabled(get);
  pmnuFileGet->SetEnabled(E && get);
  mnuSSCheckOut->SetEnabled(checkOut);
  btnCheckOut->setEnabled(checkOut);
  pmnuFileCheckOut->SetEnabled(E && checkOut);
  mnuSSCheckIn->SetEnabled(mine);
  mnuSSUndoCheck->SetEnabled(mine);
  btnCheckIn->setEnabled(mine);
  btnUndo->setEnabled(mine);
  pmnuFileCheckIn->SetEnabled(E && mine);
  pmnuFileUndoCheck->SetEnabled(E && mine);
  if (single) {
    mnuSSRecover->SetEnabled(status == fsDeleted);
    pmnuFileRecover->SetEnabled(status == fsDeleted);
  }
  mnuSSDelete->SetEnabled(live);
  btnDelete->setEnabled(live);
  pmnuFileDelete->SetEnabled(E && live);

  const bool label = single || tree;
  mnuFileLabel->SetEnabled(label);
  pmnuFileLabel->SetEnabled(label && E);
  btnLabel->setEnabled(label);

  // A file's difference needs exactly one file that is there; viewing, at least one.
  const bool diff = single && status != fsDeleted;
  mnuToolsShowDifference->SetEnabled(diff);
  pmnuFileShowDiff->SetEnabled(diff);
  btnDiff->setEnabled(diff);
  mnuToolsViewFile->SetEnabled(E);
  btnView->setEnabled(E);
  // The history of the project's files, the selected one first, from the tree or the list.
  const bool history = tvProjects->currentItem() != nullptr;
  mnuToolsShowHistory->SetEnabled(history);
  btnHistory->setEnabled(history);
}

void TFrmExplorer::pmnuProjectsPopup(QPoint Pos) {
  if (QTreeWidgetItem* node = tvProjects->itemAt(Pos)) tvProjects->setCurrentItem(node);
  pmnuProjects->Popup(tvProjects->viewport()->mapToGlobal(Pos).x(), tvProjects->viewport()->mapToGlobal(Pos).y());
}

bool TFrmExplorer::eventFilter(QObject* Watched, QEvent* Event) {
  if (Watched == tvProjects && Event->type() == QEvent::FocusIn) SetTreeActive(true);
  if (Watched == lvFileList && Event->type() == QEvent::FocusIn) SetTreeActive(false);
  if (Watched == lvFileList && Event->type() == QEvent::KeyPress) {
    const int key = VirtualKeyOf(static_cast<QKeyEvent*>(Event));
    if (key == VK_F5) {
      Guarded(this, [this] { FillFileList(); });
      return true;
    }
  }
  if (Watched == lvFileList->viewport() && Event->type() == QEvent::ContextMenu) {
    SetTreeActive(false);
    auto* menu = static_cast<QContextMenuEvent*>(Event);
    pmnuFiles->Popup(menu->globalPos().x(), menu->globalPos().y());
    return true;
  }
  return TFrmTree::eventFilter(Watched, Event);
}

void TFrmExplorer::changeEvent(QEvent* Event) {
  TFrmTree::changeEvent(Event);
  if (Event->type() == QEvent::ActivationChange && isActiveWindow()) Guarded(this, [this] { UpdateActions(); });
}

void TFrmExplorer::showEvent(QShowEvent* Event) {
  TFrmTree::showEvent(Event);
  // The title is fitted to the bar as it shows.
  Guarded(this, [this] { UpdateTitle(); });
  tvProjects->setFocus();
}

// Over a row: the comment of the file's latest version.
bool TFrmExplorer::DoShowHint(std::string& HintStr, bool& CanShow, THintInfo& HintInfo) {
  if (!TFrmTree::DoShowHint(HintStr, CanShow, HintInfo)) return false;
  if (HintInfo.HintControl != lvFileList) return true;
  HintStr.clear();
  const QPoint at = lvFileList->viewport()->mapFrom(lvFileList, HintInfo.CursorPos);
  QTreeWidgetItem* row = lvFileList->itemAt(at);
  if (!row) return true;
  VSSPtr<IVSSItem> item = FDatabase->VSSItem("$" + SelectedPath() + S(row->text(colName)),
                                             row->data(colName, StatusRole).toInt() == fsDeleted);
  std::string comment;
  VSSPtr<IVSSVersions> versions = item->Versions(0);
  VSSPtr<IVSSVersion> version;
  if (versions->Next(version.Out()) && version) comment = platform::Trim(version->Comment());
  HintStr = comment.empty() ? "(No comment)" : "Comment:" + comment;
  const QRect rect = lvFileList->visualItemRect(row);
  HintInfo.HintWindowClass = "TRVLHintWindow";
  HintInfo.HintPos = lvFileList->viewport()->mapToGlobal(rect.topLeft() + QPoint(lvFileList->columnWidth(0), 0));
  HintInfo.CursorRect = QRect(lvFileList->viewport()->mapTo(lvFileList, rect.topLeft()), rect.size());
  HintInfo.ReshowTimeout = 600;
  return true;
}

void TFrmExplorer::LoadWindowPlacement() {
  TFrmTree::LoadWindowPlacement();
  for (int i = 0; i < ColumnCount; ++i) {
    const int width = RegWindow().ReadControlInteger(this, "ColumnWidth" + std::to_string(i), 0);
    if (width > 0) lvFileList->setColumnWidth(i, width);
  }
  const int projects = RegWindow().ReadControlInteger(this, "ProjectsWidth", 0);
  if (projects > 0) SplitterH->setSizes({projects, std::max(1, width() - projects)});
}

void TFrmExplorer::SaveWindowPlacement() {
  TFrmTree::SaveWindowPlacement();
  for (int i = 0; i < ColumnCount; ++i)
    RegWindow().WriteControlInteger(this, "ColumnWidth" + std::to_string(i), lvFileList->columnWidth(i));
  RegWindow().WriteControlInteger(this, "ProjectsWidth", pnlProjects->width());
}
