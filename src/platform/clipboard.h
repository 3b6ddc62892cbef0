// The system clipboard, and the watcher that reads each change to it as it comes.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/window_id.h"

namespace gleaner {

// Why a platform operation failed: the system's error number and its wording.
struct PlatformError {
    std::uint32_t number = 0;
    std::u16string description;
};

// One format's data, as the clipboard holds it.
struct ClipboardItem {
    std::uint32_t format = 0;
    std::string bytes;
    bool operator==(const ClipboardItem&) const = default;
};
using ClipboardSnapshot = std::vector<ClipboardItem>;

// The system clipboard (UTF-16 text and, for saving and restoring, the
// memory-based formats a user is likely to hold).
class Clipboard {
public:
    virtual ~Clipboard() = default;

    // True when the clipboard holds text (Unicode or ANSI) that can be read.
    // Neither this nor HasFormat opens the clipboard: an application pasting
    // at that moment finds it free.
    virtual bool HasText() = 0;
    virtual bool HasFormat(std::uint32_t format) = 0;
    // Registers (or looks up) a named format; 0 on failure.
    virtual std::uint32_t RegisterFormat(const std::u16string& name) = 0;

    // Each operation is a single attempt.
    // One copy as a whole, read in a single opening of the clipboard so that
    // all of it belongs to the same copy: its text (nullopt: none), and for
    // each of the marks asked about that it carries, the number it holds
    // (nullopt when it holds none). nullopt when the clipboard was busy.
    struct Copy {
        std::uint32_t sequence = 0;
        std::optional<std::u16string> text;
        std::vector<std::pair<std::uint32_t, std::optional<std::uint32_t>>> marks;
    };
    virtual std::optional<Copy> ReadCopy(const std::vector<std::uint32_t>& markFormats) = 0;
    virtual bool Empty() = 0;
    // The paste's swap, in one opening of the clipboard so that no copy can
    // come between: what it held (the formats worth keeping across a paste;
    // an empty clipboard gives an empty snapshot), then the text written,
    // marked ours and read back. Marked ours: "Clipboard Viewer Ignore", so
    // that other clipboard tools do not record our temporary write as a
    // copy, and a private format by which we know it for ours until somebody
    // else copies. nullopt, and the clipboard as it was, when it is busy or
    // the text does not read back the same.
    virtual std::optional<ClipboardSnapshot> SwapIn(const std::u16string& text) = 0;
    enum class Replaced { Done, NotOurs, Failed };
    // Replaces a write of ours with the snapshot (an empty one empties the
    // clipboard), marked as ours; another program's copy is left alone. The
    // check and the change happen in one opening of the clipboard, so that
    // no copy can slip in between.
    virtual Replaced ReplaceOurs(const ClipboardSnapshot& snapshot) = 0;

    // The programs a copy may have come from, by the full path of their
    // executable ("" when Windows will not say): the program of the window
    // that owns the clipboard (nullopt when the copy has no owner window),
    // and the program of the window in front. Neither opens the clipboard.
    virtual std::optional<std::u16string> OwnerProgram() = 0;
    virtual std::u16string ForegroundProgram() = 0;

    // Counts the clipboard's changes, ours and everybody else's.
    virtual std::uint32_t Sequence() = 0;

    // The failure behind the most recent operation that returned a failure.
    virtual PlatformError LastError() const = 0;
};

// One clipboard change, as it was read the moment it came.
struct ClipboardArrival {
    std::uint32_t sequence = 0;
    // The window in front when the change came (where the user copied) is
    // one of this program's: its main window, balloon, dialog or a box.
    bool copiedHere = false;
    // What to collect; nullopt when the change brought none (no text, a
    // private copy, or one that could not be read).
    std::optional<std::u16string> text;
    // Set when the text was there but could not be read.
    std::optional<PlatformError> error;
};

// The message a watched window gets when changes are queued for it (WM_APP + 2).
constexpr std::uint32_t kClipboardQueuedMessage = 0x8002;

// Word of every clipboard change, whatever other programs watching the
// clipboard do. Each change is read on a thread of the watcher's own the
// moment it comes, so that a user interface busy drawing loses none: a copy
// lives on the clipboard only until the next one replaces it.
class ClipboardWatch {
public:
    virtual ~ClipboardWatch() = default;
    // Runs on the watcher's thread, once for each change, with a clipboard
    // and a pause of that thread's own; it must touch nothing else that the
    // main thread uses without a lock. The
    // watcher notes the window in front once the copy is read.
    using Reader =
        std::function<ClipboardArrival(Clipboard& clipboard, const std::function<void(int milliseconds)>& pause)>;
    // window gets kClipboardQueuedMessage whenever arrivals wait to be taken.
    virtual bool Start(WindowId window, Reader read) = 0;
    virtual void Stop() = 0;
    // Every arrival read so far, in the order the changes came.
    virtual std::vector<ClipboardArrival> Take() = 0;
};

}  // namespace gleaner
