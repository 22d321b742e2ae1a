#pragma once
// The small always-on-top window that asks the user to wait while the exception handler searches the
// map file for a fault's source line.
#include <string>

#include "addin/dialogs/uRVLForm.h"

class QLabel;

class TFrmScanDebug : public TRVLForm {
  Q_OBJECT
public:
  explicit TFrmScanDebug(QObject* owner);

  // Shows the window (not modal) with `text` as the error line, paints it, and blocks the calling
  // thread for 2 seconds so that it can be read.
  void ShowScanning(const std::string& text);

  QLabel* lblError;
  QLabel* lblWait;
};
