#include "support/fake_platform.h"

#include <algorithm>

namespace gleaner::fake {

namespace {

constexpr char16_t kIgnoreFormatName[] = u"Clipboard Viewer Ignore";

std::string TextBytes(const std::u16string& text) {
    std::string bytes;
    for (char16_t c : text + u'\0') {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}

std::u16string BytesText(const std::string& bytes) {
    std::u16string text;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto c = static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                             (static_cast<unsigned char>(bytes[i + 1]) << 8));
        if (c == 0) break;
        text += c;
    }
    return text;
}

void Note(Journal* journal, std::string entry) {
    if (journal) journal->Note(std::move(entry));
}

std::string TimerName(TimerId timer) {
    switch (timer) {
    case TimerId::HotKey: return "HotKey";
    case TimerId::End: return "End";
    case TimerId::TrayRetry: return "TrayRetry";
    case TimerId::Batch: return "Batch";
    }
    return "?";
}

}  // namespace

int Journal::IndexOf(const std::string& entry) const {
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (entries[i] == entry) return static_cast<int>(i);
    return -1;
}

void FakeClipboard::Put(std::optional<std::u16string> text, std::set<std::uint32_t> extraFormats) {
    text_ = std::move(text);
    data_.clear();
    for (std::uint32_t format : extraFormats) data_[format] = "";
    Changed();
}

void FakeClipboard::Changed(bool ours) {
    ++sequence_;
    ours_ = ours;
    if (onChange) onChange();
}

void FakeClipboard::PutMarked(const std::u16string& text, std::uint32_t format, std::uint32_t value) {
    text_ = text;
    data_.clear();
    std::string& bytes = data_[format];
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    Changed();
}

std::optional<std::string> FakeClipboard::Data(std::uint32_t format) const {
    auto it = data_.find(format);
    if (it == data_.end()) return std::nullopt;
    return it->second;
}

std::uint32_t FakeClipboard::RegisterFormat(const std::u16string& name) {
    auto it = registered_.find(name);
    if (it != registered_.end()) return it->second;
    const auto id = kFirstRegisteredFormat + static_cast<std::uint32_t>(registered_.size());
    registered_.emplace(name, id);
    return id;
}

bool FakeClipboard::Open() {
    ++openAttempts_;
    if (onOpen) onOpen();
    if (busyAttempts_ == 0) return true;
    if (busyAttempts_ > 0) --busyAttempts_;
    lastError_ = {5, u"Access is denied."};
    return false;
}


std::optional<std::u16string> FakeClipboard::ReadText() {
    if (!Open()) return std::nullopt;
    return text_.value_or(std::u16string());
}

std::optional<Clipboard::Copy> FakeClipboard::ReadCopy(const std::vector<std::uint32_t>& markFormats) {
    if (!Open()) return std::nullopt;
    Copy copy{sequence_, text_, {}};
    for (const std::uint32_t format : markFormats) {
        const auto it = data_.find(format);
        if (it == data_.end()) continue;
        std::optional<std::uint32_t> number;
        if (it->second.size() >= 4) {
            number = 0;
            for (int i = 3; i >= 0; --i) *number = (*number << 8) | static_cast<unsigned char>(it->second[i]);
        }
        copy.marks.emplace_back(format, number);
    }
    return copy;
}

bool FakeClipboard::WriteText(const std::u16string& text, bool markOurs) {
    if (!Open()) return false;
    const std::u16string stored = corruptWrites_ ? text + u"?" : text;
    Fill({{kUnicodeText, TextBytes(stored)}}, markOurs);
    return true;
}

bool FakeClipboard::Empty() {
    if (!Open()) return false;
    text_.reset();
    data_.clear();
    Changed();
    return true;
}

std::optional<ClipboardSnapshot> FakeClipboard::Snapshot() {
    if (!Open()) return std::nullopt;
    ClipboardSnapshot snapshot;
    if (text_) snapshot.push_back({kUnicodeText, TextBytes(*text_)});
    for (const auto& [format, bytes] : data_) snapshot.push_back({format, bytes});
    return snapshot;
}

void FakeClipboard::Fill(const ClipboardSnapshot& snapshot, bool markOurs) {
    text_.reset();
    data_.clear();
    for (const ClipboardItem& item : snapshot) {
        if (item.format == kUnicodeText)
            text_ = BytesText(item.bytes);
        else
            data_[item.format] = item.bytes;
    }
    if (markOurs) data_[RegisterFormat(kIgnoreFormatName)] = "";
    if (text_) writes.emplace_back(*text_, markOurs);
    Changed(markOurs);
}

bool FakeClipboard::Restore(const ClipboardSnapshot& snapshot, bool markOurs) {
    if (!Open()) return false;
    Fill(snapshot, markOurs);
    return true;
}

Clipboard::Replaced FakeClipboard::ReplaceOurs(const ClipboardSnapshot& snapshot) {
    if (!Open()) return Replaced::Failed;
    if (!ours_) return Replaced::NotOurs;
    Fill(snapshot, true);
    return Replaced::Done;
}

std::uint16_t FakeKeyboard::AddGlobalAtom(const std::u16string& name) {
    auto it = atoms_.find(name);
    if (it == atoms_.end()) it = atoms_.emplace(name, static_cast<std::uint16_t>(0xC000 + atoms_.size())).first;
    ++atomUses[name];
    return it->second;
}

void FakeKeyboard::DeleteGlobalAtom(std::uint16_t atom) {
    for (auto& [name, id] : atoms_)
        if (id == atom && atomUses[name] > 0) --atomUses[name];
}

bool FakeKeyboard::RegisterHotKey(WindowId window, int id, std::uint32_t modifiers, std::uint32_t virtualKey) {
    if (registered.count(id) || takenKeys.count(virtualKey)) return false;
    registered[id] = {window, modifiers, virtualKey};
    Note(journal, "hotkey registered");
    return true;
}

void FakeKeyboard::UnregisterHotKey(WindowId, int id) {
    if (registered.erase(id)) Note(journal, "hotkey unregistered");
}

void FakeTimers::Start(TimerId timer, int milliseconds) {
    running[timer] = {milliseconds, now + milliseconds};
    Note(journal, "timer " + TimerName(timer) + " started");
}

void FakeTimers::Stop(TimerId timer) {
    if (running.erase(timer)) Note(journal, "timer " + TimerName(timer) + " stopped");
}

void FakeKeyboard::SendKeyEvents(const std::vector<KeyEvent>& events) {
    injections.push_back(events);
    if (onInjection) onInjection(events);
}


bool FakeClipboardWatch::Start(WindowId window, Reader read) {
    read_ = std::move(read);
    listeners.insert(window);
    Note(journal, "listener added");
    return true;
}

void FakeClipboardWatch::Stop() {
    read_ = nullptr;
    queue_.clear();
    if (!listeners.empty()) Note(journal, "listener removed");
    listeners.clear();
}

void FakeClipboardWatch::Changed(Clipboard& clipboard, WindowId foreground) {
    if (!read_) return;
    const bool told = !queue_.empty();
    queue_.push_back(read_(clipboard, [](int) {}));
    queue_.back().foreground = foreground;
    if (!told && onQueued) onQueued();
}

void FakeEventLoop::Sleep(int milliseconds) {
    totalSleptMs += milliseconds;
    sleeps.push_back(milliseconds);
    Advance(timers_.now + milliseconds);
}

void FakeEventLoop::ProcessPendingMessages() {
    ++pumps;
    Dispatch();
}

bool FakeEventLoop::WaitForMessages() {
    constexpr int kEndless = 100000;
    if (++waits > kEndless) return false;
    const auto next = NextEvent();
    if (!next && !onPump) return false;
    if (next) Advance(*next);
    Dispatch();
    return true;
}

void FakeEventLoop::At(std::int64_t time, std::function<void()> action) { actions_.emplace(time, std::move(action)); }

void FakeEventLoop::RunFor(int milliseconds) {
    const std::int64_t end = timers_.now + milliseconds;
    Dispatch();
    for (auto next = NextEvent(); next && *next <= end; next = NextEvent()) {
        Advance(*next);
        Dispatch();
    }
    Advance(end);
    Dispatch();
}

void FakeEventLoop::Advance(std::int64_t time) {
    while (!actions_.empty() && actions_.begin()->first <= time) {
        const auto first = actions_.begin();
        timers_.now = std::max(timers_.now, first->first);
        auto action = std::move(first->second);
        actions_.erase(first);
        action();
    }
    timers_.now = std::max(timers_.now, time);
}

// Posted messages first, then each timer that is due, earliest first; a
// handler may post or start more.
void FakeEventLoop::Dispatch() {
    for (;;) {
        if (!posted_.empty()) {
            auto message = std::move(posted_.front());
            posted_.pop_front();
            message();
            continue;
        }
        auto due = timers_.running.end();
        for (auto it = timers_.running.begin(); it != timers_.running.end(); ++it)
            if (it->second.due <= timers_.now && (due == timers_.running.end() || it->second.due < due->second.due))
                due = it;
        if (due == timers_.running.end()) break;
        const TimerId timer = due->first;
        due->second.due = timers_.now + std::max(1, due->second.interval);
        if (timers_.onTick) timers_.onTick(timer);
    }
    if (onPump) onPump();
}

std::optional<std::int64_t> FakeEventLoop::NextEvent() const {
    std::optional<std::int64_t> next;
    if (!posted_.empty()) next = timers_.now;
    if (!actions_.empty()) next = std::min(next.value_or(actions_.begin()->first), actions_.begin()->first);
    for (const auto& [timer, running] : timers_.running) next = std::min(next.value_or(running.due), running.due);
    if (next) next = std::max(*next, timers_.now);
    return next;
}

MessageAnswer FakeMessageBoxes::Answer(const ShownMessage& message) {
    shown.push_back(message);
    Note(journal, "message box");
    const bool question = message.placement == MessagePlacement::AtPointer;
    questionOpen_ = question;
    dismissed_ = false;
    if (whileOpen) whileOpen();
    questionOpen_ = false;
    if (message.buttons == MessageButtons::Ok) return MessageAnswer::Ok;
    if (question && dismissed_) return MessageAnswer::No;
    if (answers.empty()) return MessageAnswer::Yes;
    const auto answer = answers.front();
    answers.pop_front();
    return answer;
}

void FakeMessageBoxes::DismissQuestion() {
    if (!questionOpen_) return;
    dismissed_ = true;
    Note(journal, "question dismissed");
}

MessageAnswer FakeMessageBoxes::Show(const std::u16string& text, const std::u16string& title,
                                     MessageButtons buttons) {
    return Answer({text, title, buttons});
}

MessageAnswer FakeMessageBoxes::AskAtPointer(const std::u16string& text, const std::u16string& title,
                                             BoxPlacement place) {
    placedAt = place(300, 120, pointer);
    return Answer({text, title, MessageButtons::YesNo, MessagePlacement::AtPointer});
}

void FakeTextBox::SetText(const std::u16string& text) {
    text_ = text;
    selStart_ = selEnd_ = 0;
    Note(journal, "text set");
}

void FakeTextBox::Append(const std::u16string& text) {
    text_ += text;
    Note(journal, "text appended");
}

void FakeTextBox::SetCaret(std::size_t position) { selStart_ = selEnd_ = std::min(position, text_.size()); }

void FakeTextBox::Select(std::size_t start, std::size_t end) {
    selStart_ = std::min(start, text_.size());
    selEnd_ = std::min(end, text_.size());
}

std::optional<std::string> FakeFileStore::Read(const std::u16string& path) {
    Note(journal, "file read");
    if (denyReading_) return std::nullopt;
    return Get(path);
}

bool FakeFileStore::ReplaceAtomically(const std::u16string& path, const std::string& bytes) {
    if (denyWriting_) return false;
    files_[path] = bytes;
    Note(journal, "file written");
    return true;
}

std::optional<std::string> FakeFileStore::Get(const std::u16string& path) const {
    auto it = files_.find(path);
    if (it == files_.end()) return std::nullopt;
    return it->second;
}

bool FakeNotificationArea::Notify(NotifyCommand command, const NotifyIconRecord& record) {
    const auto same = [&](const NotifyIconRecord& icon) { return icon.window == record.window && icon.id == record.id; };
    const auto found = std::find_if(icons.begin(), icons.end(), same);
    if ((command == NotifyCommand::Add) == (found != icons.end())) return false;
    if (command == NotifyCommand::Add && refuseAdds > 0) {
        --refuseAdds;
        return false;
    }
    switch (command) {
    case NotifyCommand::Add:
        icons.push_back(record);
        Note(journal, "tray icon added");
        break;
    case NotifyCommand::Modify:
        *found = record;
        Note(journal, "tray icon modified");
        break;
    case NotifyCommand::Delete:
        icons.erase(found);
        Note(journal, "tray icon removed");
        break;
    }
    return true;
}

Program::InstanceClaim FakeProgram::ClaimInstance(const std::u16string& name) {
    Note(journal, "instance checked");
    claimed = name;
    if (claimError != 0) return {Claim::Failed, claimError};
    return {heldElsewhere.count(name) ? Claim::HeldElsewhere : Claim::Taken, 0};
}

}  // namespace gleaner::fake
