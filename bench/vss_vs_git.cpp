// The SourceSafe server against git on one tree of files (by default 5,000 files in 50
// subprojects): checking every file for local changes (a recursive walk of Items with IsDifferent
// against `git status`) and fetching the whole tree into an empty folder (Get of every file
// against `git checkout`), and the add-in's different-files list against `git status`. Prints the
// median of several runs and the ratio. The walk is timed once
// the files are older than the stat cache's racy window and an earlier walk has filled the cache,
// as `git add` has filled git's index; the first walk, with the cache empty, is shown beside it, and
// the first walk after a Get of the whole tree in a new session (also beside git's first status
// after a checkout).
// Usage: vss_vs_git [--files N] [--projects M] [--runs R]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "BenchDatabase.h"
#include "BenchTiming.h"
#include "addin/frame/uRVLFactory.h"
#include "addin/frame/uRVLStartup.h"
#include "addin/selection/uRVLFileListBuilderFactory.h"
#include "addin/sourcesafe/uRVLItems.h"
#include "addin/sourcesafe/uRVLProject.h"
#include "vss/api/VSSFlags.h"
#include "vss/server/VSSStatCache.h"

namespace fs = std::filesystem;

namespace {

double Seconds(const std::function<void()>& step) {
  auto start = std::chrono::steady_clock::now();
  step();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The median time of `runs` runs of `step`, each after an untimed `prepare`.
double MedianOfRuns(int runs, const std::function<void()>& prepare, const std::function<void()>& step) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    prepare();
    times.push_back(Seconds(step));
  }
  return Median(times);
}

void Shell(const std::string& command) {
  if (std::system((command + " >/dev/null 2>&1").c_str()) != 0) {
    std::fprintf(stderr, "failed: %s\n", command.c_str());
    std::exit(1);
  }
}

std::string FileText(int project, int file) {
  std::string text;
  for (int line = 0; line < 60; ++line)
    text += "// project " + std::to_string(project) + ", file " + std::to_string(file) + ", line " +
            std::to_string(line) + "\n";
  return text;
}

// Every file below a project, with the folder it belongs in.
void Walk(IVSSItem& project, const std::string& folder,
          const std::function<void(IVSSItem&, const std::string&)>& onFile) {
  VSSPtr<IVSSItems> items = project.Items(false);
  for (int32_t i = 1, n = items->Count(); i <= n; ++i) {
    VSSPtr<IVSSItem> child = items->Item(i);
    if (child->Type() == VSSITEM_PROJECT)
      Walk(*child, folder + "/" + child->Name(), onFile);
    else
      onFile(*child, folder + "/" + child->Name());
  }
}

void RemoveTree(const std::string& folder, bool keepGit) {
  std::error_code ec;
  for (auto& entry : fs::recursive_directory_iterator(folder, ec))
    fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ec);
  for (auto& entry : fs::directory_iterator(folder, ec))
    if (!keepGit || entry.path().filename() != ".git") fs::remove_all(entry.path(), ec);
}

} // namespace

int main(int argc, char** argv) {
  int files = 5000, projects = 50, runs = 3;
  for (int i = 1; i + 1 < argc; i += 2) {
    std::string option = argv[i];
    int value = std::atoi(argv[i + 1]);
    if (option == "--files") files = value;
    else if (option == "--projects") projects = value;
    else if (option == "--runs") runs = value;
  }
  if (files < 1 || projects < 1 || runs < 1) {
    std::fprintf(stderr, "Usage: vss_vs_git [--files N] [--projects M] [--runs R]\n");
    return 2;
  }

  BenchDatabase db;
  const std::string tree = db.Work() + "/Tree", gitTree = db.Folder() + "/git";
  std::printf("Tree: %d files in %d subprojects\n", files, projects);
  VSSPtr<IVSSItem> top = db.Root()->NewSubproject("Tree", "");
  double adding = Seconds([&] {
    std::vector<VSSPtr<IVSSItem>> subprojects;
    for (int p = 0; p < projects; ++p) subprojects.push_back(top->NewSubproject("P" + std::to_string(p), ""));
    for (int f = 0; f < files; ++f) {
      int p = f % projects;
      std::string relative = "P" + std::to_string(p) + "/F" + std::to_string(f) + ".cpp";
      WriteBenchFile(tree + "/" + relative, FileText(p, f));
      WriteBenchFile(gitTree + "/" + relative, FileText(p, f));
      subprojects[p]->Add(tree + "/" + relative, "", 0);
    }
  });
  std::printf("Adding the files to SourceSafe: %.2f s (%.2f ms a file)\n", adding, adding * 1000 / files);
  Shell("git -C '" + gitTree + "' init -q && git -C '" + gitTree + "' add -A && git -C '" + gitTree +
        "' -c user.name=bench -c user.email=bench@localhost commit -q -m tree");

  int differing = 0;
  auto walkTree = [&] {
    differing = 0;
    Walk(*top, tree, [&](IVSSItem& file, const std::string& local) { differing += file.IsDifferent(local); });
  };
  double firstWalk = Seconds(walkTree);
  std::this_thread::sleep_for(std::chrono::nanoseconds(VSSStatCache::TimeGranularityNs));
  walkTree();
  double walk = MedianOfRuns(runs, [] {}, walkTree);
  if (differing != 0) std::fprintf(stderr, "warning: %d files reported different\n", differing);
  // The add-in's different-files list over the same tree, as the Get Different Files command builds it.
  RegisterHostClasses();
  auto project = TRVLFactory::_Instance().CreateProjectFromVSS(VSSPtr<IVSSDatabase>::Share(&db.Database()), top);
  double builder = MedianOfRuns(runs, [] {}, [&] {
    auto list = TRVLFactory::_Instance().CreateItems();
    auto different = TRVLFileListBuilderFactory::_Instance().CreateDifferentFilesBuilder();
    different->SetParams(project.get(), nullptr);
    different->Build(list.get());
    differing = list->Count();
  });
  if (differing != 0) std::fprintf(stderr, "warning: the builder listed %d files\n", differing);
  double status = MedianOfRuns(runs, [] {}, [&] { Shell("git -C '" + gitTree + "' status --porcelain"); });

  double get = MedianOfRuns(runs, [&] { RemoveTree(tree, false); }, [&] {
    Walk(*top, tree, [&](IVSSItem& file, const std::string& local) {
      fs::create_directories(fs::path(local).parent_path());
      std::string path = local;
      file.Get(path, 0);
    });
  });
  double checkout = MedianOfRuns(runs, [&] { RemoveTree(gitTree, true); },
                           [&] { Shell("git -C '" + gitTree + "' checkout -- ."); });
  // Each Get and the walk 3 s after it run in a session of their own, which no earlier walk warmed.
  std::vector<double> treeGets, walksAfterGet;
  for (int i = 0; i < runs; ++i) {
    RemoveTree(tree, false);
    db.Reopen();
    top = db.Database().VSSItem("$/Tree", false);
    treeGets.push_back(Seconds([&] {
      std::string folder = tree;
      top->Get(folder, VSSFLAG_RECURSYES);
    }));
    std::this_thread::sleep_for(std::chrono::seconds(3));
    walksAfterGet.push_back(Seconds(walkTree));
    if (differing != 0) std::fprintf(stderr, "warning: %d files reported different after the Get\n", differing);
  }
  const double treeGet = Median(treeGets), walkAfterGet = Median(walksAfterGet);
  // git's own first status 3 s after a checkout, for comparison: its index then holds entries as
  // racy as a fresh Get's, which it has to check again.
  double statusAfterCheckout = MedianOfRuns(runs, [&] {
    RemoveTree(gitTree, true);
    Shell("git -C '" + gitTree + "' checkout -- .");
    std::this_thread::sleep_for(std::chrono::seconds(3));
  }, [&] { Shell("git -C '" + gitTree + "' status --porcelain"); });

  std::printf("\n%-34s %12s %12s %8s\n", "operation (median of runs)", "SourceSafe", "git", "ratio");
  std::printf("%-34s %9.1f ms %9.1f ms %7.1fx\n", "IsDifferent walk / git status", walk * 1000,
              status * 1000, walk / status);
  std::printf("%-34s %9.1f ms %9.1f ms %7.1fx\n", "  the first walk, cache empty", firstWalk * 1000,
              status * 1000, firstWalk / status);
  std::printf("%-34s %9.1f ms %9.1f ms %7.1fx\n", "  the first walk 3 s after a Get", walkAfterGet * 1000,
              status * 1000, walkAfterGet / status);
  std::printf("%-34s %9.1f ms %9.1f ms %7.1fx\n", "    against git's own first status", walkAfterGet * 1000,
              statusAfterCheckout * 1000, walkAfterGet / statusAfterCheckout);
  std::printf("%-34s %9.1f ms %9.1f ms %7.1fx\n", "Different-files list / git status", builder * 1000,
              status * 1000, builder / status);
  std::printf("%-34s %9.1f ms %9.1f ms %7.1fx\n", "Get file by file / git checkout", get * 1000,
              checkout * 1000, get / checkout);
  std::printf("%-34s %9.1f ms %9.1f ms %7.1fx\n", "Get of the tree in one call", treeGet * 1000,
              checkout * 1000, treeGet / checkout);
  std::printf("(ratio = SourceSafe time / git time; git runs as a child process, so its times include"
              " starting it)\n");
  return 0;
}
