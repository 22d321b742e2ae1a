#include "addin/dialogs/uFrmAdvanced.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>

#include "addin/settings/uFlags.h"
#include "vss/api/VSSFlags.h"

TFrmAdvanced::TFrmAdvanced(QObject* owner) : TRVLForm(owner) {
  SetCaption("Advanced");
  setWindowFlags(Qt::Widget);
}

void TFrmAdvanced::Changed(const std::function<void(TFlags&)>& Change) {
  if (!FFlags) return;
  Change(*FFlags);
  if (FOnChange) FOnChange(this);
}

QComboBox* TFrmAdvanced::AddChoice(const char* LabelName, const char* Label, const char* BoxName,
                                   const QStringList& Items, const char* Hint, int Top,
                                   const std::function<void(TFlags&, int)>& OnPick) {
  auto* label = new QLabel(QString::fromUtf8(Label), this);
  label->setObjectName(LabelName);
  label->setGeometry(8, Top + 3, 130, 20);
  auto* box = new QComboBox(this);
  box->setObjectName(BoxName);
  box->addItems(Items);
  box->setToolTip(QString::fromUtf8(Hint));
  box->setGeometry(140, Top, 150, 24);
  label->setBuddy(box);
  // Only a pick the user makes changes the flags; showing the first entry does not.
  connect(box, &QComboBox::activated, this, [this, OnPick](int index) {
    Changed([&](TFlags& flags) { OnPick(flags, index); });
  });
  return box;
}

TFrmAdvancedGet::TFrmAdvancedGet(QObject* owner) : TFrmAdvanced(owner) {
  SetName("FrmAdvancedGet");
  cboxFileTime = AddChoice("lblSetFileTime", "Set File &Time:", "cboxFileTime", {"Current", "Modification", "Check In"},
                           "Timestamp that will be set on the selected files", 4, [](TFlags& flags, int index) {
                             flags.SetTimeFlag = (index + 1) * VSSFLAG_TIMENOW;
                           });
  cboxReplace = AddChoice("lblReplaceWriteable", "Replace &Writeable:", "cboxReplace", {"Ask", "Replace", "Skip"},
                          "What to do with files that are marked as writeable on disk", 32,
                          [](TFlags& flags, int index) { flags.ReplaceFlag = (index + 1) * VSSFLAG_REPASK; });
  resize(300, 60);
}

TFrmAdvancedCheckout::TFrmAdvancedCheckout(QObject* owner) : TFrmAdvancedGet(owner) {
  SetName("FrmAdvancedCheckout");
  chkbAllowMultiple = new QCheckBox(QStringLiteral("Allow Multi&ple Checkouts"), this);
  chkbAllowMultiple->setObjectName("chkbAllowMultiple");
  chkbAllowMultiple->setToolTip(QStringLiteral("Exclusive checkout of the selected files"));
  chkbAllowMultiple->setGeometry(8, 60, 280, 22);
  connect(chkbAllowMultiple, &QCheckBox::clicked, this, [this](bool ticked) {
    Changed([ticked](TFlags& flags) { flags.ExtraFlag1 = ticked ? VSSFLAG_CHKEXCLUSIVENO : VSSFLAG_CHKEXCLUSIVEYES; });
  });
  resize(300, 88);
}

TFrmAdvancedUndo::TFrmAdvancedUndo(QObject* owner) : TFrmAdvanced(owner) {
  SetName("FrmAdvancedUndo");
  cboxLocalCopy = AddChoice("lblLocalCopy", "&Local Copy:", "cboxLocalCopy", {"Replace", "Leave", "Delete"},
                            "What to do with local files after the undo operation", 4, [](TFlags& flags, int index) {
                              // Replace with SourceSafe's version, leave the local content, delete it.
                              static constexpr int values[] = {VSSFLAG_DELNO, VSSFLAG_DELNOREPLACE, VSSFLAG_DELYES};
                              flags.ReplaceFlag = values[index];
                            });
  resize(300, 32);
}
