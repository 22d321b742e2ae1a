#include "addin/dialogs/uFrmSplash.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include "addin/frame/uRVLGlobals.h"

TFrmSplash::TFrmSplash(QObject* owner)
    : TRVLForm(owner), lblProduct(new QLabel(this)), lblVersion(new QLabel(this)), FCloseTimer(new QTimer(this)) {
  const TRVLGlobals& globals = Globals();
  SetName("FrmSplash");
  setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
  setAttribute(Qt::WA_DeleteOnClose);
  lblProduct->setObjectName("lblProduct");
  lblProduct->setText(QString::fromStdString(globals.ProductName));
  lblProduct->setAlignment(Qt::AlignCenter);
  QFont font = lblProduct->font();
  font.setPointSize(font.pointSize() * 3);
  font.setBold(true);
  lblProduct->setFont(font);
  lblVersion->setObjectName("lblVersion");
  lblVersion->setText(QString::fromStdString("Version " + globals.Version));
  lblVersion->setAlignment(Qt::AlignCenter);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lblProduct);
  layout->addWidget(lblVersion);
  FCloseTimer->setSingleShot(true);
  connect(FCloseTimer, &QTimer::timeout, this, [this] { Close(); });
}

void TFrmSplash::LoadWindowPlacement() {
  QRect bounds(0, 0, 360, 160);
  if (QScreen* screen = QGuiApplication::primaryScreen()) bounds.moveCenter(screen->availableGeometry().center());
  SetNormalBounds(bounds);
}

void TFrmSplash::showEvent(QShowEvent* event) {
  TRVLForm::showEvent(event);
  FCloseTimer->start(DisplayTime);
}
