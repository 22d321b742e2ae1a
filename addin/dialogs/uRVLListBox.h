#pragma once
// The list box that carries the add-in's file lists: every item has a three-state check box
// (unchecked, checked, grayed), an enabled flag and a word of item data; the check boxes can be
// hidden, the horizontal extent can follow the widest string, and scrolling can be observed and
// replayed (the difference viewer scrolls two panes together that way).
#include <cstdint>
#include <functional>
#include <string>

#include <QListWidget>
#include <QMetaType>

#include "ui/Object.h"

class QPainter;
class TRVLListBox;

// Per-item state, kept in the item's data slot once the item is given any of it.
struct TVssListDataWrapper {
  intptr_t FData = 0;     // what users of the list store for the item (pointer-sized)
  uint8_t FState = 0;     // check state: 0 unchecked, 1 checked, 2 grayed
  bool FEnabled = true;   // while false the check state cannot change
};
Q_DECLARE_METATYPE(TVssListDataWrapper)

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed };

enum TOwnerDrawStateFlag : unsigned { odSelected = 1, odFocused = 2, odDisabled = 4 };
using TOwnerDrawState = unsigned;   // an OR of TOwnerDrawStateFlag values
using TDrawItemEvent =
    std::function<void(TRVLListBox* control, int index, QPainter& canvas, const QRect& rect, TOwnerDrawState state)>;

// A scroll message as the list reports and replays it: WM_HSCROLL or WM_VSCROLL, a scroll code and,
// for the thumb codes, the position (vertical positions count items).
constexpr unsigned WM_HSCROLL = 0x114;
constexpr unsigned WM_VSCROLL = 0x115;
enum TScrollCode {
  SB_LINEUP, SB_LINEDOWN, SB_PAGEUP, SB_PAGEDOWN, SB_THUMBPOSITION, SB_THUMBTRACK, SB_TOP, SB_BOTTOM, SB_ENDSCROLL
};
struct TWMScroll {
  unsigned Msg = WM_VSCROLL;
  int ScrollCode = SB_THUMBPOSITION;
  int Pos = 0;
};
using TVssScrollEvent = std::function<void(TObject* sender, TWMScroll& message)>;

class TRVLListBox : public QListWidget, public TObject {
  Q_OBJECT
public:
  explicit TRVLListBox(QWidget* parent = nullptr);

  // Width of the column the check boxes are drawn in: the system's check box width + 2.
  static int CheckWidth();

  // Items. Deleting an item or clearing the list drops its state with it.
  int Count() const { return count(); }
  int Add(const std::string& text);
  void Insert(int index, const std::string& text);
  void Delete(int index);
  void Clear() { clear(); }
  std::string Text(int index) const;

  // Per-item state; an item never given any reads unchecked, enabled, data 0. State is invokable
  // so that scripts read the check boxes without this header (ui/CheckList.h).
  bool Checked(int index) const { return State(index) == 1; }
  void SetChecked(int index, bool checked) { SetState(index, checked ? 1 : 0); }
  Q_INVOKABLE int State(int index) const;
  // Does nothing for a disabled item.
  void SetState(int index, int state);
  bool ItemEnabled(int index) const;
  void SetItemEnabled(int index, bool enabled);
  intptr_t ItemData(int index) const;
  void SetItemData(int index, intptr_t data);
  // Items whose state is checked (grayed ones do not count).
  int ChkCount() const;

  bool AllowGrayed() const { return FAllowGrayed; }
  void SetAllowGrayed(bool allow) { FAllowGrayed = allow; }
  bool CheckBoxes() const { return FCheckBoxes; }
  void SetCheckBoxes(bool show);
  // Whether the horizontal extent follows the widest string added (it is never lowered).
  bool HScrollBar() const { return FHScrollBar; }
  void SetHScrollBar(bool follow);
  int HorizontalExtent() const { return FWidest; }

  TListBoxStyle Style() const { return FStyle; }
  void SetStyle(TListBoxStyle style);
  int ItemHeight() const { return FItemHeight; }
  // Kept for owner-drawn lists; a standard list takes the height of "Wg" in its font.
  void SetItemHeight(int height);
  bool MultiSelect() const { return selectionMode() == QAbstractItemView::ExtendedSelection; }
  void SetMultiSelect(bool multi);
  bool Sorted() const { return isSortingEnabled(); }
  void SetSorted(bool sorted);
  int ItemIndex() const { return currentRow(); }
  void SetItemIndex(int index) { setCurrentRow(index); }
  bool Selected(int index) const;
  void SetSelected(int index, bool selected);
  int TopIndex() const;
  void SetTopIndex(int index);

  // Scrolls as `message` says without firing OnScroll.
  void ReplayScroll(const TWMScroll& message);

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  // After a click or Space toggled a check box (also of a disabled item, whose state stays).
  TNotifyEvent OnClickCheck;
  // After the list scrolled, except during a replay.
  TVssScrollEvent OnScroll;
  // Draws an item of an owner-drawn list; `rect` starts right of the check column when check boxes
  // show. A standard list draws its text itself.
  TDrawItemEvent OnDrawItem;

  // Draws item `index` into `rect` (the whole row): check box, then the text or OnDrawItem.
  void DrawItem(QPainter& painter, QRect rect, int index, TOwnerDrawState state);

protected:
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void changeEvent(QEvent* event) override;

private:
  TVssListDataWrapper Wrapper(int index) const;
  void SetWrapper(int index, const TVssListDataWrapper& wrapper);
  void Toggle(int index);
  void DrawCheckBox(QPainter& painter, const QRect& column, int index);
  void MeasureRows(int first, int last);
  void Scrolled(unsigned message, int position);
  void UpdateItemHeight();

  bool FAllowGrayed = false;
  bool FCheckBoxes = false;
  bool FHScrollBar = false;
  TListBoxStyle FStyle = lbStandard;
  int FItemHeight = 16;
  int FWidest = 0;          // widest string seen while HScrollBar was on
  bool FReplaying = false;
};
