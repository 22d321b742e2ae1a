#pragma once
// What the window benchmarks measure with: the first paint of a widget, and the processor time the
// process used (on a shared machine it shows the work apart from the waiting for a turn).
#include <ctime>

#include <QEvent>
#include <QObject>

// Notes the first paint of a widget it filters; clear Painted to watch for the next.
class TPaintWatch : public QObject {
public:
  bool Painted = false;

protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) Painted = true;
    return false;
  }
};

// Milliseconds of processor time this process used.
inline double CpuMs() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}
