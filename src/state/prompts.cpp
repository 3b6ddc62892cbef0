#include "state/prompts.h"

#include <algorithm>

#include "platform/scope_exit.h"

namespace gleaner {

void PromptQueue::Ask(Prompt prompt, Timers& timers) {
    if (ended_) return;
    waiting_.push_back(std::move(prompt));
    if (!open_) timers.Start(TimerId::Prompt, 0);
}

void PromptQueue::ShowNext(MessageBoxes& boxes, Timers& timers) {
    timers.Stop(TimerId::Prompt);
    // A box opens no second one, not even for a tick that was on its way:
    // the next waits until this one is closed.
    if (open_ || waiting_.empty()) return;
    const Prompt prompt = std::move(waiting_.front());
    waiting_.pop_front();
    MessageAnswer answer = MessageAnswer::No;
    {
        open_ = prompt.kind;
        const ScopeExit closed([this] { open_.reset(); });
        answer = prompt.place ? boxes.AskAtPointer(prompt.text, prompt.title, prompt.place)
                              : boxes.Show(prompt.text, prompt.title, prompt.buttons);
    }
    if (ended_) return;
    if (!waiting_.empty()) timers.Start(TimerId::Prompt, 0);
    if (prompt.then) prompt.then(answer);
}

void PromptQueue::End(MessageBoxes& boxes, Timers& timers) {
    ended_ = true;
    waiting_.clear();
    timers.Stop(TimerId::Prompt);
    if (open_) boxes.DismissOpenBox();
}

bool PromptQueue::Holds(PromptKind kind) const {
    return open_ == kind || std::ranges::any_of(waiting_, [kind](const Prompt& p) { return p.kind == kind; });
}

}  // namespace gleaner
