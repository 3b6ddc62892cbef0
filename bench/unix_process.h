// What Linux counts for the processes of a Wine desktop, read through Wine's
// drive Z: (the Linux root) in /proc. Each function gives nothing where that
// cannot be read (on Windows itself, say).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace gleaner::bench {

// The Linux process of the running Windows program whose command line holds
// `marker` (a folder no other program runs from, say).
std::optional<int> UnixProcessOf(const std::wstring& marker);

// The wineserver of this desktop: Wine opens files in the server, so
// /proc/self read from a Wine program is the server's own.
std::optional<int> Wineserver();

// Time on a processor of all the process's threads so far, in nanoseconds
// (the scheduler's own count, finer than the 10 ms ticks of /proc/PID/stat).
std::optional<std::uint64_t> ProcessorNs(int pid);

// Resident memory (VmRSS), in kilobytes.
std::optional<std::uint64_t> ResidentKb(int pid);

}  // namespace gleaner::bench
