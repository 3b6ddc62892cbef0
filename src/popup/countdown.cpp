#include "popup/countdown.h"

#include <algorithm>

#include "text/number_format.h"

namespace gleaner {

namespace {

// An hour at most, whatever a hand-edited Conf.txt says.
constexpr std::int32_t kLongestSeconds = 3600;

}  // namespace

void Countdown::Load(std::int32_t seconds) {
    remaining_ = std::min(seconds, kLongestSeconds);
    timerOn_ = true;
    stopped_ = false;
    label_.clear();
}

void Countdown::TextChanged(std::int32_t seconds) {
    if (seconds <= 0) return;
    remaining_ = std::min(seconds, kLongestSeconds);
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
    if (remaining_ <= 1) return true;
    label_ = Decimal(--remaining_);
    return false;
}

}  // namespace gleaner
