#include "addin/tools/uFrmCustomDiff.h"

#include <algorithm>

#include <QAbstractItemDelegate>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/StatusBar.h"
#include "ui/VirtualKeys.h"

namespace {

// Paints a pane's rows through the list's own drawing, as the list does, but sizes them to the
// extent both panes share, so that they scroll sideways together.
class TDiffPaneDelegate : public QAbstractItemDelegate {
public:
  TDiffPaneDelegate(TRVLListBox* list, const int& extent) : QAbstractItemDelegate(list), FList(list), FExtent(extent) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    TOwnerDrawState state = 0;
    if (option.state & QStyle::State_Selected) state |= odSelected;
    if (option.state & QStyle::State_HasFocus) state |= odFocused;
    painter->save();
    FList->DrawItem(*painter, option.rect, index.row(), state);
    painter->restore();
  }

  QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
    return QSize(FExtent, FList->ItemHeight());
  }

private:
  TRVLListBox* FList;
  const int& FExtent;
};

TRVLListBox* MakePane(QWidget* parent, const char* name, const int& extent) {
  auto* pane = new TRVLListBox(parent);
  pane->setObjectName(name);
  pane->SetStyle(lbOwnerDrawFixed);
  pane->SetCheckBoxes(false);
  pane->setItemDelegate(new TDiffPaneDelegate(pane, extent));
  pane->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  return pane;
}

} // namespace

TFrmCustomDiff::TFrmCustomDiff(QObject* AOwner) : TRVLForm(AOwner) {
  SetCaption("Difference Viewer");
  setWindowFlags(Qt::Window | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
  resize(800, 560);

  PanelToolBar = new QWidget(this);
  PanelToolBar->setObjectName("PanelToolBar");
  auto* tools = new QHBoxLayout(PanelToolBar);
  tools->setContentsMargins(2, 2, 2, 2);
  tools->setSpacing(1);
  tools->addStretch();
  btnPrevDiff = AddSpeedButton("btnPrevDiff", "Previous", "Previous Difference (F6)");
  btnPrevDiff->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
  btnNextDiff = AddSpeedButton("btnNextDiff", "Next", "Next Difference (F7)");
  btnNextDiff->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
  connect(btnPrevDiff, &QToolButton::clicked, this, [this] { PrevDiff(); });
  connect(btnNextDiff, &QToolButton::clicked, this, [this] { NextDiff(); });

  stbarFileNames = new TStatusBar(this);
  stbarFileNames->setObjectName("stbarFileNames");
  stbarFileNames->AddPanel();
  stbarFileNames->AddPanel();
  stbarFileNames->setFixedHeight(stbarFileNames->fontMetrics().height() + 8);

  FPanes = new QWidget(this);
  FPanes->installEventFilter(this);
  lbLeftPane = MakePane(FPanes, "lbLeftPane", FExtent);
  lbRightPane = MakePane(FPanes, "lbRightPane", FExtent);
  for (TRVLListBox* pane : {lbLeftPane, lbRightPane}) {
    TRVLListBox* other = pane == lbLeftPane ? lbRightPane : lbLeftPane;
    pane->installEventFilter(this);
    pane->OnScroll = [other](TObject*, TWMScroll& message) { other->ReplayScroll(message); };
    connect(pane, &QListWidget::currentRowChanged, this, [this, pane, other] { Follow(pane, other); });
  }

  StatusBar = new TStatusBar(this);
  StatusBar->setObjectName("StatusBar");
  StatusBar->setFixedHeight(StatusBar->fontMetrics().height() + 8);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(PanelToolBar);
  layout->addWidget(stbarFileNames);
  layout->addWidget(FPanes, 1);
  layout->addWidget(StatusBar);
}

QToolButton* TFrmCustomDiff::AddSpeedButton(const char* name, const char* text, const char* hint, int position) {
  auto* button = new QToolButton(PanelToolBar);
  button->setObjectName(name);
  button->setText(text);
  button->setToolTip(hint);
  button->setAutoRaise(true);
  button->setFocusPolicy(Qt::NoFocus);
  auto* tools = static_cast<QHBoxLayout*>(PanelToolBar->layout());
  tools->insertWidget(position < 0 ? tools->count() - 1 : position, button);
  return button;
}

void TFrmCustomDiff::SelectRow(int Row) {
  lbLeftPane->SetItemIndex(Row);
  lbRightPane->SetItemIndex(Row);
}

void TFrmCustomDiff::GoToRow(int Row) {
  const int half = lbLeftPane->viewport()->height() / std::max(1, lbLeftPane->ItemHeight()) / 2;
  lbLeftPane->SetTopIndex(std::max(Row - half, 0));
  lbRightPane->SetTopIndex(std::max(Row - half, 0));
  SelectRow(Row);
}

void TFrmCustomDiff::EqualizeExtents(int LeftExtent, int RightExtent) {
  FExtent = std::max(LeftExtent, RightExtent);
  lbLeftPane->doItemsLayout();
  lbRightPane->doItemsLayout();
}

void TFrmCustomDiff::LayoutPanes() {
  const int half = stbarFileNames->width() / 2;
  stbarFileNames->Panels(0)->SetWidth(half);
  stbarFileNames->Panels(1)->SetWidth(half);
  const int width = std::max(half - 1, 0), height = FPanes->height();
  lbLeftPane->setGeometry(0, 0, width, height);
  lbRightPane->setGeometry(FPanes->width() - width, 0, width, height);
}

void TFrmCustomDiff::Follow(TRVLListBox* Source, TRVLListBox* Target) {
  if (FFollowing) return;
  FFollowing = true;
  Target->SetItemIndex(Source->ItemIndex());
  Target->SetTopIndex(Source->TopIndex());
  FFollowing = false;
}

bool TFrmCustomDiff::FormKeyDown(int Key, TShiftState Shift) {
  const TShiftState modifiers = Shift & (ssShift | ssAlt | ssCtrl);
  if (Key == VK_F7 && modifiers == 0) NextDiff();
  else if ((Key == VK_F7 && modifiers == ssShift) || Key == VK_F6) PrevDiff();
  else if (Key == VK_ESCAPE) Close();
  else return false;
  return true;
}

bool TFrmCustomDiff::PaneKeyDown(TRVLListBox*, int, TShiftState) { return false; }

bool TFrmCustomDiff::eventFilter(QObject* Watched, QEvent* Event) {
  if (Watched == FPanes && Event->type() == QEvent::Resize) LayoutPanes();
  if ((Watched == lbLeftPane || Watched == lbRightPane) && Event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(Event);
    const int code = VirtualKeyOf(key);
    const TShiftState shift = ShiftStateOf(key->modifiers());
    if (FormKeyDown(code, shift) || PaneKeyDown(static_cast<TRVLListBox*>(Watched), code, shift)) return true;
  }
  return TRVLForm::eventFilter(Watched, Event);
}

void TFrmCustomDiff::keyPressEvent(QKeyEvent* Event) {
  if (!FormKeyDown(VirtualKeyOf(Event), ShiftStateOf(Event->modifiers()))) TRVLForm::keyPressEvent(Event);
}

void TFrmCustomDiff::resizeEvent(QResizeEvent* Event) {
  TRVLForm::resizeEvent(Event);
  LayoutPanes();
}
