#pragma once
// Edits one companion mask of a file type, showing as it is typed which file it would pair with a
// form of that type.
#include <memory>
#include <string>

#include "addin/dialogs/uRVLForm.h"

class QLabel;
class QLineEdit;
class QPushButton;
class TRVLAssoc;

class TFrmAssociate : public TRVLForm {
  Q_OBJECT
public:
  explicit TFrmAssociate(QObject* Owner = nullptr);
  ~TFrmAssociate() override;

  // The file type ("*.pas" style extension such as ".pas") and the mask being edited.
  void Setup(const std::string& FileType, const std::string& Mask);
  std::string Mask() const;

  QLabel* lblAssociate;
  QLabel* lblMain;
  QLabel* lblWith;
  QLineEdit* edAssoc;
  QLabel* lblExample;
  QLabel* lblAssocExample;
  QPushButton* Button1;
  QPushButton* Button2;

protected:
  void showEvent(QShowEvent* Event) override;

private:
  void edAssocChange();

  std::unique_ptr<TRVLAssoc> FAssoc;
};
