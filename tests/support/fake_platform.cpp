#include "support/fake_platform.h"

#include <cstring>

namespace gleaner::fake {

std::string TextBytes(const std::u16string& text) {
    return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(char16_t));
}

std::u16string BytesText(const std::string& bytes) {
    std::u16string text(bytes.size() / sizeof(char16_t), u'\0');
    std::memcpy(text.data(), bytes.data(), text.size() * sizeof(char16_t));
    return text;
}

// Names count up from 0xC000, as registered formats and global atoms do.
std::uint16_t Intern(std::vector<std::u16string>& names, const std::u16string& name) {
    auto at = std::find(names.begin(), names.end(), name);
    if (at == names.end()) at = names.insert(at, name);
    return static_cast<std::uint16_t>(kFirstRegisteredFormat + (at - names.begin()));
}

bool FakeClipboard::Open() {
    ++openAttempts;
    if (onOpen) onOpen();
    if (busyAttempts_ == 0) return true;
    if (busyAttempts_ > 0) --busyAttempts_;
    return false;
}

std::optional<Clipboard::Copy> FakeClipboard::ReadCopy(const std::vector<std::uint32_t>& markFormats) {
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

std::optional<ClipboardSnapshot> FakeClipboard::Snapshot() {
    if (!Open()) return std::nullopt;
    ClipboardSnapshot snapshot;
    for (const auto& [format, bytes] : formats_) snapshot.push_back({format, bytes});
    return snapshot;
}

void FakeClipboard::Fill(const ClipboardSnapshot& snapshot, bool markOurs) {
    formats_.clear();
    for (const ClipboardItem& item : snapshot) formats_[item.format] = item.bytes;
    if (markOurs) formats_[RegisterFormat(u"Clipboard Viewer Ignore")] = "";
    if (const auto text = Contents()) writes.emplace_back(*text, markOurs);
    Changed(markOurs);
}

std::string FakeTimers::Name(TimerId timer) {
    constexpr const char* kNames[] = {"?", "?", "HotKey", "End", "TrayRetry", "Batch"};
    return kNames[static_cast<std::size_t>(timer)];
}

bool FakeEventLoop::WaitForMessages() {
    constexpr int kEndless = 100000;
    const std::int64_t next = NextEvent();
    if (++waits_ > kEndless || (next == kNever && !onPump)) return false;
    Advance(next == kNever ? timers_.now : next);
    Dispatch();
    return true;
}

void FakeEventLoop::RunFor(int milliseconds) {
    const std::int64_t end = timers_.now + milliseconds;
    Dispatch();
    while (NextEvent() <= end) WaitForMessages();
    Advance(end);
    Dispatch();
}

void FakeEventLoop::Advance(std::int64_t time) {
    for (auto first = actions_.begin(); first != actions_.end() && first->first <= time; first = actions_.begin()) {
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
    const auto earlier = [](const auto& a, const auto& b) { return a.second.due < b.second.due; };
    for (;;) {
        if (!posted_.empty()) {
            auto message = std::move(posted_.front());
            posted_.pop_front();
            message();
            continue;
        }
        const auto due = std::min_element(timers_.running.begin(), timers_.running.end(), earlier);
        if (due == timers_.running.end() || due->second.due > timers_.now) break;
        due->second.due = timers_.now + std::max(1, due->second.interval);
        if (timers_.onTick) timers_.onTick(due->first);
    }
    if (onPump) onPump();
}

std::int64_t FakeEventLoop::NextEvent() const {
    std::int64_t next = posted_.empty() ? kNever : timers_.now;
    if (!actions_.empty()) next = std::min(next, actions_.begin()->first);
    for (const auto& [timer, running] : timers_.running) next = std::min(next, running.due);
    return next == kNever ? kNever : std::max(next, timers_.now);
}

MessageAnswer FakeMessageBoxes::Answer(const ShownMessage& message) {
    shown.push_back(message);
    Note(journal, "message box");
    // Only a question can be dismissed.
    questionOpen_ = message.placement == MessagePlacement::AtPointer;
    dismissed_ = false;
    if (whileOpen) whileOpen();
    questionOpen_ = false;
    if (message.buttons == MessageButtons::Ok) return MessageAnswer::Ok;
    if (dismissed_) return MessageAnswer::No;
    if (answers.empty()) return MessageAnswer::Yes;
    const auto answer = answers.front();
    answers.pop_front();
    return answer;
}

bool FakeNotificationArea::Notify(NotifyCommand command, const NotifyIconRecord& record) {
    const auto same = [&](const NotifyIconRecord& icon) { return icon.window == record.window && icon.id == record.id; };
    const auto found = std::find_if(icons.begin(), icons.end(), same);
    const bool add = command == NotifyCommand::Add;
    if (add == (found != icons.end()) || (add && refuseAdds-- > 0)) return false;
    if (add)
        icons.push_back(record);
    else if (command == NotifyCommand::Modify)
        *found = record;
    else
        icons.erase(found);
    constexpr const char* kEntries[] = {"tray icon added", "tray icon modified", "tray icon removed"};
    Note(journal, kEntries[static_cast<int>(command)]);
    return true;
}

}  // namespace gleaner::fake
