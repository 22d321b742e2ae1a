// Add, Check In and Get of large files (by default 10 MB, 200 MB and 1 GB) through `ss`, each run
// as a child process: its time, processor time and peak memory (getrusage of the child), and that
// peak above the same command's peak on a 1 KB file, which is what the file's size costs. (That
// peak is mostly the password check at login, whose memory is freed before the work starts.)
// Usage: large_files [--sizes 10,200,1024] [--bin DIR]
//   sizes in MB; DIR holds the ss and ssadmin to measure (by default this build's).
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace fs = std::filesystem;

namespace {

struct Measure {
  double Seconds = 0;
  double CpuSeconds = 0;   // user and system: on a busy machine it varies less than the time
  double PeakMB = 0;
};

// Runs `program` with `arguments`, its output thrown away; exits the benchmark when it fails.
Measure Run(const fs::path& program, const std::vector<std::string>& arguments) {
  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  const auto start = std::chrono::steady_clock::now();
  pid_t child = 0;
  if (posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ) != 0) {
    std::fprintf(stderr, "cannot start %s\n", program.c_str());
    std::exit(1);
  }
  posix_spawn_file_actions_destroy(&actions);
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::string command = program.string();
    for (const std::string& argument : arguments) command += " " + argument;
    std::fprintf(stderr, "failed: %s\n", command.c_str());
    std::exit(1);
  }
  const double cpu = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                     double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
  return {seconds, cpu, usage.ru_maxrss / 1024.0};
}

// `megabytes` of content like a large asset's: each 64 KB block half text, half noise (so it
// compresses to about half). `variant` changes a little of the text, as an edit would.
void WriteContent(const fs::path& path, size_t bytes, int variant) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  std::string block(64 * 1024, '\0');
  uint64_t state = 0x9E3779B97F4A7C15ull;
  for (size_t written = 0, number = 0; written < bytes; written += block.size(), ++number) {
    std::string text;
    while (text.size() < block.size() / 2)
      text += "asset block " + std::to_string(number) + (number % 1000 == 7 ? " v" + std::to_string(variant) : "") +
              " line " + std::to_string(text.size()) + "\n";
    std::copy_n(text.data(), block.size() / 2, block.data());
    for (size_t i = block.size() / 2; i < block.size(); ++i) {
      state = state * 6364136223846793005ull + 1442695040888963407ull;
      block[i] = static_cast<char>(state >> 56);
    }
    out.write(block.data(), static_cast<std::streamsize>(std::min(block.size(), bytes - written)));
  }
}

void Print(const std::string& operation, const std::string& size, const Measure& measure, const Measure& small) {
  std::printf("%-9s %8s %9.2f s %9.2f s %10.1f MB %10.1f MB\n", operation.c_str(), size.c_str(), measure.Seconds,
              measure.CpuSeconds, measure.PeakMB, measure.PeakMB - small.PeakMB);
}

} // namespace

int main(int argc, char** argv) {
  std::vector<size_t> sizes{10, 200, 1024};
  fs::path bin = fs::canonical(fs::path(argv[0])).parent_path().parent_path() / "sourcesafe";
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    if (option == "--bin") bin = argv[i + 1];
    if (option == "--sizes") {
      sizes.clear();
      std::stringstream list(argv[i + 1]);
      for (std::string size; std::getline(list, size, ',');) sizes.push_back(std::stoul(size));
    }
  }
  const fs::path ss = bin / "ss", ssadmin = bin / "ssadmin";
  const fs::path folder = fs::temp_directory_path() / ("large_files." + std::to_string(getpid()));
  const fs::path work = folder / "work";
  fs::create_directories(work);
  Run(ssadmin, {"create", (folder / "db").string()});
  setenv("SSDIR", (folder / "db").c_str(), 1);
  setenv("SSUSER", "Admin", 1);
  setenv("SSPWD", "", 1);
  Run(ss, {"Workfold", "$/", work.string()});

  // One round of Add, Check In and Get of a file of `bytes` bytes.
  auto round = [&](const std::string& name, size_t bytes) {
    const fs::path local = work / name;
    WriteContent(local, bytes, 1);
    std::vector<Measure> result;
    result.push_back(Run(ss, {"Add", local.string(), "-C-"}));
    Run(ss, {"Checkout", "$/" + name, "-G-"});
    WriteContent(local, bytes, 2);
    result.push_back(Run(ss, {"Checkin", "$/" + name, "-C-"}));
    fs::permissions(local, fs::perms::owner_write, fs::perm_options::add);
    fs::remove(local);
    result.push_back(Run(ss, {"Get", "$/" + name}));
    fs::permissions(local, fs::perms::owner_write, fs::perm_options::add);
    fs::remove(local);
    return result;
  };

  std::printf("%s, each command once\n", ss.c_str());
  std::printf("%-9s %8s %11s %11s %13s %13s\n", "command", "size", "time", "processor", "peak", "above 1 KB");
  const std::vector<Measure> small = round("small.bin", 1024);
  const char* operations[] = {"Add", "Check In", "Get"};
  for (size_t megabytes : sizes) {
    const std::vector<Measure> large = round("large" + std::to_string(megabytes) + ".bin", megabytes << 20);
    for (size_t i = 0; i < large.size(); ++i)
      Print(operations[i], std::to_string(megabytes) + " MB", large[i], small[i]);
  }
  fs::remove_all(folder);
}
