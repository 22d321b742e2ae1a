#include "Unprivileged.h"

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

bool RunUnprivileged(const std::function<bool()>& check, uid_t user) {
  if (geteuid() != 0) return check();
  const pid_t pid = fork();
  if (pid < 0) return false;
  if (pid == 0) {
    if (setgroups(0, nullptr) != 0 || setgid(user) != 0 || setuid(user) != 0) _exit(3);
    _exit(check() ? 0 : 1);
  }
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {}
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
