#include "host/SignalReport.h"

#include <csignal>
#include <fcntl.h>
#include <iostream>
#include <unistd.h>

#include <QApplication>
#include <QSocketNotifier>
#include <QWidget>

#include "host/EditWindow.h"
#include "host/Host.h"

namespace {

// The signal handler only wakes the event loop; the report is written from there.
int SignalPipe[2] = {-1, -1};

void OnSignal(int) {
  const char wake = 1;
  [[maybe_unused]] ssize_t written = write(SignalPipe[1], &wake, 1);
}

} // namespace

void ReportOnSignal(THost& host) {
  if (SignalPipe[0] >= 0 || pipe2(SignalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
  auto* notifier = new QSocketNotifier(SignalPipe[0], QSocketNotifier::Read, &host);
  QObject::connect(notifier, &QSocketNotifier::activated, &host, [&host] {
    char drained[64];
    while (read(SignalPipe[0], drained, sizeof drained) > 0) {}
    QWidget* active = QApplication::activeWindow();
    std::cout << "active: " << (active ? active->windowTitle().toStdString() : std::string("(none)")) << '\n';
    QWidget* focus = QApplication::focusWidget();
    std::cout << "focus: " << (focus ? focus->metaObject()->className() : "(none)") << '\n';
    for (const std::string& line : host.EditWindow()->StatusLines()) std::cout << line << '\n';
    std::cout << "end of report" << std::endl;
  });
  struct sigaction action = {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGUSR1, &action, nullptr);
}
