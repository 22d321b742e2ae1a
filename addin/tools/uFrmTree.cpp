#include "addin/tools/uFrmTree.h"

#include <QEvent>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QResizeEvent>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "addin/dialogs/uRVLListBox.h"
#include "addin/frame/uRVLFactory.h"
#include "addin/settings/uRVLUtils.h"
#include "addin/settings/uRegWindow.h"
#include "addin/settings/uSpecPath.h"
#include "addin/sourcesafe/uRVLLogin.h"
#include "ui/StatusBar.h"
#include "ui/VirtualKeys.h"

namespace {

std::string S(const QString& text) { return text.toStdString(); }

QPixmap Canvas() {
  QPixmap image(16, 16);
  image.fill(Qt::transparent);
  return image;
}

} // namespace

QIcon FolderIcon(bool Open) {
  QPixmap image = Canvas();
  QPainter painter(&image);
  painter.setPen(QColor(128, 96, 0));
  painter.setBrush(QColor(240, 200, 80));
  painter.drawRect(1, 3, 6, 2);                 // the tab
  if (Open) {
    painter.drawRect(1, 5, 12, 8);
    painter.setBrush(QColor(255, 230, 140));
    painter.drawPolygon(QPolygon({QPoint(3, 8), QPoint(15, 8), QPoint(13, 13), QPoint(1, 13)}));
  } else {
    painter.drawRect(1, 5, 13, 8);
  }
  return QIcon(image);
}

QIcon FileStatusIcon(int Status) {
  QPixmap image = Canvas();
  QPainter painter(&image);
  painter.setPen(QColor(64, 64, 64));
  painter.setBrush(Qt::white);
  painter.drawPolygon(QPolygon({QPoint(3, 1), QPoint(10, 1), QPoint(13, 4), QPoint(13, 14), QPoint(3, 14)}));
  painter.setPen(QColor(160, 160, 160));
  for (int y = 5; y <= 11; y += 3) painter.drawLine(5, y, 11, y);
  // A check mark for a file out to someone, red for another user, green for this one; a cross for
  // a deleted file.
  if (Status == 1 || Status == 2) {
    painter.setPen(QPen(Status == 1 ? QColor(200, 0, 0) : QColor(0, 140, 0), 2));
    painter.drawPolyline(QPolygon({QPoint(6, 9), QPoint(9, 13), QPoint(15, 4)}));
  } else if (Status == 3) {
    painter.setPen(QPen(QColor(200, 0, 0), 2));
    painter.drawLine(5, 6, 12, 13);
    painter.drawLine(12, 6, 5, 13);
  }
  return QIcon(image);
}

TFrmTree::TFrmTree(QObject* AOwner, VSSPtr<IVSSDatabase> Database) : TRVLForm(AOwner), FDatabase(std::move(Database)) {
  SetName("FrmTree");
  SetCaption("FrmTree");
  setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint);
  resize(560, 380);
  imglFolders[0] = FolderIcon(false);
  imglFolders[1] = FolderIcon(true);
  // A node shows the open folder while it is selected.
  FNodeIcon = imglFolders[0];
  FNodeIcon.addPixmap(imglFolders[1].pixmap(16, 16), QIcon::Selected);

  pnlTop = new QWidget(this);
  pnlTop->setObjectName("pnlTop");
  pnlLeft = new QWidget(this);
  pnlLeft->setObjectName("pnlLeft");
  pnlLeft->setFixedWidth(4);
  pnlRight = new QWidget(this);
  pnlRight->setObjectName("pnlRight");
  pnlProjects = new QWidget(this);
  pnlProjects->setObjectName("pnlProjects");
  pnlProjectsTop = new QWidget(pnlProjects);
  pnlProjectsTop->setObjectName("pnlProjectsTop");
  lblProjects = new QLabel("Projects:", pnlProjectsTop);
  lblProjects->setObjectName("lblProjects");
  tvProjects = new QTreeWidget(pnlProjects);
  tvProjects->setObjectName("tvProjects");
  tvProjects->setHeaderHidden(true);
  tvProjects->setColumnCount(1);
  tvProjects->setEditTriggers(QAbstractItemView::NoEditTriggers);
  tvProjects->installEventFilter(this);
  btnDataBase = new QPushButton("&Database..", pnlRight);
  btnDataBase->setObjectName("btnDataBase");
  btnDataBase->setToolTip("Change to another database");
  btnDataBase->hide();
  sbarStatus = new TStatusBar(this);
  sbarStatus->setObjectName("sbarStatus");
  sbarStatus->SetSimplePanel(true);
  sbarStatus->setFixedHeight(sbarStatus->fontMetrics().height() + 8);

  auto* projectsTop = new QHBoxLayout(pnlProjectsTop);
  projectsTop->setContentsMargins(2, 2, 2, 2);
  projectsTop->addWidget(lblProjects);
  auto* projects = new QVBoxLayout(pnlProjects);
  projects->setContentsMargins(0, 0, 0, 0);
  projects->setSpacing(0);
  projects->addWidget(pnlProjectsTop);
  projects->addWidget(tvProjects);
  auto* right = new QVBoxLayout(pnlRight);
  right->setContentsMargins(4, 0, 4, 0);
  right->addWidget(btnDataBase);
  right->addStretch();

  FLists = new QSplitter(Qt::Horizontal, this);
  FLists->setChildrenCollapsible(false);
  FLists->addWidget(pnlProjects);
  auto* body = new QHBoxLayout;
  body->setContentsMargins(0, 0, 0, 0);
  body->setSpacing(0);
  body->addWidget(pnlLeft);
  body->addWidget(FLists, 1);
  body->addWidget(pnlRight);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  layout->addWidget(pnlTop);
  layout->addLayout(body, 1);
  layout->addWidget(sbarStatus);

  connect(tvProjects, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* node) {
    Guarded(this, [&] { tvProjectsExpanding(node); });
  });
  connect(btnDataBase, &QPushButton::clicked, this, [this] { Guarded(this, [this] { btnDataBaseClick(); }); });

  FLastWidth = width();
  FLastHeight = height();
  // Only after creation: laying the form out is no resize of the user's.
  FResizeAttached = true;
}

TFrmTree::~TFrmTree() = default;

void TFrmTree::resizeEvent(QResizeEvent* Event) {
  TRVLForm::resizeEvent(Event);
  if (!FResizeAttached) return;
  const int dWidth = width() - FLastWidth;
  const int dHeight = height() - FLastHeight;
  FLastWidth = width();
  FLastHeight = height();
  Guarded(this, [&] { Resized(dWidth, dHeight); });
}

void TFrmTree::Resized(int, int) {}

std::string TFrmTree::GetStartProject() { return StripDollar(FDatabase->CurrentProject()); }

std::string TFrmTree::NodePath(const QTreeWidgetItem* Node) {
  std::string path;
  for (; Node; Node = Node->parent()) {
    const std::string text = S(Node->text(0));
    path = text == "/" ? "/" + path : text + "/" + path;
  }
  return path;
}

std::string TFrmTree::SelectedPath() const {
  QTreeWidgetItem* node = tvProjects->currentItem();
  return node ? NodePath(node) : std::string();
}

VSSPtr<IVSSItem> TFrmTree::ItemOfPath(const std::string& Path, bool ShowErrors) {
  if (!FDatabase || Path.empty()) return nullptr;
  try {
    return FDatabase->VSSItem("$" + Path);
  } catch (const std::exception& e) {
    if (ShowErrors) ShowError(e.what());
    return nullptr;
  }
}

void TFrmTree::LoadChildren(QTreeWidgetItem* Node) {
  if (!Node || Node->childCount() > 0) return;
  VSSPtr<IVSSItem> project = ItemOfPath(NodePath(Node), true);
  if (!project) return;
  VSSPtr<IVSSItems> items = project->Items(false);
  QList<QTreeWidgetItem*> children;
  for (int32_t i = 1, count = items->Count(); i <= count; ++i) {
    VSSPtr<IVSSItem> entry = items->Item(i);
    if (entry->Type() != VSSITEM_PROJECT) continue;
    auto* child = new QTreeWidgetItem(QStringList(Q(entry->Name())));
    child->setIcon(0, FNodeIcon);
    children.push_back(child);
  }
  Node->addChildren(children);
}

void TFrmTree::tvProjectsExpanding(QTreeWidgetItem* Node) {
  if (Node->childCount() == 0) return;
  THourglass hourglass;
  for (int i = 0; i < Node->childCount(); ++i) LoadChildren(Node->child(i));
}

void TFrmTree::RefreshNode(QTreeWidgetItem* Node) {
  if (!Node) return;
  THourglass hourglass;
  const bool expanded = Node->isExpanded();
  tvProjects->setUpdatesEnabled(false);
  for (QTreeWidgetItem* child : Node->takeChildren()) delete child;
  LoadChildren(Node);
  if (expanded) Node->setExpanded(true);
  tvProjects->setUpdatesEnabled(true);
}

void TFrmTree::LoadTree(const std::string& Spec) {
  std::string name;
  try {
    name = StripDollar(FDatabase->VSSItem(Spec.starts_with('$') ? Spec : "$" + Spec)->Spec());
  } catch (const std::exception& e) {
    ShowError(e.what());
    return;
  }
  {
    THourglass hourglass;
    tvProjects->setUpdatesEnabled(false);
    tvProjects->setCurrentItem(nullptr);
    tvProjects->clear();
    auto* root = new QTreeWidgetItem(QStringList(Q(name)));
    root->setIcon(0, FNodeIcon);
    tvProjects->addTopLevelItem(root);
    tvProjects->setUpdatesEnabled(true);
    LoadChildren(root);
  }
  QTreeWidgetItem* start = FindNode(GetStartProject());
  if (!start) start = tvProjects->topLevelItem(0);
  tvProjects->setCurrentItem(start);
  start->setExpanded(true);
}

QTreeWidgetItem* TFrmTree::FindNode(const std::string& Path) {
  QTreeWidgetItem* root = tvProjects->topLevelItem(0);
  std::string path = Path;
  if (path.size() > 1 && path.back() == '/') path.pop_back();
  if (!root || path.empty() || path == "/") return root;
  // Below the root of a tree that starts lower than "/", paths are still full paths.
  const std::string rootPath = NodePath(root);
  if (EnsureTrailingSlash(path) == rootPath) return root;
  if (!EnsureTrailingSlash(path).starts_with(rootPath)) return root;
  QTreeWidgetItem* parent = FindNode(SpecParent(path));
  LoadChildren(parent);
  const QString name = Q(SpecName(path));
  for (int i = 0; i < parent->childCount(); ++i)
    if (parent->child(i)->text(0).compare(name, Qt::CaseInsensitive) == 0) return parent->child(i);
  return parent;
}

bool TFrmTree::btnDataBaseClick() {
  VSSPtr<IVSSDatabase> database = TRVLFactory::_Instance().CreateLogin()->LoginWithDialog();
  if (!database) return false;
  FDatabase = database;
  LoadTree("/");
  return true;
}

bool TFrmTree::tvProjectsKeyDown(int Key) {
  if (Key != VK_F5) return false;
  RefreshNode(tvProjects->currentItem());
  return true;
}

bool TFrmTree::eventFilter(QObject* Watched, QEvent* Event) {
  if (Watched == tvProjects && Event->type() == QEvent::KeyPress) {
    bool used = false;
    Guarded(this, [&] { used = tvProjectsKeyDown(VirtualKeyOf(static_cast<QKeyEvent*>(Event))); });
    if (used) return true;
  }
  return TRVLForm::eventFilter(Watched, Event);
}

TFrmTreeList::TFrmTreeList(QObject* AOwner, VSSPtr<IVSSDatabase> Database) : TFrmTree(AOwner, std::move(Database)) {
  SetName("FrmTreeList");
  imglFiles[0] = FileStatusIcon(0);
  imglFiles[1] = FileStatusIcon(1);
  imglFiles[2] = FileStatusIcon(2);
  Splitter = FLists;
  Splitter->setObjectName("Splitter");

  auto* files = new QWidget(this);
  sbarTitle = new TStatusBar(files);
  sbarTitle->setObjectName("sbarTitle");
  sbarTitle->AddPanel();
  sbarTitle->AddPanel();
  sbarTitle->setFixedHeight(sbarTitle->fontMetrics().height() + 8);
  lbFileList = new TRVLListBox(files);
  lbFileList->setObjectName("lbFileList");
  lbFileList->SetStyle(lbOwnerDrawFixed);
  lbFileList->SetItemHeight(16);
  SetShowHintOf(lbFileList, true);
  lbFileList->OnDrawItem = [this](TRVLListBox* control, int index, QPainter& canvas, const QRect& rect,
                                  TOwnerDrawState state) {
    const QPalette& palette = control->palette();
    canvas.fillRect(rect, palette.color(state & odSelected ? QPalette::Highlight : QPalette::Base));
    const int status = static_cast<int>(control->ItemData(index));
    imglFiles[status >= 0 && status <= 2 ? status : 0].paint(&canvas, rect.left() + 2, rect.top(), 16, 16);
    canvas.setPen(palette.color(state & odSelected ? QPalette::HighlightedText : QPalette::Text));
    canvas.drawText(rect.adjusted(16 + 6, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, Q(control->Text(index)));
  };
  auto* layout = new QVBoxLayout(files);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(lbFileList);
  // The title spans tree and list, above both.
  static_cast<QVBoxLayout*>(this->layout())->insertWidget(1, sbarTitle);
  Splitter->addWidget(files);

  connect(Splitter, &QSplitter::splitterMoved, this, [this] { Guarded(this, [this] { UpdateTitle(); }); });
  connect(tvProjects, &QTreeWidget::currentItemChanged, this, [this] { Guarded(this, [this] { tvProjectsChange(); }); });
  UpdateTitle();
}

void TFrmTreeList::Resized(int, int) { UpdateTitle(); }

void TFrmTreeList::UpdateTitle() {
  TStatusPanel* panel = sbarTitle->Panels(0);
  panel->SetWidth(pnlLeft->width() + pnlProjects->width() + Splitter->handleWidth() / 2);
  panel->SetText(ShortenSpec(SelectedPath(), sbarTitle->font(), panel->Width() - 8));
}

void TFrmTreeList::tvProjectsChange() {
  UpdateTitle();
  FillFileList();
}

void TFrmTreeList::FillFileList() {
  THourglass hourglass;
  lbFileList->setUpdatesEnabled(false);
  lbFileList->Clear();
  if (VSSPtr<IVSSItem> project = ItemOfPath(SelectedPath(), false)) {
    try {
      VSSPtr<IVSSItems> items = project->Items(false);
      for (int32_t i = 1, count = items->Count(); i <= count; ++i) {
        VSSPtr<IVSSItem> entry = items->Item(i);
        if (entry->Type() != VSSITEM_FILE) continue;
        lbFileList->SetItemData(lbFileList->Add(entry->Name()), entry->IsCheckedOut());
      }
    } catch (const std::exception&) {
      // A project whose files can't be read shows none.
      lbFileList->Clear();
    }
  }
  lbFileList->setUpdatesEnabled(true);
}

// A name too wide for the list shows in full over its row.
bool TFrmTreeList::DoShowHint(std::string& HintStr, bool& CanShow, THintInfo& HintInfo) {
  if (!TFrmTree::DoShowHint(HintStr, CanShow, HintInfo)) return false;
  if (HintInfo.HintControl == lbFileList) RowHint(lbFileList, 16 + 25, 16 + 4, HintStr, HintInfo);
  return true;
}

void TFrmTreeList::LoadWindowPlacement() {
  TFrmTree::LoadWindowPlacement();
  const int width = RegWindow().ReadControlInteger(this, "FileListWidth", 0);
  if (width > 0) Splitter->setSizes({std::max(1, Splitter->width() - width), width});
}

void TFrmTreeList::SaveWindowPlacement() {
  TFrmTree::SaveWindowPlacement();
  RegWindow().WriteControlInteger(this, "FileListWidth", lbFileList->width());
}
