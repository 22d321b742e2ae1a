#pragma once
// The advanced options that fold out below a file-list dialog. Each panel edits the dialog's flags:
// its lists show their first entry without changing the flags, and only a choice the user makes
// changes them and is reported through OnChange.
#include <functional>

#include "addin/dialogs/uRVLForm.h"

class QCheckBox;
class QComboBox;
class QLabel;
class TFlags;

class TFrmAdvanced : public TRVLForm {
  Q_OBJECT
public:
  explicit TFrmAdvanced(QObject* owner);

  // Panels keep no placement.
  void LoadWindowPlacement() override {}
  void SaveWindowPlacement() override {}

  TFlags* FFlags = nullptr;                            // the dialog's, not owned
  std::function<void(TFrmAdvanced*)> FOnChange;

protected:
  // Applies a change to the flags and reports it.
  void Changed(const std::function<void(TFlags&)>& Change);
  // A label and a drop-down list of `Items` on the row at `Top`, wired to `OnPick` (index).
  QComboBox* AddChoice(const char* LabelName, const char* Label, const char* BoxName, const QStringList& Items,
                       const char* Hint, int Top, const std::function<void(TFlags&, int)>& OnPick);
};

class TFrmAdvancedGet : public TFrmAdvanced {
  Q_OBJECT
public:
  explicit TFrmAdvancedGet(QObject* owner);

  QComboBox* cboxFileTime;
  QComboBox* cboxReplace;
};

class TFrmAdvancedCheckout : public TFrmAdvancedGet {
  Q_OBJECT
public:
  explicit TFrmAdvancedCheckout(QObject* owner);

  QCheckBox* chkbAllowMultiple;
};

class TFrmAdvancedUndo : public TFrmAdvanced {
  Q_OBJECT
public:
  explicit TFrmAdvancedUndo(QObject* owner);

  QComboBox* cboxLocalCopy;
};
