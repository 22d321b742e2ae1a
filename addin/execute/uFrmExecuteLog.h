#pragma once
// The execute log: one line per item of an operation, red for a failure. A line wider than the list
// shows in full as a hint while the mouse rests on it.
#include <string>

#include "addin/dialogs/uRVLForm.h"

class TRVLListBox;

class TFrmExecuteLog : public TRVLForm {
  Q_OBJECT
public:
  enum TMarker { lmOK = 0, lmFailed = 1 };

  explicit TFrmExecuteLog(QObject* owner);

  void AddLine(const std::string& Text, TMarker Marker);
  // Deletes the successful lines, so that only the failures remain.
  void DeleteOKLines();
  // Scrolls so that the last line is the top line, and repaints.
  void ShowLastLine();

  bool DoShowHint(std::string& HintStr, bool& CanShow, THintInfo& HintInfo) override;

  TRVLListBox* lbLog;
};
