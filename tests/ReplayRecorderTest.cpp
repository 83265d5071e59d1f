#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/ReplayRecorder.h"
#include "app/ReplayThenPlayer.h"
#include "platform/headless/HeadlessDevices.h"
#include "tests/GameHarness.h"
#include "tests/ScratchDirectoryTest.h"

namespace quarnel {
namespace {

using test::Held;

class ReplayRecorderTest : public test::ScratchDirectoryTest {
  protected:
    std::string File() const { return (dir_ / "game.qrp").string(); }

    // The file as a replay, tick by tick.
    std::vector<InputStates> TicksInFile(std::optional<uint32_t>* seed = nullptr) const {
        Replay replay;
        std::string error;
        EXPECT_TRUE(LoadReplayFile(File(), replay, error)) << error;
        if (seed) *seed = replay.seed;
        std::vector<InputStates> ticks;
        ReplayCursor cursor(replay);
        while (!cursor.AtEnd())
            ticks.push_back(cursor.Next());
        return ticks;
    }
};

TEST_F(ReplayRecorderTest, FoldsRepeatsAndEveryFlushLeavesAWholeReplay) {
    ReplayRecorder recorder;
    std::string error;
    ASSERT_TRUE(recorder.Open(File(), 305419896, error)) << error;
    EXPECT_EQ(ReadBytes(File()), "seed 305419896\n");

    const InputStates right = Held({stRight, stDown});
    std::vector<InputStates> played;
    auto play = [&](InputStates s, int ticks) {
        for (int i = 0; i < ticks; ++i) {
            recorder.Add(s);
            played.push_back(s);
        }
    };
    // The growing last line is rewritten in place as its count gains a digit.
    play({}, 9);
    ASSERT_TRUE(recorder.Flush());
    EXPECT_EQ(TicksInFile(), played);
    play({}, 1);
    ASSERT_TRUE(recorder.Flush());
    EXPECT_EQ(ReadBytes(File()), "seed 305419896\n10* -\n");
    play(right, 1);
    play(Held({stButton1}), 3);
    ASSERT_TRUE(recorder.Flush());
    EXPECT_EQ(TicksInFile(), played);
    play({}, 2);
    ASSERT_TRUE(recorder.Close());

    std::optional<uint32_t> seed;
    EXPECT_EQ(TicksInFile(&seed), played);
    EXPECT_EQ(seed, 305419896u);
    EXPECT_EQ(ReadBytes(File()), "seed 305419896\n10* -\nstDown stRight\n3* stButton1\n2* -\n");
}

TEST_F(ReplayRecorderTest, SplitsALineAtTheLongestRepeatAFileMayHold) {
    ReplayRecorder recorder;
    std::string error;
    ASSERT_TRUE(recorder.Open(File(), 1, error)) << error;
    for (uint32_t i = 0; i < kMaxReplayRepeat + 2; ++i)
        recorder.Add({});
    ASSERT_TRUE(recorder.Close());
    EXPECT_EQ(ReadBytes(File()), "seed 1\n" + std::to_string(kMaxReplayRepeat) + "* -\n2* -\n");
}

TEST_F(ReplayRecorderTest, FilesThatCannotBeWrittenAreNamedWithTheReason) {
    ReplayRecorder recorder;
    std::string error;
    const std::string missing = (dir_ / "no such dir" / "game.qrp").string();
    EXPECT_FALSE(recorder.Open(missing, 1, error));
    EXPECT_EQ(error, missing + ": No such file or directory");
    EXPECT_FALSE(recorder.IsOpen());

    // A full disk: the seed line cannot be written.
    EXPECT_FALSE(recorder.Open("/dev/full", 1, error));
    EXPECT_EQ(error.rfind("/dev/full: ", 0), 0u) << error;
    EXPECT_FALSE(recorder.IsOpen());
    recorder.Add({});  // harmless once stopped
    EXPECT_FALSE(recorder.Close());
}

TEST(ReplayThenPlayerTest, TheRecordingPlaysFirstThenThePlayerHasTheGame) {
    Replay replay;
    replay.lines = {{2, Held({stLeft})}, {1, Held({stButton1})}};
    ScriptedInput player;
    player.Hold(Held({stRight}));
    ReplayThenPlayer input(player, &replay);
    std::vector<InputStates> seen;
    for (int tick = 0; tick < 5; ++tick) {
        input.Update();
        seen.push_back(input.States());
    }
    EXPECT_EQ(seen, (std::vector<InputStates>{Held({stLeft}), Held({stLeft}), Held({stButton1}),
                                              Held({stRight}), Held({stRight})}));

    ReplayThenPlayer playerOnly(player, nullptr);
    playerOnly.Update();
    EXPECT_EQ(playerOnly.States(), Held({stRight}));
}

}  // namespace
}  // namespace quarnel
