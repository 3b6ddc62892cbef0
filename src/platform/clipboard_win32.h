// The system clipboard, opened on behalf of the program's window.
#pragma once

#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/clipboard.h"
#include "platform/handles_win32.h"

namespace gleaner::win32 {

class Win32Clipboard : public Clipboard {
public:
    // The clipboard is always opened on behalf of a real window: under Wine
    // two threads could both "open" it with no window.
    explicit Win32Clipboard(const OwnerWindow& owner) : owner_(owner) {}

    bool HasText() override;
    bool HasFormat(std::uint32_t format) override;
    std::uint32_t RegisterFormat(const std::u16string& name) override;
    std::optional<std::u16string> ReadText();
    std::optional<Copy> ReadCopy(const std::vector<std::uint32_t>& markFormats) override;
    bool WriteText(const std::u16string& text, bool markOurs = false);
    bool Empty() override;
    // Single operations beside the program's, for the Win32 tests and the
    // benchmark: a clipboard without text reads as "".
    std::optional<ClipboardSnapshot> Snapshot();
    bool Restore(const ClipboardSnapshot& snapshot, bool markOurs);
    std::optional<ClipboardSnapshot> SwapIn(const std::u16string& text) override;
    // True while the clipboard holds a write of ours that nobody replaced.
    bool HoldsOurs();
    Replaced ReplaceOurs(const ClipboardSnapshot& snapshot) override;
    std::optional<std::u16string> OwnerProgram() override;
    std::u16string ForegroundProgram() override;
    std::uint32_t Sequence() override { return GetClipboardSequenceNumber(); }
    PlatformError LastError() const override { return lastError_; }

private:
    // Closes the clipboard when the operation leaves, whatever the way out.
    class Session {
    public:
        Session() = default;
        ~Session() { CloseClipboard(); }
        Session(const Session&) = delete;
        Session& operator=(const Session&) = delete;
    };
    // The clipboard opened, until the session ends; nullopt when another
    // program holds it (the reason in LastError).
    std::optional<Session> Open();
    void Fail(DWORD error);
    // Adds "Clipboard Viewer Ignore" and our own mark to the clipboard
    // opened for writing.
    void MarkOurs();
    // Empties the clipboard opened for writing and puts the snapshot there.
    bool Fill(const ClipboardSnapshot& snapshot, bool markOurs);
    // The kept formats, while the clipboard is open.
    ClipboardSnapshot TakeSnapshot();
    UniqueGlobal MakeBlock(const void* data, std::size_t bytes);

    const OwnerWindow& owner_;
    PlatformError lastError_;
    std::map<std::u16string, std::uint32_t> formats_;
};

}  // namespace gleaner::win32
