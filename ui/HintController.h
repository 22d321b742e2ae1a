#pragma once
// The application's hint machinery: turns a tool-tip request into a hint, runs the show-hint event,
// and shows, times and hides the hint window of the class the event chose.
#include <memory>
#include <string>

#include <QPointer>
#include <QRect>
#include <QTimer>

#include "ui/Application.h"
#include "ui/HintWindow.h"

class TApplication::THintController {
public:
  explicit THintController(TApplication& application);

  // A hint is asked for `widget` with the mouse at `pos` (widget coordinates). True when the request
  // was dealt with here (shown or refused); false when no widget there shows hints.
  bool Activate(QWidget* widget, QPoint pos);
  // The mouse moved to `globalPos`: the hint hides once the mouse leaves its cursor rectangle.
  void MouseMoved(QPoint globalPos);
  void Cancel();
  THintWindow* Window() const;
  // Destroys the hint window when it is of class `className`.
  void ReleaseClass(const std::string& className);

private:
  void Reshow();

  TApplication& FApplication;
  std::unique_ptr<THintWindow> FWindow;
  std::string FWindowClass;
  QPointer<QWidget> FControl;
  QRect FCursorRect;   // screen coordinates
  QTimer FHideTimer;
  QTimer FReshowTimer;
};
