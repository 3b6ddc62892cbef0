// Runs a Linux command (xdotool, say) from this Wine process and waits for it.
//
// Wine starts a Linux executable named in CreateProcess, but hands back no
// process handle to wait on. So the command runs under /bin/sh, which writes
// its exit code into a file when it is done; we wait for that file.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace gleaner::e2e {

struct UnixCommandResult {
    int exitCode = -1;
    std::string output;  // stdout and stderr together
};

// shellCommand is handed to /bin/sh -c as it is. nullopt when it could not
// be started or did not finish within timeoutMs.
std::optional<UnixCommandResult> RunUnixCommand(const std::string& shellCommand, DWORD timeoutMs);

}  // namespace gleaner::e2e
