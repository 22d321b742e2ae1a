#include "addin/dialogs/uFrmAbout.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtGlobal>

#include "addin/frame/uRVLGlobals.h"
#include "addin/settings/uRVLRegFactory.h"
#include "addin/settings/uRegRVL.h"
#include "addin/settings/uRegVSS.h"

namespace {

QString Text(const std::string& text) { return QString::fromStdString(text); }

// A folder, or what to say when there is none.
std::string FolderOrNone(const std::string& folder) { return folder.empty() ? "not installed" : folder; }

} // namespace

TFrmAbout::TFrmAbout(QObject* owner)
    : TRVLForm(owner), lblProduct(new QLabel(this)), lblVersion(new QLabel(this)), lbComponents(new QListWidget(this)),
      btnOK(new QPushButton("OK", this)) {
  const TRVLGlobals& globals = Globals();
  SetName("FrmAbout");
  SetCaption("About " + globals.ProductName);
  lblProduct->setObjectName("lblProduct");
  lblProduct->setText(Text(globals.ProductName));
  QFont font = lblProduct->font();
  font.setPointSize(font.pointSize() * 2);
  font.setBold(true);
  lblProduct->setFont(font);
  lblVersion->setObjectName("lblVersion");
  lblVersion->setText(Text("Version " + globals.Version));
  lbComponents->setObjectName("lbComponents");
  btnOK->setObjectName("btnOK");
  SetButtonResult(btnOK, mrOk);
  SetDefaultButton(btnOK);
  SetCancelButton(btnOK);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lblProduct);
  layout->addWidget(lblVersion);
  layout->addWidget(lbComponents);
  layout->addWidget(btnOK, 0, Qt::AlignRight);
  SetNormalBounds(QRect(200, 150, 420, 280));
  ListComponents();
}

void TFrmAbout::ListComponents() {
  const TRVLGlobals& globals = Globals();
  TRVLRegFactory& settings = TRVLRegFactory::_Instance();
  const std::string lines[] = {
      globals.ProductName + " " + globals.Version + " for " + globals.IDEKey,
      globals.ProductName + ": " + FolderOrNone(settings.CreateRegRVL()->GetInstallPath()),
      globals.ShortName + ": " + FolderOrNone(settings.CreateRegVSS()->GetInstallDir()),
      std::string("Qt ") + qVersion(),
  };
  for (const std::string& line : lines) lbComponents->addItem(Text(line));
}
