#include "capture/clipboard_listener.h"

#include "capture/clipboard_access.h"

#include <algorithm>
#include <iterator>

namespace gleaner {
namespace {

// Marks whose mere presence keeps us away, then marks that must hold a
// non-zero number to let us in (one without a number counts as no).
constexpr const char16_t* kPrivateMarks[] = {u"Clipboard Viewer Ignore",
                                             u"ExcludeClipboardContentFromMonitorProcessing"};
constexpr const char16_t* kPermissionMarks[] = {u"CanIncludeInClipboardHistory", u"CanUploadToCloudClipboard"};

bool IsPrivateCopy(const Clipboard::Copy& copy, const std::vector<std::uint32_t>& formats) {
    for (const auto& [format, number] : copy.marks) {
        const auto at = std::find(formats.begin(), formats.end(), format) - formats.begin();
        if (at < static_cast<std::ptrdiff_t>(std::size(kPrivateMarks)) || !number || *number == 0) return true;
    }
    return false;
}

}  // namespace

ClipboardArrival ReadArrival(Clipboard& clipboard, const std::function<void(int)>& pause,
                             const IgnoredPrograms& ignored) {
    // Another clipboard tool that looks at the same copy holds the clipboard
    // for a moment only: the first attempts follow each other quickly. An
    // application that holds it longer while it copies is waited for a
    // second and more before the user is told.
    constexpr int kPausesMs[] = {1, 2, 5, 10, 20, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100};
    constexpr int kAttempts = static_cast<int>(std::size(kPausesMs)) + 1;
    std::vector<std::uint32_t> formats;
    for (const char16_t* name : kPrivateMarks) formats.push_back(clipboard.RegisterFormat(name));
    for (const char16_t* name : kPermissionMarks) formats.push_back(clipboard.RegisterFormat(name));
    ClipboardArrival arrival;
    // Nothing of a listed program's copy is read, not even its length. An
    // empty list asks Windows nothing.
    if (!ignored.Empty() && ignored.Holds(CopyingProgram(clipboard))) return arrival;
    // Our own writes (and other tools' passing ones) are passed by without
    // opening the clipboard: the application we paste into must find it
    // free. One look only: the next copy may be on its way.
    if (clipboard.HasFormat(formats[0])) return arrival;
    std::optional<std::uint32_t> busySince;
    for (int attempt = 1; attempt <= kAttempts; ++attempt) {
        if (auto copy = clipboard.ReadCopy(formats)) {
            arrival.sequence = copy->sequence;
            if (copy->text && !IsPrivateCopy(*copy, formats)) arrival.text = std::move(copy->text);
            return arrival;
        }
        // Replaced already: the newer change is read when its word comes,
        // and no later copy waits behind this one.
        const std::uint32_t sequence = clipboard.Sequence();
        if (busySince && *busySince != sequence) return arrival;
        busySince = sequence;
        arrival.sequence = sequence;
        if (attempt < kAttempts) pause(kPausesMs[attempt - 1]);
    }
    arrival.error = clipboard.LastError();
    return arrival;
}

void ClipboardListener::Start(WindowId mainWindow) {
    listening_ = watch_.Start(mainWindow, [this](Clipboard& clipboard, const std::function<void(int)>& pause) {
        return ReadArrival(clipboard, pause, *Ignored());
    });
}

void ClipboardListener::SetIgnoredPrograms(const std::vector<std::u16string>& names) {
    auto list = std::make_shared<const IgnoredPrograms>(names);
    const std::lock_guard lock(ignoredMutex_);
    ignored_ = std::move(list);
}

std::shared_ptr<const IgnoredPrograms> ClipboardListener::Ignored() {
    const std::lock_guard lock(ignoredMutex_);
    return ignored_;
}

void ClipboardListener::Stop() {
    if (!listening_) return;
    watch_.Stop();
    listening_ = false;
    timers_.Stop(TimerId::Batch);
    batching_ = false;
}

void ClipboardListener::TakeArrivals() {
    if (!listening_) return;
    std::vector<PlatformError> errors;
    std::vector<std::u16string>& queued = capture_.state.QueuedCopies;
    for (ClipboardArrival& arrival : watch_.Take()) {
        if (arrival.error) errors.push_back(*arrival.error);
        if (arrival.copiedHere || !arrival.text) continue;
        // A repeat of the copy before it would be dropped when collected: a
        // tool that copies the same text again and again, while a question
        // keeps the queue waiting, must not grow it without bound.
        const std::u16string& before = queued.empty() ? capture_.state.LastCapturedText : queued.back();
        if (*arrival.text != before) queued.push_back(std::move(*arrival.text));
    }
    for (const PlatformError& error : errors) ShowClipboardError(capture_, error);
}

// The first copy after a quiet spell is shown at once, as a copy made by
// hand always is; copies that follow it within a tick wait for the batch.
void ClipboardListener::OnChangesQueued() {
    TakeArrivals();
    if (capture_.state.QueuedCopies.empty()) return;
    if (batching_) {
        arrivedSinceTick_ = true;
        return;
    }
    FlushQueued(capture_);
    batching_ = true;
    arrivedSinceTick_ = false;
    ticks_ = 0;
    timers_.Start(TimerId::Batch, kBatchTickMs);
}

void ClipboardListener::OnBatchTimer() {
    // A tick without a copy: the burst is over. During a paste the copies
    // wait for its end, which takes them in itself.
    if (capture_.state.QueuedCopies.empty() || capture_.state.PasteInProgress) {
        timers_.Stop(TimerId::Batch);
        batching_ = false;
        return;
    }
    if (arrivedSinceTick_ && ++ticks_ < kBatchMaxTicks) {
        arrivedSinceTick_ = false;
        return;
    }
    FlushQueued(capture_);
    arrivedSinceTick_ = false;
    ticks_ = 0;
}

void ClipboardListener::CatchUp() {
    TakeArrivals();
    FlushQueued(capture_);
    if (!capture_.state.QueuedCopies.empty() || !batching_) return;
    timers_.Stop(TimerId::Batch);
    batching_ = false;
}

}  // namespace gleaner
