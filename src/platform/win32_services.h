// The platform interfaces over the real window system: thin and boring.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <future>
#include <map>
#include <mutex>
#include <thread>

#include "platform/platform.h"
#include "platform/win32_handles.h"

namespace gleaner::win32 {

inline HWND ToHwnd(WindowId id) { return reinterpret_cast<HWND>(id); }
inline WindowId ToWindowId(HWND hwnd) { return reinterpret_cast<WindowId>(hwnd); }

// The window on whose behalf the services act (the clipboard's opener, the
// timers' and message boxes' owner). The program fills it once its main
// window exists; until then boxes have no owner.
struct OwnerWindow {
    HWND hwnd = nullptr;
};

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

class Win32EventLoop : public EventLoop {
public:
    void Sleep(int milliseconds) override;
};

class Win32MessageBoxes : public MessageBoxes {
public:
    explicit Win32MessageBoxes(const OwnerWindow& owner) : owner_(owner) {}
    MessageAnswer Show(const std::u16string& text, const std::u16string& title, MessageButtons buttons) override;
    MessageAnswer AskAtPointer(const std::u16string& text, const std::u16string& title,
                               BoxPlacement place) override;
    void DismissOpenBox() override;

private:
    const OwnerWindow& owner_;
};

class Win32Keyboard : public Keyboard {
public:
    std::uint16_t AddGlobalAtom(const std::u16string& name) override;
    void DeleteGlobalAtom(std::uint16_t atom) override;
    bool RegisterHotKey(WindowId window, int id, std::uint32_t modifiers, std::uint32_t virtualKey) override;
    void UnregisterHotKey(WindowId window, int id) override;
    void SendKeyEvents(const std::vector<KeyEvent>& events) override;
};

class Win32Timers : public Timers {
public:
    explicit Win32Timers(const OwnerWindow& owner) : owner_(owner) {}
    void Start(TimerId timer, int milliseconds) override;
    void Stop(TimerId timer) override;

private:
    const OwnerWindow& owner_;
};

class Win32Windows : public Windows {
public:
    WindowId ForegroundWindow() override;
    void SetForegroundWindow(WindowId window) override;
};

// A multi-line EDIT control; the window that contains it owns it. Its parent
// paints it in ForeColour() when asked for WM_CTLCOLOREDIT.
class Win32TextBox : public TextBox {
public:
    explicit Win32TextBox(HWND edit);

    HWND Handle() const { return edit_; }
    std::u16string Text() const override;
    std::size_t Length() const override;
    void SetText(const std::u16string& text) override;
    void Append(const std::u16string& text) override;
    void SetCaret(std::size_t position) override;
    std::u16string Tag() const override { return tag_; }
    void SetTag(const std::u16string& tag) override { tag_ = tag; }
    Colour ForeColour() const override { return colour_; }
    void SetForeColour(Colour colour) override;
    bool IsVisible() const override;

private:
    HWND edit_;
    std::u16string tag_;
    Colour colour_ = 0;
};

class Win32FileStore : public FileStore {
public:
    bool Exists(const std::u16string& path) override;
    std::optional<std::string> Read(const std::u16string& path) override;
    bool ReplaceAtomically(const std::u16string& path, const std::string& bytes) override;
};

// A thread of its own with a message-only window that listens for clipboard
// changes and reads each as it comes.
class Win32ClipboardWatch : public ClipboardWatch {
public:
    Win32ClipboardWatch() = default;
    ~Win32ClipboardWatch() override { Stop(); }
    Win32ClipboardWatch(const Win32ClipboardWatch&) = delete;
    Win32ClipboardWatch& operator=(const Win32ClipboardWatch&) = delete;

    bool Start(WindowId window, Reader read) override;
    void Stop() override;
    std::vector<ClipboardArrival> Take() override;

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    void Run(std::promise<bool>& started);
    void OnUpdate(Clipboard& clipboard);

    HWND notify_ = nullptr;
    Reader read_;
    std::thread thread_;
    DWORD threadId_ = 0;
    // Of the watcher's thread alone.
    std::uint32_t lastSequence_ = 0;
    Clipboard* clipboard_ = nullptr;
    std::mutex mutex_;
    // Guarded by mutex_: what was read, and whether the window was told.
    std::vector<ClipboardArrival> queue_;
    bool told_ = false;
};

class Win32Screen : public Screen {
public:
    TwipsPerPixel Scale() override;
    TwipsSize Size() override;
    Point Pointer() override;
    int DpiAt(Point point) override;
};

// The shell's record for the icon: the window's class icon beside the rest.
NOTIFYICONDATAW NotifyIconData(const NotifyIconRecord& record);

class Win32NotificationArea : public NotificationArea {
public:
    bool Notify(NotifyCommand command, const NotifyIconRecord& record) override;
};

// A top-level window's placement in twips.
class Win32WindowFrame : public WindowFrame {
public:
    Win32WindowFrame(HWND window, TwipsPerPixel scale) : window_(window), scale_(scale) {}
    TwipsRect Bounds() const override;
    void SetBounds(const TwipsRect& bounds) override;

private:
    HWND window_;
    TwipsPerPixel scale_;
};

class Win32Program : public Program {
public:
    std::u16string ExecutablePath() override;
    InstanceClaim ClaimInstance(const std::u16string& name) override;

private:
    UniqueKernelHandle instanceMutex_;  // held until the process ends
};

class Win32Shell : public Shell {
public:
    bool Open(const std::u16string& path) override;
};

}  // namespace gleaner::win32
