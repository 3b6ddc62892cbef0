// Learning of each clipboard change and collecting the text copied in other
// applications. A format listener hears of every change whatever other
// clipboard tools do, and reads it on a thread of its own the moment it
// comes; the collection catches up in batches, so that copies made faster
// than the window can draw are all kept.
#pragma once

#include <memory>
#include <mutex>

#include "capture/capture_handler.h"
#include "capture/ignored_programs.h"

namespace gleaner {

// How the collection catches up while copies keep coming: a copy after a
// quiet spell at once, then a batch once a tick passes without a new copy,
// or after five ticks at most.
constexpr int kBatchTickMs = 10;
constexpr int kBatchMaxTicks = 5;

class ClipboardListener {
public:
    ClipboardListener(ClipboardWatch& watch, Timers& timers, CaptureContext& capture)
        : watch_(watch), timers_(timers), capture_(capture) {}

    void Start(WindowId mainWindow);
    void Stop();
    // From the next change on, also while listening.
    void SetIgnoredPrograms(const std::vector<std::u16string>& names);

    // The watcher's word that changes were read: copies made outside this
    // program's windows join the queue, and a batch is due.
    void OnChangesQueued();
    // The Batch timer's tick.
    void OnBatchTimer();
    // Everything read so far joins the collection now (before a paste, a
    // close or クリア); while a paste is under way, it waits for its end.
    void CatchUp();

private:
    void TakeArrivals();
    std::shared_ptr<const IgnoredPrograms> Ignored();

    ClipboardWatch& watch_;
    Timers& timers_;
    CaptureContext& capture_;
    bool listening_ = false;
    bool batching_ = false;
    bool arrivedSinceTick_ = false;
    int ticks_ = 0;
    // Read by the watcher's thread at each change: a new list replaces the
    // pointer, never the list a read may be using.
    std::mutex ignoredMutex_;
    std::shared_ptr<const IgnoredPrograms> ignored_ = std::make_shared<const IgnoredPrograms>();
};

// Reads one change on the watcher's thread: its text, unless the clipboard
// holds none, the program that copied asked clipboard tools to keep away
// (password managers do; our own writes carry the same mark) or is one the
// user listed (then the clipboard is not even opened). A busy
// clipboard is tried again for a little over a second, and given up as soon
// as a newer change has replaced this one.
ClipboardArrival ReadArrival(Clipboard& clipboard, const std::function<void(int)>& pause,
                             const IgnoredPrograms& ignored);

}  // namespace gleaner
