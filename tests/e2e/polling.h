// Waiting for something a person would see, without fixed sleeps: ask again
// and again until it holds or a generous deadline has passed.
#pragma once

#include <windows.h>

#include <functional>

namespace gleaner::e2e {

// Deadlines are generous on purpose: Wine under load can be slow, and a test
// only waits this long when it is about to fail anyway.
inline constexpr DWORD kShortWaitMs = 5000;
inline constexpr DWORD kLongWaitMs = 20000;

// Calls condition every stepMs until it returns true (then true) or timeoutMs
// has passed (then false, after one last try).
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = kShortWaitMs, DWORD stepMs = 20);

// Sleeps while still answering messages sent to windows of this thread.
void PumpFor(DWORD ms);

}  // namespace gleaner::e2e
