// A private folder per test holding a fresh copy of gleaner.exe, so the
// Conf.txt one test leaves behind never reaches another. Removed afterwards.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace gleaner::e2e {

// Where the build put gleaner.exe, as a Windows path.
std::wstring BuiltGleanerPath();

class TestFolder {
public:
    // Creates the folder and copies gleaner.exe into it under exeName.
    explicit TestFolder(const std::wstring& exeName = L"gleaner.exe");
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    bool Ready() const { return ready_; }
    const std::wstring& Path() const { return path_; }
    std::wstring FilePath(const std::wstring& name) const { return path_ + L"\\" + name; }
    std::wstring ExePath() const { return FilePath(exeName_); }

    bool Exists(const std::wstring& name) const;
    std::optional<std::string> ReadBytes(const std::wstring& name) const;

private:
    std::wstring path_;
    std::wstring exeName_;
    bool ready_ = false;
};

}  // namespace gleaner::e2e
