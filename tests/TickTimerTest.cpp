#include <gtest/gtest.h>

#include "platform/TickTimer.h"

namespace quarnel {
namespace {

using namespace std::chrono_literals;
using Clock = TickTimer::Clock;

const Clock::time_point t0 = Clock::time_point{} + 1000s;

// Runs the timer as the message loop does, waking at `wakeups`; returns when ticks ran.
std::vector<Clock::duration> TicksAt(TickTimer& timer,
                                     std::initializer_list<Clock::duration> wakeups) {
    std::vector<Clock::duration> ran;
    for (Clock::duration at : wakeups)
        if (timer.Due(t0 + at)) {
            ran.push_back(at);
            timer.Ticked(t0 + at);
        }
    return ran;
}

TEST(TickTimerTest, StaysOnItsGridWhateverTheWakeUpLateness) {
    TickTimer timer;
    timer.Start(t0);
    // Woken a little late each time: the deadlines stay 125 ms apart from the start.
    EXPECT_EQ(TicksAt(timer, {0ms, 3ms, 124ms, 127ms, 251ms, 376ms}),
              (std::vector<Clock::duration>{0ms, 127ms, 251ms, 376ms}));
    EXPECT_EQ(timer.NextDeadline(), t0 + 500ms);
    EXPECT_EQ(timer.TimeToNext(t0 + 450ms), 50ms);
    EXPECT_EQ(timer.TimeToNext(t0 + 600ms), 0ms);
}

TEST(TickTimerTest, ALateTickRunsOnceAndDropsTheDeadlinesItMissed) {
    TickTimer timer;
    timer.Start(t0);
    EXPECT_EQ(TicksAt(timer, {0ms, 400ms, 400ms, 401ms}),
              (std::vector<Clock::duration>{0ms, 400ms}));
    // Back on the grid of the start, not 125 ms after the late tick.
    EXPECT_EQ(timer.NextDeadline(), t0 + 500ms);
    // Exactly on a deadline that was missed: that one is gone too.
    EXPECT_EQ(TicksAt(timer, {750ms}), (std::vector<Clock::duration>{750ms}));
    EXPECT_EQ(timer.NextDeadline(), t0 + 875ms);
}

TEST(TickTimerTest, StoppedItNeverComesDueAndRestartingBringsNoTickSooner) {
    TickTimer timer;
    EXPECT_FALSE(timer.Due(t0));
    EXPECT_EQ(timer.TimeToNext(t0), Clock::duration::max());
    timer.Start(t0);
    timer.Ticked(t0);
    timer.Stop();
    EXPECT_FALSE(timer.Due(t0 + 10s));
    EXPECT_EQ(timer.TimeToNext(t0 + 10s), Clock::duration::max());

    // A quick switch away and back keeps the deadline ahead.
    timer.Start(t0 + 20ms);
    EXPECT_EQ(timer.NextDeadline(), t0 + 125ms);
    EXPECT_FALSE(timer.Due(t0 + 20ms));

    // After a long pause the game goes on at once.
    timer.Stop();
    timer.Start(t0 + 5s);
    EXPECT_TRUE(timer.Due(t0 + 5s));
}

}  // namespace
}  // namespace quarnel
