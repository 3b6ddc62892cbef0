#include "platform/fake_platform.h"

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
    case TimerId::Key: return "Key";
    case TimerId::HotKey: return "HotKey";
    case TimerId::End: return "End";
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

void FakeClipboard::AddNumber(std::uint32_t format, std::uint32_t value) {
    std::string bytes;
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    data_[format] = bytes;
}

std::optional<std::string> FakeClipboard::Data(std::uint32_t format) const {
    auto it = data_.find(format);
    if (it == data_.end()) return std::nullopt;
    return it->second;
}

bool FakeClipboard::HasFormat(std::uint32_t format) {
    if (format == kUnicodeText) return text_.has_value();
    return data_.count(format) != 0;
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
    if (busyAttempts_ == 0) return true;
    if (busyAttempts_ > 0) --busyAttempts_;
    lastError_ = {5, u"Access is denied."};
    return false;
}

void FakeClipboard::MarkIgnored() { data_[RegisterFormat(kIgnoreFormatName)] = ""; }

std::optional<std::u16string> FakeClipboard::ReadText() {
    if (!Open()) return std::nullopt;
    return text_.value_or(std::u16string());
}

std::optional<std::uint32_t> FakeClipboard::ReadNumber(std::uint32_t format) {
    if (!Open()) return std::nullopt;
    auto it = data_.find(format);
    if (it == data_.end() || it->second.size() < 4) return std::nullopt;
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(it->second[i]);
    return value;
}

bool FakeClipboard::WriteText(const std::u16string& text, bool markIgnored) {
    if (!Open()) return false;
    text_ = corruptWrites_ ? text + u"?" : text;
    data_.clear();
    Changed();
    if (markIgnored) MarkIgnored();
    writes.emplace_back(*text_, markIgnored);
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

bool FakeClipboard::Restore(const ClipboardSnapshot& snapshot, bool markIgnored) {
    if (!Open()) return false;
    text_.reset();
    data_.clear();
    Changed();
    for (const ClipboardItem& item : snapshot) {
        if (item.format == kUnicodeText)
            text_ = BytesText(item.bytes);
        else
            data_[item.format] = item.bytes;
    }
    if (markIgnored) MarkIgnored();
    if (text_) writes.emplace_back(*text_, markIgnored);
    return true;
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
    running[timer] = milliseconds;
    Note(journal, "timer " + TimerName(timer) + " started");
}

void FakeTimers::Stop(TimerId timer) {
    if (running.erase(timer)) Note(journal, "timer " + TimerName(timer) + " stopped");
}

void FakeKeyboard::SendKeyEvents(const std::vector<KeyEvent>& events) {
    injections.push_back(events);
    if (onInjection) onInjection(events);
}

std::uint16_t FakeKeyboard::AsyncKeyState(int virtualKey) { return held.count(virtualKey) ? 0x8000 : 0; }

bool FakeClipboardWatch::AddListener(WindowId window) {
    listeners.insert(window);
    Note(journal, "listener added");
    return true;
}

void FakeClipboardWatch::RemoveListener(WindowId window) {
    if (listeners.erase(window)) Note(journal, "listener removed");
}

void FakeEventLoop::Sleep(int milliseconds) {
    totalSleptMs += milliseconds;
    sleeps.push_back(milliseconds);
}

void FakeEventLoop::ProcessPendingMessages() {
    ++pumps;
    if (onPump) onPump();
}

bool FakeEventLoop::WaitForMessages() {
    constexpr int kEndless = 100000;
    if (!onPump || ++waits > kEndless) return false;
    onPump();
    return true;
}

MessageAnswer FakeMessageBoxes::Answer(const ShownMessage& message) {
    shown.push_back(message);
    Note(journal, "message box");
    if (whileOpen) whileOpen();
    if (message.buttons == MessageButtons::Ok) return MessageAnswer::Ok;
    if (answers.empty()) return MessageAnswer::Yes;
    const auto answer = answers.front();
    answers.pop_front();
    return answer;
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

bool FakeProgram::AnotherInstanceHolds(const std::u16string& name) {
    Note(journal, "instance checked");
    claimed = name;
    return heldElsewhere.count(name) != 0;
}

}  // namespace gleaner::fake
