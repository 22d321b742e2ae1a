#include "host/RuntimeDir.h"

#include <cstdlib>
#include <unistd.h>

#include <QDir>
#include <QFile>

void PrepareRuntimeDir() {
  if (std::getenv("XDG_RUNTIME_DIR")) return;
  QString runtime = QDir::tempPath() + "/ravelin-xdg-" + QString::number(getuid());
  QDir().mkpath(runtime);
  QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  setenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit().constData(), 1);
}
