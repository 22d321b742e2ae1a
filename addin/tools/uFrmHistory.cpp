#include "addin/tools/uFrmHistory.h"

#include <QCheckBox>
#include <QDateTime>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "addin/dialogs/uRVLFormFactory.h"
#include "addin/execute/uRVLExecute.h"
#include "addin/execute/uRVLExecuteFactory.h"
#include "addin/frame/uRVLFactory.h"
#include "addin/settings/uRVLUtils.h"
#include "addin/settings/uRegWindow.h"
#include "addin/settings/uSpecPath.h"
#include "addin/sourcesafe/uRVLItem.h"
#include "addin/sourcesafe/uRVLItems.h"
#include "addin/sourcesafe/uRVLProject.h"
#include "addin/diagnostics/uRVLException.h"
#include "platform/Files.h"
#include "platform/Text.h"
#include "vss/api/VSSDate.h"
#include "vss/api/VSSFlags.h"

namespace {

QPushButton* Button(QWidget* parent, const char* name, const char* caption, const char* hint = nullptr) {
  return Named(new QPushButton(QString::fromUtf8(caption), parent), name, hint);
}

// The pictures of the file states (not checked out, checked out by someone else, checked out to
// me) and of a label: a page, marked red or green for a check-out, and a yellow tag.
const QIcon& StateImage(int Index) {
  static const std::vector<QIcon> images = [] {
    std::vector<QIcon> made;
    for (int index = 0; index < 4; ++index) {
      QPixmap pixmap(16, 16);
      pixmap.fill(Qt::transparent);
      QPainter painter(&pixmap);
      if (index == 3) {
        painter.setBrush(QColor(240, 200, 40));
        painter.setPen(QColor(120, 90, 0));
        const QPoint tag[] = {{1, 8}, {7, 2}, {14, 2}, {14, 9}, {8, 15}};
        painter.drawPolygon(tag, 5);
        painter.setBrush(Qt::white);
        painter.drawEllipse(QPoint(11, 5), 1, 1);
      } else {
        painter.setBrush(Qt::white);
        painter.setPen(QColor(90, 90, 90));
        painter.drawRect(3, 1, 10, 13);
        if (index > 0) {
          painter.setPen(Qt::NoPen);
          painter.setBrush(index == 1 ? QColor(200, 30, 30) : QColor(30, 150, 30));
          painter.drawRect(8, 8, 7, 7);
        }
      }
      made.emplace_back(pixmap);
    }
    return made;
  }();
  return images[size_t(Index)];
}

QDateTime DateOf(double VSSDate) { return QDateTime::fromSecsSinceEpoch(VSSDateToUnix(VSSDate)); }

} // namespace

TFrmHistory::TFrmHistory(QObject* Owner) : TRVLForm(Owner) {
  SetName("FrmHistory");
  SetCaption("History");
  resize(760, 420);
  lblFiles = Named(new QLabel("Files:", this), "lblFiles");
  lblHistory = Named(new QLabel("History:", this), "lblHistory");
  btnClose = Button(this, "btnClose", "Close");
  btnView = Button(this, "btnView", "Vie&w", "View the selected version");
  btnDetails = Button(this, "btnDetails", "De&tails", "Detaild information on the selected version");
  btnGet = Button(this, "btnGet", "&Get", "Get the selected version");
  btnDiff = Button(this, "btnDiff", "Di&ff",
                   "Shows differnce between the selected version and the file on disk, or between two selected "
                   "versions");
  pnlLists = Named(new QWidget(this), "pnlLists");
  Splitter = Named(new QSplitter(Qt::Horizontal, pnlLists), "Splitter");
  vlbFileList = Named(new QListWidget(Splitter), "vlbFileList", "Listof files that belong to this project");
  vlbFileList->setIconSize(QSize(16, 16));
  vlbFileList->setUniformItemSizes(true);
  lvHistory = Named(new QTreeWidget(Splitter), "lvHistory", "History of the selected file");
  lvHistory->setHeaderLabels({"Version", "User", "Date", "Action"});
  lvHistory->setRootIsDecorated(false);
  lvHistory->setUniformRowHeights(true);
  lvHistory->setSelectionMode(QAbstractItemView::ExtendedSelection);
  lvHistory->setSelectionBehavior(QAbstractItemView::SelectRows);
  lvHistory->setEditTriggers(QAbstractItemView::NoEditTriggers);
  lvHistory->setIconSize(QSize(16, 16));
  const int widths[] = {60, 65, 150, 195};
  for (int column = 0; column < 4; ++column) lvHistory->setColumnWidth(column, widths[column]);
  Splitter->addWidget(vlbFileList);
  Splitter->addWidget(lvHistory);
  Splitter->setStretchFactor(1, 1);
  connect(Splitter, &QSplitter::splitterMoved, this, [this] { FFilesWidth = Splitter->sizes().value(0); });
  (new QVBoxLayout(pnlLists))->addWidget(Splitter);
  pnlLists->layout()->setContentsMargins(0, 0, 0, 0);
  chkbLabelsOnly = Named(new QCheckBox("&Labels only", this), "chkbLabelsOnly");

  auto* titles = new QHBoxLayout;
  titles->addWidget(lblFiles);
  titles->addSpacing(140);
  titles->addWidget(lblHistory, 1);
  auto* buttons = new QVBoxLayout;
  for (QPushButton* button : {btnClose, btnView, btnDetails, btnGet, btnDiff}) buttons->addWidget(button);
  buttons->addStretch();
  auto* lists = new QVBoxLayout;
  lists->addLayout(titles);
  lists->addWidget(pnlLists, 1);
  lists->addWidget(chkbLabelsOnly);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(lists, 1);
  layout->addLayout(buttons);

  for (QPushButton* button : {btnView, btnDetails, btnGet, btnDiff}) button->setEnabled(false);
  SetCancelButton(btnClose);
  SetButtonResult(btnClose, mrOk);
  connect(btnView, &QPushButton::clicked, this, [this] { Guarded(this, [this] { btnViewClick(); }); });
  connect(btnDetails, &QPushButton::clicked, this, [this] { Guarded(this, [this] { btnDetailsClick(); }); });
  connect(btnGet, &QPushButton::clicked, this, [this] { Guarded(this, [this] { btnGetClick(); }); });
  connect(btnDiff, &QPushButton::clicked, this, [this] { Guarded(this, [this] { btnDiffClick(); }); });
  connect(lvHistory, &QTreeWidget::itemSelectionChanged, this, [this] { UpdateButtons(); });
  connect(lvHistory, &QTreeWidget::itemDoubleClicked, this, [this] { Guarded(this, [this] { btnDetailsClick(); }); });
  // Another file row (by click or key) or the filter loads the history of the file row.
  connect(vlbFileList, &QListWidget::currentRowChanged, this, [this] { Guarded(this, [this] { LoadHistory(); }); });
  connect(chkbLabelsOnly, &QCheckBox::clicked, this, [this] { Guarded(this, [this] { LoadHistory(); }); });
}

TFrmHistory::~TFrmHistory() = default;

void TFrmHistory::LoadWindowPlacement() {
  TRVLForm::LoadWindowPlacement();
  {
    const QSignalBlocker detached(chkbLabelsOnly);
    chkbLabelsOnly->setChecked(RegWindow().ReadControlInteger(this, "LabelsOnly", chkbLabelsOnly->isChecked()) != 0);
  }
  for (int column = 0; column < lvHistory->columnCount(); ++column)
    lvHistory->setColumnWidth(column, RegWindow().ReadControlInteger(this, "ColumnWidth" + std::to_string(column),
                                                                     lvHistory->columnWidth(column)));
  FFilesWidth = std::max(RegWindow().ReadControlInteger(this, "FilesWidth", FFilesWidth), 40);
}

// The splitter lays out its lists only once the window has its size.
void TFrmHistory::showEvent(QShowEvent* Event) {
  TRVLForm::showEvent(Event);
  Splitter->setSizes({FFilesWidth, std::max(Splitter->width() - FFilesWidth, 100)});
}

void TFrmHistory::SaveWindowPlacement() {
  TRVLForm::SaveWindowPlacement();
  RegWindow().WriteControlInteger(this, "LabelsOnly", chkbLabelsOnly->isChecked() ? 1 : 0);
  for (int column = 0; column < lvHistory->columnCount(); ++column)
    RegWindow().WriteControlInteger(this, "ColumnWidth" + std::to_string(column), lvHistory->columnWidth(column));
  RegWindow().WriteControlInteger(this, "FilesWidth", FFilesWidth);
}

bool TFrmHistory::DoShowHint(std::string& HintStr, bool& CanShow, THintInfo& HintInfo) {
  if (!TRVLForm::DoShowHint(HintStr, CanShow, HintInfo)) return false;
  if (HintInfo.HintControl == vlbFileList) RowHint(vlbFileList, 16 + 16, 16 + 4, HintStr, HintInfo);
  return true;
}

void TFrmHistory::FillFileList() {
  const std::string base = FProject ? platform::ExtractFileDir(FProject->FileName()) : std::string();
  vlbFileList->clear();
  for (int i = 0; i < FItems->Count(); ++i) {
    TRVLItem* item = FItems->GetItem(i);
    VSSPtr<IVSSItem> vssItem = item->GetVSSItem();
    const int state = vssItem ? std::clamp(int(vssItem->IsCheckedOut()), 0, 2) : 0;
    const std::string text = base.empty() ? item->GetLocalSpec() : platform::ExtractRelativePath(base, item->GetLocalSpec());
    auto* row = new QListWidgetItem(StateImage(state), Q(text), vlbFileList);
    row->setData(Qt::UserRole, state);
  }
}

void TFrmHistory::SetFiles(TRVLItems* Items, TRVLProject* Project) {
  FItems = Items;
  FProject = Project;
  FillFileList();
  UpdateButtons();
}

void TFrmHistory::SelectFile(TRVLItems* Files) {
  if (Files && Files->Count() > 0) {
    const std::string base = FProject ? platform::ExtractFileDir(FProject->FileName()) : std::string();
    const std::string local = Files->GetItem(0)->GetLocalSpec();
    const QString wanted = Q(base.empty() ? local : platform::ExtractRelativePath(base, local));
    int found = 0;
    for (int row = 0; row < vlbFileList->count(); ++row)
      if (vlbFileList->item(row)->text().compare(wanted, Qt::CaseInsensitive) == 0) {
        found = row;
        break;
      }
    if (found < vlbFileList->count()) {
      const QSignalBlocker loadedBelow(vlbFileList);
      vlbFileList->setCurrentRow(found);
      vlbFileList->scrollToItem(vlbFileList->item(found), QAbstractItemView::PositionAtTop);
    }
  }
  if (vlbFileList->currentRow() < 0 && vlbFileList->count() > 0) {
    const QSignalBlocker loadedBelow(vlbFileList);
    vlbFileList->setCurrentRow(0);
  }
  LoadHistory();
}

void TFrmHistory::LoadHistory() {
  lvHistory->clear();
  FVersions.clear();
  FFile = nullptr;
  const int row = vlbFileList->currentRow();
  if (!FItems || row < 0 || row >= FItems->Count()) return;
  TRVLItem* item = FItems->GetItem(row);
  THourglass hourglass;
  VSSPtr<IVSSItem> vssItem = item->GetVSSItem();
  if (!vssItem) throw ERVLException("Can not show history for this file");
  FFile = vssItem;
  VSSPtr<IVSSVersions> versions;
  try {
    versions = vssItem->Versions(VSSFLAG_RECURSNO);
  } catch (const EVSSAutomation&) {
    throw ERVLException("Can not show history for this file");
  }
  lvHistory->setUpdatesEnabled(false);
  versions->Reset();
  IVSSVersion* next = nullptr;
  const std::string spec = vssItem->Spec();
  while (versions->Next(&next)) {
    VSSPtr<IVSSVersion> version(next);
    if (!chkbLabelsOnly->isChecked() || !platform::SameText(version->VSSItem()->Spec(), spec) ||
        !version->Label().empty())
      AddVersion(spec, version);
  }
  lvHistory->setUpdatesEnabled(true);
  lblHistory->setText(Q("History of: " + item->GetSpec() + " " + std::to_string(lvHistory->topLevelItemCount()) +
                        " Items"));
  UpdateButtons();
}

void TFrmHistory::AddVersion(const std::string& Spec, VSSPtr<IVSSVersion> Version) {
  const bool onProject = !platform::SameText(Version->VSSItem()->Spec(), Spec);
  auto* row = new QTreeWidgetItem(lvHistory);
  row->setText(0, onProject ? QString() : QString::number(Version->VersionNumber()));
  if (onProject || !Version->Label().empty()) row->setIcon(0, StateImage(3));
  row->setText(1, Q(Version->Username()));
  row->setText(2, QLocale::system().toString(DateOf(Version->Date()), QLocale::ShortFormat));
  row->setText(3, Q(Version->Action()));
  FVersions.push_back(std::move(Version));
}

std::vector<int> TFrmHistory::SelectedRows() const {
  std::vector<int> rows;
  for (int row = 0; row < lvHistory->topLevelItemCount(); ++row)
    if (lvHistory->topLevelItem(row)->isSelected()) rows.push_back(row);
  return rows;
}

void TFrmHistory::UpdateButtons() {
  const size_t selected = SelectedRows().size();
  for (QPushButton* button : {btnView, btnDetails, btnGet}) button->setEnabled(selected == 1);
  btnDiff->setEnabled(selected == 1 || selected == 2);
}

VSSPtr<IVSSVersion> TFrmHistory::SelectedVersion() const {
  const std::vector<int> rows = SelectedRows();
  return rows.empty() ? VSSPtr<IVSSVersion>() : FVersions[size_t(rows.front())];
}

void TFrmHistory::MoveSelection(int Delta) {
  const std::vector<int> rows = SelectedRows();
  const int from = rows.empty() ? 0 : rows.front(), to = from + Delta;
  if (!rows.empty() && to >= 0 && to < lvHistory->topLevelItemCount()) {
    lvHistory->clearSelection();
    QTreeWidgetItem* row = lvHistory->topLevelItem(to);
    lvHistory->setCurrentItem(row);
    row->setSelected(true);
    lvHistory->setFocus();
    lvHistory->scrollToItem(row);
  }
  lvHistory->viewport()->update();
}

// A label set on a project holding the file stands for the file as of that label.
std::unique_ptr<TRVLItem> TFrmHistory::VersionItem(int Row) const {
  const VSSPtr<IVSSVersion>& version = FVersions[size_t(Row)];
  VSSPtr<IVSSItem> item = version->VSSItem();
  if (FFile && !platform::SameText(item->Spec(), FFile->Spec())) item = FFile->Version(version->Label());
  return TRVLFactory::_Instance().CreateItemFromVSS(item, FProject ? FProject->GetDatabase() : VSSPtr<IVSSDatabase>());
}

void TFrmHistory::btnViewClick() {
  const std::vector<int> rows = SelectedRows();
  if (rows.size() == 1) VersionItem(rows[0])->ViewVersion();
}

void TFrmHistory::btnDetailsClick() {
  if (SelectedRows().empty()) return;
  TRVLFormPtr<TFrmHistoryDetails> details = TRVLFormFactory::_Instance().CreateHistoryDetails(this);
  details->move(pos() + QPoint(210, 72));
  details->ShowModal();
}

void TFrmHistory::btnGetClick() {
  const std::vector<int> rows = SelectedRows();
  if (rows.size() != 1) return;
  THourglass hourglass;
  std::unique_ptr<TRVLItems> list = TRVLFactory::_Instance().CreateItems();
  list->Add(VersionItem(rows[0]));
  std::unique_ptr<TRVLExecute> executor = TRVLExecuteFactory::_Instance().CreateGet();
  executor->SetItems(list.get());
  executor->Execute("", nullptr);
}

// Two versions: the older (lower) one on the left.
void TFrmHistory::btnDiffClick() {
  const std::vector<int> rows = SelectedRows();
  if (rows.size() == 1) VersionItem(rows[0])->ShowDifference();
  else if (rows.size() == 2) VersionItem(rows[1])->CompareWith(VersionItem(rows[0]).get());
}

TFrmHistoryDetails::TFrmHistoryDetails(QObject* Owner, TFrmHistory* History) : TRVLForm(Owner), FHistory(History) {
  SetName("FrmHistoryDetails");
  SetCaption("History Details");
  setWindowFlags(windowFlags() | Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
  lblFile = Named(new QLabel("File:", this), "lblFile");
  lblVersion = Named(new QLabel("Version:", this), "lblVersion");
  lblDate = Named(new QLabel("Date:", this), "lblDate");
  lblUser = Named(new QLabel("User:", this), "lblUser");
  lblLabel = Named(new QLabel("Label:", this), "lblLabel");
  lblFileStr = Named(new QLabel(this), "lblFileStr", "Name and path to the file");
  lblFileStr->setFixedWidth(320);
  lblVersionStr = Named(new QLabel(this), "lblVersionStr", "Version number");
  lblDateStr = Named(new QLabel(this), "lblDateStr", "Date in which this file was created");
  lblUserStr = Named(new QLabel(this), "lblUserStr", "Name of the user who created this version");
  lblLabelStr = Named(new QLabel(this), "lblLabelStr", "Label that was attached to this version");
  edAction = Named(new QLineEdit(this), "edAction", "Operation that created this version");
  memComment = Named(new QPlainTextEdit(this), "memComment", "Comment that was entered when this version was created");
  for (QWidget* box : std::initializer_list<QWidget*>{edAction, memComment}) {
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    box->setPalette(palette);
  }
  edAction->setReadOnly(true);
  memComment->setReadOnly(true);
  memComment->setFixedHeight(90);
  lblComment = Named(new QLabel("Co&mment", this), "lblComment");
  lblComment->setBuddy(memComment);
  btnClose = Button(this, "btnClose", "&Close");
  btnNext = Button(this, "btnNext", "&Next", "Go to the next version");
  btnPrev = Button(this, "btnPrev", "&Previous", "Go to the previous version");

  auto* grid = new QGridLayout;
  QLabel* captions[] = {lblFile, lblVersion, lblDate, lblUser, lblLabel};
  QLabel* values[] = {lblFileStr, lblVersionStr, lblDateStr, lblUserStr, lblLabelStr};
  for (int row = 0; row < 5; ++row) {
    grid->addWidget(captions[row], row, 0);
    grid->addWidget(values[row], row, 1);
  }
  grid->addWidget(edAction, 5, 0, 1, 2);
  grid->addWidget(lblComment, 6, 0, 1, 2);
  grid->addWidget(memComment, 7, 0, 1, 2);
  auto* buttons = new QVBoxLayout;
  for (QPushButton* button : {btnClose, btnNext, btnPrev}) buttons->addWidget(button);
  buttons->addStretch();
  auto* layout = new QHBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  layout->addLayout(grid);
  layout->addLayout(buttons);

  btnNext->setDefault(true);
  SetDefaultButton(btnNext);
  SetCancelButton(btnClose);
  SetButtonResult(btnClose, mrOk);
  connect(btnNext, &QPushButton::clicked, this, [this] {
    FHistory->MoveSelection(-1);
    ShowVersion();
  });
  connect(btnPrev, &QPushButton::clicked, this, [this] {
    FHistory->MoveSelection(+1);
    ShowVersion();
  });
  ShowVersion();
}

TFrmHistoryDetails::~TFrmHistoryDetails() = default;

void TFrmHistoryDetails::ShowVersion() {
  VSSPtr<IVSSVersion> version = FHistory->SelectedVersion();
  if (!version) return;
  lblFileStr->setText(Q(ShortenSpec(version->VSSItem()->Spec(), lblFileStr->font(), lblFileStr->width())));
  lblVersionStr->setText(QString::number(version->VersionNumber()));
  lblDateStr->setText(QLocale::system().toString(DateOf(version->Date()).date(), QLocale::ShortFormat));
  lblUserStr->setText(Q(version->Username()));
  lblLabelStr->setText(Q(version->Label()));
  edAction->setText(Q(version->Action()));
  memComment->setPlainText(Q(version->Comment()));
}
