#pragma once

#include <chrono>

namespace quarnel {

// The game's clock: a tick every Interval on a fixed grid of deadlines. Each deadline is the
// one before plus Interval, so lateness never piles up; a tick that comes late runs once, and
// deadlines missed meanwhile are dropped rather than caught up in a burst.
class TickTimer {
  public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds Interval{125};

    // Starts the schedule with a tick due at once. After a Stop it resumes: a deadline still
    // ahead is kept, so stopping and starting again never brings a tick sooner.
    void Start(Clock::time_point now);
    // No tick is due until the next Start.
    void Stop() { enabled_ = false; }
    bool Enabled() const { return enabled_; }

    bool Due(Clock::time_point now) const { return enabled_ && now >= next_; }
    // Call once for each tick run; moves the deadline to the next point of the grid after now.
    void Ticked(Clock::time_point now);
    // How long to sleep before the next tick; Clock::duration::max() while stopped.
    Clock::duration TimeToNext(Clock::time_point now) const;

    Clock::time_point NextDeadline() const { return next_; }

  private:
    Clock::time_point next_{};
    bool enabled_ = false;
    bool started_ = false;
};

}  // namespace quarnel
