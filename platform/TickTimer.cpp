#include "platform/TickTimer.h"

namespace quarnel {

void TickTimer::Start(Clock::time_point now) {
    if (!started_ || next_ < now) next_ = now;
    started_ = true;
    enabled_ = true;
}

void TickTimer::Ticked(Clock::time_point now) {
    next_ += Interval;
    if (next_ <= now) next_ += (now - next_) / Interval * Interval + Interval;
}

TickTimer::Clock::duration TickTimer::TimeToNext(Clock::time_point now) const {
    if (!enabled_) return Clock::duration::max();
    return next_ > now ? next_ - now : Clock::duration::zero();
}

}  // namespace quarnel
