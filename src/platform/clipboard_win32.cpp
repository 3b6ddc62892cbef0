#include <cwchar>
#include <vector>

#include "platform/clipboard_win32.h"

namespace gleaner::win32 {
namespace {

// The private format that marks a write as ours.
constexpr wchar_t kOwnWriteFormat[] = L"Gleaner Own Write";

// The full path of the executable behind a window; "" when Windows will not
// say (a program of another user, or one run as administrator).
std::u16string ProgramOf(HWND window) {
    DWORD process = 0;
    if (!window || !GetWindowThreadProcessId(window, &process)) return {};
    const UniqueKernelHandle handle(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process));
    if (!handle.Valid()) return {};
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = static_cast<DWORD>(path.size());
        if (QueryFullProcessImageNameW(handle.Get(), 0, path.data(), &length)) return FromWide(path.data(), length);
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || path.size() >= 32768) return {};
        path.resize(path.size() * 4);
    }
}

}  // namespace

std::optional<std::u16string> Win32Clipboard::OwnerProgram() {
    const HWND owner = GetClipboardOwner();
    if (!owner) return std::nullopt;
    return ProgramOf(owner);
}

std::u16string Win32Clipboard::ForegroundProgram() { return ProgramOf(GetForegroundWindow()); }

std::u16string ErrorDescription(DWORD error) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
        0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::u16string text = length ? FromWide(buffer, length) : std::u16string();
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() == u'\r' || text.back() == u'\n' || text.back() == u' ')) text.pop_back();
    return text;
}

void Win32Clipboard::Fail(DWORD error) { lastError_ = {error, ErrorDescription(error)}; }

std::optional<Win32Clipboard::Session> Win32Clipboard::Open() {
    if (OpenClipboard(owner_.hwnd)) return std::optional<Session>(std::in_place);
    Fail(GetLastError());
    return std::nullopt;
}

bool Win32Clipboard::HasText() {
    return IsClipboardFormatAvailable(CF_UNICODETEXT) || IsClipboardFormatAvailable(CF_TEXT);
}

bool Win32Clipboard::HasFormat(std::uint32_t format) { return IsClipboardFormatAvailable(format) != FALSE; }

// Each look at a copy asks for the same few names: the answers never change.
std::uint32_t Win32Clipboard::RegisterFormat(const std::u16string& name) {
    if (const auto known = formats_.find(name); known != formats_.end()) return known->second;
    const UINT format = RegisterClipboardFormatW(Wide(name));
    if (format) formats_.emplace(name, format);
    return format;
}

std::optional<std::u16string> Win32Clipboard::ReadText() {
    const auto session = Open();
    if (!session) return std::nullopt;
    // The system converts ANSI text to Unicode on request; no text is no failure.
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT)) return std::u16string();
    const LockedGlobal<const wchar_t> chars(GetClipboardData(CF_UNICODETEXT));
    if (!chars.Get()) {
        Fail(GetLastError());
        return std::nullopt;
    }
    // Trust the block's size, not a terminator that a careless writer left out.
    return FromWide(chars.Get(), wcsnlen(chars.Get(), chars.Bytes() / sizeof(wchar_t)));
}

std::optional<Clipboard::Copy> Win32Clipboard::ReadCopy(const std::vector<std::uint32_t>& markFormats) {
    const auto session = Open();
    if (!session) return std::nullopt;
    Copy copy;
    // The text first, and few questions asked: the next copy may be on its way.
    if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        const LockedGlobal<const wchar_t> chars(data);
        if (chars.Get()) copy.text = FromWide(chars.Get(), wcsnlen(chars.Get(), chars.Bytes() / sizeof(wchar_t)));
    }
    if (!copy.text && IsClipboardFormatAvailable(CF_UNICODETEXT)) {
        Fail(GetLastError());
        return std::nullopt;
    }
    copy.sequence = GetClipboardSequenceNumber();
    for (const std::uint32_t format : markFormats) {
        if (!format || !IsClipboardFormatAvailable(format)) continue;
        const LockedGlobal<const DWORD> value(GetClipboardData(format));
        copy.marks.emplace_back(format, value.Bytes() >= sizeof(DWORD) ? std::optional<std::uint32_t>(*value.Get())
                                                                      : std::nullopt);
    }
    return copy;
}

// A movable memory block holding the bytes, as the clipboard wants it.
UniqueGlobal Win32Clipboard::MakeBlock(const void* data, std::size_t bytes) {
    UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE, bytes ? bytes : 1));
    if (!block.Valid()) {
        Fail(GetLastError());
        return block;
    }
    {
        const LockedGlobal<void> target(block.Get());
        if (!target.Get()) {
            Fail(GetLastError());
            return UniqueGlobal();
        }
        if (bytes) CopyMemory(target.Get(), data, bytes);
    }
    return block;
}

void Win32Clipboard::MarkOurs() {
    // Other clipboard tools leave a write with the first mark alone; the
    // second is ours alone, and any other program's copy empties it away.
    for (const wchar_t* name : {L"Clipboard Viewer Ignore", kOwnWriteFormat}) {
        const UINT format = RegisterClipboardFormatW(name);
        UniqueGlobal marker = MakeBlock("", 1);
        if (format && marker.Valid() && SetClipboardData(format, marker.Get())) marker.Release();
    }
}

bool Win32Clipboard::WriteText(const std::u16string& text, bool markOurs) {
    const auto* bytes = reinterpret_cast<const char*>(text.c_str());
    return Restore({{CF_UNICODETEXT, std::string(bytes, (text.size() + 1) * sizeof(char16_t))}}, markOurs);
}

namespace {

// Memory-based formats a user is likely to hold, kept across a paste.
std::vector<UINT> KeptFormats() {
    std::vector<UINT> formats{CF_UNICODETEXT, CF_LOCALE, CF_DIB, CF_DIBV5, CF_HDROP};
    // A file list cut in Explorer must stay a cut: its drop effect and the
    // shell's other forms of the list travel with it.
    for (const wchar_t* name : {L"Rich Text Format", L"HTML Format", L"PNG", L"Preferred DropEffect",
                                L"Shell IDList Array", L"FileNameW", L"FileName"})
        if (UINT format = RegisterClipboardFormatW(name)) formats.push_back(format);
    return formats;
}

// More than this is not worth holding in memory for a paste.
constexpr std::size_t kSnapshotCap = 64u << 20;

}  // namespace

std::optional<ClipboardSnapshot> Win32Clipboard::Snapshot() {
    const auto session = Open();
    if (!session) return std::nullopt;
    return TakeSnapshot();
}

ClipboardSnapshot Win32Clipboard::TakeSnapshot() {
    ClipboardSnapshot snapshot;
    std::size_t total = 0;
    for (UINT format : KeptFormats()) {
        if (!IsClipboardFormatAvailable(format)) continue;
        const LockedGlobal<const char> bytes(GetClipboardData(format));
        if (!bytes.Get() || total + bytes.Bytes() > kSnapshotCap) continue;
        snapshot.push_back({format, std::string(bytes.Get(), bytes.Bytes())});
        total += bytes.Bytes();
    }
    return snapshot;
}

bool Win32Clipboard::Fill(const ClipboardSnapshot& snapshot, bool markOurs) {
    if (!EmptyClipboard()) {
        Fail(GetLastError());
        return false;
    }
    for (const ClipboardItem& item : snapshot) {
        UniqueGlobal block = MakeBlock(item.bytes.data(), item.bytes.size());
        if (!block.Valid()) return false;
        if (!SetClipboardData(item.format, block.Get())) {
            Fail(GetLastError());
            return false;
        }
        block.Release();
    }
    if (markOurs) MarkOurs();
    return true;
}

bool Win32Clipboard::Restore(const ClipboardSnapshot& snapshot, bool markOurs) {
    const auto session = Open();
    if (!session) return false;
    return Fill(snapshot, markOurs);
}

std::optional<ClipboardSnapshot> Win32Clipboard::SwapIn(const std::u16string& text) {
    const auto session = Open();
    if (!session) return std::nullopt;
    ClipboardSnapshot snapshot = TakeSnapshot();
    const auto* bytes = reinterpret_cast<const char*>(text.c_str());
    if (Fill({{CF_UNICODETEXT, std::string(bytes, (text.size() + 1) * sizeof(char16_t))}}, true)) {
        const LockedGlobal<const wchar_t> chars(GetClipboardData(CF_UNICODETEXT));
        if (chars.Get() && FromWide(chars.Get(), wcsnlen(chars.Get(), chars.Bytes() / sizeof(wchar_t))) == text)
            return snapshot;
        Fail(ERROR_INVALID_DATA);
    }
    // Put back as it was, marked as ours: no clipboard tool takes it for a
    // new copy.
    Fill(snapshot, true);
    return std::nullopt;
}

bool Win32Clipboard::HoldsOurs() {
    const UINT format = RegisterClipboardFormatW(kOwnWriteFormat);
    return format && IsClipboardFormatAvailable(format);
}

Clipboard::Replaced Win32Clipboard::ReplaceOurs(const ClipboardSnapshot& snapshot) {
    const auto session = Open();
    if (!session) return Replaced::Failed;
    // Open, nobody else can copy until we close: the look and the change are one.
    if (!HoldsOurs()) return Replaced::NotOurs;
    return Fill(snapshot, true) ? Replaced::Done : Replaced::Failed;
}

bool Win32Clipboard::Empty() {
    const auto session = Open();
    if (!session) return false;
    if (EmptyClipboard()) return true;
    Fail(GetLastError());
    return false;
}

}  // namespace gleaner::win32
