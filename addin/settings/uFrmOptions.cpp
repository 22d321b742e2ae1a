#include "addin/settings/uFrmOptions.h"

#include <functional>

#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "addin/dialogs/uRVLListBox.h"
#include "addin/frame/uRVLGlobals.h"
#include "addin/selection/uMask.h"
#include "addin/settings/uFrmAssociate.h"
#include "addin/settings/uRVLRegFactory.h"
#include "addin/settings/uRVLUtils.h"
#include "addin/settings/uRegAssoc.h"
#include "addin/settings/uRegDiffView.h"
#include "addin/settings/uRegIDE.h"
#include "addin/settings/uRegIntl.h"
#include "addin/settings/uRegOptions.h"
#include "addin/settings/uRegWindow.h"
#include "addin/tools/uSyntaxLines.h"
#include "platform/Process.h"
#include "platform/Text.h"
#include "ui/ShortCuts.h"

namespace {

std::string S(const QString& text) { return text.toStdString(); }

QComboBox* Combo(QWidget* parent, const char* name, const char* hint, std::initializer_list<const char*> items) {
  auto* combo = Named(new QComboBox(parent), name, hint);
  for (const char* item : items) combo->addItem(item);
  return combo;
}

// The SourceSafe flag values the Files page offers, in the order of its combo boxes' items.
constexpr int UnchangedValues[] = {0, 33554432, 50331648};
constexpr int CompareValues[] = {0, 512, 1536, 1024};
constexpr int ReplaceValues[] = {0, 128, 192, 64};
constexpr int SetTimeValues[] = {0, 4, 8, 12};

template <size_t N>
int IndexOfFlag(const int (&values)[N], int flag) {
  for (size_t i = 1; i < N; ++i)
    if (values[i] == flag) return int(i);
  return 0;
}

template <size_t N>
int FlagOfIndex(const int (&values)[N], int index) {
  return index > 0 && size_t(index) < N ? values[index] : 0;
}

// The lines of the colour example and the kind of each: 0 deleted, 1 changed, 2 inserted, 3 unchanged.
constexpr const char* ExampleLines[] = {
    "1    type",
    "2      TForm1 = class(TForm) {Changed Line}",
    "3        Button1: TButton; {Deleted Line}",
    "4        procedure Click; //Inserted Line",
    "5      end;",
};
constexpr int ExampleKinds[] = {3, 1, 0, 2, 3};

constexpr char SupportAddress[] = "ravelin-support@example.org";

// A colour the user has not chosen yet is kept in the event's item data.
constexpr int ColorRole = Qt::UserRole;
constexpr int ShortCutRole = Qt::UserRole;

std::vector<std::string> ListLines(const QListWidget* list) {
  std::vector<std::string> lines;
  for (int i = 0; i < list->count(); ++i) lines.push_back(S(list->item(i)->text()));
  return lines;
}

void SetEditColor(QLineEdit* edit, bool enabled) {
  edit->setEnabled(enabled);
  QPalette palette = edit->palette();
  palette.setColor(QPalette::Base, ColorToQColor(enabled ? clWindow : clBtnFace));
  edit->setPalette(palette);
}

// A whole number written in decimal, with blanks around it allowed.
bool ToInteger(const std::string& text, int& value) {
  const std::string trimmed = platform::Trim(text);
  if (trimmed.empty()) return false;
  size_t used = 0;
  try {
    value = std::stoi(trimmed, &used);
  } catch (const std::exception&) {
    return false;
  }
  return used == trimmed.size();
}

// A hot-key field: one key with its modifiers replaces what it held, as soon as it is pressed;
// Backspace or Delete alone clears it.
class THotKeyEdit : public QKeySequenceEdit {
public:
  using QKeySequenceEdit::QKeySequenceEdit;
  std::function<void()> OnChange;

protected:
  void keyPressEvent(QKeyEvent* Event) override {
    const int key = Event->key();
    const Qt::KeyboardModifiers modifiers =
        Event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_Meta ||
        key == Qt::Key_unknown || key == Qt::Key_Tab || key == Qt::Key_Backtab) {
      Event->ignore();
      return;
    }
    if ((key == Qt::Key_Backspace || key == Qt::Key_Delete) && modifiers == Qt::NoModifier)
      setKeySequence(QKeySequence());
    else
      setKeySequence(QKeySequence(QKeyCombination(modifiers, Qt::Key(key))));
    Event->accept();
    if (OnChange) OnChange();
  }
  void keyReleaseEvent(QKeyEvent* Event) override { Event->accept(); }
};

} // namespace

TFrmOptions::TFrmOptions(QObject* Owner)
    : TRVLForm(Owner), FRegAssoc(TRVLRegFactory::_Instance().CreateRegAssoc()),
      FRegOptions(TRVLRegFactory::_Instance().CreateRegOptions()),
      FRegIntl(TRVLRegFactory::_Instance().CreateRegIntl()),
      FRegDiffView(TRVLRegFactory::_Instance().CreateRegDiffView()) {
  SetName("FrmOptions");
  SetCaption("Options");
  setWindowFlags(windowFlags() | Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);

  pgcOptions = Named(new QTabWidget(this), "pgcOptions");
  pgcOptions->setUsesScrollButtons(false);   // every page's tab in sight
  BuildGeneral();
  BuildAdvanced();
  BuildAssociations();
  BuildFiles();
  BuildDiffViewer();
  BuildInternational();

  btnOK = Named(new QPushButton("OK", this), "btnOK");
  btnCancel = Named(new QPushButton("Cancel", this), "btnCancel");
  QHBoxLayout* buttons = ButtonRow({btnOK, btnCancel});
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  layout->addWidget(pgcOptions);
  layout->addLayout(buttons);
  btnOK->setDefault(true);
  SetDefaultButton(btnOK);
  SetCancelButton(btnCancel);
  SetButtonResult(btnCancel, mrCancel);
  connect(btnOK, &QPushButton::clicked, this, [this] { btnOKClick(); });

  LoadGeneral();
  LoadAssociations();
  LoadFiles();
  LoadInternational();
  LoadDiffViewer();
  LoadAdvanced();
}

TFrmOptions::~TFrmOptions() = default;

void TFrmOptions::LoadWindowPlacement() {
  TRVLForm::LoadWindowPlacement();
  const int page = RegWindow().ReadControlInteger(this, "ActivePage", 0);
  if (page >= 0 && page < pgcOptions->count()) pgcOptions->setCurrentIndex(page);
}

void TFrmOptions::SaveWindowPlacement() {
  TRVLForm::SaveWindowPlacement();
  RegWindow().WriteControlInteger(this, "ActivePage", pgcOptions->currentIndex());
}

// ---- Pages

void TFrmOptions::BuildGeneral() {
  tabsGeneral = Named(new QWidget, "tabsGeneral");
  pgcOptions->addTab(tabsGeneral, "General");

  gbSynchronize = Named(new QGroupBox("&Synchronize ", tabsGeneral), "gbSynchronize");
  chkbSynchOnOpen = Named(new QCheckBox("Synchronize when &opening project", gbSynchronize), "chkbSynchOnOpen",
                          "When a project is opened, Ravelin will check if there are new files or changed files, "
                          "and will let you synchronize them");
  chkbSyncOnClose = Named(new QCheckBox("Synchronize when &closing project", gbSynchronize), "chkbSyncOnClose",
                          "When a project is closed, Ravelin will check if there are checked out files or changed "
                          "files");
  auto* sync = new QVBoxLayout(gbSynchronize);
  sync->addWidget(chkbSynchOnOpen);
  sync->addWidget(chkbSyncOnClose);

  gbViewers = Named(new QGroupBox("&Viewers ", tabsGeneral), "gbViewers");
  edAsciiViewer = Named(new QLineEdit(gbViewers), "edAsciiViewer",
                        "Path to a viewer that will be used to show ASCII files");
  edDiffViewer = Named(new QLineEdit(gbViewers), "edDiffViewer",
                       "Path to viewer that will be used to show file differences");
  lblAsciiViewer = NamedLabel("lblAsciiViewer", "&Ascii Viewer:", edAsciiViewer);
  lblDiffViewer = NamedLabel("lblDiffViewer", "&Difference Viewer:", edDiffViewer);
  btnBrowseAscii = Named(new QPushButton("&Browse..", gbViewers), "btnBrowseAscii");
  btnBrowseDiff = Named(new QPushButton("B&rowse..", gbViewers), "btnBrowseDiff");
  chkbUseInternalDiff = Named(new QCheckBox("Use &internal difference viewer", gbViewers), "chkbUseInternalDiff",
                              "Use Ravelin's difference viewer to show file differences");
  auto* viewers = new QGridLayout(gbViewers);
  viewers->addWidget(lblAsciiViewer, 0, 0);
  viewers->addWidget(edAsciiViewer, 0, 1);
  viewers->addWidget(btnBrowseAscii, 0, 2);
  viewers->addWidget(lblDiffViewer, 1, 0);
  viewers->addWidget(edDiffViewer, 1, 1);
  viewers->addWidget(btnBrowseDiff, 1, 2);
  viewers->addWidget(chkbUseInternalDiff, 2, 1);

  gbShortCuts = Named(new QGroupBox("S&hort Cuts ", tabsGeneral), "gbShortCuts");
  cboxOperation = Combo(gbShortCuts, "cboxOperation", "Set keyboard shortcuts for most used operations",
                        {"Get Latest Version", "Check In", "Check Out", "Undo Check Out"});
  lblOperation = NamedLabel("lblOperation", "O&peration:", cboxOperation);
  auto* hotKey = Named(new THotKeyEdit(gbShortCuts), "hkeyOperation");
  hotKey->OnChange = [this] { hkeyOperationChange(); };
  hotKey->setClearButtonEnabled(true);
  hkeyOperation = hotKey;
  auto* shortCuts = new QHBoxLayout(gbShortCuts);
  shortCuts->addWidget(lblOperation);
  shortCuts->addWidget(cboxOperation);
  shortCuts->addWidget(hkeyOperation);

  auto* page = new QVBoxLayout(tabsGeneral);
  page->addWidget(gbSynchronize);
  page->addWidget(gbViewers);
  page->addWidget(gbShortCuts);
  page->addStretch();

  connect(chkbUseInternalDiff, &QCheckBox::clicked, this, [this] { chkbUseInternalDiffClick(); });
  connect(btnBrowseAscii, &QPushButton::clicked, this, [this] { btnBrowseAsciiClick(btnBrowseAscii); });
  connect(btnBrowseDiff, &QPushButton::clicked, this, [this] { btnBrowseAsciiClick(btnBrowseDiff); });
  connect(cboxOperation, &QComboBox::currentIndexChanged, this, [this] { cboxOperationChange(); });
  connect(hkeyOperation, &QKeySequenceEdit::keySequenceChanged, this, [this] { hkeyOperationChange(); });
}

void TFrmOptions::BuildAdvanced() {
  tabsAdvanced = Named(new QWidget, "tabsAdvanced");
  pgcOptions->addTab(tabsAdvanced, "Advanced");
  chkbShowHints = Named(new QCheckBox("&Show help hints", tabsAdvanced), "chkbShowHints",
                        "Stop showing tips like this one!");
  chkbEnableEI = Named(new QCheckBox("&Enable editor integration", tabsAdvanced), "chkbEnableEI",
                       "Don't add editor integration features like a popup-menu or the file status on the status bar");
  chkbAutoCheck = Named(new QCheckBox("&Check for updates automatically", tabsAdvanced), "chkbAutoCheck");
  edDays = Named(new QLineEdit("14", tabsAdvanced), "edDays");
  edDays->setMaximumWidth(50);
  lblEvery = NamedLabel("lblEvery", "E&very", edDays);
  lblDays = NamedLabel("lblDays", "Days");
  chkbShowCommentFromPopup =
      Named(new QCheckBox("Show comment dialog from &popup menu", tabsAdvanced), "chkbShowCommentFromPopup");
  chkbShowCommentFromAutoCheckout = Named(new QCheckBox("Show comment dialog on &automatic check out", tabsAdvanced),
                                          "chkbShowCommentFromAutoCheckout");
  auto* every = new QHBoxLayout;
  every->addSpacing(20);
  every->addWidget(lblEvery);
  every->addWidget(edDays);
  every->addWidget(lblDays);
  every->addStretch();
  auto* page = new QVBoxLayout(tabsAdvanced);
  page->addWidget(chkbShowHints);
  page->addWidget(chkbEnableEI);
  page->addWidget(chkbAutoCheck);
  page->addLayout(every);
  page->addWidget(chkbShowCommentFromPopup);
  page->addWidget(chkbShowCommentFromAutoCheckout);
  page->addStretch();

  connect(chkbAutoCheck, &QCheckBox::clicked, this, [this] { chkbAutoCheckClick(); });
  connect(edDays, &QLineEdit::editingFinished, this, [this] { edDaysExit(); });
}

void TFrmOptions::BuildAssociations() {
  tabshAssoc = Named(new QWidget, "tabshAssoc");
  pgcOptions->addTab(tabshAssoc, "Associations");
  cboxMainFiles = Named(new QComboBox(tabshAssoc), "cboxMainFiles", "File type that has associations");
  lblMain = NamedLabel("lblMain", "Associate this file &type:", cboxMainFiles);
  btnAddMain = Named(new QPushButton("&Add..", tabshAssoc), "btnAddMain");
  btnRemoveMain = Named(new QPushButton("&Remove", tabshAssoc), "btnRemoveMain");
  lbAssoc = Named(new QListWidget(tabshAssoc), "lbAssoc", "List of file types associated with the above file");
  lblAssoc = NamedLabel("lblAssoc", "&With these files:", lbAssoc);
  btnAddAssoc = Named(new QPushButton("A&dd..", tabshAssoc), "btnAddAssoc");
  btnEditAssoc = Named(new QPushButton("&Edit..", tabshAssoc), "btnEditAssoc");
  btnRemoveAssoc = Named(new QPushButton("Re&move", tabshAssoc), "btnRemoveAssoc");
  for (QPushButton* button : {btnAddAssoc, btnEditAssoc, btnRemoveAssoc}) button->setEnabled(false);
  lblExample = NamedLabel("lblExample", "Example:");
  lblFormExample = NamedLabel("lblFormExample", "");
  chkbDisable = Named(new QCheckBox("Di&sable Associations", tabshAssoc), "chkbDisable");

  auto* grid = new QGridLayout(tabshAssoc);
  grid->addWidget(lblMain, 0, 0, 1, 2);
  grid->addWidget(cboxMainFiles, 1, 0);
  auto* mainButtons = new QVBoxLayout;
  mainButtons->addWidget(btnAddMain);
  mainButtons->addWidget(btnRemoveMain);
  grid->addLayout(mainButtons, 1, 1);
  grid->addWidget(lblAssoc, 2, 0, 1, 2);
  grid->addWidget(lbAssoc, 3, 0);
  auto* assocButtons = new QVBoxLayout;
  assocButtons->addWidget(btnAddAssoc);
  assocButtons->addWidget(btnEditAssoc);
  assocButtons->addWidget(btnRemoveAssoc);
  assocButtons->addStretch();
  grid->addLayout(assocButtons, 3, 1);
  auto* example = new QHBoxLayout;
  example->addWidget(lblExample);
  example->addWidget(lblFormExample, 1);
  grid->addLayout(example, 4, 0, 1, 2);
  grid->addWidget(chkbDisable, 5, 0, 1, 2);

  connect(cboxMainFiles, &QComboBox::currentIndexChanged, this, [this] { cboxMainFilesChange(); });
  connect(btnAddMain, &QPushButton::clicked, this, [this] { btnAddMainClick(); });
  connect(btnRemoveMain, &QPushButton::clicked, this, [this] { btnRemoveMainClick(); });
  connect(btnAddAssoc, &QPushButton::clicked, this, [this] { btnAddAssocClick(); });
  connect(btnEditAssoc, &QPushButton::clicked, this, [this] { btnEditAssocClick(); });
  connect(btnRemoveAssoc, &QPushButton::clicked, this, [this] { btnRemoveAssocClick(); });
  connect(lbAssoc, &QListWidget::currentRowChanged, this, [this] { lbAssocClick(); });
  connect(chkbDisable, &QCheckBox::clicked, this, [this] { chkbDisableClick(); });
}

void TFrmOptions::BuildFiles() {
  tabsFiles = Named(new QWidget, "tabsFiles");
  pgcOptions->addTab(tabsFiles, "Files");
  cboxUnchanged = Combo(tabsFiles, "cboxUnchanged", "What to do when checking in an unchanged file",
                        {"Default", "Check In", "Undo Check Out"});
  cboxCompare = Combo(tabsFiles, "cboxCompare", "What method to use when comparing files",
                      {"Default", "Contents", "Checksum", "Time"});
  cboxReplace = Combo(tabsFiles, "cboxReplace", "What to do when a file on disk is writeable",
                      {"Default", "Replace", "Skip", "Ask"});
  cboxSetLocalFilesTime = Combo(tabsFiles, "cboxSetLocalFilesTime", "What timestamp to use for local files",
                                {"Default", "Current", "Modification", "Check in"});
  lblUnchanged = NamedLabel("lblUnchanged", "Check in &unchanged files:", cboxUnchanged);
  lblCompare = NamedLabel("lblCompare", "&Compare files by:", cboxCompare);
  lblReplace = NamedLabel("lblReplace", "&Replace writeable files:", cboxReplace);
  lblDate = NamedLabel("lblDate", "Set &Date/Time on local files:", cboxSetLocalFilesTime);
  chkbUseReadOnly = Named(new QCheckBox("Use Read &only flag for files that are not checked out", tabsFiles),
                          "chkbUseReadOnly", "Set the read-only attribute to files that are not checked in");
  gbCheckIn = Named(new QGroupBox("Do not check in these files:", tabsFiles), "gbCheckIn");
  lbCheckinFiles = Named(new QListWidget(gbCheckIn), "lbCheckinFiles", "File types that should not be checked in");
  btnAdd = Named(new QPushButton("&Add..", gbCheckIn), "btnAdd");
  btnEdit = Named(new QPushButton("&Edit..", gbCheckIn), "btnEdit");
  btnRemove = Named(new QPushButton("&Remove", gbCheckIn), "btnRemove");
  lblExmaple2 = NamedLabel("lblExmaple2", "Example:");
  lblCheckInExample = NamedLabel("lblCheckInExample", "");

  auto* combos = new QGridLayout;
  combos->addWidget(lblUnchanged, 0, 0);
  combos->addWidget(cboxUnchanged, 0, 1);
  combos->addWidget(lblCompare, 1, 0);
  combos->addWidget(cboxCompare, 1, 1);
  combos->addWidget(lblReplace, 2, 0);
  combos->addWidget(cboxReplace, 2, 1);
  combos->addWidget(lblDate, 3, 0);
  combos->addWidget(cboxSetLocalFilesTime, 3, 1);
  auto* checkIn = new QGridLayout(gbCheckIn);
  checkIn->addWidget(lbCheckinFiles, 0, 0, 4, 1);
  checkIn->addWidget(btnAdd, 0, 1);
  checkIn->addWidget(btnEdit, 1, 1);
  checkIn->addWidget(btnRemove, 2, 1);
  auto* example = new QHBoxLayout;
  example->addWidget(lblExmaple2);
  example->addWidget(lblCheckInExample, 1);
  checkIn->addLayout(example, 4, 0, 1, 2);
  auto* page = new QVBoxLayout(tabsFiles);
  page->addLayout(combos);
  page->addWidget(chkbUseReadOnly);
  page->addWidget(gbCheckIn);

  connect(btnAdd, &QPushButton::clicked, this, [this] { btnAddClick(); });
  connect(btnEdit, &QPushButton::clicked, this, [this] { btnEditClick(); });
  connect(btnRemove, &QPushButton::clicked, this, [this] { btnRemoveClick(); });
  connect(lbCheckinFiles, &QListWidget::currentRowChanged, this, [this] { lbCheckinFilesClick(); });
  connect(lbCheckinFiles, &QListWidget::itemDoubleClicked, this, [this] {
    if (lbCheckinFiles->currentRow() >= 0)
      btnEditClick();
    else
      btnAddClick();
  });
}

void TFrmOptions::BuildDiffViewer() {
  tabsDiffViewer = Named(new QWidget, "tabsDiffViewer");
  pgcOptions->addTab(tabsDiffViewer, "Difference Viewer");
  gbSyntax = Named(new QGroupBox("&General :", tabsDiffViewer), "gbSyntax");
  chkbUseSyntax = Named(new QCheckBox("Use &Syntax Highlighting in difference viewer", gbSyntax), "chkbUseSyntax",
                        "Add syntax highlighting to files in the difference viewer");
  chkbIgnoreSpaces = Named(new QCheckBox("&Ignore Spaces\\Tabs when showing difference ", gbSyntax),
                           "chkbIgnoreSpaces", "Ignore small changed when comparing files");
  auto* general = new QVBoxLayout(gbSyntax);
  general->addWidget(chkbUseSyntax);
  general->addWidget(chkbIgnoreSpaces);

  const char* colorHint = "What color to use for changed lines/Deleted Lines/Inserted Lines";
  gbColors = Named(new QGroupBox("Col&ors: ", tabsDiffViewer), "gbColors");
  cboxEvents = Combo(gbColors, "cboxEvents", colorHint, {"Changed Line", "Deleted Line", "Inserted Line"});
  lblEvent = NamedLabel("lblEvent", "E&vent:", cboxEvents);
  btnBrowseColor = Named(new QPushButton("&Color..", gbColors), "btnBrowseColor", colorHint);
  vlbExample = Named(new TRVLListBox(gbColors), "vlbExample");
  lblExample2 = NamedLabel("lblExample2", "&Example:", vlbExample);
  std::unique_ptr<TRegIDE> ide = TRVLRegFactory::_Instance().CreateRegIDE();
  const QFont font(Q(ide->GetFontName()), ide->GetFontSize());
  vlbExample->setFont(font);
  vlbExample->SetStyle(lbOwnerDrawFixed);
  vlbExample->SetItemHeight(QFontMetrics(font).height() + 3);
  std::vector<std::string_view> rows;
  for (int i = 0; i < 5; ++i) {
    vlbExample->SetItemData(vlbExample->Add(ExampleLines[i]), ExampleKinds[i]);
    rows.push_back(ExampleLines[i]);
  }
  vlbExample->setMinimumWidth(QFontMetrics(font).horizontalAdvance(ExampleLines[1]) + 40);
  vlbExample->setFixedHeight(5 * vlbExample->ItemHeight() + 2 * vlbExample->frameWidth() + 2);
  FExampleSyntax = std::make_unique<TSyntaxLines>("unit1.pas", rows);
  vlbExample->OnDrawItem = [this](TRVLListBox* control, int index, QPainter& canvas, const QRect& rect,
                                  TOwnerDrawState state) { vlbExampleDrawItem(control, index, canvas, rect, state); };

  auto* colors = new QGridLayout(gbColors);
  colors->addWidget(lblEvent, 0, 0);
  colors->addWidget(cboxEvents, 0, 1);
  colors->addWidget(btnBrowseColor, 0, 2);
  colors->addWidget(lblExample2, 1, 0, 1, 3);
  colors->addWidget(vlbExample, 2, 0, 1, 3);
  auto* page = new QVBoxLayout(tabsDiffViewer);
  page->addWidget(gbSyntax);
  page->addWidget(gbColors);
  page->addStretch();

  connect(chkbUseSyntax, &QCheckBox::clicked, this, [this] { vlbExample->viewport()->update(); });
  connect(cboxEvents, &QComboBox::currentIndexChanged, this, [this] { cboxEventsChange(); });
  connect(btnBrowseColor, &QPushButton::clicked, this, [this] { btnBrowseColorClick(); });
  vlbExample->OnClick = [this](TObject*) { vlbExampleClick(); };
  vlbExample->OnDblClick = [this](TObject*) { btnBrowseColorClick(); };
}

void TFrmOptions::BuildInternational() {
  tabsInternational = Named(new QWidget, "tabsInternational");
  pgcOptions->addTab(tabsInternational, "International");
  cboxIDELang = Named(new QComboBox(tabsInternational), "cboxIDELang");
  cboxSourceSafeLang = Named(new QComboBox(tabsInternational), "cboxSourceSafeLang");
  lblDelphiLang = NamedLabel("lblDelphiLang", "&IDE Language:", cboxIDELang);
  lblSourceSafeLang = NamedLabel("lblSourceSafeLang", "Visual &SourceSafe Language:", cboxSourceSafeLang);
  gbInterHelp = Named(new QGroupBox("Help", tabsInternational), "gbInterHelp");
  auto* help = new QVBoxLayout(gbInterHelp);
  for (auto [name, text] : {std::pair{"lblInter", "If one of the following features does not work, you should use "
                                                  "the international settings:"},
                            std::pair{"lblHelpAuto", "1. Automatic checkout of  checked in files ('Delphi language')"},
                            std::pair{"lblHelpDiff", "2. Viewing differences on files ('SourceSafe language')"},
                            std::pair{"lblHelpLanguage", "If the language of Delphi or SourceSafe does not appear in "
                                                         "the lists above, Please email:"}}) {
    QLabel* label = NamedLabel(name, text);
    label->setWordWrap(true);
    help->addWidget(label);
  }
  lblEmail = NamedLabel("lblEmail", SupportAddress);
  lblEmail->setCursor(Qt::PointingHandCursor);
  QPalette palette = lblEmail->palette();
  palette.setColor(QPalette::WindowText, ColorToQColor(clBlue));
  lblEmail->setPalette(palette);
  QFont underlined = lblEmail->font();
  underlined.setUnderline(true);
  lblEmail->setFont(underlined);
  lblEmail->installEventFilter(this);
  help->addWidget(lblEmail);

  auto* grid = new QGridLayout(tabsInternational);
  grid->addWidget(lblDelphiLang, 0, 0);
  grid->addWidget(cboxIDELang, 0, 1);
  grid->addWidget(lblSourceSafeLang, 1, 0);
  grid->addWidget(cboxSourceSafeLang, 1, 1);
  grid->addWidget(gbInterHelp, 2, 0, 1, 2);
  grid->setRowStretch(3, 1);
}

// ---- Loading

void TFrmOptions::LoadGeneral() {
  chkbSynchOnOpen->setChecked(FRegOptions->GetSyncOnOpen());
  chkbSyncOnClose->setChecked(FRegOptions->GetSyncOnClose());
  edAsciiViewer->setText(Q(FRegOptions->GetAsciiViewer()));
  edDiffViewer->setText(Q(FRegOptions->GetDifferenceViewer()));
  chkbUseInternalDiff->setChecked(edDiffViewer->text().isEmpty());
  chkbUseInternalDiffClick();
  for (int i = 0; i < cboxOperation->count(); ++i) cboxOperation->setItemData(i, FRegOptions->GetShortCut(i), ShortCutRole);
  cboxOperation->setCurrentIndex(0);
  cboxOperationChange();
}

void TFrmOptions::LoadAssociations() {
  const QSignalBlocker blocker(cboxMainFiles);
  for (const std::string& name : FRegAssoc->GetNames()) {
    cboxMainFiles->addItem(Q(name));
    FAssocMasks.push_back(FRegAssoc->Load(name));
  }
  cboxMainFiles->setCurrentIndex(cboxMainFiles->count() > 0 ? 0 : -1);
  cboxMainFilesChange();
  chkbDisable->setChecked(FRegAssoc->GetDisableAssoc());
  chkbDisableClick();
}

void TFrmOptions::LoadFiles() {
  for (const std::string& mask : FRegOptions->LoadDontCheckIn()) lbCheckinFiles->addItem(Q(mask));
  const std::unique_ptr<TFlags> flags = FRegOptions->GetFlags();
  chkbUseReadOnly->setChecked(flags->ReadOnlyFlag == 2);
  cboxUnchanged->setCurrentIndex(IndexOfFlag(UnchangedValues, flags->UnchangedFlag));
  cboxCompare->setCurrentIndex(IndexOfFlag(CompareValues, flags->CompareFlag));
  cboxReplace->setCurrentIndex(IndexOfFlag(ReplaceValues, flags->ReplaceFlag));
  cboxSetLocalFilesTime->setCurrentIndex(IndexOfFlag(SetTimeValues, flags->SetTimeFlag));
}

void TFrmOptions::LoadInternational() {
  // With no languages registered the stored one stays the only choice, so it is kept on OK.
  auto fill = [](QComboBox* combo, const std::vector<std::string>& languages, const std::string& stored) {
    for (const std::string& language : languages) combo->addItem(Q(language));
    if (combo->count() == 0) combo->addItem(Q(stored));
    combo->setCurrentIndex(std::max(0, combo->findText(Q(stored), Qt::MatchFixedString)));
  };
  fill(cboxIDELang, FRegIntl->GetIDELanguages(), FRegIntl->GetDelphiLang());
  fill(cboxSourceSafeLang, FRegIntl->GetSSLanguages(), FRegIntl->GetSSLang());
}

void TFrmOptions::LoadDiffViewer() {
  FIdentifierBackground = TRVLRegFactory::_Instance().CreateRegIDE()->GetIdentifierBackground();
  chkbUseSyntax->setChecked(FRegDiffView->GetSyntax());
  chkbIgnoreSpaces->setChecked(FRegDiffView->GetIgnoreSpaces());
  cboxEvents->setItemData(0, FRegDiffView->GetChangeColor(), ColorRole);
  cboxEvents->setItemData(1, FRegDiffView->GetDeleteColor(), ColorRole);
  cboxEvents->setItemData(2, FRegDiffView->GetInsertColor(), ColorRole);
  cboxEvents->setCurrentIndex(0);
  cboxEventsChange();
}

void TFrmOptions::LoadAdvanced() {
  chkbShowHints->setChecked(FRegOptions->GetShowHints());
  chkbEnableEI->setChecked(FRegOptions->GetUseEI());
  chkbShowCommentFromPopup->setChecked(FRegOptions->GetPopupComment());
  chkbShowCommentFromAutoCheckout->setChecked(FRegOptions->GetAutoCheckComment());
  // Without checks the field keeps its 14 days, so ticking the box alone gives a check that runs.
  const int days = FRegOptions->GetCheckEvery();
  if (days > 0) edDays->setText(QString::number(days));
  chkbAutoCheck->setChecked(days > 0);
  chkbAutoCheckClick();
}

// ---- Saving

void TFrmOptions::btnOKClick() {
  // Whatever would be refused is found before the first value is written, so a refusal loses nothing
  // and leaves no half-saved options behind.
  for (int i = 0; i < lbCheckinFiles->count(); ++i) {
    try {
      TMask mask(S(lbCheckinFiles->item(i)->text()));
    } catch (const EMaskError& error) {
      pgcOptions->setCurrentWidget(tabsFiles);
      lbCheckinFiles->setCurrentRow(i);
      ShowError(error.what());
      return;
    }
  }
  int days = 0;
  if (chkbAutoCheck->isChecked() && !(ToInteger(S(edDays->text()), days) && days > 0)) {
    pgcOptions->setCurrentWidget(tabsAdvanced);
    edDaysExit();
    return;
  }
  SaveGeneral();
  SaveAssociations();
  SaveFiles();
  SaveInternational();
  SaveDiffViewer();
  SaveAdvanced();
  SetModalResult(mrOk);
}

void TFrmOptions::SaveGeneral() {
  FRegOptions->SetSyncOnOpen(chkbSynchOnOpen->isChecked());
  FRegOptions->SetSyncOnClose(chkbSyncOnClose->isChecked());
  FRegOptions->SetAsciiViewer(S(edAsciiViewer->text()));
  FRegOptions->SetDifferenceViewer(chkbUseInternalDiff->isChecked() ? "" : platform::Trim(S(edDiffViewer->text())));
  for (int i = 0; i < cboxOperation->count(); ++i)
    FRegOptions->SetShortCut(i, cboxOperation->itemData(i, ShortCutRole).toInt());
}

// The key is cleared first, so that removed file types go; the types are written in the order shown,
// which is the order they are listed in next time.
void TFrmOptions::SaveAssociations() {
  FRegAssoc->Clear();
  for (int i = 0; i < cboxMainFiles->count(); ++i) FRegAssoc->Save(S(cboxMainFiles->itemText(i)), FAssocMasks[i]);
  FRegAssoc->SetDisableAssoc(chkbDisable->isChecked());
}

void TFrmOptions::SaveFiles() {
  FRegOptions->SaveDontCheckIn(ListLines(lbCheckinFiles));
  const std::unique_ptr<TFlags> flags = FRegOptions->GetFlags();
  flags->ReadOnlyFlag = chkbUseReadOnly->isChecked() ? 2 : 1;
  flags->UnchangedFlag = FlagOfIndex(UnchangedValues, cboxUnchanged->currentIndex());
  flags->CompareFlag = FlagOfIndex(CompareValues, cboxCompare->currentIndex());
  flags->ReplaceFlag = FlagOfIndex(ReplaceValues, cboxReplace->currentIndex());
  flags->SetTimeFlag = FlagOfIndex(SetTimeValues, cboxSetLocalFilesTime->currentIndex());
  FRegOptions->SetFlags(*flags);
}

void TFrmOptions::SaveInternational() {
  FRegIntl->SetDelphiLang(S(cboxIDELang->currentText()));
  FRegIntl->SetSSLang(S(cboxSourceSafeLang->currentText()));
}

void TFrmOptions::SaveDiffViewer() {
  FRegDiffView->SetSyntax(chkbUseSyntax->isChecked());
  FRegDiffView->SetIgnoreSpaces(chkbIgnoreSpaces->isChecked());
  FRegDiffView->SetChangeColor(cboxEvents->itemData(0, ColorRole).toInt());
  FRegDiffView->SetDeleteColor(cboxEvents->itemData(1, ColorRole).toInt());
  FRegDiffView->SetInsertColor(cboxEvents->itemData(2, ColorRole).toInt());
}

void TFrmOptions::SaveAdvanced() {
  FRegOptions->SetShowHints(chkbShowHints->isChecked());
  FRegOptions->SetUseEI(chkbEnableEI->isChecked());
  FRegOptions->SetPopupComment(chkbShowCommentFromPopup->isChecked());
  FRegOptions->SetAutoCheckComment(chkbShowCommentFromAutoCheckout->isChecked());
  int days = 0;
  FRegOptions->SetCheckEvery(chkbAutoCheck->isChecked() && ToInteger(S(edDays->text()), days) ? days : 0);
}

// ---- General page

void TFrmOptions::chkbUseInternalDiffClick() {
  const bool external = !chkbUseInternalDiff->isChecked();
  SetEditColor(edDiffViewer, external);
  btnBrowseDiff->setEnabled(external);
}

void TFrmOptions::btnBrowseAsciiClick(QPushButton* Sender) {
  TOpenDialogOptions options;
  options.Filter = "Exe Files (*.exe)|*.exe|All Files (*.*)|*.*";
  std::vector<std::string> files;
  if (!OpenFile(options, files) || files.empty()) return;
  if (Sender == btnBrowseDiff) {
    edDiffViewer->setText(Q(files.front()));
    chkbUseInternalDiff->setChecked(false);
    chkbUseInternalDiffClick();
  } else {
    edAsciiViewer->setText(Q(files.front()));
  }
}

void TFrmOptions::cboxOperationChange() {
  const QSignalBlocker blocker(hkeyOperation);
  const int index = cboxOperation->currentIndex();
  hkeyOperation->setKeySequence(
      ShortCutToKeySequence(static_cast<TShortCut>(index < 0 ? 0 : cboxOperation->itemData(index, ShortCutRole).toInt())));
}

// One key with its modifiers. A key without Ctrl or Alt (Shift alone included) would steal a key the
// editor needs, so Alt is added to it.
void TFrmOptions::hkeyOperationChange() {
  const int index = cboxOperation->currentIndex();
  if (index < 0) return;
  TShortCut code = KeySequenceToShortCut(hkeyOperation->keySequence());
  if (code != 0 && (code & (scCtrl | scAlt)) == 0) code |= scAlt;
  cboxOperation->setItemData(index, code, ShortCutRole);
  const QKeySequence shown = ShortCutToKeySequence(code);
  if (shown != hkeyOperation->keySequence()) {
    const QSignalBlocker blocker(hkeyOperation);
    hkeyOperation->setKeySequence(shown);
  }
}

// ---- Advanced page

void TFrmOptions::chkbAutoCheckClick() {
  const bool checked = chkbAutoCheck->isChecked();
  lblEvery->setEnabled(checked);
  lblDays->setEnabled(checked);
  SetEditColor(edDays, checked);
}

void TFrmOptions::edDaysExit() {
  int days = 0;
  if (ToInteger(S(edDays->text()), days) && days > 0) return;
  ShowError("'" + S(edDays->text()) + "' is not a number of days: give a whole number above 0.");
  edDays->setFocus();
  edDays->selectAll();
}

// ---- Associations page

void TFrmOptions::cboxMainFilesChange() {
  lbAssoc->clear();
  const int type = cboxMainFiles->currentIndex();
  const bool enabled = !chkbDisable->isChecked();
  lbAssoc->setEnabled(enabled && type >= 0);
  btnAddAssoc->setEnabled(enabled && type >= 0);
  btnEditAssoc->setEnabled(false);
  btnRemoveAssoc->setEnabled(false);
  if (type < 0) {
    lblFormExample->clear();
    return;
  }
  lblFormExample->setText("Form1" + cboxMainFiles->currentText());
  const QSignalBlocker blocker(lbAssoc);
  for (const std::string& mask : FAssocMasks[type]) lbAssoc->addItem(Q(mask));
}

void TFrmOptions::btnAddMainClick() {
  std::string type;
  if (!InputQuery(Globals().ProductName, "Enter the extension of the type you want to add:", type)) return;
  type = platform::Trim(type);
  if (type.empty()) return;
  if (type.find('.') == std::string::npos) type = "." + type;
  type = platform::FoldCase(type);
  int index = cboxMainFiles->findText(Q(type), Qt::MatchFixedString);
  if (index < 0) {
    FAssocMasks.emplace_back();
    cboxMainFiles->addItem(Q(type));
    index = cboxMainFiles->count() - 1;
  }
  cboxMainFiles->setCurrentIndex(index);
  cboxMainFilesChange();
  btnAddAssoc->setFocus();
}

void TFrmOptions::btnRemoveMainClick() {
  const int type = cboxMainFiles->currentIndex();
  if (type < 0) return;
  FAssocMasks.erase(FAssocMasks.begin() + type);
  {
    const QSignalBlocker blocker(cboxMainFiles);
    cboxMainFiles->removeItem(type);
    cboxMainFiles->setCurrentIndex(cboxMainFiles->count() > 0 ? 0 : -1);
  }
  cboxMainFilesChange();
}

namespace {

// A companion mask as stored: no blanks around it, "*" before it when it has none, lower case.
std::string NormalisedAssocMask(const std::string& text) {
  std::string mask = platform::Trim(text);
  if (mask.find('*') == std::string::npos) mask = "*" + mask;
  return platform::FoldCase(mask);
}

} // namespace

void TFrmOptions::btnAddAssocClick() {
  const int type = cboxMainFiles->currentIndex();
  if (type < 0) return;
  auto form = MakeRVLForm<TFrmAssociate>(this);
  form->Setup(S(cboxMainFiles->currentText()), "");
  if (form->ShowModal() != mrOk || platform::Trim(form->Mask()).empty()) return;
  const std::string mask = NormalisedAssocMask(form->Mask());
  if (!lbAssoc->findItems(Q(mask), Qt::MatchFixedString).isEmpty()) return;
  FAssocMasks[type].push_back(mask);
  lbAssoc->addItem(Q(mask));
}

void TFrmOptions::btnEditAssocClick() {
  const int type = cboxMainFiles->currentIndex();
  const int row = lbAssoc->currentRow();
  if (type < 0 || row < 0) return;
  auto form = MakeRVLForm<TFrmAssociate>(this);
  form->Setup(S(cboxMainFiles->currentText()), S(lbAssoc->item(row)->text()));
  if (form->ShowModal() != mrOk || platform::Trim(form->Mask()).empty()) return;
  const std::string mask = NormalisedAssocMask(form->Mask());
  if (mask == S(lbAssoc->item(row)->text())) return;
  if (!lbAssoc->findItems(Q(mask), Qt::MatchFixedString).isEmpty()) {
    ShowError("Association already exists!");
    return;
  }
  FAssocMasks[type][row] = mask;
  lbAssoc->item(row)->setText(Q(mask));
}

void TFrmOptions::btnRemoveAssocClick() {
  const int type = cboxMainFiles->currentIndex();
  const int row = lbAssoc->currentRow();
  if (type < 0 || row < 0) return;
  FAssocMasks[type].erase(FAssocMasks[type].begin() + row);
  delete lbAssoc->takeItem(row);
  lbAssocClick();
}

void TFrmOptions::lbAssocClick() {
  const bool enabled = !chkbDisable->isChecked() && cboxMainFiles->currentIndex() >= 0;
  const bool selected = enabled && lbAssoc->currentRow() >= 0;
  btnAddAssoc->setEnabled(enabled);
  btnEditAssoc->setEnabled(selected);
  btnRemoveAssoc->setEnabled(selected);
}

void TFrmOptions::chkbDisableClick() {
  const bool enabled = !chkbDisable->isChecked();
  for (QWidget* control : std::initializer_list<QWidget*>{lblMain, cboxMainFiles, btnAddMain, btnRemoveMain, lblAssoc,
                                                          lblExample, lblFormExample})
    control->setEnabled(enabled);
  lbAssoc->setEnabled(enabled && cboxMainFiles->currentIndex() >= 0);
  lbAssocClick();
}

// ---- Files page

std::string TFrmOptions::AskCheckInMask(const std::string& Value) {
  std::string mask = Value;
  if (!InputQuery(Globals().ProductName, "Enter the extension of the type you want to add", mask)) return "";
  mask = platform::Trim(mask);
  if (mask.empty()) return "";
  if (mask.starts_with('.')) mask = "*" + mask;
  try {
    TMask check(mask);
  } catch (const EMaskError& error) {
    ShowError(error.what());
    return "";
  }
  return mask;
}

void TFrmOptions::btnAddClick() {
  const std::string mask = AskCheckInMask("");
  if (!mask.empty()) {
    const auto found = lbCheckinFiles->findItems(Q(mask), Qt::MatchFixedString);
    if (found.isEmpty()) lbCheckinFiles->addItem(Q(mask));
    lbCheckinFiles->setCurrentItem(found.isEmpty() ? lbCheckinFiles->item(lbCheckinFiles->count() - 1) : found.front());
  }
  lbCheckinFilesClick();
}

void TFrmOptions::btnEditClick() {
  QListWidgetItem* item = lbCheckinFiles->currentItem();
  if (!item) return;
  const std::string mask = AskCheckInMask(S(item->text()));
  if (!mask.empty()) item->setText(Q(mask));
  lbCheckinFilesClick();
}

void TFrmOptions::btnRemoveClick() {
  const int row = lbCheckinFiles->currentRow();
  if (row >= 0) delete lbCheckinFiles->takeItem(row);
  lbCheckinFilesClick();
}

void TFrmOptions::lbCheckinFilesClick() {
  const QListWidgetItem* item = lbCheckinFiles->currentItem();
  if (!item) {
    lblCheckInExample->clear();
    return;
  }
  std::string example = S(item->text());
  if (const size_t star = example.find('*'); star != std::string::npos) example.replace(star, 1, "Form1");
  std::replace(example.begin(), example.end(), '?', 'p');
  lblCheckInExample->setText(Q(example));
}

// ---- Difference Viewer page

void TFrmOptions::cboxEventsChange() {
  vlbExample->SetItemIndex(cboxEvents->currentIndex() + 1);
  vlbExample->viewport()->update();
}

void TFrmOptions::vlbExampleClick() {
  const int row = vlbExample->ItemIndex();
  if (row >= 1 && row <= 3) cboxEvents->setCurrentIndex(row - 1);
}

void TFrmOptions::btnBrowseColorClick() {
  const int event = cboxEvents->currentIndex();
  if (event < 0) return;
  TColor color = cboxEvents->itemData(event, ColorRole).toInt();
  if (!SelectColor(color)) return;
  cboxEvents->setItemData(event, color, ColorRole);
  vlbExample->viewport()->update();
}

void TFrmOptions::vlbExampleDrawItem(TRVLListBox* Control, int Index, QPainter& Canvas, const QRect& Rect,
                                     unsigned State) {
  // Line kinds 0 deleted, 1 changed, 2 inserted; the events are listed changed, deleted, inserted.
  constexpr int EventOfKind[] = {1, 0, 2};
  const int kind = int(Control->ItemData(Index));
  const TColor background =
      kind < 3 ? TColor(cboxEvents->itemData(EventOfKind[kind], ColorRole).toInt()) : FIdentifierBackground;
  Canvas.fillRect(Rect, ColorToQColor(background));
  Canvas.setFont(Control->font());
  Canvas.setPen(ColorToQColor(clWindowText));
  if (chkbUseSyntax->isChecked() && FExampleSyntax->HasSyntax) {
    FExampleSyntax->DrawLine(Canvas, Rect, Index);
  } else {
    const std::string text = Control->Text(Index);
    Canvas.drawText(Rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, Q(text.size() > 5 ? text.substr(5) : ""));
  }
  if (State & odSelected) {
    Canvas.setPen(ColorToQColor(clNavy));
    Canvas.setBrush(Qt::NoBrush);
    Canvas.drawRect(Rect.adjusted(0, 0, -1, -1));
    if (Control->hasFocus()) {
      Canvas.setPen(QPen(ColorToQColor(clWindowText), 1, Qt::DotLine));
      Canvas.drawRect(Rect.adjusted(1, 1, -2, -2));
    }
  }
}

// ---- International page

bool TFrmOptions::eventFilter(QObject* Watched, QEvent* Event) {
  if (Watched == lblEmail && Event->type() == QEvent::MouseButtonRelease) lblEmailClick();
  return TRVLForm::eventFilter(Watched, Event);
}

void TFrmOptions::lblEmailClick() {
  THourglass hourglass;
  std::string error;
  if (!platform::ShellOpen(std::string("mailto:") + SupportAddress, &error))
    ShowError("Can not run 'xdg-open' - " + error);
}
