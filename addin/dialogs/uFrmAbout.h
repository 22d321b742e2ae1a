#pragma once
// The About box: the product's name and version, and the components installed with it.
#include "addin/dialogs/uRVLForm.h"

class QLabel;
class QListWidget;
class QPushButton;

class TFrmAbout : public TRVLForm {
  Q_OBJECT
public:
  explicit TFrmAbout(QObject* owner);

private:
  void ListComponents();

  QLabel* lblProduct;
  QLabel* lblVersion;
  QListWidget* lbComponents;
  QPushButton* btnOK;
};
