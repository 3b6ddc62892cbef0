#include "child_process.h"

#include <utility>

namespace gleaner::e2e {

ChildProcess::ChildProcess(const std::wstring& commandLine, const wchar_t* folder) {
    std::wstring mutableLine = commandLine;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, mutableLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, folder,
                        &startup, &started)) {
        return;
    }
    job_ = CreateJobObjectW(nullptr, nullptr);
    if (job_ != nullptr) {
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        SetInformationJobObject(job_, JobObjectExtendedLimitInformation, &limits, sizeof limits);
        AssignProcessToJobObject(job_, started.hProcess);
    }
    ResumeThread(started.hThread);
    CloseHandle(started.hThread);
    process_ = started.hProcess;
    id_ = started.dwProcessId;
}

ChildProcess::~ChildProcess() { Reset(); }

ChildProcess::ChildProcess(ChildProcess&& other) noexcept
    : process_(std::exchange(other.process_, nullptr)),
      job_(std::exchange(other.job_, nullptr)),
      id_(std::exchange(other.id_, 0)) {}

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept {
    if (this != &other) {
        Reset();
        process_ = std::exchange(other.process_, nullptr);
        job_ = std::exchange(other.job_, nullptr);
        id_ = std::exchange(other.id_, 0);
    }
    return *this;
}

bool ChildProcess::Running() const {
    return process_ != nullptr && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

bool ChildProcess::WaitForExit(DWORD timeoutMs) const {
    return process_ == nullptr || WaitForSingleObject(process_, timeoutMs) == WAIT_OBJECT_0;
}

void ChildProcess::Kill() {
    if (!Running()) return;
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, 5000);
}

void ChildProcess::Reset() {
    Kill();
    if (process_ != nullptr) CloseHandle(process_);
    if (job_ != nullptr) CloseHandle(job_);
    process_ = nullptr;
    job_ = nullptr;
    id_ = 0;
}

}  // namespace gleaner::e2e
