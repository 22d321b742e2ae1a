#pragma once
// The help hint over the controls of the add-in's dialogs: a balloon with rounded corners and a tail
// under the body that points at the mouse.
#include <QRegion>

#include "ui/HintWindow.h"

class TRVLHelpHintWindow : public THintWindow {
  Q_OBJECT
public:
  explicit TRVLHelpHintWindow(QWidget* parent = nullptr);

  // Grows `rect` by the tail, shapes the window as a balloon and places it so that the tail ends
  // just above and right of the mouse.
  void ActivateHint(const QRect& rect, const std::string& text) override;

  // The window's current outline; empty before the first activation.
  QRegion Region() const { return FRegion; }
  // The outline of a balloon whose body is `width` x `bodyHeight`, its tail below the middle.
  static QRegion BalloonRegion(int width, int bodyHeight);

  static constexpr int TailHeight = 20;   // added below the text's rectangle

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  // Height of the body for a window `height` pixels tall.
  static int BodyHeight(int height) { return height - (TailHeight - 3); }

  QRegion FRegion;
};
