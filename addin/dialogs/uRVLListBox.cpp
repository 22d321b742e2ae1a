#include "addin/dialogs/uRVLListBox.h"

#include <algorithm>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyledItemDelegate>

#include "ui/Graphics.h"

namespace {

// The item role that holds an item's TVssListDataWrapper.
constexpr int WrapperRole = Qt::UserRole + 0x5256;

// Paints every row through the list's own drawing and gives rows the list's item height (and,
// while the extent follows the strings, the widest string's width).
class TRVLListBoxDelegate : public QStyledItemDelegate {
public:
  explicit TRVLListBoxDelegate(TRVLListBox* list) : QStyledItemDelegate(list), FList(list) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    TOwnerDrawState state = 0;
    if (option.state & QStyle::State_Selected) state |= odSelected;
    if (option.state & QStyle::State_HasFocus) state |= odFocused;
    if (!FList->ItemEnabled(index.row())) state |= odDisabled;
    painter->save();
    FList->DrawItem(*painter, option.rect, index.row(), state);
    painter->restore();
  }

  QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
    int width = FList->HScrollBar() ? FList->HorizontalExtent() + (FList->CheckBoxes() ? TRVLListBox::CheckWidth() : 0) : 0;
    return QSize(width, FList->ItemHeight());
  }

private:
  TRVLListBox* FList;
};

} // namespace

TRVLListBox::TRVLListBox(QWidget* parent) : QListWidget(parent) {
  setItemDelegate(new TRVLListBoxDelegate(this));
  setUniformItemSizes(true);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  UpdateItemHeight();
  connect(model(), &QAbstractItemModel::rowsInserted, this,
          [this](const QModelIndex&, int first, int last) { MeasureRows(first, last); });
  connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int v) { Scrolled(WM_VSCROLL, v); });
  connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, [this](int v) { Scrolled(WM_HSCROLL, v); });
  connect(this, &QAbstractItemView::clicked, this, [this] { if (OnClick) OnClick(this); });
  connect(this, &QAbstractItemView::doubleClicked, this, [this] { if (OnDblClick) OnDblClick(this); });
}

int TRVLListBox::CheckWidth() {
  // The system's check box size, read once.
  static const int width = QApplication::style()->pixelMetric(QStyle::PM_IndicatorWidth) + 2;
  return width;
}

int TRVLListBox::Add(const std::string& text) {
  addItem(QString::fromStdString(text));
  return count() - 1;
}

void TRVLListBox::Insert(int index, const std::string& text) { insertItem(index, QString::fromStdString(text)); }

void TRVLListBox::Delete(int index) { delete takeItem(index); }

std::string TRVLListBox::Text(int index) const {
  const QListWidgetItem* it = item(index);
  return it ? it->text().toStdString() : std::string();
}

TVssListDataWrapper TRVLListBox::Wrapper(int index) const {
  const QListWidgetItem* it = item(index);
  if (!it) return {};
  const QVariant slot = it->data(WrapperRole);
  // A slot holding anything else reads as no wrapper.
  return slot.metaType() == QMetaType::fromType<TVssListDataWrapper>() ? slot.value<TVssListDataWrapper>()
                                                                       : TVssListDataWrapper{};
}

void TRVLListBox::SetWrapper(int index, const TVssListDataWrapper& wrapper) {
  if (QListWidgetItem* it = item(index)) it->setData(WrapperRole, QVariant::fromValue(wrapper));
}

int TRVLListBox::State(int index) const { return Wrapper(index).FState; }

void TRVLListBox::SetState(int index, int state) {
  TVssListDataWrapper wrapper = Wrapper(index);
  if (!wrapper.FEnabled) return;
  wrapper.FState = uint8_t(state);
  SetWrapper(index, wrapper);
}

bool TRVLListBox::ItemEnabled(int index) const { return Wrapper(index).FEnabled; }

void TRVLListBox::SetItemEnabled(int index, bool enabled) {
  TVssListDataWrapper wrapper = Wrapper(index);
  wrapper.FEnabled = enabled;
  SetWrapper(index, wrapper);
}

intptr_t TRVLListBox::ItemData(int index) const { return Wrapper(index).FData; }

void TRVLListBox::SetItemData(int index, intptr_t data) {
  TVssListDataWrapper wrapper = Wrapper(index);
  wrapper.FData = data;
  SetWrapper(index, wrapper);
}

int TRVLListBox::ChkCount() const {
  int checked = 0;
  for (int i = 0; i < count(); ++i) checked += Checked(i) ? 1 : 0;
  return checked;
}

void TRVLListBox::SetCheckBoxes(bool show) {
  if (show == FCheckBoxes) return;
  FCheckBoxes = show;
  doItemsLayout();
}

void TRVLListBox::SetHScrollBar(bool follow) {
  if (follow == FHScrollBar) return;
  FHScrollBar = follow;
  setHorizontalScrollBarPolicy(follow ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
  // The strings already in the list count as added now.
  if (follow && count() > 0) MeasureRows(0, count() - 1);
  doItemsLayout();
}

void TRVLListBox::SetStyle(TListBoxStyle style) {
  FStyle = style;
  UpdateItemHeight();
}

void TRVLListBox::SetItemHeight(int height) {
  if (FStyle == lbStandard || height <= 0) return;
  FItemHeight = height;
  doItemsLayout();
}

void TRVLListBox::SetMultiSelect(bool multi) {
  setSelectionMode(multi ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
}

void TRVLListBox::SetSorted(bool sorted) {
  setSortingEnabled(sorted);
  if (sorted) sortItems();
}

bool TRVLListBox::Selected(int index) const {
  const QListWidgetItem* it = item(index);
  return it && it->isSelected();
}

void TRVLListBox::SetSelected(int index, bool selected) {
  if (QListWidgetItem* it = item(index)) it->setSelected(selected);
}

int TRVLListBox::TopIndex() const { return verticalScrollBar()->value(); }

void TRVLListBox::SetTopIndex(int index) {
  // Set by the program, not scrolled by the user: no OnScroll.
  FReplaying = true;
  verticalScrollBar()->setValue(index);
  FReplaying = false;
}

void TRVLListBox::Toggle(int index) {
  if (index < 0 || index >= count()) return;
  const int state = State(index);
  SetState(index, state == 0 ? (FAllowGrayed ? 2 : 1) : state == 1 ? 0 : 1);
  viewport()->repaint(visualRect(model()->index(index, 0)));
  if (OnClickCheck) OnClickCheck(this);
}

void TRVLListBox::mousePressEvent(QMouseEvent* event) {
  QListWidget::mousePressEvent(event);
  const QPoint point = event->position().toPoint();
  const QModelIndex index = indexAt(point);
  if (index.isValid() && point.x() - visualRect(index).left() < CheckWidth()) Toggle(index.row());
}

void TRVLListBox::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Space) {
    std::vector<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedIndexes()) rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    for (int row : rows) Toggle(row);
  }
  QListWidget::keyPressEvent(event);
}

// A keyboard user ticks with Space: the list has a current, selected row as soon as it has the focus.
void TRVLListBox::focusInEvent(QFocusEvent* event) {
  QListWidget::focusInEvent(event);
  if (count() > 0 && selectedItems().isEmpty()) setCurrentRow(std::max(currentRow(), 0));
}

void TRVLListBox::changeEvent(QEvent* event) {
  QListWidget::changeEvent(event);
  if (event->type() == QEvent::FontChange) UpdateItemHeight();
}

void TRVLListBox::UpdateItemHeight() {
  if (FStyle != lbStandard) return;
  FItemHeight = TextHeight(font(), "Wg");
  doItemsLayout();
}

void TRVLListBox::MeasureRows(int first, int last) {
  if (!FHScrollBar) return;
  const int widest = FWidest;
  for (int row = first; row <= last; ++row) FWidest = std::max(FWidest, TextWidth(font(), Text(row)));
  if (FWidest != widest) doItemsLayout();
}

void TRVLListBox::Scrolled(unsigned message, int position) {
  if (FReplaying || !OnScroll) return;
  TWMScroll scroll{message, SB_THUMBPOSITION, position};
  OnScroll(this, scroll);
}

void TRVLListBox::ReplayScroll(const TWMScroll& message) {
  QScrollBar* bar = message.Msg == WM_HSCROLL ? horizontalScrollBar() : verticalScrollBar();
  FReplaying = true;
  switch (message.ScrollCode) {
    case SB_LINEUP: bar->triggerAction(QAbstractSlider::SliderSingleStepSub); break;
    case SB_LINEDOWN: bar->triggerAction(QAbstractSlider::SliderSingleStepAdd); break;
    case SB_PAGEUP: bar->triggerAction(QAbstractSlider::SliderPageStepSub); break;
    case SB_PAGEDOWN: bar->triggerAction(QAbstractSlider::SliderPageStepAdd); break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: bar->setValue(message.Pos); break;
    case SB_TOP: bar->setValue(bar->minimum()); break;
    case SB_BOTTOM: bar->setValue(bar->maximum()); break;
    default: break;   // SB_ENDSCROLL: nothing moves
  }
  FReplaying = false;
}

void TRVLListBox::DrawItem(QPainter& painter, QRect rect, int index, TOwnerDrawState state) {
  painter.fillRect(rect, palette().brush(QPalette::Base));
  if (FCheckBoxes) {
    DrawCheckBox(painter, QRect(rect.left(), rect.top(), CheckWidth(), rect.height()), index);
    rect.setLeft(rect.left() + CheckWidth());
  }
  // A standard list draws its own text even when a drawing handler is set.
  if (FStyle != lbStandard && OnDrawItem) {
    OnDrawItem(this, index, painter, rect, state);
    return;
  }
  const bool selected = state & odSelected;
  if (selected) painter.fillRect(rect, palette().brush(QPalette::Highlight));
  QColor color = palette().color(selected ? QPalette::HighlightedText : QPalette::Text);
  if (state & odDisabled) color = ColorToQColor(clGrayText);
  painter.setPen(color);
  painter.setFont(font());
  painter.drawText(rect.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                   QString::fromStdString(Text(index)));
}

void TRVLListBox::DrawCheckBox(QPainter& painter, const QRect& column, int index) {
  QStyleOptionButton option;
  option.initFrom(this);
  const int size = CheckWidth() - 2;
  option.rect = QRect(column.left() + (column.width() - size) / 2, column.top() + (column.height() - size) / 2, size, size);
  option.state = QStyle::State_Enabled;
  const int state = State(index);
  option.state |= state == 1 ? QStyle::State_On : state == 2 ? QStyle::State_NoChange : QStyle::State_Off;
  style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, &painter, this);
}
