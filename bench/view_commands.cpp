// The two waits a user meets most in the view commands, each until the window's first paint on the
// offscreen platform: the history window of a file with 1,000 versions (made, filled and shown),
// and Show Differences of a 100,000-line file with one line in a hundred edited (SourceSafe's copy
// fetched, `ss Diff` run, the viewer made and shown). Prints the median of several runs.
// Usage: view_commands [--versions N] [--lines N] [--runs R]
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTreeWidget>

#include "BenchDatabase.h"
#include "DiffBenchFiles.h"
#include "addin/dialogs/uRVLFormFactory.h"
#include "addin/frame/uRVLFactory.h"
#include "addin/frame/uRVLStartup.h"
#include "addin/settings/uRVLRegFactory.h"
#include "addin/settings/uRegRVL.h"
#include "addin/settings/uRegVSS.h"
#include "addin/sourcesafe/uRVLItem.h"
#include "addin/sourcesafe/uRVLItems.h"
#include "addin/sourcesafe/uRVLProject.h"
#include "addin/tools/uFrmFileDiff.h"
#include "addin/tools/uFrmHistory.h"
#include "platform/Environment.h"

namespace fs = std::filesystem;

namespace {

// Handles events until `widget` has painted once.
void UntilPainted(QWidget* widget) {
  struct TPaintWatch : QObject {
    bool Painted = false;
    bool eventFilter(QObject*, QEvent* event) override {
      Painted = Painted || event->type() == QEvent::Paint;
      return false;
    }
  } watch;
  widget->installEventFilter(&watch);
  while (!watch.Painted) QApplication::processEvents(QEventLoop::AllEvents, 10);
  widget->removeEventFilter(&watch);
}

} // namespace

int main(int argc, char** argv) {
  int versions = 1000, lines = 100000, runs = 5;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    if (option == "--versions") versions = std::atoi(argv[i + 1]);
    if (option == "--lines") lines = std::atoi(argv[i + 1]);
    if (option == "--runs") runs = std::atoi(argv[i + 1]);
  }
  const fs::path build = fs::absolute(argv[0]).parent_path().parent_path();
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  BenchDatabase db;
  platform::SetEnv("SSUSER", "Admin");
  platform::SetEnv("SSPWD", "");
  platform::SetEnv("SSDIR", db.Folder() + "/db");
  VSSPtr<IVSSItem> project = db.Root()->NewSubproject("Bench", "");
  project->SetLocalSpec(db.Work());

  // A file checked in `versions` times, and the large file with SourceSafe's and the working copy.
  const std::string history = db.Work() + "/History.cpp";
  WriteBenchFile(history, "// version 1\n");
  VSSPtr<IVSSItem> historyItem = project->Add(history, "", 0);
  for (int v = 2; v <= versions; ++v) {
    historyItem->Checkout("", history, 0);
    WriteBenchFile(history, "// version " + std::to_string(v) + "\n");
    historyItem->Checkin("change " + std::to_string(v), history, 0);
  }
  std::string left, right;
  MakeDiffBenchFiles(lines, left, right);
  const std::string large = db.Work() + "/Large.cpp";
  WriteBenchFile(large, left);
  VSSPtr<IVSSItem> largeItem = project->Add(large, "", 0);
  WriteBenchFile(large, right);

  QApplication app(argc, argv);
  RegisterHostClasses();
  TRVLRegFactory::_Instance().CreateRegRVL()->Registry().WriteString("PATH", (build / "ravelin").string());
  TRVLRegFactory::_Instance().CreateRegVSS()->SetInstallDir((build / "sourcesafe").string());
  TRVLFactory& factory = TRVLFactory::_Instance();
  VSSPtr<IVSSDatabase> database = VSSPtr<IVSSDatabase>::Share(&db.Database());
  auto bound = factory.CreateProjectFromVSS(database, project);
  auto files = factory.CreateItems();
  files->Add(factory.CreateItemFromVSS(historyItem, database));

  std::vector<double> historyTimes, diffTimes;
  int rows = 0;
  for (int run = 0; run < runs; ++run) {
    QElapsedTimer timer;
    timer.start();
    auto window = TRVLFormFactory::_Instance().CreateHistory();
    window->SetFiles(files.get(), bound.get());
    window->SelectFile(files.get());
    window->show();
    UntilPainted(window->lvHistory->viewport());
    historyTimes.push_back(double(timer.nsecsElapsed()) / 1e6);
    rows = window->lvHistory->topLevelItemCount();
    window->close();
  }

  // The viewer comes up modally; the time runs from the command until it has painted.
  QElapsedTimer timer;
  int diffCount = 0;
  SetModalHook([&](TForm& form) {
    auto& viewer = dynamic_cast<TFrmFileDiff&>(form);
    UntilPainted(viewer.lbRightPane->viewport());
    diffTimes.push_back(double(timer.nsecsElapsed()) / 1e6);
    diffCount = viewer.DiffCount;
    form.SetModalResult(mrCancel);
  });
  auto item = factory.CreateItemFromVSS(largeItem, database);
  for (int run = 0; run < runs; ++run) {
    timer.start();
    item->ShowDifference();
  }
  SetModalHook(nullptr);
  std::printf("history window, %d rows, median of %d runs: %.1f ms until the first paint (goal: under 200 ms)\n",
              rows, runs, Median(historyTimes));
  std::printf("Show Differences, %d lines, %d report lines, median of %zu runs: %.1f ms until the viewer's first "
              "paint (goal: under 200 ms)\n",
              lines, diffCount, diffTimes.size(), Median(diffTimes));
  return rows == versions && diffTimes.size() == size_t(runs) ? 0 : 1;
}
