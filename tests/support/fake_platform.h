// In-memory stand-ins for the window system, for the host tests: each keeps
// the state a real one would, so tests observe behaviour, not call counts.
#pragma once

#include <algorithm>
#include <cstring>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/platform.h"

namespace gleaner::fake {

// What happened across the fakes, in order, for tests of a sequence: each
// fake given a journal notes its state changes there ("hotkeys registered",
// "timer End started"...).
struct Journal {
    std::vector<std::string> entries;
    void Note(std::string entry) { entries.push_back(std::move(entry)); }
    // The position of the first entry that reads exactly so; -1 when none.
    int IndexOf(const std::string& entry) const {
        const auto at = std::find(entries.begin(), entries.end(), entry);
        return at == entries.end() ? -1 : static_cast<int>(at - entries.begin());
    }
};

// A fake's side of it: a fake given no journal notes nothing.
struct Journaled {
    Journal* journal = nullptr;
    void Note(std::string entry) const {
        if (journal) journal->Note(std::move(entry));
    }
};

// A caption as the user reads it: "設定(&S)" reads 設定, "E&xit" reads Exit.
inline std::u16string BeforeAccessKey(std::u16string caption) {
    if (const auto at = caption.find(u"(&"); at != std::u16string::npos) return caption.erase(at, 4);
    if (const auto at = caption.find(u'&'); at != std::u16string::npos) caption.erase(at, 1);
    return caption;
}

// The number of the text format, CF_UNICODETEXT.
constexpr std::uint32_t kUnicodeText = 13;

// Names count up from 0xC000, as registered formats and global atoms do.
inline std::uint16_t Intern(std::vector<std::u16string>& names, const std::u16string& name) {
    auto at = std::find(names.begin(), names.end(), name);
    if (at == names.end()) at = names.insert(at, name);
    return static_cast<std::uint16_t>(0xC000 + (at - names.begin()));
}

// The text as the clipboard holds it, its code units as they lie.
inline std::string TextBytes(const std::u16string& text) {
    return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(char16_t));
}

class FakeClipboard : public Clipboard {
public:
    // Another program holds the clipboard open for the next n attempts to
    // open it (reading, writing or emptying); a negative n holds it forever.
    void HoldOpenFor(int attempts) { busyAttempts_ = attempts; }
    // What another program puts there, with the data of other formats (an
    // image, say); nullopt leaves no text at all.
    void Put(const std::optional<std::u16string>& text, std::map<std::uint32_t, std::string> data = {}) {
        Preset(text, std::move(data));
        Changed();
    }
    // What the clipboard held before the test's story begins: no change to
    // tell anybody of.
    void Preset(const std::optional<std::u16string>& text, std::map<std::uint32_t, std::string> data = {}) {
        if (text) data[kUnicodeText] = TextBytes(*text);
        formats_ = std::move(data);
        ours_ = false;
    }
    // Runs at every attempt to open the clipboard (a test may throw there).
    std::function<void()> onOpen;
    // Runs after every change, ours and other programs': the system tells
    // the listeners.
    std::function<void()> onChange;

    std::optional<std::u16string> Contents() const {
        const auto bytes = Data(kUnicodeText);
        if (!bytes) return std::nullopt;
        std::u16string text(bytes->size() / sizeof(char16_t), u'\0');
        std::memcpy(text.data(), bytes->data(), text.size() * sizeof(char16_t));
        return text;
    }
    std::optional<std::string> Data(std::uint32_t format) const {
        return formats_.count(format) ? std::optional(formats_.at(format)) : std::nullopt;
    }
    // Every later write stores something else than asked, as a clipboard
    // that loses characters would.
    bool corruptWrites = false;
    int openAttempts = 0;
    // Every text that was on the clipboard, in order, with whether it was
    // marked for clipboard tools to ignore.
    std::vector<std::pair<std::u16string, bool>> writes;

    bool HasText() override { return HasFormat(kUnicodeText); }
    bool HasFormat(std::uint32_t format) override { return formats_.count(format) != 0; }
    std::uint32_t RegisterFormat(const std::u16string& name) override { return Intern(registered_, name); }
    std::optional<Copy> ReadCopy(const std::vector<std::uint32_t>& markFormats) override {
        if (!Open()) return std::nullopt;
        Copy copy{sequence_, Contents(), {}};
        for (const std::uint32_t format : markFormats) {
            const auto bytes = Data(format);
            if (!bytes) continue;
            std::optional<std::uint32_t> number;
            if (bytes->size() >= 4) std::memcpy(&number.emplace(), bytes->data(), 4);  // a DWORD
            copy.marks.emplace_back(format, number);
        }
        return copy;
    }
    bool Empty() override {
        const bool opened = Open();
        if (opened) Fill({}, false);
        return opened;
    }
    std::optional<ClipboardSnapshot> SwapIn(const std::u16string& text) override {
        if (!Open()) return std::nullopt;
        ClipboardSnapshot snapshot;
        for (const auto& [format, bytes] : formats_) snapshot.push_back({format, bytes});
        Fill({{kUnicodeText, TextBytes(corruptWrites ? text + u"?" : text)}}, true);
        if (Contents() == text) return snapshot;
        Fill(snapshot, true);
        return std::nullopt;
    }
    // True while the clipboard holds a write of ours that nobody replaced.
    bool HoldsOurs() const { return ours_; }
    Replaced ReplaceOurs(const ClipboardSnapshot& snapshot) override {
        if (!Open()) return Replaced::Failed;
        if (!ours_) return Replaced::NotOurs;
        Fill(snapshot, true);
        return Replaced::Done;
    }
    // The executables behind the owner window (nullopt: no owner window) and
    // the window in front, and how often either was asked for.
    std::optional<std::u16string> ownerProgram;
    std::u16string foregroundProgram;
    int programLookups = 0;
    std::optional<std::u16string> OwnerProgram() override { return ++programLookups, ownerProgram; }
    std::u16string ForegroundProgram() override { return ++programLookups, foregroundProgram; }
    std::uint32_t Sequence() override { return sequence_; }
    PlatformError LastError() const override { return {5, u"Access is denied."}; }

private:
    bool Open() {
        ++openAttempts;
        if (onOpen) onOpen();
        if (busyAttempts_ == 0) return true;
        if (busyAttempts_ > 0) --busyAttempts_;
        return false;
    }
    void Fill(const ClipboardSnapshot& snapshot, bool markOurs) {
        formats_.clear();
        for (const ClipboardItem& item : snapshot) formats_[item.format] = item.bytes;
        if (markOurs) formats_[RegisterFormat(u"Clipboard Viewer Ignore")] = "";
        if (const auto text = Contents()) writes.emplace_back(*text, markOurs);
        Changed(markOurs);
    }
    void Changed(bool ours = false) {
        ++sequence_;
        ours_ = ours;
        if (onChange) onChange();
    }

    // Each format's data as a program would read it, the text as its code
    // units.
    std::map<std::uint32_t, std::string> formats_;
    std::vector<std::u16string> registered_;
    int busyAttempts_ = 0;
    std::uint32_t sequence_ = 1;
    bool ours_ = false;
};

class FakeKeyboard : public Keyboard, public Journaled {
public:
    struct HotKey {
        std::uint32_t modifiers, virtualKey;
    };

    std::uint16_t AddGlobalAtom(const std::u16string& name) override { return Intern(atoms_, name); }
    void DeleteGlobalAtom(std::uint16_t) override {}
    bool RegisterHotKey(WindowId, int id, std::uint32_t modifiers, std::uint32_t virtualKey) override {
        if (registered.count(id) || takenKeys.count(virtualKey)) return false;
        registered[id] = {modifiers, virtualKey};
        Note("hotkey registered");
        return true;
    }
    void UnregisterHotKey(WindowId, int id) override {
        if (registered.erase(id)) Note("hotkey unregistered");
    }
    void SendKeyEvents(const std::vector<KeyEvent>& events) override {
        injections.push_back(events);
        if (onInjection) onInjection(events);
    }

    // Combinations another program has taken.
    std::set<std::uint32_t> takenKeys;
    std::map<int, HotKey> registered;
    // Each injection, as one list of events.
    std::vector<std::vector<KeyEvent>> injections;
    // Runs at each injection, as the focused application would react.
    std::function<void(const std::vector<KeyEvent>&)> onInjection;

private:
    std::vector<std::u16string> atoms_;
};

// Timers on a clock of their own, which the event loop moves on.
class FakeTimers : public Timers, public Journaled {
public:
    void Start(TimerId timer, int milliseconds) override {
        running[timer] = {milliseconds, now + milliseconds};
        Note("timer " + Name(timer) + " started");
    }
    void Stop(TimerId timer) override {
        if (running.erase(timer)) Note("timer " + Name(timer) + " stopped");
    }

    struct Running {
        int interval = 0;
        std::int64_t due = 0;
    };
    std::map<TimerId, Running> running;
    // Milliseconds since the test began.
    std::int64_t now = 0;
    // The window whose timers they are: gets each tick.
    std::function<void(TimerId)> onTick;

private:
    static std::string Name(TimerId timer) {
        constexpr const char* kNames[] = {"?", "?", "HotKey", "End", "TrayRetry", "Batch", "Prompt", "ClearRetry", "Keep"};
        return kNames[static_cast<std::size_t>(timer)];
    }
};

struct FakeWindows : Windows {
    WindowId ForegroundWindow() override { return foreground; }
    void SetForegroundWindow(WindowId window) override { foreground = window; }
    WindowId foreground = 0;
};

// The watcher's thread, taken as reading each change the moment it comes.
class FakeClipboardWatch : public ClipboardWatch, public Journaled {
public:
    bool Start(WindowId, Reader read) override {
        read_ = std::move(read);
        Note("listener added");
        return true;
    }
    void Stop() override {
        if (read_) Note("listener removed");
        read_ = nullptr;
    }
    std::vector<ClipboardArrival> Take() override { return std::exchange(queue_, {}); }

    // The system tells of a change: it is read at once, and the window is
    // told (onQueued) when nothing was waiting for it yet.
    void Changed(Clipboard& clipboard, bool copiedHere) {
        if (!read_) return;
        const bool told = !queue_.empty();
        queue_.push_back(read_(clipboard, [](int) {}));
        queue_.back().copiedHere = copiedHere;
        if (!told && onQueued) onQueued();
    }
    std::function<void()> onQueued;

private:
    Reader read_;
    std::vector<ClipboardArrival> queue_;
};

// The program's message queue on the timers' clock: sleeping moves the clock
// on (other programs act meanwhile, the program does not), the main loop
// handles what was posted and the timers that are due, in time order.
class FakeEventLoop : public EventLoop {
public:
    explicit FakeEventLoop(FakeTimers& timers) : timers_(timers) {}
    void Sleep(int milliseconds) override { Advance(timers_.now + milliseconds); }

    // A window message for the program, handled at the next pump.
    void Post(std::function<void()> message) { posted_.push_back(std::move(message)); }
    // What another program does at this time on the clock.
    void At(std::int64_t time, std::function<void()> action) { actions_.emplace(time, std::move(action)); }
    // The program runs for this long (0: handles what is due now), as its message loop would.
    void RunFor(int milliseconds) {
        const std::int64_t end = timers_.now + milliseconds;
        for (Dispatch(); NextEvent() <= end; Dispatch()) Advance(NextEvent());
        Advance(end);
        Dispatch();
    }

    // Runs at every pump too.
    std::function<void()> onPump;

private:
    void Advance(std::int64_t time) {
        for (auto first = actions_.begin(); first != actions_.end() && first->first <= time; first = actions_.begin()) {
            timers_.now = std::max(timers_.now, first->first);
            actions_.extract(first).mapped()();
        }
        timers_.now = std::max(timers_.now, time);
    }
    // Posted messages first, then each timer that is due, earliest first; a
    // handler may post or start more.
    void Dispatch() {
        for (;;) {
            if (!posted_.empty()) {
                for (const auto& message : std::exchange(posted_, {})) message();
                continue;
            }
            const auto due = std::ranges::min_element(timers_.running, {}, [](auto& t) { return t.second.due; });
            if (due == timers_.running.end() || due->second.due > timers_.now) break;
            due->second.due = timers_.now + std::max(1, due->second.interval);
            if (timers_.onTick) timers_.onTick(due->first);
        }
        if (onPump) onPump();
    }
    // The time of the next message, action or timer; INT64_MAX when none.
    std::int64_t NextEvent() const {
        std::int64_t next = posted_.empty() ? INT64_MAX : timers_.now;
        if (!actions_.empty()) next = std::min(next, actions_.begin()->first);
        for (const auto& [timer, running] : timers_.running) next = std::min(next, running.due);
        return std::max(next, timers_.now);
    }

    FakeTimers& timers_;
    std::vector<std::function<void()>> posted_;
    std::multimap<std::int64_t, std::function<void()>> actions_;
};

// Where a box appeared: the system's choice, or placed by the pointer.
enum class MessagePlacement { Default, AtPointer };
struct ShownMessage {
    std::u16string text, title;
    MessageButtons buttons;
    MessagePlacement placement = MessagePlacement::Default;
    bool operator==(const ShownMessage&) const = default;
};

class FakeMessageBoxes : public MessageBoxes, public Journaled {
public:
    MessageAnswer Show(const std::u16string& text, const std::u16string& title, MessageButtons buttons) override {
        return Answer({text, title, buttons});
    }
    MessageAnswer AskAtPointer(const std::u16string& text, const std::u16string& title, BoxPlacement place) override {
        placedAt = place(300, 120, {500, 400});  // a 300 x 120 box, the pointer at (500, 400)
        return Answer({text, title, MessageButtons::YesNo, MessagePlacement::AtPointer});
    }
    // The box open, if one is, closes as No or OK.
    void DismissOpenBox() override {
        dismissed_ = true;
        Note("question dismissed");
    }

    std::vector<ShownMessage> shown;
    // Where the last question went.
    Point placedAt;
    // Runs while a box is open, as the rest of the program would meanwhile.
    std::function<void()> whileOpen;
    // Answers for Yes/No boxes, used in order; Yes when none is left.
    std::deque<MessageAnswer> answers;

private:
    MessageAnswer Answer(const ShownMessage& message) {
        shown.push_back(message);
        Note("message box");
        dismissed_ = false;
        if (whileOpen) whileOpen();
        if (message.buttons == MessageButtons::Ok) return MessageAnswer::Ok;
        if (dismissed_) return MessageAnswer::No;
        if (answers.empty()) return MessageAnswer::Yes;
        const auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
    bool dismissed_ = false;
};

class FakeTextBox : public TextBox, public Journaled {
public:
    std::u16string Text() const override { return text_; }
    std::size_t Length() const override { return text_.size(); }
    void SetText(const std::u16string& text) override {
        text_ = text;
        Note("text set");
    }
    void Append(const std::u16string& text) override {
        text_ += text;
        Note("text appended");
    }
    void SetCaret(std::size_t position) override { caret = position; }
    std::u16string Tag() const override { return tag_; }
    void SetTag(const std::u16string& tag) override { tag_ = tag; }
    Paint TextPaint() const override { return paint_; }
    void SetTextPaint(Paint paint) override { paint_ = paint; }
    bool IsVisible() const override { return true; }

    // Where the caret is; the user may put it anywhere.
    std::size_t caret = 0;

private:
    std::u16string text_, tag_;
    Paint paint_ = Paint::Collected;
};

class FakeFileStore : public FileStore, public Journaled {
public:
    bool Exists(const std::u16string& path) override { return files_.count(path) != 0; }
    std::optional<std::string> Read(const std::u16string& path) override {
        Note("file read");
        return denyReading ? std::nullopt : Get(path);
    }
    bool ReplaceAtomically(const std::u16string& path, const std::string& bytes) override {
        if (denyWriting) return false;
        files_[path] = bytes;
        ++writes[path];
        Note("file written");
        return true;
    }
    bool Remove(const std::u16string& path) override {
        files_.erase(path);
        return true;
    }
    bool MakeFolder(const std::u16string&) override { return true; }

    void Put(const std::u16string& path, std::string bytes) { files_[path] = std::move(bytes); }
    std::optional<std::string> Get(const std::u16string& path) const {
        return files_.count(path) ? std::optional(files_.at(path)) : std::nullopt;
    }
    // Reading fails (the file is there, but locked or forbidden to us); writing
    // fails (full disk, read-only folder), the old file staying.
    bool denyReading = false, denyWriting = false;
    std::map<std::u16string, int> writes;

private:
    std::map<std::u16string, std::string> files_;
};

// Sealed: a digest in front and every byte turned, so that a test sees the
// file is not plain; any change makes it unopenable.
class FakeDataProtection : public DataProtection {
public:
    std::optional<std::string> Seal(const std::string& bytes) override { return Mark(bytes) + Turned(bytes); }
    std::optional<std::string> Open(const std::string& sealed) override {
        std::string bytes = Turned(sealed.substr(std::min(sealed.size(), sealed.find('|') + 1)));
        return sealed.starts_with(Mark(bytes)) ? std::optional(bytes) : std::nullopt;
    }

private:
    static std::string Mark(const std::string& bytes) { return std::to_string(std::hash<std::string>{}(bytes)) + "|"; }
    static std::string Turned(std::string b) {
        return std::ranges::transform(b, b.begin(), [](char c) { return static_cast<char>(~c); }), b;
    }
};

struct FakeWindowFrame : WindowFrame {
    TwipsRect Bounds() const override { return bounds; }
    void SetBounds(const TwipsRect& to) override { bounds = to; }
    TwipsRect bounds;
};

// 1920 x 1080 pixels at 96 DPI, the pointer near its middle.
struct FakeScreen : Screen {
    TwipsPerPixel Scale() override { return {}; }
    TwipsSize Size() override { return {28800, 16200}; }
    Point Pointer() override { return {1000, 700}; }
    int DpiAt(Point) override { return 96; }
    bool HighContrast() override { return highContrast; }
    bool highContrast = false;
};

// The icons in the notification area, as the shell keeps them: an icon is
// added once, and only an icon that is there can be changed (the record kept
// stays the one added) or removed.
struct FakeNotificationArea : NotificationArea, Journaled {
    bool Notify(NotifyCommand command, const NotifyIconRecord& record) override {
        const auto found = std::ranges::find_if(
            icons, [&](const NotifyIconRecord& icon) { return icon.window == record.window && icon.id == record.id; });
        const bool add = command == NotifyCommand::Add;
        if (add == (found != icons.end()) || (add && refuseAdds-- > 0)) return false;
        if (add) icons.push_back(record);
        if (command == NotifyCommand::Modify) *found = record;
        if (command == NotifyCommand::Delete) icons.erase(found);
        constexpr const char* kEntries[] = {"tray icon added", "tray icon modified", "tray icon removed",
                                            "tray icon focused"};
        Note(kEntries[static_cast<int>(command)]);
        return true;
    }
    std::vector<NotifyIconRecord> icons;
    // The area refuses this many adds (the taskbar is not up yet).
    int refuseAdds = 0;
};

struct FakeProgram : Program {
    std::u16string ExecutablePath() override { return path; }
    InstanceClaim ClaimInstance(const std::u16string& name) override {
        if (claimError != 0) return {Claim::Failed, claimError};
        return {heldElsewhere.count(name) ? Claim::HeldElsewhere : Claim::Taken, 0};
    }

    std::u16string path = u"C:\\Tools\\gleaner.exe";
    // Names other processes hold.
    std::set<std::u16string> heldElsewhere;
    // The system's error when taking a name fails (5: access denied).
    std::uint32_t claimError = 0;
    std::uint16_t UiLanguage() override { return uiLanguage; }
    std::uint16_t uiLanguage = 0x0411;  // Japanese
    std::u16string LocalDataFolder() override { return u"C:\\Users\\me\\AppData\\Local"; }
    bool StartsAtSignIn() override { return startsAtSignIn; }
    void RequestRestart() override { restartRequested = true; }
    bool startsAtSignIn = false, restartRequested = false;
};

struct FakeShell : Shell {
    bool Open(const std::u16string& path) override {
        opened.push_back(path);
        return true;
    }
    std::vector<std::u16string> opened;
};

}  // namespace gleaner::fake
