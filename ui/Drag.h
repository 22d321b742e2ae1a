#pragma once
// Dragging between the controls of one window, as the forms' own drag and drop does it: the drag
// starts when the mouse moves a few pixels with the left button held over a source control, follows
// the mouse while the button stays down (asking the control under it whether it takes the payload,
// and showing the drag or no-drop cursor), and drops when the button is released over a control that
// takes it. It runs on the mouse events the source receives while the button is held, so it needs
// nothing from the window system's drag and drop and works the same on every platform.
#include <functional>
#include <memory>
#include <vector>

#include <QObject>
#include <QPoint>

#include "ui/Screen.h"

class QWidget;

// The payload of a drag; descendants carry what is dragged.
class TDragObject {
public:
  virtual ~TDragObject();
  // The cursor over a control that takes the payload (`Accepted`) or refuses it.
  virtual TCursor GetDragCursor(bool Accepted, int X, int Y);
};

class TDragTracker : public QObject {
public:
  explicit TDragTracker(QObject* Owner);
  ~TDragTracker() override;

  // Drags may start on `Source` (a control or a view's viewport); `Target`s are asked while the mouse
  // is over them.
  void AddSource(QWidget* Source);
  void AddTarget(QWidget* Target);
  bool Dragging() const { return FObject != nullptr; }

  // The payload of a drag starting on `Source`; none cancels the drag.
  std::function<std::unique_ptr<TDragObject>(QWidget* Source)> OnStartDrag;
  // Whether `Target` takes the payload at `Pos` (in its coordinates).
  std::function<bool(QWidget* Target, QPoint Pos, TDragObject* Object)> OnDragOver;
  // The payload dropped on `Target` at `Pos`, after OnDragOver accepted it there.
  std::function<void(QWidget* Target, QPoint Pos, TDragObject* Object)> OnDragDrop;

protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
  // The target under the global point `At`, with the point in its coordinates.
  QWidget* TargetAt(QPoint At, QPoint& Local) const;
  // Asks the target under `At` and shows the cursor its answer gives; the target when it accepts.
  QWidget* Over(QPoint At, QPoint& Local);
  void EndDrag();

  std::vector<QWidget*> FSources;
  std::vector<QWidget*> FTargets;
  QWidget* FPressed = nullptr;   // the source the left button went down on
  QPoint FPressAt;
  std::unique_ptr<TDragObject> FObject;
};
