#include "platform/Process.h"

#include "platform/Files.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <ctime>
#include <poll.h>
#include <spawn.h>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace platform {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

int ExitCodeOf(int status) {
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return status;
}

void SleepMs(int ms) {
  timespec delay{ms / 1000, (ms % 1000) * 1000000L};
  while (nanosleep(&delay, &delay) != 0 && errno == EINTR) {}
}

long long NowMs() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return now.tv_sec * 1000LL + now.tv_nsec / 1000000;
}

} // namespace

std::vector<std::string> SplitCommandLine(const std::string& commandLine) {
  std::vector<std::string> arguments;
  std::string current;
  bool inArgument = false, quoted = false;
  for (size_t i = 0; i < commandLine.size();) {
    const char c = commandLine[i];
    if (!quoted && IsBlank(c)) {
      if (inArgument) arguments.push_back(current);
      current.clear();
      inArgument = false;
      ++i;
      continue;
    }
    inArgument = true;
    if (c == '\\') {
      size_t count = 0;
      while (i < commandLine.size() && commandLine[i] == '\\') ++count, ++i;
      if (i < commandLine.size() && commandLine[i] == '"') {
        current.append(count / 2, '\\');
        if (count % 2 == 1) current += '"', ++i;   // an escaped quote; an even run leaves the quote to group
      } else {
        current.append(count, '\\');
      }
    } else if (c == '"') {
      // A run of quotes: each one toggles grouping, except that a third one in a row (counting the
      // opening quote) is a literal quote and ends the group: "a""b" gives a"b.
      int count = quoted ? 1 : 0;
      for (; i < commandLine.size() && commandLine[i] == '"'; ++i)
        if (++count == 3) current += '"', count = 0;
      quoted = count == 1;
    } else {
      current += c;
      ++i;
    }
  }
  if (inArgument) arguments.push_back(current);
  return arguments;
}

std::string QuoteArgument(const std::string& argument) {
  if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos) return argument;
  std::string quoted = "\"";
  size_t backslashes = 0;
  for (const char c : argument) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    // Backslashes before a quote are doubled, and the quote itself escaped.
    quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, '\\');   // before the closing quote
  return quoted + '"';
}

Process::~Process() { Running(); }

bool Process::Start(const std::string& commandLine, bool /*hiddenWindow*/, const std::string& workingDirectory) {
  return Start(SplitCommandLine(commandLine), workingDirectory);
}

bool Process::Start(const std::vector<std::string>& arguments, const std::string& workingDirectory) {
  FError.clear();
  if (FPid > 0 && Running()) {
    FError = "A program is already running (pid " + std::to_string(FPid) + ")";
    return false;
  }
  FPid = -1;
  FEnded = false;
  FExitCode = 0;
  if (arguments.empty() || arguments.front().empty()) {
    FError = "No program to start";
    return false;
  }
  if (!workingDirectory.empty() && !DirectoryExists(workingDirectory)) {
    FError = "Cannot start " + arguments.front() + ": the folder " + workingDirectory + " does not exist";
    return false;
  }
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (!workingDirectory.empty()) posix_spawn_file_actions_addchdir_np(&actions, workingDirectory.c_str());
  // Only the standard streams are passed on: open databases and files of this process are not.
  posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
  // The child starts with no blocked signals and the usual dispositions, whatever this process set up.
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t signals;
  sigemptyset(&signals);
  posix_spawnattr_setsigmask(&attributes, &signals);
  for (const int signal : {SIGPIPE, SIGINT, SIGQUIT, SIGTERM, SIGHUP, SIGCHLD}) sigaddset(&signals, signal);
  posix_spawnattr_setsigdefault(&attributes, &signals);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  pid_t pid = -1;
  // glibc reports a failed exec (missing program, no permission) as the result here.
  const int result = posix_spawnp(&pid, argv.front(), &actions, &attributes, argv.data(), environ);
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  if (result != 0) {
    FError = "Cannot start " + arguments.front() + ": " + std::strerror(result);
    return false;
  }
  FPid = pid;
  return true;
}

pid_t Process::Detach() {
  const pid_t pid = FEnded ? -1 : FPid;
  FPid = -1;
  FEnded = false;
  return pid;
}

bool Process::WaitStarted(int /*timeoutMs*/) {
  // The spawn returns only after the program has been loaded, so a started child is ready.
  return FPid > 0;
}

bool Process::Running() {
  if (FPid <= 0 || FEnded) return false;
  int status = 0;
  pid_t result;
  while ((result = waitpid(FPid, &status, WNOHANG)) < 0 && errno == EINTR) {}
  if (result == 0) return true;
  FEnded = true;
  FExitCode = result == FPid ? ExitCodeOf(status) : -1;
  return false;
}

int Process::Wait(int timeoutMs) {
  if (FPid <= 0) return -1;
  const long long deadline = NowMs() + timeoutMs;
  int step = 1;
  while (Running()) {
    if (timeoutMs >= 0 && NowMs() >= deadline) {
      kill(FPid, SIGKILL);
      int status;
      while (waitpid(FPid, &status, 0) < 0 && errno == EINTR) {}
      FEnded = true;
      FExitCode = TimeoutExitCode;
      break;
    }
    SleepMs(step);
    step = std::min(step * 2, 20);
  }
  return FExitCode;
}

FileReadWatch::FileReadWatch(const std::string& fileName) {
  FFd = inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
  if (FFd >= 0 && inotify_add_watch(FFd, fileName.c_str(), IN_CLOSE) < 0) {
    close(FFd);
    FFd = -1;
  }
}

FileReadWatch::~FileReadWatch() {
  if (FFd >= 0) close(FFd);
}

bool FileReadWatch::Wait(Process* child, int timeoutMs) {
  const long long deadline = NowMs() + timeoutMs;
  while (!child || child->Running()) {
    const long long left = deadline - NowMs();
    if (left <= 0) return false;
    if (FFd < 0) {
      // Nothing to watch (the file is gone or the system refuses): wait out the time or the child.
      SleepMs(int(std::min(left, 20LL)));
      continue;
    }
    pollfd ready{FFd, POLLIN, 0};
    if (poll(&ready, 1, int(std::min(left, 20LL))) > 0) {
      alignas(inotify_event) char events[4096];
      if (read(FFd, events, sizeof events) > 0) return true;
    }
  }
  return false;
}

int RunAndWait(const std::string& commandLine, int timeoutMs, std::string* error) {
  Process process;
  if (!process.Start(commandLine)) {
    if (error) *error = process.Error();
    return -1;
  }
  return process.Wait(timeoutMs);
}

bool ShellOpen(const std::string& target, std::string* error) {
  // xdg-open hands the target to the desktop and ends soon; those started before are reaped here.
  static std::vector<pid_t> opened;
  std::erase_if(opened, [](pid_t pid) { return waitpid(pid, nullptr, WNOHANG) != 0; });
  Process process;
  if (!process.Start(std::vector<std::string>{"xdg-open", target})) {
    if (error) *error = process.Error();
    return false;
  }
  if (const pid_t pid = process.Detach(); pid > 0) opened.push_back(pid);
  return true;
}

} // namespace platform
