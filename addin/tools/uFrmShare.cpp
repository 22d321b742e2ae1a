#include "addin/tools/uFrmShare.h"

#include <algorithm>

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "addin/dialogs/uRVLFormFactory.h"
#include "addin/dialogs/uRVLListBox.h"
#include "addin/frame/uRVLFactory.h"
#include "addin/settings/uRVLUtils.h"
#include "addin/settings/uSpecPath.h"
#include "addin/sourcesafe/uRVLItem.h"
#include "addin/sourcesafe/uRVLProject.h"
#include "ui/StatusBar.h"

TFrmShare::TFrmShare(QObject* AOwner, VSSPtr<IVSSDatabase> Database) : TFrmTreeList(AOwner, std::move(Database)) {
  SetName("FrmShare");
  SetCaption("Share Items");
  lbFileList->SetMultiSelect(true);
  sbarTitle->Panels(0)->SetWidth(241);
  sbarTitle->Panels(1)->SetWidth(50);

  pnlShareDetails = Named(new QWidget(this), "pnlShareDetails");
  lblShare = Named(new QLabel("Share:", pnlShareDetails), "lblShare");
  lblShareSpec = Named(new QLabel(pnlShareDetails), "lblShareSpec", "Name of file or project that will be shared");
  lblWith = Named(new QLabel("With:", pnlShareDetails), "lblWith");
  lblWithSpec = Named(new QLabel(pnlShareDetails), "lblWithSpec",
                      "Name of project that the selected file will be shared into");
  for (QLabel* label : {lblShareSpec, lblWithSpec}) {
    label->setMinimumWidth(100);
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  }
  auto* details = new QGridLayout(pnlShareDetails);
  details->setContentsMargins(8, 2, 8, 2);
  details->addWidget(lblShare, 0, 0);
  details->addWidget(lblShareSpec, 0, 1);
  details->addWidget(lblWith, 1, 0);
  details->addWidget(lblWithSpec, 1, 1);
  details->setColumnStretch(1, 1);
  auto* layout = static_cast<QVBoxLayout*>(this->layout());
  layout->insertWidget(layout->count() - 1, pnlShareDetails);

  btnShare = Named(new QPushButton("&Share", pnlRight), "btnShare", "Share the selected file or project");
  btnCancel = Named(new QPushButton("Cancel", pnlRight), "btnCancel");
  btnView = Named(new QPushButton("&View", pnlRight), "btnView", "View the selected file");
  auto* right = static_cast<QVBoxLayout*>(pnlRight->layout());
  right->insertWidget(1, btnShare);
  right->insertWidget(2, btnCancel);
  right->insertWidget(3, btnView);
  btnShare->setDefault(true);
  SetDefaultButton(btnShare);
  SetCancelButton(btnCancel);
  SetButtonResult(btnCancel, mrCancel);

  connect(btnShare, &QPushButton::clicked, this, [this] { Guarded(this, [this] { btnShareClick(); }); });
  connect(btnView, &QPushButton::clicked, this, [this] { Guarded(this, [this] { btnViewClick(); }); });
  connect(lbFileList, &QListWidget::itemSelectionChanged, this, [this] { Guarded(this, [this] { UpdateDetails(); }); });
  connect(lbFileList, &QListWidget::itemDoubleClicked, this, [this] { Guarded(this, [this] { btnViewClick(); }); });
  connect(tvProjects, &QTreeWidget::currentItemChanged, this, [this] { Guarded(this, [this] { UpdateDetails(); }); });

  DragTracker = new TDragTracker(this);
  DragTracker->AddSource(lbFileList->viewport());
  DragTracker->AddSource(tvProjects->viewport());
  DragTracker->AddTarget(tvProjects->viewport());
  DragTracker->OnStartDrag = [this](QWidget* source) {
    std::unique_ptr<TDragObject> object;
    Guarded(this, [&] { object = lbFileListStartDrag(source); });
    return object;
  };
  DragTracker->OnDragOver = [this](QWidget*, QPoint pos, TDragObject* object) {
    bool accepted = false;
    Guarded(this, [&] { accepted = tvProjectsDragOver(pos, object); });
    return accepted;
  };
  DragTracker->OnDragDrop = [this](QWidget*, QPoint pos, TDragObject* object) {
    Guarded(this, [&] { tvProjectsDragDrop(pos, object); });
  };
  btnView->setEnabled(false);
}

TFrmShare::~TFrmShare() = default;

void TFrmShare::SetProject(TRVLProject* Project) {
  FProject = Project;
  UpdateDetails();
}

VSSPtr<IVSSItem> TFrmShare::ItemOf(const std::string& Path) {
  return FDatabase->VSSItem(Path.starts_with('$') ? Path : "$" + Path);
}

std::vector<std::string> TFrmShare::SelectedNames() const {
  std::vector<std::string> names;
  for (int i = 0; i < lbFileList->Count(); ++i)
    if (lbFileList->Selected(i)) names.push_back(lbFileList->Text(i));
  return names;
}

void TFrmShare::ShowShareSpec(const std::string& Spec, const std::vector<std::string>& Names) {
  const int width = lblShareSpec->width();
  if (Names.size() > 1)
    lblShareSpec->setText(Q(std::to_string(Names.size()) + " Files from " +
                            ShortenSpec(Spec, lblShareSpec->font(), width - 50)));
  else
    lblShareSpec->setText(Q(ShortenSpec(Names.empty() ? Spec : Spec + Names.front(), lblShareSpec->font(), width)));
}

void TFrmShare::UpdateDetails() {
  if (!FProject || !tvProjects->currentItem()) return;
  btnView->setEnabled(false);
  const std::vector<std::string> names = SelectedNames();
  ShowShareSpec(SelectedPath(), names);
  btnView->setEnabled(names.size() == 1);
  VSSPtr<IVSSItem> target = FProject->GetVSSProject();
  lblWithSpec->setText(target ? Q(ShortenSpec(target->Spec(), lblWithSpec->font(), lblWithSpec->width())) : QString());
}

// A drag from the list carries the selected files; one from the tree the project itself.
std::unique_ptr<TDragObject> TFrmShare::lbFileListStartDrag(QWidget* Source) {
  if (!tvProjects->currentItem()) return nullptr;
  auto object = std::make_unique<TShareObject>();
  object->Spec = SelectedPath();
  if (Source == lbFileList->viewport()) object->Names = SelectedNames();
  return object;
}

bool TFrmShare::tvProjectsDragOver(QPoint Pos, TDragObject* Source) {
  // Near the top or bottom edge the tree scrolls, a line per move.
  QScrollBar* scroll = tvProjects->verticalScrollBar();
  if (Pos.y() < 15)
    scroll->triggerAction(QAbstractSlider::SliderSingleStepSub);
  else if (Pos.y() > tvProjects->viewport()->height() - 20)
    scroll->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  QTreeWidgetItem* node = tvProjects->itemAt(Pos);
  auto* share = dynamic_cast<TShareObject*>(Source);
  if (!node || !share || NodePath(node) == share->Spec) return false;
  lblWithSpec->setText(Q(ShortenSpec(NodePath(node), lblWithSpec->font(), lblWithSpec->width())));
  ShowShareSpec(share->Spec, share->Names);
  return true;
}

void TFrmShare::tvProjectsDragDrop(QPoint Pos, TDragObject* Source) {
  QTreeWidgetItem* node = tvProjects->itemAt(Pos);
  auto* share = dynamic_cast<TShareObject*>(Source);
  if (!node || !share) return;
  const std::string target = NodePath(node);
  const bool shared =
      share->Names.empty() ? ShareProject(share->Spec, target) : ShareFiles(share->Spec, share->Names, target);
  if (shared) tvProjects->setCurrentItem(node);
  RefreshNode(node);
  UpdateDetails();
}

void TFrmShare::btnShareClick() {
  VSSPtr<IVSSItem> project = FProject ? FProject->GetVSSProject() : nullptr;
  if (!project || !tvProjects->currentItem()) return;
  const std::vector<std::string> names = SelectedNames();
  const std::string target = project->Spec();
  const bool shared =
      names.empty() ? ShareProject(SelectedPath(), target) : ShareFiles(SelectedPath(), names, target);
  // The project's node, where the tree reaches it, shows what it got.
  const std::string path = EnsureTrailingSlash(StripDollar(target));
  if (QTreeWidgetItem* node = FindNode(path); shared && node && NodePath(node) == path) RefreshNode(node);
}

bool TFrmShare::ShareProject(const std::string& Source, const std::string& Target) {
  TRVLFormPtr<TFrmShareConfirm> confirm = TRVLFormFactory::_Instance().CreateShareConfirm(
      "Do you want to share " + Source + " with " + Target + " ?", true);
  if (confirm->ShowModal() != mrYes) return false;
  FShareFlags = confirm->ChkBoxRecurse->isChecked() ? VSSFLAG_RECURSYES : VSSFLAG_RECURSNO;
  THourglass hourglass;
  return ShareItem(*ItemOf(Source), *ItemOf(Target));
}

bool TFrmShare::ShareFiles(const std::string& Source, const std::vector<std::string>& Names,
                           const std::string& Target) {
  if (Names.empty()) return false;
  const std::string question =
      Names.size() == 1 ? "Do you want to share " + Source + Names.front() + " with " + Target + " ?"
                        : "Do you want to share the " + std::to_string(Names.size()) + " selected files with " +
                              Target + " ?";
  if (TRVLFormFactory::_Instance().CreateShareConfirm(question, false)->ShowModal() != mrYes) return false;
  THourglass hourglass;
  VSSPtr<IVSSItem> target = ItemOf(Target);
  bool shared = true;
  for (const std::string& name : Names) {
    FShareFlags = VSSFLAG_RECURSNO;
    if (!(shared = ShareItem(*ItemOf(Source + name), *target))) break;
  }
  return shared;
}

bool TFrmShare::ShareItem(IVSSItem& Item, IVSSItem& Target) {
  try {
    Target.Share(&Item, "", FShareFlags);
    return true;
  } catch (const std::exception& e) {
    return ShowMessageBox("Error Sharing " + Item.Spec() + " with " + Target.Spec() + " " + e.what() + "\rContinue?",
                          MB_YESNO | MB_ICONQUESTION) == IDYES;
  }
}

void TFrmShare::btnViewClick() {
  const std::vector<std::string> names = SelectedNames();
  if (names.size() != 1 || !tvProjects->currentItem()) return;
  TRVLFactory::_Instance().CreateItemFromSpec(SelectedPath() + names.front(), FDatabase)->ViewVersion();
}

TFrmShareConfirm::TFrmShareConfirm(QObject* AOwner, const std::string& Msg, bool AllowRecurse) : TRVLForm(AOwner) {
  SetName("FrmShareConfirm");
  SetCaption("Source Safe");
  setWindowFlags(windowFlags() | Qt::Dialog);
  lblMsg = Named(new QLabel(Q(Msg), this), "lblMsg");
  // As wide as the text, up to 500 pixels; a longer text wraps and the label grows downward.
  const int textWidth = lblMsg->fontMetrics().horizontalAdvance(lblMsg->text()) + 5;
  lblMsg->setWordWrap(textWidth > 500);
  lblMsg->setFixedWidth(std::min(textWidth, 500));
  ImageQuestion = Named(new QLabel(this), "ImageQuestion");
  ImageQuestion->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(32, 32));
  ImageQuestion->setAlignment(Qt::AlignTop);
  BtnYes = Named(new QPushButton("&Yes", this), "BtnYes");
  BtnNo = Named(new QPushButton("&No", this), "BtnNo");
  ChkBoxRecurse = Named(new QCheckBox("Recurse Directories", this), "ChkBoxRecurse",
                        "Share this project and all sub projects");
  ChkBoxRecurse->setEnabled(AllowRecurse);

  auto* message = new QHBoxLayout;
  message->addWidget(ImageQuestion);
  message->addSpacing(12);
  message->addWidget(lblMsg, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(BtnYes);
  buttons->addWidget(BtnNo);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  layout->addLayout(message);
  layout->addWidget(ChkBoxRecurse);
  layout->addLayout(buttons);
  setMinimumWidth(lblMsg->width() + 100);

  BtnYes->setDefault(true);
  SetDefaultButton(BtnYes);
  SetCancelButton(BtnNo);
  SetButtonResult(BtnYes, mrYes);
  SetButtonResult(BtnNo, mrNo);
}
