// A copy of gleaner.exe in a folder of its own under %TEMP%, so that the
// Conf.txt it reads at start and writes at exit stays there. The folder and
// everything in it go when the copy is destroyed.
#pragma once

#include <optional>
#include <string>
#include <utility>

namespace gleaner::bench {

class GleanerCopy {
public:
    // Copies the executable and writes `conf` as the copy's Conf.txt.
    static std::optional<GleanerCopy> Make(const std::wstring& exe, const std::string& conf, std::wstring& error);

    GleanerCopy(GleanerCopy&& other) noexcept : folder_(std::exchange(other.folder_, {})) {}
    GleanerCopy& operator=(GleanerCopy&& other) noexcept {
        if (this != &other) {
            Remove();
            folder_ = std::exchange(other.folder_, {});
        }
        return *this;
    }
    GleanerCopy(const GleanerCopy&) = delete;
    GleanerCopy& operator=(const GleanerCopy&) = delete;
    ~GleanerCopy() { Remove(); }

    const std::wstring& Folder() const { return folder_; }
    std::wstring Exe() const { return folder_ + L"\\gleaner.exe"; }
    // The Conf.txt as the copy left it; empty when there is none.
    std::string Conf() const;

private:
    explicit GleanerCopy(std::wstring folder) : folder_(std::move(folder)) {}
    void Remove();

    std::wstring folder_;
};

}  // namespace gleaner::bench
