// A program the test started, ended for sure when the test is done.
#pragma once

#include <windows.h>

#include <string>

namespace gleaner::e2e {

class ChildProcess {
public:
    ChildProcess() = default;
    // Starts commandLine in folder (nullptr: the test's own folder). The
    // process joins a job that ends it if the test itself dies.
    ChildProcess(const std::wstring& commandLine, const wchar_t* folder);
    ~ChildProcess();
    ChildProcess(ChildProcess&& other) noexcept;
    ChildProcess& operator=(ChildProcess&& other) noexcept;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Started() const { return process_ != nullptr; }
    DWORD Id() const { return id_; }
    HANDLE Handle() const { return process_; }
    bool Running() const;
    bool WaitForExit(DWORD timeoutMs) const;
    // Ends the process at once (cleanup after a failure).
    void Kill();

private:
    void Reset();

    HANDLE process_ = nullptr;
    HANDLE job_ = nullptr;
    DWORD id_ = 0;
};

}  // namespace gleaner::e2e
