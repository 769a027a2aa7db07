#include "graphics/x11/BrowserLaunch.h"

#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace quivorant {

int StartBrowser(const char* url) {
  if (!url || !url[0]) return -1;
  char program[] = "xdg-open";
  char* argv[] = {program, const_cast<char*>(url), nullptr};
  pid_t pid = -1;
  if (posix_spawnp(&pid, program, nullptr, nullptr, argv, environ) != 0) return -1;
  return int(pid);
}

LaunchOutcome PollBrowser(int pid) {
  if (pid <= 0) return LaunchOutcome::kUnknown;
  int status = 0;
  const pid_t done = waitpid(pid_t(pid), &status, WNOHANG);
  if (done == 0) return LaunchOutcome::kRunning;
  if (done != pid_t(pid)) return LaunchOutcome::kUnknown;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? LaunchOutcome::kOpened : LaunchOutcome::kFailed;
}

}  // namespace quivorant
