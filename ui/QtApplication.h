#pragma once
// The QApplication the IDE and stand-alone tests run: every exception that escapes an event handler
// is caught here and handed to the application's exception event instead of unwinding Qt's loop.
#include <QApplication>

class TQtApplication : public QApplication {
  Q_OBJECT
public:
  TQtApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};
