#include "Unprivileged.h"

#include <sys/wait.h>
#include <unistd.h>

bool RunUnprivileged(const std::function<bool()>& check) {
  if (geteuid() != 0) return check();
  const pid_t pid = fork();
  if (pid < 0) return false;
  if (pid == 0) {
    constexpr uid_t Nobody = 65534;
    if (setgid(Nobody) != 0 || setuid(Nobody) != 0) _exit(3);
    _exit(check() ? 0 : 1);
  }
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {}
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
