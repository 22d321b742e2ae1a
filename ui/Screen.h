#pragma once
// The screen object: the forms that exist, the active one, and the mouse cursor shown over all
// windows (hourglass while the program works).
#include <vector>

#include <QPoint>

class TForm;

enum TCursor : int {
  crDefault = 0,
  crNone = -1,
  crArrow = -2,
  crCross = -3,
  crIBeam = -4,
  crSizeAll = -22,
  crSizeNESW = -6,
  crSizeNS = -7,
  crSizeNWSE = -8,
  crSizeWE = -9,
  crUpArrow = -10,
  crHourGlass = -11,
  crDrag = -12,
  crNoDrop = -13,
  crHSplit = -14,
  crVSplit = -15,
  crMultiDrag = -16,
  crSQLWait = -17,
  crNo = -18,
  crAppStart = -19,
  crHelp = -20,
  crHandPoint = -21,
};

class TScreen {
public:
  // The form that has the focus (the active window or the form it belongs to), or nullptr.
  TForm* ActiveForm() const;
  // Every form that exists, in creation order.
  const std::vector<TForm*>& Forms() const { return FForms; }
  int FormCount() const { return static_cast<int>(FForms.size()); }
  TForm* Forms(int index) const { return FForms.at(index); }

  // The cursor shown over all windows; crDefault lets each window show its own.
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor cursor);
  // The mouse position in screen coordinates.
  QPoint CursorPos() const;

private:
  friend class TForm;
  void AddForm(TForm* form);
  void RemoveForm(TForm* form);

  std::vector<TForm*> FForms;
  TCursor FCursor = crDefault;
};

TScreen& Screen();

// Shows the hourglass for its lifetime and puts back the cursor that was shown before, also when
// an exception leaves the scope.
class TWaitCursor {
public:
  TWaitCursor();
  ~TWaitCursor();
  TWaitCursor(const TWaitCursor&) = delete;
  TWaitCursor& operator=(const TWaitCursor&) = delete;

private:
  TCursor FSaved;
};
