// The editor's SourceSafe status panel is brought up to date after every paint of the editor, with
// the file's state asked afresh from SourceSafe. This measures that update for a checked-in unit of a
// project whose database holds 5,000 more files in 50 subprojects, inside the real IDE (offscreen),
// and prints the median, the 99th percentile and the slowest of 10,000 updates.
// Usage: status_panel_update [--files N] [--updates N]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include <QApplication>

#include "BenchDatabase.h"
#include "addin/frame/uRVLFactory.h"
#include "addin/frame/uRVLGlobals.h"
#include "addin/frame/uRVLStartup.h"
#include "addin/ide/uEditHook.h"
#include "addin/ide/uIDEHook.h"
#include "addin/sourcesafe/uRVLItems.h"
#include "addin/sourcesafe/uRVLProjects.h"
#include "host/EditWindow.h"
#include "host/Host.h"
#include "platform/Environment.h"
#include "vss/server/VSSAdmin.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
  int files = 5000, updates = 10000;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    if (option == "--files") files = std::atoi(argv[i + 1]);
    if (option == "--updates") updates = std::atoi(argv[i + 1]);
  }
  const fs::path build = fs::absolute(argv[0]).parent_path().parent_path();
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  BenchDatabase db;
  VSSAdmin::InstallServer((build / "sourcesafe").string());
  platform::SetEnv("SSUSER", "Admin");
  platform::SetEnv("SSPWD", "");

  // The sample project in $/Demo, and the many other files beside it.
  const fs::path demo = fs::path(db.Work()) / "Demo";
  fs::copy(fs::path(RAVELIN_SAMPLES_DIR) / "Demo", demo);
  VSSPtr<IVSSItem> project = db.Root()->NewSubproject("Demo", "");
  for (const char* name : {"Demo.bpr", "Demo.cpp", "Unit1.cpp", "Unit1.dfm", "Unit1.h", "Util.cpp", "Util.h"})
    project->Add((demo / name).string(), "", 0);
  std::vector<VSSPtr<IVSSItem>> subprojects;
  for (int p = 0; p < 50; ++p) subprojects.push_back(project->NewSubproject("P" + std::to_string(p), ""));
  for (int f = 0; f < files; ++f) {
    const std::string local = (demo / ("P" + std::to_string(f % 50)) / ("F" + std::to_string(f) + ".cpp")).string();
    WriteBenchFile(local, "// file " + std::to_string(f) + "\n");
    subprojects[static_cast<size_t>(f % 50)]->Add(local, "", 0);
  }
  WriteBenchFile((demo / "vss.rvl").string(),
                 "[Demo.bpr]\nSCPATH=$/Demo\nSCDB=" + db.Folder() + "/db/srcsafe.ini\n");

  QApplication app(argc, argv);
  RegisterHostClasses();
  int status = 0;
  {
    THost host;
    Globals().ToolServices = host.ToolServices();
    TRVLFactory& factory = TRVLFactory::_Instance();
    auto projects = factory.CreateActiveProjects();
    auto activeFiles = factory.CreateActiveFiles(projects.get());
    auto watch = factory.CreateIDEHook(activeFiles.get(), projects.get());
    host.OpenProject((demo / "Demo.bpr").string());
    host.OpenFile((demo / "Unit1.cpp").string());
    for (int i = 0; i < 100 && !host.EditWindow()->isActiveWindow(); ++i) app.processEvents();
    auto* hook = qobject_cast<TEditHookComp*>(FindComponent(host.EditWindow(), "EditorHookComp"));
    if (!hook) {
      std::fprintf(stderr, "the editor window was not hooked\n");
      return 1;
    }
    hook->UpdateStatusPanel();
    std::printf("%d files in the database; the panel reads \"%s\"\n", files + 7, hook->StatusPanel()->Text().c_str());

    std::vector<double> times;
    times.reserve(static_cast<size_t>(updates));
    for (int i = 0; i < updates; ++i) {
      const auto start = std::chrono::steady_clock::now();
      hook->UpdateStatusPanel();
      times.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    const double p99 = times[times.size() * 99 / 100];
    std::printf("status panel update, %d runs: p50 %.1f us, p99 %.1f us, slowest %.1f us (goal: p99 under 500 us)\n",
                updates, times[times.size() / 2], p99, times.back());
    status = hook->StatusPanel()->Text() == "Checked in" ? 0 : 1;
    watch.reset();
    activeFiles.reset();
    projects.reset();
    Globals().ToolServices = nullptr;
    host.Shutdown();
  }
  return status;
}
