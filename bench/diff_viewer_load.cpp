// The difference viewer's load of a large report until its first paint: `ss Diff` compares two files
// (by default 100,000 lines, one line in a hundred edited), then the viewer is made on them and
// shown, and the time runs until both panes have painted. Prints the median of several runs, and
// how much of it the making of the viewer took. Runs on the offscreen platform unless told otherwise.
// Usage: diff_viewer_load [--lines N] [--runs R]
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>

#include "DiffBenchFiles.h"
#include "PaintWatch.h"
#include "addin/dialogs/uRVLFormFactory.h"
#include "addin/frame/uRVLStartup.h"
#include "addin/settings/uRVLRegFactory.h"
#include "addin/settings/uRegRVL.h"
#include "addin/tools/uFrmFileDiff.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
  int lines = 100000, runs = 5;
  for (int i = 1; i + 1 < argc; i += 2) {
    std::string option = argv[i];
    if (option == "--lines") lines = std::atoi(argv[i + 1]);
    if (option == "--runs") runs = std::atoi(argv[i + 1]);
  }
  const fs::path build = fs::absolute(argv[0]).parent_path().parent_path();
  const fs::path folder = fs::temp_directory_path() / ("diff_viewer_load." + std::to_string(getpid()));
  fs::create_directories(folder / "registry");
  setenv("RAVELIN_REGISTRY_DIR", (folder / "registry").c_str(), 1);
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  RegisterHostClasses();
  TRVLRegFactory::_Instance().CreateRegRVL()->Registry().WriteString("PATH", (build / "ravelin").string());

  std::string left, right;
  MakeDiffBenchFiles(lines, left, right);
  const std::string a = (folder / "left.cpp").string(), b = (folder / "right.cpp").string();
  const std::string report = (folder / "report.txt").string();
  std::ofstream(a, std::ios::binary) << left;
  std::ofstream(b, std::ios::binary) << right;
  const std::string ss = (build / "sourcesafe" / "ss").string();
  if (std::system(SsDiffCommand(ss, a, b, report).c_str()) == -1)
    return 1;

  std::vector<double> made, painted, cpu;
  int diffCount = 0;
  for (int run = 0; run < runs; ++run) {
    QElapsedTimer timer;
    timer.start();
    const double cpuStart = CpuMs();
    auto viewer = TRVLFormFactory::_Instance().CreateFileDiff(a, b, report, "left.cpp", "right.cpp");
    made.push_back(double(timer.nsecsElapsed()) / 1e6);
    TPaintWatch leftWatch, rightWatch;
    viewer->lbLeftPane->viewport()->installEventFilter(&leftWatch);
    viewer->lbRightPane->viewport()->installEventFilter(&rightWatch);
    viewer->resize(1000, 700);
    viewer->show();
    while (!leftWatch.Painted || !rightWatch.Painted) app.processEvents(QEventLoop::AllEvents, 10);
    painted.push_back(double(timer.nsecsElapsed()) / 1e6);
    cpu.push_back(CpuMs() - cpuStart);
    diffCount = viewer->DiffCount;
    viewer->close();
  }
  std::printf("%d lines, %d report lines, median of %d runs\n", lines, diffCount, runs);
  std::printf("  viewer made      %8.1f ms\n", Median(made));
  std::printf("  first paint      %8.1f ms   (processor time %.1f ms)\n", Median(painted), Median(cpu));
  fs::remove_all(folder);
  return 0;
}
