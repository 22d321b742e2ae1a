// The project explorer over a database of 5,000 files in 50 projects, one of them holding 2,000: the
// time from asking for the explorer until its tree and list have painted, and from selecting the
// 2,000-file project until its list has painted. Prints the median of several runs. Runs on the
// offscreen platform unless told otherwise.
// Usage: explorer_load [--files N] [--big N] [--runs R]
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTreeWidget>

#include "BenchDatabase.h"
#include "BenchTiming.h"
#include "PaintWatch.h"
#include "addin/dialogs/uRVLFormFactory.h"
#include "addin/frame/uRVLStartup.h"
#include "addin/tools/uFrmExplorer.h"

int main(int argc, char** argv) {
  int files = 5000, big = 2000, runs = 5;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    if (option == "--files") files = std::atoi(argv[i + 1]);
    if (option == "--big") big = std::atoi(argv[i + 1]);
    if (option == "--runs") runs = std::atoi(argv[i + 1]);
  }
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  BenchDatabase db;
  // 50 projects: P0 holds `big` files, the other 49 share the rest.
  VSSPtr<IVSSItem> root = db.Root();
  std::vector<VSSPtr<IVSSItem>> projects;
  for (int p = 0; p < 50; ++p) projects.push_back(root->NewSubproject("P" + std::to_string(p), ""));
  for (int f = 0; f < files; ++f) {
    const int p = f < big ? 0 : 1 + (f - big) % 49;
    const std::string local = db.Work() + "/P" + std::to_string(p) + "/F" + std::to_string(f) + ".cpp";
    WriteBenchFile(local, "// file " + std::to_string(f) + "\n");
    projects[size_t(p)]->Add(local, "", 0);
  }
  VSSPtr<IVSSDatabase> database = VSSPtr<IVSSDatabase>::Share(&db.Database());

  QApplication app(argc, argv);
  RegisterHostClasses();
  std::vector<double> opened, openedCpu, listed, listedCpu;
  int rows = 0;
  for (int run = 0; run < runs; ++run) {
    QElapsedTimer timer;
    timer.start();
    double cpu = CpuMs();
    TFrmExplorer* explorer = TRVLFormFactory::_Instance().CreateExplorer(database, "/");
    TPaintWatch tree, list;
    explorer->tvProjects->viewport()->installEventFilter(&tree);
    explorer->lvFileList->viewport()->installEventFilter(&list);
    explorer->Show();
    while (!tree.Painted || !list.Painted) app.processEvents(QEventLoop::AllEvents, 10);
    opened.push_back(double(timer.nsecsElapsed()) / 1e6);
    openedCpu.push_back(CpuMs() - cpu);

    timer.restart();
    cpu = CpuMs();
    list.Painted = false;
    explorer->tvProjects->setCurrentItem(explorer->FindNode("/P0"));
    while (!list.Painted) app.processEvents(QEventLoop::AllEvents, 10);
    listed.push_back(double(timer.nsecsElapsed()) / 1e6);
    listedCpu.push_back(CpuMs() - cpu);
    rows = explorer->lvFileList->topLevelItemCount();
    explorer->Close();
    app.processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  std::printf("%d files in 50 projects, the largest listing %d rows; median of %d runs (goal: under 100 ms each)\n",
              files, rows, runs);
  std::printf("  explorer opened until first paint  %8.1f ms   (processor time %.1f ms)\n", Median(opened),
              Median(openedCpu));
  std::printf("  %d-file project listed until paint %8.1f ms   (processor time %.1f ms)\n", big, Median(listed),
              Median(listedCpu));
  return rows == big ? 0 : 1;
}
