// Opening a web address in the user's browser through xdg-open: started without a shell (the
// address is one argument, never parsed) and never waited for on the user-interface thread.
#pragma once

namespace quivorant {

// Starts `xdg-open url`; answers its process id, or -1 when it could not be started.
int StartBrowser(const char* url);

enum class LaunchOutcome { kRunning, kOpened, kFailed, kUnknown };
// Collects a started launch without blocking. kUnknown when the process is no longer ours to
// ask (a host that reaps every child itself).
LaunchOutcome PollBrowser(int pid);

}  // namespace quivorant
