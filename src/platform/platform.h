// The only doorway from the program's logic to the window system. The logic
// in capture/, settings/, popup/, hotkeys/ and shell/ talks to these
// interfaces; the win32_* files here implement them for real and
// fake_platform.h keeps an honest in-memory model for the host tests.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

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

    // Counts the clipboard's changes, ours and everybody else's.
    virtual std::uint32_t Sequence() = 0;

    // The failure behind the most recent operation that returned a failure.
    virtual PlatformError LastError() const = 0;
};

// A window, as the window system names it; 0 is none.
using WindowId = std::uintptr_t;

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
// The message the main window gets once the settings dialog is gone (WM_APP + 3).
constexpr std::uint32_t kSettingsClosedMessage = 0x8003;

// Word of every clipboard change, whatever other programs watching the
// clipboard do. Each change is read on a thread of the watcher's own the
// moment it comes, so that a user interface busy drawing loses none: a copy
// lives on the clipboard only until the next one replaces it.
class ClipboardWatch {
public:
    virtual ~ClipboardWatch() = default;
    // Runs on the watcher's thread, once for each change, with a clipboard
    // and a pause of that thread's own; it must touch nothing else. The
    // watcher notes the window in front once the copy is read.
    using Reader =
        std::function<ClipboardArrival(Clipboard& clipboard, const std::function<void(int milliseconds)>& pause)>;
    // window gets kClipboardQueuedMessage whenever arrivals wait to be taken.
    virtual bool Start(WindowId window, Reader read) = 0;
    virtual void Stop() = 0;
    // Every arrival read so far, in the order the changes came.
    virtual std::vector<ClipboardArrival> Take() = 0;
};

// The program's one message loop belongs to the Win32 glue: no step of the
// logic runs another inside it (boxes aside, which PromptQueue opens from
// the main loop). A step may only pause, and nothing runs meanwhile.
class EventLoop {
public:
    virtual ~EventLoop() = default;
    virtual void Sleep(int milliseconds) = 0;
};

enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

// A point on the screen, in pixels.
struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

// A rectangle in pixels; it holds its left and top edge, not its right and
// bottom one.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    bool operator==(const Rect&) const = default;
};

// Where a box of this size goes, given the pointer.
using BoxPlacement = Point (*)(int boxWidth, int boxHeight, Point pointer);

// Modal message boxes; each returns once the box is closed. A box runs its
// own message loop: the program opens one only from its main loop, one at a
// time (PromptQueue).
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual MessageAnswer Show(const std::u16string& text, const std::u16string& title,
                               MessageButtons buttons) = 0;
    // A system-modal Yes/No question placed by place as soon as it appears.
    virtual MessageAnswer AskAtPointer(const std::u16string& text, const std::u16string& title,
                                       BoxPlacement place) = 0;
    // Closes the box that is open, if any, as its No or OK button would (the
    // session is ending and nobody will answer it).
    virtual void DismissOpenBox() = 0;
};

// RGB as 0x00BBGGRR, the window system's colour order.
using Colour = std::uint32_t;
constexpr Colour MakeColour(int r, int g, int b) {
    return static_cast<Colour>(r) | (static_cast<Colour>(g) << 8) | (static_cast<Colour>(b) << 16);
}

// A multi-line text box: the collection box and the popup's box. Positions
// and lengths are UTF-16 code units.
class TextBox {
public:
    virtual ~TextBox() = default;
    virtual std::u16string Text() const = 0;
    virtual std::size_t Length() const = 0;
    virtual void SetText(const std::u16string& text) = 0;
    // Adds text after the last character, whatever the caret or selection.
    virtual void Append(const std::u16string& text) = 0;
    // Collapses the selection to one caret position and scrolls it into view.
    virtual void SetCaret(std::size_t position) = 0;
    virtual std::u16string Tag() const = 0;
    virtual void SetTag(const std::u16string& tag) = 0;
    virtual Colour ForeColour() const = 0;
    virtual void SetForeColour(Colour colour) = 0;
    virtual bool IsVisible() const = 0;
};

// Whole files as bytes; the settings store does its own text encoding.
class FileStore {
public:
    virtual ~FileStore() = default;
    virtual bool Exists(const std::u16string& path) = 0;
    // nullopt when the file cannot be opened or read.
    virtual std::optional<std::string> Read(const std::u16string& path) = 0;
    // Replaces the file as a whole: a reader sees either the old content or
    // the new one, never a part of it.
    virtual bool ReplaceAtomically(const std::u16string& path, const std::string& bytes) = 0;
};

struct TwipsSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// Screen twips per pixel, whole numbers as the geometry settings use them.
struct TwipsPerPixel {
    std::int32_t x = 15;
    std::int32_t y = 15;
};

// The screen the program starts on, and the pointer on it.
class Screen {
public:
    virtual ~Screen() = default;
    virtual TwipsPerPixel Scale() = 0;
    // The primary screen.
    virtual TwipsSize Size() = 0;
    virtual Point Pointer() = 0;
    // Dots per inch of the monitor that shows this point.
    virtual int DpiAt(Point point) = 0;
};

// The icon a window keeps in the notification area (the task tray).
struct NotifyIconRecord {
    WindowId window = 0;
    std::uint32_t id = 0;
    // What the window receives for the mouse over the icon.
    std::uint32_t callbackMessage = 0;
    std::u16string tip;
    bool operator==(const NotifyIconRecord&) const = default;
};
enum class NotifyCommand { Add, Modify, Delete };

class NotificationArea {
public:
    virtual ~NotificationArea() = default;
    // The icon shows the window's own icon. False when the area refused.
    virtual bool Notify(NotifyCommand command, const NotifyIconRecord& record) = 0;
};

// Position and size of a top-level window, in twips.
struct TwipsRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool operator==(const TwipsRect&) const = default;
};

class WindowFrame {
public:
    virtual ~WindowFrame() = default;
    // The window's normal (restored) bounds, also while minimised or maximised.
    virtual TwipsRect Bounds() const = 0;
    virtual void SetBounds(const TwipsRect& bounds) = 0;
};

struct KeyEvent {
    std::uint16_t virtualKey = 0;
    bool release = false;
    bool operator==(const KeyEvent&) const = default;
};

// System-wide hotkeys and injected keystrokes.
class Keyboard {
public:
    virtual ~Keyboard() = default;
    // Global atoms name the hotkeys; 0 on failure.
    virtual std::uint16_t AddGlobalAtom(const std::u16string& name) = 0;
    virtual void DeleteGlobalAtom(std::uint16_t atom) = 0;
    virtual bool RegisterHotKey(WindowId window, int id, std::uint32_t modifiers, std::uint32_t virtualKey) = 0;
    virtual void UnregisterHotKey(WindowId window, int id) = 0;
    // One injection of the events, in order.
    virtual void SendKeyEvents(const std::vector<KeyEvent>& events) = 0;
};

// The main window's timers, each running only while its work is under way:
// HotKey carries a paste from one step to the next, End ends the program,
// TrayRetry adds the icon again while the notification area refuses it,
// Batch shows the copies read meanwhile, Prompt opens the next box from the
// main loop, ClearRetry tries クリア's clipboard again while it is busy.
enum class TimerId : std::uintptr_t { HotKey = 2, End = 3, TrayRetry = 4, Batch = 5, Prompt = 6, ClearRetry = 7 };
class Timers {
public:
    virtual ~Timers() = default;
    virtual void Start(TimerId timer, int milliseconds) = 0;
    virtual void Stop(TimerId timer) = 0;
};

// Top-level windows: who is in front.
class Windows {
public:
    virtual ~Windows() = default;
    virtual WindowId ForegroundWindow() = 0;
    virtual void SetForegroundWindow(WindowId window) = 0;
};

// The running executable and its place among the user's programs.
class Program {
public:
    virtual ~Program() = default;
    // The executable's full path; "" when unknown.
    virtual std::u16string ExecutablePath() = 0;
    // Takes the session-wide name for this process until it ends.
    enum class Claim { Taken, HeldElsewhere, Failed };
    struct InstanceClaim {
        Claim result = Claim::Failed;
        std::uint32_t error = 0;  // the system's error number when Failed
    };
    virtual InstanceClaim ClaimInstance(const std::u16string& name) = 0;
};

// The user's shell: documents opened as a double click would open them.
class Shell {
public:
    virtual ~Shell() = default;
    // The "open" verb on the file; false when nothing opened it.
    virtual bool Open(const std::u16string& path) = 0;
};

// The services every part of the logic shares.
struct Desktop {
    Clipboard& clipboard;
    EventLoop& events;
    Timers& timers;
};

}  // namespace gleaner
