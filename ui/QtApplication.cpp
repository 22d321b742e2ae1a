#include "ui/QtApplication.h"

#include "platform/Exception.h"
#include "ui/Application.h"

namespace {

// The sender of an exception raised while `receiver` handled an event: the receiver or its nearest
// parent that is a library object, else the application.
TObject* SenderOf(QObject* receiver) {
  for (QObject* object = receiver; object; object = object->parent())
    if (auto sender = dynamic_cast<TObject*>(object)) return sender;
  return &Application();
}

} // namespace

TQtApplication::TQtApplication(int& argc, char** argv) : QApplication(argc, argv) {
  Application();   // hints, hooks and the keyboard state work from the first event on
}

bool TQtApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& e) {
    Application().HandleException(SenderOf(receiver), e);
  } catch (...) {
    Application().HandleException(SenderOf(receiver), Exception("An unknown exception was raised"));
  }
  return false;
}
