#pragma once
// The plain hint window of the SourceSafe panel in the editor's status bar: no window border, a
// black one-pixel frame drawn along its edge.
#include "ui/HintWindow.h"

class TRVLHintWindow : public THintWindow {
  Q_OBJECT
public:
  explicit TRVLHintWindow(QWidget* parent = nullptr);

protected:
  void paintEvent(QPaintEvent* event) override;
};
