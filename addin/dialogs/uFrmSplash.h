#pragma once
// The splash window shown while the IDE starts: the product's name and version over the IDE's own
// start-up screen. It closes and frees itself after a moment, or goes with its owner.
#include "addin/dialogs/uRVLForm.h"

class QLabel;
class QTimer;

class TFrmSplash : public TRVLForm {
  Q_OBJECT
public:
  explicit TFrmSplash(QObject* owner);

  // Always centred on the screen; there is nothing to remember.
  void LoadWindowPlacement() override;
  void SaveWindowPlacement() override {}

  static constexpr int DisplayTime = 2000;   // ms from showing to closing

protected:
  void showEvent(QShowEvent* event) override;

private:
  QLabel* lblProduct;
  QLabel* lblVersion;
  QTimer* FCloseTimer;
};
