#pragma once
// Small dialogs of the add-in's kind, built the way the add-in's own dialogs are.
#include <QPushButton>

#include "addin/dialogs/uRVLForm.h"
#include "ui/StatusBar.h"

// A dialog of its own class, so that its placement is kept apart from other dialogs'.
class TFrmProbe : public TRVLForm {
  Q_OBJECT
public:
  explicit TFrmProbe(QObject* owner) : TRVLForm(owner) {}
};

// A dialog with buttons that carry hints and a status bar that echoes them.
class TFrmHinted : public TRVLForm {
  Q_OBJECT
public:
  explicit TFrmHinted(QObject* owner, bool simplePanel = true)
      : TRVLForm(owner), btnText(Button("btnText", "Check in the ticked files", 0)), btnTopic(Button("btnTopic", "12", 1)),
        btnZero(Button("btnZero", "0", 2)), sbarStatus(new TStatusBar(this)) {
    sbarStatus->setObjectName("sbarStatus");
    sbarStatus->SetSimplePanel(simplePanel);
    sbarStatus->setGeometry(0, 90, 300, 20);
    SetNormalBounds(QRect(100, 100, 300, 110));
  }

  QPushButton* btnText;
  QPushButton* btnTopic;
  QPushButton* btnZero;
  TStatusBar* sbarStatus;

private:
  QPushButton* Button(const char* name, const char* hint, int index) {
    auto* button = new QPushButton(name, this);
    button->setObjectName(name);
    button->setToolTip(hint);
    button->setGeometry(10 + 95 * index, 10, 90, 30);
    return button;
  }
};
