// Timer_AutoClose's count of the seconds the balloon has left, and the
// label that shows it.
#pragma once

#include <cstdint>
#include <string>

namespace gleaner {

class Countdown {
public:
    // The balloon loads: the full time, the timer on, no stop.
    void Load(std::int32_t seconds);
    // Its text changed: the full time again, unless the setting is 0 or less.
    // A stop stays in force: the next tick turns the timer off again.
    void TextChanged(std::int32_t seconds);
    // A click into the text or a scroll: the balloon stays until closed.
    void Stop();
    // One tick of the timer; true when the balloon closes now.
    bool Tick();

    bool TimerOn() const { return timerOn_; }
    const std::u16string& Label() const { return label_; }

private:
    std::int32_t remaining_ = 0;
    bool timerOn_ = false;
    bool stopped_ = false;
    std::u16string label_;
};

}  // namespace gleaner
