// In-memory stand-ins for the window system, for the host tests: each keeps
// the state a real one would, so tests observe behaviour, not call counts.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <set>
#include <vector>

#include "platform/platform.h"

namespace gleaner::fake {

// Formats the fake reserves for itself; registered names count up from here.
constexpr std::uint32_t kUnicodeText = 13;
constexpr std::uint32_t kFirstRegisteredFormat = 0xC000;

class FakeClipboard : public Clipboard {
public:
    // Another program holds the clipboard open for the next n attempts to
    // open it (reading, writing or emptying); a negative n holds it forever.
    void HoldOpenFor(int attempts) { busyAttempts_ = attempts; }
    // What another program puts there; nullopt leaves no text at all.
    void Put(std::optional<std::u16string> text, std::set<std::uint32_t> extraFormats = {});
    // Makes every later write store something else than asked, as a clipboard
    // that loses characters would.
    void CorruptWrites(bool on) { corruptWrites_ = on; }

    std::optional<std::u16string> Contents() const { return text_; }
    int OpenAttempts() const { return openAttempts_; }

    bool HasText() override { return text_.has_value(); }
    bool HasFormat(std::uint32_t format) override;
    std::uint32_t RegisterFormat(const std::u16string& name) override;
    std::optional<std::u16string> ReadText() override;
    std::optional<std::uint32_t> ReadNumber(std::uint32_t format) override;
    // Another program adds a format holding one number.
    void AddNumber(std::uint32_t format, std::uint32_t value);
    bool WriteText(const std::u16string& text) override;
    bool Empty() override;
    PlatformError LastError() const override { return lastError_; }

private:
    bool Open();

    std::optional<std::u16string> text_;
    std::set<std::uint32_t> formats_;
    std::map<std::uint32_t, std::uint32_t> numbers_;
    std::map<std::u16string, std::uint32_t> registered_;
    int busyAttempts_ = 0;
    int openAttempts_ = 0;
    bool corruptWrites_ = false;
    PlatformError lastError_;
};

struct PassedOn {
    WindowId to;
    std::uint32_t message;
    std::uintptr_t wParam;
    std::intptr_t lParam;
};

class FakeViewerChain : public ViewerChain {
public:
    WindowId SetClipboardViewer(WindowId viewer) override;
    void ChangeClipboardChain(WindowId viewer, WindowId next) override;
    void PassOn(WindowId to, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
    WindowId ForegroundWindow() override { return foreground; }
    std::uint32_t ClipboardSequence() override { return sequence; }

    // The chain as the window system keeps it, first viewer first.
    std::vector<WindowId> viewers;
    std::vector<PassedOn> passedOn;
    WindowId foreground = 0;
    std::uint32_t sequence = 1;
};

class FakeEventLoop : public EventLoop {
public:
    void Sleep(int milliseconds) override;
    void ProcessPendingMessages() override;

    // Runs at every message pump, as queued window messages would.
    std::function<void()> onPump;
    int totalSleptMs = 0;
    std::vector<int> sleeps;
    int pumps = 0;
};

struct ShownMessage {
    std::u16string text;
    std::u16string title;
    MessageButtons buttons;
};

class FakeMessageBoxes : public MessageBoxes {
public:
    MessageAnswer Show(const std::u16string& text, const std::u16string& title, MessageButtons buttons) override;

    std::vector<ShownMessage> shown;
    // Answers for Yes/No boxes, used in order; Yes when none is left.
    std::deque<MessageAnswer> answers;
};

class FakeTextBox : public TextBox {
public:
    std::u16string Text() const override { return text_; }
    std::size_t Length() const override { return text_.size(); }
    void SetText(const std::u16string& text) override;
    void Append(const std::u16string& text) override;
    void SetCaret(std::size_t position) override;
    std::u16string Tag() const override { return tag_; }
    void SetTag(const std::u16string& tag) override { tag_ = tag; }
    Colour ForeColour() const override { return colour_; }
    void SetForeColour(Colour colour) override { colour_ = colour; }
    bool IsVisible() const override { return visible_; }

    void SetVisible(bool visible) { visible_ = visible; }
    // The user selects part of the text, as with the mouse.
    void Select(std::size_t start, std::size_t end);
    std::size_t SelectionStart() const { return selStart_; }
    std::size_t SelectionEnd() const { return selEnd_; }

private:
    std::u16string text_;
    std::u16string tag_;
    Colour colour_ = 0;
    bool visible_ = true;
    std::size_t selStart_ = 0;
    std::size_t selEnd_ = 0;
};

class FakeFileStore : public FileStore {
public:
    bool Exists(const std::u16string& path) override { return files_.count(path) != 0; }
    std::optional<std::string> Read(const std::u16string& path) override;
    bool ReplaceAtomically(const std::u16string& path, const std::string& bytes) override;

    void Put(const std::u16string& path, std::string bytes) { files_[path] = std::move(bytes); }
    std::optional<std::string> Get(const std::u16string& path) const;
    // The file exists but is locked or forbidden to us.
    void DenyReading(bool deny) { denyReading_ = deny; }
    // Writing fails (full disk, read-only folder); the old file stays.
    void DenyWriting(bool deny) { denyWriting_ = deny; }

private:
    std::map<std::u16string, std::string> files_;
    bool denyReading_ = false;
    bool denyWriting_ = false;
};

class FakeWindowFrame : public WindowFrame {
public:
    explicit FakeWindowFrame(TwipsRect bounds = {}) : bounds_(bounds) {}
    TwipsRect Bounds() const override { return bounds_; }
    void SetBounds(const TwipsRect& bounds) override { bounds_ = bounds; }

private:
    TwipsRect bounds_;
};

}  // namespace gleaner::fake
