#include "ui/Drag.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

TDragObject::~TDragObject() = default;

TCursor TDragObject::GetDragCursor(bool Accepted, int, int) { return Accepted ? crDrag : crNoDrop; }

TDragTracker::TDragTracker(QObject* Owner) : QObject(Owner) {}

TDragTracker::~TDragTracker() {
  if (FObject) Screen().SetCursor(crDefault);
}

void TDragTracker::AddSource(QWidget* Source) {
  FSources.push_back(Source);
  Source->installEventFilter(this);
}

void TDragTracker::AddTarget(QWidget* Target) { FTargets.push_back(Target); }

QWidget* TDragTracker::TargetAt(QPoint At, QPoint& Local) const {
  for (QWidget* target : FTargets) {
    if (!target->isVisible()) continue;
    Local = target->mapFromGlobal(At);
    if (target->rect().contains(Local)) return target;
  }
  return nullptr;
}

QWidget* TDragTracker::Over(QPoint At, QPoint& Local) {
  QWidget* target = TargetAt(At, Local);
  const bool accepted = target && OnDragOver && OnDragOver(target, Local, FObject.get());
  Screen().SetCursor(FObject->GetDragCursor(accepted, Local.x(), Local.y()));
  return accepted ? target : nullptr;
}

void TDragTracker::EndDrag() {
  FObject.reset();
  FPressed = nullptr;
  Screen().SetCursor(crDefault);
}

// While the left button is held, the control it went down on receives every mouse event (the
// implicit grab), wherever the mouse is: moves and the release are read there.
bool TDragTracker::eventFilter(QObject* Watched, QEvent* Event) {
  auto* source = static_cast<QWidget*>(Watched);
  switch (Event->type()) {
    case QEvent::MouseButtonPress: {
      auto* mouse = static_cast<QMouseEvent*>(Event);
      if (mouse->button() == Qt::LeftButton) {
        FPressed = source;
        FPressAt = mouse->globalPosition().toPoint();
      }
      return false;
    }
    case QEvent::MouseMove: {
      auto* mouse = static_cast<QMouseEvent*>(Event);
      if (source != FPressed || !(mouse->buttons() & Qt::LeftButton)) return false;
      const QPoint at = mouse->globalPosition().toPoint();
      if (!FObject) {
        if ((at - FPressAt).manhattanLength() < QApplication::startDragDistance()) return true;
        if (OnStartDrag) FObject = OnStartDrag(source);
        if (!FObject) {
          FPressed = nullptr;
          return false;
        }
      }
      QPoint local;
      Over(at, local);
      return true;
    }
    case QEvent::MouseButtonRelease: {
      auto* mouse = static_cast<QMouseEvent*>(Event);
      if (source != FPressed || mouse->button() != Qt::LeftButton) return false;
      if (!FObject) {
        FPressed = nullptr;
        return false;
      }
      // The drop may open dialogs: the drag is over before it runs.
      QPoint local;
      QWidget* target = Over(mouse->globalPosition().toPoint(), local);
      std::unique_ptr<TDragObject> object = std::move(FObject);
      EndDrag();
      if (target && OnDragDrop) OnDragDrop(target, local, object.get());
      return true;
    }
    default:
      return false;
  }
}
