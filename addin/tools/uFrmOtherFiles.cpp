#include "addin/tools/uFrmOtherFiles.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "addin/dialogs/uRVLListBox.h"
#include "addin/frame/uRVLFactory.h"
#include "addin/sourcesafe/uRVLItem.h"
#include "ui/StatusBar.h"

TFrmOtherFiles::TFrmOtherFiles(QObject* AOwner, VSSPtr<IVSSDatabase> Database)
    : TFrmTreeList(AOwner, std::move(Database)) {
  SetName("FrmOtherFiles");
  SetCaption("Other Files");
  // Owned by a dialog, it starts from the designed size rather than a child control's.
  SetNormalBounds(QRect(QPoint(), size()));
  lbFileList->SetMultiSelect(true);
  sbarTitle->Panels(0)->SetWidth(210);
  sbarTitle->Panels(1)->SetWidth(50);

  pnlBottom = Named(new QWidget(pnlProjects), "pnlBottom");
  chkbAlwaysAdd = Named(new QCheckBox("Always a&dd this file", pnlBottom), "chkbAlwaysAdd",
                        "The selected file will be automatically added to this project from now on");
  auto* bottom = new QVBoxLayout(pnlBottom);
  bottom->setContentsMargins(2, 2, 2, 2);
  bottom->addWidget(chkbAlwaysAdd);
  pnlProjects->layout()->addWidget(pnlBottom);

  btnAdd = Named(new QPushButton("&Add", pnlRight), "btnAdd", "Add the selected file to the dialog");
  btnClose = Named(new QPushButton("&Close", pnlRight), "btnClose");
  for (QPushButton* button : {btnAdd, btnClose}) button->setFixedWidth(73);
  auto* right = static_cast<QVBoxLayout*>(pnlRight->layout());
  right->insertWidget(1, btnAdd);
  right->insertWidget(2, btnClose);
  SetCancelButton(btnClose);

  connect(btnAdd, &QPushButton::clicked, this, [this] { Guarded(this, [this] { btnAddClick(); }); });
  connect(lbFileList, &QListWidget::itemDoubleClicked, this, [this] { Guarded(this, [this] { btnAddClick(); }); });
  connect(btnClose, &QPushButton::clicked, this, [this] { Close(); });
}

void TFrmOtherFiles::btnAddClick() {
  if (!tvProjects->currentItem() || !OnAddFile) return;
  const std::string path = SelectedPath();
  for (int i = 0; i < lbFileList->Count(); ++i) {
    if (!lbFileList->Selected(i)) continue;
    std::unique_ptr<TRVLItem> item = TRVLFactory::_Instance().CreateItemFromSpec(path + lbFileList->Text(i), FDatabase);
    OnAddFile(item.get(), chkbAlwaysAdd->isChecked());
  }
}
