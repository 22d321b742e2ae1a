// `ss Diff` against GNU diff on one pair of files (by default 100,000 lines, one line in a hundred
// edited): both programs run as child processes and write their report to a file. Prints the median
// of several runs, the ratio, and how many lines each report names as removed and added, which
// should agree (both are minimal here). Processor times are shown as well: on a busy machine they
// vary less than wall times.
// Usage: ss_diff_vs_gnu [--lines N] [--runs R]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "DiffBenchFiles.h"

namespace fs = std::filesystem;

namespace {

double CpuSecondsOfChildren() {
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The wall time and the processor time (user and system, the shell's included) of `command`.
struct Times {
  double Wall = 0;
  double Cpu = 0;
};

Times Run(const std::string& command) {
  const double cpu = CpuSecondsOfChildren();
  auto start = std::chrono::steady_clock::now();
  int status = std::system(command.c_str());
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  if (status == -1 || !WIFEXITED(status) || WEXITSTATUS(status) > 1) {
    std::fprintf(stderr, "failed: %s\n", command.c_str());
    std::exit(1);
  }
  return {seconds, CpuSecondsOfChildren() - cpu};
}

std::string Slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

} // namespace

int main(int argc, char** argv) {
  int lines = 100000, runs = 7;
  for (int i = 1; i + 1 < argc; i += 2) {
    std::string option = argv[i];
    if (option == "--lines") lines = std::atoi(argv[i + 1]);
    if (option == "--runs") runs = std::atoi(argv[i + 1]);
  }
  const fs::path ss = fs::path(argv[0]).parent_path().parent_path() / "sourcesafe" / "ss";
  const fs::path folder = fs::temp_directory_path() / ("ss_diff_vs_gnu." + std::to_string(getpid()));
  fs::create_directories(folder);
  std::string left, right;
  MakeDiffBenchFiles(lines, left, right);
  std::ofstream(folder / "left.cpp", std::ios::binary) << left;
  std::ofstream(folder / "right.cpp", std::ios::binary) << right;

  const std::string a = (folder / "left.cpp").string(), b = (folder / "right.cpp").string();
  const fs::path ssReport = folder / "ss.txt", gnuReport = folder / "gnu.txt";
  std::vector<double> ssTimes, gnuTimes, ssCpu, gnuCpu;
  for (int i = 0; i < runs; ++i) {
    fs::remove(ssReport);
    const Times ssRun = Run(SsDiffCommand(ss.string(), a, b, ssReport.string()));
    const Times gnuRun = Run("diff '" + a + "' '" + b + "' > '" + gnuReport.string() + "'");
    ssTimes.push_back(ssRun.Wall);
    ssCpu.push_back(ssRun.Cpu);
    gnuTimes.push_back(gnuRun.Wall);
    gnuCpu.push_back(gnuRun.Cpu);
  }

  // Lines named as removed and added: ss "Del:"/"Change:" and "Ins:"/"To:", GNU "<" and ">".
  size_t ssRemoved = 0, ssAdded = 0, gnuRemoved = 0, gnuAdded = 0;
  std::istringstream ssLines(Slurp(ssReport)), gnuLines(Slurp(gnuReport));
  for (std::string line; std::getline(ssLines, line);) {
    if (line.find("  Del: ") == 6 || line.find("  Change: ") == 6) ++ssRemoved;
    if (line.find("  Ins: ") == 6 || line.rfind("              To: ", 0) == 0) ++ssAdded;
  }
  for (std::string line; std::getline(gnuLines, line);) {
    if (line.rfind("< ", 0) == 0) ++gnuRemoved;
    if (line.rfind("> ", 0) == 0) ++gnuAdded;
  }
  const double ssTime = Median(ssTimes), gnuTime = Median(gnuTimes);
  std::printf("%d lines, median of %d runs\n", lines, runs);
  std::printf("  ss Diff   %8.1f ms (processor %5.1f ms)   removed %zu, added %zu\n", ssTime * 1000,
              Median(ssCpu) * 1000, ssRemoved, ssAdded);
  std::printf("  GNU diff  %8.1f ms (processor %5.1f ms)   removed %zu, added %zu\n", gnuTime * 1000,
              Median(gnuCpu) * 1000, gnuRemoved, gnuAdded);
  std::printf("  ratio ss / GNU: %.2f (processor time %.2f)\n", ssTime / gnuTime, Median(ssCpu) / Median(gnuCpu));
  fs::remove_all(folder);
  return 0;
}
