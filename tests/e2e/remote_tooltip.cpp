#include "remote_tooltip.h"

#include <commctrl.h>

namespace gleaner::e2e {
namespace {

constexpr std::size_t kTextChars = 1024;
constexpr UINT kAnswerTimeoutMs = 10000;

// A block of memory in another process, freed when done.
class RemoteBlock {
public:
    RemoteBlock(HANDLE process, std::size_t size)
        : process_(process), address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE)) {}
    ~RemoteBlock() {
        if (address_ != nullptr) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    }
    RemoteBlock(const RemoteBlock&) = delete;
    RemoteBlock& operator=(const RemoteBlock&) = delete;

    bool Valid() const { return address_ != nullptr; }
    void* Address() const { return address_; }
    bool Write(const void* data, std::size_t size, std::size_t offset = 0) const {
        SIZE_T written = 0;
        return WriteProcessMemory(process_, static_cast<char*>(address_) + offset, data, size, &written) &&
               written == size;
    }
    bool Read(void* data, std::size_t size, std::size_t offset = 0) const {
        SIZE_T read = 0;
        return ReadProcessMemory(process_, static_cast<char*>(address_) + offset, data, size, &read) &&
               read == size;
    }

private:
    HANDLE process_;
    void* address_;
};

bool Send(HWND tooltip, UINT message, WPARAM wParam, const void* remoteParam, LRESULT* result) {
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(tooltip, message, wParam, reinterpret_cast<LPARAM>(remoteParam), SMTO_ABORTIFHUNG,
                             kAnswerTimeoutMs, &answer)) {
        return false;
    }
    *result = static_cast<LRESULT>(answer);
    return true;
}

// Fills *info with the tool whose uId is tool; false when there is none.
bool FindTool(HWND tooltip, HWND tool, const RemoteBlock& block, TTTOOLINFOW* info) {
    LRESULT count = 0;
    if (!Send(tooltip, TTM_GETTOOLCOUNT, 0, nullptr, &count)) return false;
    for (LRESULT index = 0; index < count; ++index) {
        TTTOOLINFOW query{};
        query.cbSize = sizeof query;
        LRESULT found = 0;
        if (!block.Write(&query, sizeof query) ||
            !Send(tooltip, TTM_ENUMTOOLSW, static_cast<WPARAM>(index), block.Address(), &found) || !found ||
            !block.Read(info, sizeof *info)) {
            continue;
        }
        if (info->uId == reinterpret_cast<UINT_PTR>(tool)) return true;
    }
    return false;
}

}  // namespace

std::optional<std::wstring> ReadToolText(HANDLE process, HWND tooltip, HWND tool) {
    // One block: the TOOLINFO, then the text buffer.
    const std::size_t textOffset = sizeof(TTTOOLINFOW);
    RemoteBlock block(process, textOffset + kTextChars * sizeof(wchar_t));
    if (!block.Valid()) return std::nullopt;

    TTTOOLINFOW info{};
    if (!FindTool(tooltip, tool, block, &info)) return std::nullopt;

    const wchar_t empty = L'\0';
    info.cbSize = sizeof info;
    info.lpszText = reinterpret_cast<wchar_t*>(static_cast<char*>(block.Address()) + textOffset);
    LRESULT ignored = 0;
    if (!block.Write(&info, sizeof info) || !block.Write(&empty, sizeof empty, textOffset) ||
        !Send(tooltip, TTM_GETTEXTW, kTextChars, block.Address(), &ignored)) {
        return std::nullopt;
    }
    wchar_t text[kTextChars] = L"";
    if (!block.Read(text, sizeof text, textOffset)) return std::nullopt;
    text[kTextChars - 1] = L'\0';
    return std::wstring(text);
}

}  // namespace gleaner::e2e
