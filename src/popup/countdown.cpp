#include "popup/countdown.h"

#include "popup/number_format.h"

namespace gleaner {

void Countdown::Load(std::int32_t seconds) {
    remaining_ = seconds;
    timerOn_ = true;
    stopped_ = false;
    label_.clear();
}

void Countdown::TextChanged(std::int32_t seconds) {
    if (seconds <= 0) return;
    remaining_ = seconds;
    timerOn_ = true;
    label_.clear();
}

void Countdown::Stop() {
    stopped_ = true;
    label_.clear();
}

bool Countdown::Tick() {
    if (stopped_) {
        timerOn_ = false;
        return false;
    }
    if (--remaining_ <= 0) return true;
    label_ = Decimal(remaining_);
    return false;
}

}  // namespace gleaner
