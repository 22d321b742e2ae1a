// The two stores side by side on the same work: the SQLite file and a PostgreSQL server (a
// throw-away one on this machine, started by scripts/test-postgres with durable commits, so both
// stores wait for the disk on every change). Measures IsCheckedOut, the differs walk over a tree
// of files (Items and IsDifferent, the stat cache filled), Get of the whole tree into an empty
// folder, and check-ins per second with 1, 4 and 20 writer processes (each its own file).
// Usage: stores [--files N] [--seconds S]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "BenchDatabase.h"
#include "vss/api/VSSFlags.h"
#include "vss/server/VSSAdmin.h"
#include "vss/server/VSSDatabaseObject.h"
#include "vss/server/VSSStatCache.h"

namespace fs = std::filesystem;

namespace {

constexpr int Projects = 50;

double Seconds(const std::function<void()>& step) {
  const auto start = std::chrono::steady_clock::now();
  step();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::string Run(const std::string& command) {
  std::string out;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
    if (pclose(pipe) == 0) return out;
  }
  std::fprintf(stderr, "failed: %s\n", command.c_str());
  std::exit(1);
}

void Walk(IVSSItem& project, const std::string& folder, int& different) {
  VSSPtr<IVSSItems> items = project.Items(false);
  for (int32_t i = 1; i <= items->Count(); ++i) {
    VSSPtr<IVSSItem> item = items->Item(i);
    if (item->Type() == VSSITEM_PROJECT)
      Walk(*item, folder + "/" + item->Name(), different);
    else
      different += item->IsDifferent(folder + "/" + item->Name());
  }
}

// Check-ins made in `seconds` by `writers` processes, each on its own file of $/w.
double CheckinsPerSecond(BenchDatabase& db, int writers, int seconds) {
  const std::string project = "$/w" + std::to_string(writers);
  db.Root()->NewSubproject(project.substr(2), "");
  for (int w = 0; w < writers; ++w) {
    const std::string local = db.Work() + "/" + project.substr(2) + "/f" + std::to_string(w) + ".txt";
    WriteBenchFile(local, "first\n");
    db.Database().VSSItem(project)->Add(local, "", 0);
  }
  std::vector<pid_t> children;
  std::vector<std::string> counts;
  for (int w = 0; w < writers; ++w) {
    counts.push_back(db.Folder() + "/count" + std::to_string(writers) + "_" + std::to_string(w));
    const pid_t child = fork();
    if (child == 0) {
      // A session of its own; _exit leaves the parent's connection alone.
      int done = 0;
      {
        VSSPtr<IVSSDatabase> session(new VSSDatabaseObject());
        session->Open(db.Folder() + "/db", "Admin", "");
        const std::string spec = project + "/f" + std::to_string(w) + ".txt";
        const std::string local = db.Folder() + "/writer" + std::to_string(writers) + "_" + std::to_string(w);
        VSSPtr<IVSSItem> file = session->VSSItem(spec);
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
        while (std::chrono::steady_clock::now() < end) {
          file->Checkout("", local, VSSFLAG_GETNO);
          WriteBenchFile(local, "version " + std::to_string(done) + "\n");
          file->Checkin("", local, 0);
          ++done;
        }
      }
      FILE* out = std::fopen(counts.back().c_str(), "w");
      std::fprintf(out, "%d", done);
      std::fclose(out);
      _exit(0);
    }
    children.push_back(child);
  }
  int total = 0;
  for (size_t w = 0; w < children.size(); ++w) {
    int status = 0;
    waitpid(children[w], &status, 0);
    std::string text;
    if (FILE* in = std::fopen(counts[w].c_str(), "r")) {
      char buffer[32] = {};
      if (std::fgets(buffer, sizeof buffer, in)) total += std::atoi(buffer);
      std::fclose(in);
    }
  }
  return double(total) / seconds;
}

struct Figures {
  double IsCheckedOutUs = 0, WalkS = 0, GetS = 0;
  std::vector<double> Checkins;
};

Figures Measure(const std::string& server, int files, int seconds) {
  BenchDatabase db(server);
  Figures figures;
  // The tree: `files` files in Projects subprojects, added from work/ (so the local copies exist).
  for (int p = 0; p < Projects; ++p) {
    const std::string name = "p" + std::to_string(p);
    VSSPtr<IVSSItem> project = db.Root()->NewSubproject(name, "");
    for (int f = p; f < files; f += Projects) {
      const std::string local = db.Work() + "/" + name + "/f" + std::to_string(f) + ".cpp";
      WriteBenchFile(local, "// file " + std::to_string(f) + "\n" + std::string(2000, 'x') + "\n");
      project->Add(local, "", 0);
    }
  }
  VSSPtr<IVSSItem> one = db.Database().VSSItem("$/p0/f0.cpp");
  constexpr int Calls = 2000;
  figures.IsCheckedOutUs = Seconds([&] {
                             for (int i = 0; i < Calls; ++i) one->IsCheckedOut();
                           }) * 1e6 / Calls;
  std::this_thread::sleep_for(std::chrono::nanoseconds(VSSStatCache::TimeGranularityNs));
  int different = 0;
  Walk(*db.Root(), db.Work(), different);   // fills the stat cache
  figures.WalkS = Seconds([&] { Walk(*db.Root(), db.Work(), different); });
  figures.GetS = Seconds([&] {
    std::string target = db.Folder() + "/get";
    db.Root()->Get(target, VSSFLAG_RECURSYES | VSSFLAG_REPREPLACE);
  });
  for (int writers : {1, 4, 20}) figures.Checkins.push_back(CheckinsPerSecond(db, writers, seconds));
  return figures;
}

} // namespace

int main(int argc, char** argv) {
  int files = 5000, seconds = 5;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--files") == 0) files = std::atoi(argv[i + 1]);
    if (std::strcmp(argv[i], "--seconds") == 0) seconds = std::atoi(argv[i + 1]);
  }
  const std::string script = RAVELIN_SOURCE_DIR "/scripts/test-postgres";
  std::istringstream started(Run(script + " start --durable"));
  std::string serverDir, conninfo;
  std::getline(started, serverDir);
  std::getline(started, conninfo);
  Run("psql '" + conninfo + "' -q -c 'CREATE DATABASE bench'");

  std::printf("%d files in %d projects; check-ins for %d s per writer count\n", files, Projects, seconds);
  const Figures sqlite = Measure({}, files, seconds);
  const Figures postgres = Measure(conninfo + " dbname=bench", files, seconds);
  Run(script + " stop " + serverDir);

  std::printf("%-34s %12s %12s\n", "", "SQLite", "PostgreSQL");
  std::printf("%-34s %12.1f %12.1f\n", "IsCheckedOut (us per call)", sqlite.IsCheckedOutUs, postgres.IsCheckedOutUs);
  std::printf("%-34s %12.3f %12.3f\n", "differs walk (s)", sqlite.WalkS, postgres.WalkS);
  std::printf("%-34s %12.3f %12.3f\n", "Get of the tree (s)", sqlite.GetS, postgres.GetS);
  const char* labels[] = {"check-ins/s, 1 writer", "check-ins/s, 4 writers", "check-ins/s, 20 writers"};
  for (size_t i = 0; i < 3; ++i) std::printf("%-34s %12.1f %12.1f\n", labels[i], sqlite.Checkins[i], postgres.Checkins[i]);
  return 0;
}
