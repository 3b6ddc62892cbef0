#include "platform/fake_platform.h"

#include <algorithm>

namespace gleaner::fake {

void FakeClipboard::Put(std::optional<std::u16string> text, std::set<std::uint32_t> extraFormats) {
    text_ = std::move(text);
    formats_ = std::move(extraFormats);
    numbers_.clear();
}

bool FakeClipboard::HasFormat(std::uint32_t format) {
    if (format == kUnicodeText) return text_.has_value();
    return formats_.count(format) != 0;
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

std::optional<std::u16string> FakeClipboard::ReadText() {
    if (!Open()) return std::nullopt;
    return text_.value_or(std::u16string());
}

std::optional<std::uint32_t> FakeClipboard::ReadNumber(std::uint32_t format) {
    if (!Open()) return std::nullopt;
    auto it = numbers_.find(format);
    if (it == numbers_.end()) return std::nullopt;
    return it->second;
}

void FakeClipboard::AddNumber(std::uint32_t format, std::uint32_t value) {
    formats_.insert(format);
    numbers_[format] = value;
}

bool FakeClipboard::WriteText(const std::u16string& text) {
    if (!Open()) return false;
    text_ = corruptWrites_ ? text + u"?" : text;
    formats_.clear();
    numbers_.clear();
    return true;
}

bool FakeClipboard::Empty() {
    if (!Open()) return false;
    text_.reset();
    formats_.clear();
    numbers_.clear();
    return true;
}

WindowId FakeViewerChain::SetClipboardViewer(WindowId viewer) {
    const WindowId next = viewers.empty() ? 0 : viewers.front();
    viewers.insert(viewers.begin(), viewer);
    return next;
}

void FakeViewerChain::ChangeClipboardChain(WindowId viewer, WindowId) {
    std::erase(viewers, viewer);
}

void FakeViewerChain::PassOn(WindowId to, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    passedOn.push_back({to, message, wParam, lParam});
}

void FakeEventLoop::Sleep(int milliseconds) {
    totalSleptMs += milliseconds;
    sleeps.push_back(milliseconds);
}

void FakeEventLoop::ProcessPendingMessages() {
    ++pumps;
    if (onPump) onPump();
}

MessageAnswer FakeMessageBoxes::Show(const std::u16string& text, const std::u16string& title,
                                     MessageButtons buttons) {
    shown.push_back({text, title, buttons});
    if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
    if (answers.empty()) return MessageAnswer::Yes;
    const auto answer = answers.front();
    answers.pop_front();
    return answer;
}

void FakeTextBox::SetText(const std::u16string& text) {
    text_ = text;
    selStart_ = selEnd_ = 0;
}

void FakeTextBox::Append(const std::u16string& text) { text_ += text; }

void FakeTextBox::SetCaret(std::size_t position) { selStart_ = selEnd_ = std::min(position, text_.size()); }

void FakeTextBox::Select(std::size_t start, std::size_t end) {
    selStart_ = std::min(start, text_.size());
    selEnd_ = std::min(end, text_.size());
}

std::optional<std::string> FakeFileStore::Read(const std::u16string& path) {
    if (denyReading_) return std::nullopt;
    return Get(path);
}

bool FakeFileStore::ReplaceAtomically(const std::u16string& path, const std::string& bytes) {
    if (denyWriting_) return false;
    files_[path] = bytes;
    return true;
}

std::optional<std::string> FakeFileStore::Get(const std::u16string& path) const {
    auto it = files_.find(path);
    if (it == files_.end()) return std::nullopt;
    return it->second;
}

}  // namespace gleaner::fake
