#pragma once
// Starting programs from Windows-style command lines (never through a shell) and waiting for them.
#include <string>
#include <sys/types.h>
#include <vector>

namespace platform {

// Splits a command line by the Windows rules: blanks separate arguments, double quotes group and are
// removed, 2n backslashes before a quote give n backslashes and a quote that groups, 2n+1 give n
// backslashes and a literal quote, "" inside quotes is a literal quote, other backslashes are literal.
std::vector<std::string> SplitCommandLine(const std::string& commandLine);
// The reverse: quotes an argument so that SplitCommandLine gives it back.
std::string QuoteArgument(const std::string& argument);

// The exit code reported for a program killed after its time-out.
constexpr int TimeoutExitCode = 50;

class Process {
public:
  Process() = default;
  ~Process();   // does not kill a running child; reaps one that has ended
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  // Starts the program named by the first argument of `commandLine` (searched on PATH when it has no
  // '/') with the current environment and the standard streams (other open files are not inherited). `hiddenWindow` has no effect here. False when it can't be
  // started; Error() holds the system's error text.
  bool Start(const std::string& commandLine, bool hiddenWindow = false,
             const std::string& workingDirectory = {});
  bool Start(const std::vector<std::string>& arguments, const std::string& workingDirectory = {});
  const std::string& Error() const { return FError; }
  pid_t Pid() const { return FPid; }

  // Waits until the child has started (the nearest thing to "ready for input"), at most timeoutMs.
  bool WaitStarted(int timeoutMs);
  // Waits for the end; after timeoutMs (negative: no limit) the child is killed and 50 returned.
  // Returns the exit code (128 + signal for a child ended by a signal).
  int Wait(int timeoutMs = -1);
  bool Running();
  // Lets go of the child without waiting for it; returns its pid (-1 when none is running), which
  // the caller then has to reap.
  pid_t Detach();

private:
  pid_t FPid = -1;
  bool FEnded = false;
  int FExitCode = 0;
  std::string FError;
};

// The nearest thing to "the program is ready for input" for a viewer started on a file: the moment
// some program has opened the file and closed it again (it has read it). Made before the program
// starts, so that a quick reader is not missed.
class FileReadWatch {
public:
  explicit FileReadWatch(const std::string& fileName);
  ~FileReadWatch();
  FileReadWatch(const FileReadWatch&) = delete;
  FileReadWatch& operator=(const FileReadWatch&) = delete;

  // Waits until the file has been read, `child` (may be nil) has ended, or timeoutMs has passed;
  // true when the file was read.
  bool Wait(Process* child, int timeoutMs);

private:
  int FFd = -1;
};

// Runs a command line to its end (at most timeoutMs) and returns its exit code, or -1 when it can't
// be started (error set).
int RunAndWait(const std::string& commandLine, int timeoutMs, std::string* error = nullptr);

// Opens a file or address with the desktop's default program (xdg-open).
bool ShellOpen(const std::string& target, std::string* error = nullptr);

} // namespace platform
