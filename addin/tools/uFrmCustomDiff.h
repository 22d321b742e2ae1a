#pragma once
// The frame of a side-by-side difference view: two panes that scroll and select together, a tool bar
// with Previous and Next Difference, a status bar naming the two versions and one for a legend, and
// the keys F6/F7 (previous and next difference) and Esc (close). Where the rows come from, and how a
// difference is found among them, is up to the descendant.
#include "addin/dialogs/uRVLForm.h"
#include "addin/dialogs/uRVLListBox.h"
#include "ui/ShortCuts.h"

class QToolButton;
class TStatusBar;

class TFrmCustomDiff : public TRVLForm {
  Q_OBJECT
public:
  explicit TFrmCustomDiff(QObject* AOwner);

  // Move to the first row of the next or the previous block of differing rows.
  virtual void NextDiff() = 0;
  virtual void PrevDiff() = 0;

  // Report lines recognised while the rows were built.
  int DiffCount = 0;

  QWidget* PanelToolBar;
  TStatusBar* stbarFileNames;
  TRVLListBox* lbLeftPane;
  TRVLListBox* lbRightPane;
  TStatusBar* StatusBar;
  QToolButton* btnPrevDiff;
  QToolButton* btnNextDiff;

protected:
  // A flat tool-bar button that never takes the focus, so that its action concerns the pane that
  // had it last. Placed at `position`, or after the buttons there are.
  QToolButton* AddSpeedButton(const char* name, const char* text, const char* hint, int position = -1);
  // The row selected in both panes, -1 for none.
  int SelectedRow() const { return lbLeftPane->ItemIndex(); }
  void SelectRow(int Row);
  // Selects row `Row` with it in the middle of the panes where possible.
  void GoToRow(int Row);
  // Gives both panes the wider of their two horizontal extents.
  void EqualizeExtents(int LeftExtent, int RightExtent);
  void LayoutPanes();

  // Keys a pane receives after the form's own keys; true when the key was used.
  virtual bool PaneKeyDown(TRVLListBox* Pane, int Key, TShiftState Shift);

  bool eventFilter(QObject* Watched, QEvent* Event) override;
  void keyPressEvent(QKeyEvent* Event) override;
  void resizeEvent(QResizeEvent* Event) override;

private:
  // F6, F7 and Esc; true when used.
  bool FormKeyDown(int Key, TShiftState Shift);
  void Follow(TRVLListBox* Source, TRVLListBox* Target);

  QWidget* FPanes;
  int FExtent = 0;
  bool FFollowing = false;
};
