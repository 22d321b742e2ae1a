#include "addin/diagnostics/uFrmScanDebug.h"

#include <chrono>
#include <thread>

#include <QLabel>

#include "ui/Application.h"

TFrmScanDebug::TFrmScanDebug(QObject* owner) : TRVLForm(owner) {
  SetName("FrmScanDebug");
  // Fixed single border without system menu, minimise or maximise; always on top.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint);
  setFixedSize(447, 65);
  SetLeft(210);
  SetTop(240);

  lblError = new QLabel(QStringLiteral("An error has occoured"), this);
  lblError->setObjectName("lblError");
  lblError->setGeometry(4, 4, 433, 38);
  lblError->setAlignment(Qt::AlignCenter);
  lblError->setWordWrap(true);

  lblWait = new QLabel(QStringLiteral("Please wait while the 'Error Trapper' scans through the debug information..."),
                       this);
  lblWait->setObjectName("lblWait");
  lblWait->setGeometry(8, 45, 428, 13);
  lblWait->setAlignment(Qt::AlignCenter);
  QFont font(QStringLiteral("MS Sans Serif"));
  font.setPixelSize(11);
  font.setBold(true);
  lblWait->setFont(font);
  lblWait->setForegroundRole(QPalette::WindowText);
}

void TFrmScanDebug::ShowScanning(const std::string& text) {
  SetCaption("");
  lblError->setText(QString::fromStdString(text));
  Show();
  Application().ProcessMessages();
  repaint();
  std::this_thread::sleep_for(std::chrono::milliseconds(2000));
}
