// Runs an action when the scope ends, however it ends (an exception
// included), unless dismissed first: flags and paired calls are undone so.
#pragma once

#include <utility>

namespace gleaner {

template <class Action>
class ScopeExit {
public:
    explicit ScopeExit(Action action) : action_(std::move(action)) {}
    ~ScopeExit() {
        if (armed_) action_();
    }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;
    void Dismiss() { armed_ = false; }

private:
    Action action_;
    bool armed_ = true;
};

}  // namespace gleaner
