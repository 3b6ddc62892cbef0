// The boxes the program has to show: a step asks for one and ends, and the
// main loop opens them one at a time; what depends on the answer runs as a
// step of its own once the box is closed.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>

#include "platform/message_boxes.h"
#include "platform/timers.h"

namespace gleaner {

enum class PromptKind { LimitReached, ClipboardError, HotKeyTaken, ClearQuestion, SettingsNotSaved };

struct Prompt {
    PromptKind kind = PromptKind::ClipboardError;
    std::u16string text;
    std::u16string title;
    MessageButtons buttons = MessageButtons::Ok;
    // Set for a question placed by the pointer.
    BoxPlacement place = nullptr;
    // Runs with the answer once the box is closed, unless the program has
    // begun to end meanwhile.
    std::function<void(MessageAnswer)> then;
};

class PromptQueue {
public:
    // Queued; opened from the main loop (TimerId::Prompt) once no box is open.
    void Ask(Prompt prompt, Timers& timers);
    // A box with an OK button that nothing waits for.
    void Tell(PromptKind kind, std::u16string text, std::u16string title, Timers& timers) {
        Ask({kind, std::move(text), std::move(title), MessageButtons::Ok, nullptr, nullptr}, timers);
    }
    // TimerId::Prompt: opens the next box and waits for it (the box runs the
    // message loop meanwhile), then hands its answer on.
    void ShowNext(MessageBoxes& boxes, Timers& timers);
    // The program ends: the open box closes as No or OK without its answer
    // being acted on, those waiting are dropped, and none opens any more.
    void End(MessageBoxes& boxes, Timers& timers);
    // One of this kind is open or waiting.
    bool Holds(PromptKind kind) const;

private:
    std::deque<Prompt> waiting_;
    std::optional<PromptKind> open_;
    bool ended_ = false;
};

}  // namespace gleaner
