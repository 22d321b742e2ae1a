#pragma once
// A list with column headings: a header over a TRVLListBox, each row's text split at a delimiter
// character and each field drawn under the header section of the same index. The last section is
// stretched to the list's width; with check boxes the first section is the check column.
#include <functional>
#include <string>
#include <vector>

#include <QWidget>

#include "addin/dialogs/uRVLListBox.h"
#include "ui/StatusBar.h"

class QHeaderView;
class QStandardItemModel;
class TPopupMenu;
class THRVLListbox;

struct THeaderSection {
  std::string Text;
  int Width = 50;
  int MinWidth = 0;
  int MaxWidth = 10000;
  TAlignment Alignment = taLeftJustify;
  bool AllowClick = true;
};

enum THLBStyle { hlbStandard, hlbOwnerDraw };
using THLBDrawCellEvent = std::function<void(THRVLListbox* control, int index, int col, QPainter& canvas,
                                             const QRect& rect, TOwnerDrawState state)>;

class THRVLListbox : public QWidget, public TObject {
  Q_OBJECT
public:
  explicit THRVLListbox(QWidget* parent = nullptr);

  TRVLListBox* RVLListBox() const { return FListBox; }
  QHeaderView* Header() const { return FHeader; }

  // Adds or removes the check column (section 0, 18 pixels) along with the inner list's boxes.
  bool CheckBoxes() const { return FListBox->CheckBoxes(); }
  void SetCheckBoxes(bool show);

  // The header sections, read after the last one was stretched to the list's width.
  std::vector<THeaderSection> Sections();
  void SetSections(const std::vector<THeaderSection>& sections);
  int SectionCount() const { return int(FSections.size()); }

  char DelimChar() const { return FDelimChar; }
  void SetDelimChar(char delimiter);
  THLBStyle LBStyle() const { return FLBStyle; }
  void SetLBStyle(THLBStyle style);
  // Draws one cell in hlbOwnerDraw style.
  THLBDrawCellEvent OnDrawCell;

  // Given to the inner list and the header.
  void SetPopupMenu(TPopupMenu* menu) { FPopupMenu = menu; }
  TPopupMenu* PopupMenu() const { return FPopupMenu; }

  // From the inner list, with this panel as sender; mouse positions in this panel's coordinates.
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TNotifyEvent OnClickCheck;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseEvent OnMouseMove;

  // Passed to the inner list.
  int ItemHeight() const { return FListBox->ItemHeight(); }
  void SetItemHeight(int height) { FListBox->SetItemHeight(height); }
  int ItemIndex() const { return FListBox->ItemIndex(); }
  void SetItemIndex(int index) { FListBox->SetItemIndex(index); }
  bool MultiSelect() const { return FListBox->MultiSelect(); }
  void SetMultiSelect(bool multi) { FListBox->SetMultiSelect(multi); }
  bool Sorted() const { return FListBox->Sorted(); }
  void SetSorted(bool sorted) { FListBox->SetSorted(sorted); }
  int ChkCount() const { return FListBox->ChkCount(); }
  bool Checked(int index) const { return FListBox->Checked(index); }
  void SetChecked(int index, bool checked) { FListBox->SetChecked(index, checked); }
  int TopIndex() const { return FListBox->TopIndex(); }
  void SetTopIndex(int index) { FListBox->SetTopIndex(index); }

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void ApplySections();
  void StretchLastSection();
  void SectionResized(int section, int newSize);
  void DrawRow(int index, QPainter& canvas, const QRect& rect, TOwnerDrawState state);
  void ShowPopup(QWidget* control, const QPoint& pos);

  TRVLListBox* FListBox;
  QHeaderView* FHeader;
  QStandardItemModel* FHeaderModel;
  std::vector<THeaderSection> FSections;   // widths live in the header
  char FDelimChar = '\t';
  THLBStyle FLBStyle = hlbStandard;
  TPopupMenu* FPopupMenu = nullptr;
  bool FAdjusting = false;   // while the panel itself sizes sections
};

// `path` shortened to `maxWidth` pixels in `font` by putting "..." in place of middle folders (the
// file name is kept as long as it fits); text without folders loses its middle characters.
std::string MinimizePath(const std::string& path, const QFont& font, int maxWidth);
