#include "app/ReplayFile.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace quarnel {
namespace {

InputStates States(std::initializer_list<InputState> states) {
    InputStates held;
    for (InputState s : states)
        held.Set(s);
    return held;
}

InputStates AllStates() {
    InputStates held;
    for (int s = 0; s < InputStateCount; ++s)
        held.Set(static_cast<InputState>(s));
    return held;
}

std::string Describe(const Replay& r) {
    std::string d = r.seed ? "seed " + std::to_string(*r.seed) : "no seed";
    for (const ReplayLine& l : r.lines)
        d += " | " + std::to_string(l.repeat) + "x" + std::to_string(l.held.Bits());
    return d;
}

// The ticks a replay plays, with equal neighbours folded: two replays that play the same compare
// equal however their lines are cut.
std::vector<std::pair<uint64_t, uint64_t>> Runs(const Replay& r) {
    std::vector<std::pair<uint64_t, uint64_t>> runs;
    for (const ReplayLine& l : r.lines) {
        if (l.repeat == 0) continue;
        if (!runs.empty() && runs.back().first == l.held.Bits())
            runs.back().second += l.repeat;
        else
            runs.emplace_back(l.held.Bits(), l.repeat);
    }
    return runs;
}

// ---------------------------------------------------------------------------------------------
// Valid files

struct ValidCase {
    const char* name;
    std::string text;
    std::optional<uint32_t> seed;
    std::vector<ReplayLine> lines;
    uint64_t ticks;
};

TEST(ReplayParse, AcceptsValidFiles) {
    const ValidCase cases[] = {
        {"example",
         "# comment to end of line; blank lines are skipped\n"
         "seed 305419896\n"
         "40* -\n"
         "stButton1\n"
         "3* stRight\n"
         "stRight stDown\n",
         305419896u,
         {{40, {}},
          {1, States({stButton1})},
          {3, States({stRight})},
          {1, States({stRight, stDown})}},
         45},
        {"crlf lines",
         "seed 7\r\n2* stUp\r\n\r\nstDown\r\n",
         7u,
         {{2, States({stUp})}, {1, States({stDown})}},
         3},
        {"crlf on a last line without lf",
         "stUp\r\nstLeft\r",
         std::nullopt,
         {{1, States({stUp})}, {1, States({stLeft})}},
         2},
        {"no line end at end of file", "seed 1\nstLeft", 1u, {{1, States({stLeft})}}, 1},
        {"tabs and runs of blanks",
         "\tseed\t\t9 \n  5*\t stUp \tstButton32\t\n",
         9u,
         {{5, States({stUp, stButton32})}},
         5},
        {"comments after tokens and glued to them",
         "seed 3# the seed\nstUp # up\nstDown#down\n2* - # idle\n# stLeft\n",
         3u,
         {{1, States({stUp})}, {1, States({stDown})}, {2, {}}},
         4},
        {"a comment hides a bare cr", "stUp # a\rb\n", std::nullopt, {{1, States({stUp})}}, 1},
        {"leading zeros",
         "seed 000042\n0003* stUp\n01* stDown\n",
         42u,
         {{3, States({stUp})}, {1, States({stDown})}},
         4},
        {"seed 0", "seed 0\n", 0u, {}, 0},
        {"seed at the top of its range", "seed 4294967295\n-\n", 4294967295u, {{1, {}}}, 1},
        {"largest repeat",
         "1000000* -\n1000000* stUp\n",
         std::nullopt,
         {{1000000, {}}, {1000000, States({stUp})}},
         2000000},
        {"explicit repeat of one", "1* stRight\n", std::nullopt, {{1, States({stRight})}}, 1},
        {"states in any order",
         "stButton32 stButton9 stUp stLeft\n",
         std::nullopt,
         {{1, States({stUp, stLeft, stButton9, stButton32})}},
         1},
        {"every state at once",
         "stButton32 stButton31 stButton30 stButton29 stButton28 stButton27 stButton26 "
         "stButton25 stButton24 stButton23 stButton22 stButton21 stButton20 stButton19 "
         "stButton18 stButton17 stButton16 stButton15 stButton14 stButton13 stButton12 "
         "stButton11 stButton10 stButton9 stButton8 stButton7 stButton6 stButton5 stButton4 "
         "stButton3 stButton2 stButton1 stRight stLeft stDown stUp\n",
         std::nullopt,
         {{1, AllStates()}},
         1},
        {"equal neighbouring lines stay apart",
         "stUp\nstUp\n",
         std::nullopt,
         {{1, States({stUp})}, {1, States({stUp})}},
         2},
        {"empty file", "", std::nullopt, {}, 0},
        {"only comments and blanks", "# one\n\n   \t\n#two\r\n", std::nullopt, {}, 0},
        {"lone lf", "\n", std::nullopt, {}, 0},
    };
    for (const ValidCase& c : cases) {
        SCOPED_TRACE(c.name);
        Replay replay;
        std::string error;
        ASSERT_TRUE(ParseReplay(c.text, "x", replay, error)) << error;
        EXPECT_EQ(replay.seed, c.seed);
        EXPECT_EQ(replay.lines, c.lines) << Describe(replay);
        EXPECT_EQ(replay.TickCount(), c.ticks);
    }
}

TEST(ReplayParse, SuccessReplacesWhatWasThere) {
    Replay replay{99u, {{5, States({stUp})}}};
    std::string error;
    ASSERT_TRUE(ParseReplay("stDown\n", "x", replay, error));
    EXPECT_EQ(replay, (Replay{std::nullopt, {{1, States({stDown})}}}));
}

// ---------------------------------------------------------------------------------------------
// Faulty files

struct ErrorCase {
    const char* name;
    std::string text;
    std::string error;
};

TEST(ReplayParse, ReportsFaultsWithFileAndLine) {
    const std::string longToken(300, 'a');
    const ErrorCase cases[] = {
        // seed
        {"seed out of range", "seed 4294967296\n",
         "x:1: 'seed' needs one number from 0 to 4294967295"},
        {"seed with a plus", "seed +5\n", "x:1: 'seed' needs one number from 0 to 4294967295"},
        {"seed with a minus", "seed -5\n", "x:1: 'seed' needs one number from 0 to 4294967295"},
        {"seed without a number", "seed\n", "x:1: 'seed' needs one number from 0 to 4294967295"},
        {"seed with two numbers", "seed 1 2\n",
         "x:1: 'seed' needs one number from 0 to 4294967295"},
        {"seed with a word", "seed abc\n", "x:1: 'seed' needs one number from 0 to 4294967295"},
        {"seed in hex", "seed 0x10\n", "x:1: 'seed' needs one number from 0 to 4294967295"},
        {"seed of 40 digits", "seed " + std::string(40, '9') + "\n",
         "x:1: 'seed' needs one number from 0 to 4294967295"},
        {"seed that wraps 64 bits", "seed 18446744073709551617\n",
         "x:1: 'seed' needs one number from 0 to 4294967295"},
        {"seed twice", "# c\nseed 1\n\n\nseed 1\n", "x:5: 'seed' is given twice"},
        {"seed after a tick line", "-\n\n-\nseed 2\n",
         "x:4: 'seed' must come before the first tick line"},
        // Both faults at once: moving it up would only lead to the other message.
        {"second seed after a tick line", "seed 1\n-\nseed 2\n", "x:3: 'seed' is given twice"},
        {"misplaced seed checked before its number", "-\nseed\n",
         "x:2: 'seed' must come before the first tick line"},
        {"seed is case-sensitive", "Seed 1\n", "x:1: unknown input state 'Seed'"},
        // repeat counts
        {"repeat 0", "-\n0* stUp\n", "x:2: the repeat count must be 1 to 1000000"},
        {"repeat 0 in leading zeros", "000* stUp\n", "x:1: the repeat count must be 1 to 1000000"},
        {"repeat 1000001", "stUp\n1000001* stUp\n", "x:2: the repeat count must be 1 to 1000000"},
        {"repeat of 40 digits", std::string(40, '9') + "* stUp\n",
         "x:1: the repeat count must be 1 to 1000000"},
        {"repeat alone", "stUp\n3*\n", "x:2: a repeat count needs input states after it"},
        {"repeat before a comment", "3* # later\n",
         "x:1: a repeat count needs input states after it"},
        {"repeat in second place", "-\n\nstUp 3*\n",
         "x:3: a repeat count must come first on its line"},
        {"out-of-range repeat in second place", "stUp 0*\n",
         "x:1: a repeat count must come first on its line"},
        {"malformed star in second place", "stUp stDown*\n",
         "x:1: 'stDown*' is not a repeat count (digits then '*')"},
        {"two repeats", "2* 3* stUp\n", "x:1: a repeat count must come first on its line"},
        {"star without digits", "* stUp\n", "x:1: '*' is not a repeat count (digits then '*')"},
        {"star split from its number", "3 * stUp\n", "x:1: unknown input state '3'"},
        {"repeat with a sign", "+3* stUp\n", "x:1: '+3*' is not a repeat count (digits then '*')"},
        {"double star", "3** stUp\n", "x:1: '3**' is not a repeat count (digits then '*')"},
        // tick lines
        {"dash with a state", "- stUp\n", "x:1: '-' must stand alone"},
        {"state with a dash", "stUp -\n", "x:1: '-' must stand alone"},
        {"dash after a repeat with a state", "4* - stUp\n", "x:1: '-' must stand alone"},
        {"dash twice", "- -\n", "x:1: '-' must stand alone"},
        {"duplicate state", "seed 1\n\nstRight stUp stRight\n", "x:3: 'stRight' is given twice"},
        {"unknown state", "stUp\nstleft\n", "x:2: unknown input state 'stleft'"},
        {"button past 32", "stButton33\n", "x:1: unknown input state 'stButton33'"},
        {"button 0", "stButton0\n", "x:1: unknown input state 'stButton0'"},
        {"leading zero in a button", "stButton01\n", "x:1: unknown input state 'stButton01'"},
        {"state glued to a star", "stUp*\n",
         "x:1: 'stUp*' is not a repeat count (digits then '*')"},
        {"comma separated", "stUp,stDown\n", "x:1: unknown input state 'stUp,stDown'"},
        // bytes that are neither blanks nor line ends
        {"bare cr mid-line", "stUp\rstDown\n", "x:1: unknown input state 'stUp\\x0dstDown'"},
        {"cr before a blank", "stUp\r stDown\n", "x:1: unknown input state 'stUp\\x0d'"},
        {"two crs before lf", "stUp\r\r\n", "x:1: unknown input state 'stUp\\x0d'"},
        {"cr in a seed", "seed 5\r\r\n", "x:1: 'seed' needs one number from 0 to 4294967295"},
        {"vertical tab is no blank", "stUp\vstDown\n",
         "x:1: unknown input state 'stUp\\x0bstDown'"},
        {"nul byte", std::string("st\0Up\n", 6), "x:1: unknown input state 'st\\x00Up'"},
        {"high bytes", "st\xc3\xbcp\n", "x:1: unknown input state 'st\\xc3\\xbcp'"},
        {"delete byte", "\x7f\n", "x:1: unknown input state '\\x7f'"},
        {"backslash stays unambiguous", "a\\x0d\n", "x:1: unknown input state 'a\\\\x0d'"},
        {"long token is cut", "stUp " + longToken + "\n",
         "x:1: unknown input state '" + std::string(40, 'a') + "...'"},
        {"long token cut before escaping", std::string(40, 'b') + "\x01\n",
         "x:1: unknown input state '" + std::string(40, 'b') + "...'"},
        // line counting
        {"lines counted across crlf", "-\r\n-\r\n\r\n# c\r\nbad\r\n",
         "x:5: unknown input state 'bad'"},
        {"last line without lf", "-\n-\nbad", "x:3: unknown input state 'bad'"},
        {"first fault wins", "bad1\nbad2\n", "x:1: unknown input state 'bad1'"},
    };
    for (const ErrorCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Replay before{17u, {{2, States({stLeft})}}};
        Replay replay = before;
        std::string error;
        EXPECT_FALSE(ParseReplay(c.text, "x", replay, error));
        EXPECT_EQ(error, c.error);
        EXPECT_EQ(replay, before) << "a failed parse must leave the output alone";
    }
}

TEST(ReplayParse, NamesTheFileAsGiven) {
    Replay replay;
    std::string error;
    EXPECT_FALSE(ParseReplay("-\n-\n-\n-\n-\n-\nstleft\n", "demo.qrp", replay, error));
    EXPECT_EQ(error, "demo.qrp:7: unknown input state 'stleft'");
}

// ---------------------------------------------------------------------------------------------
// Playing back

// The cursor hands out each tick in turn, repeats unfolded, and nothing once the replay is over.
TEST(ReplayPlayback, CursorFollowsRepeatsAndEndsEmpty) {
    const struct {
        Replay replay;
        std::vector<InputStates> ticks;  // then nothing held
    } cases[] = {
        {{}, {}},
        {{5u, {}}, {}},
        {{std::nullopt, {{1, States({stUp})}}}, {States({stUp})}},
        {{std::nullopt,
          {{2, States({stUp})}, {1, {}}, {3, States({stLeft, stButton1})}, {1, States({stDown})}}},
         {States({stUp}),
          States({stUp}),
          {},
          States({stLeft, stButton1}),
          States({stLeft, stButton1}),
          States({stLeft, stButton1}),
          States({stDown})}},
        // Zero-tick lines cannot come from a file but can be built by hand: they play nothing.
        {{std::nullopt,
          {{0, States({stUp})},
           {2, States({stDown})},
           {0, States({stLeft})},
           {1, States({stButton32})},
           {0, States({stRight})}}},
         {States({stDown}), States({stDown}), States({stButton32})}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Describe(c.replay));
        ASSERT_EQ(c.replay.TickCount(), c.ticks.size());
        ReplayCursor cursor(c.replay);
        for (size_t tick = 0; tick < c.ticks.size() + 3; ++tick) {
            SCOPED_TRACE(tick);
            EXPECT_EQ(cursor.AtEnd(), tick >= c.ticks.size());
            EXPECT_EQ(cursor.Next(), tick < c.ticks.size() ? c.ticks[tick] : InputStates());
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Writing

TEST(ReplayFormat, WritesTheFileLayout) {
    const struct {
        const char* name;
        Replay replay;
        std::string text;
    } cases[] = {
        {"empty", {}, ""},
        {"seed only", {0u, {}}, "seed 0\n"},
        {"example",
         {305419896u,
          {{40, {}},
           {1, States({stButton1})},
           {3, States({stRight})},
           {1, States({stDown, stRight})}}},
         "seed 305419896\n40* -\nstButton1\n3* stRight\nstDown stRight\n"},
        {"states in state-number order",
         {std::nullopt, {{2, States({stButton32, stButton9, stLeft, stUp})}}},
         "2* stUp stLeft stButton9 stButton32\n"},
        {"equal lines are not merged",
         {std::nullopt, {{1, States({stUp})}, {1, States({stUp})}}},
         "stUp\nstUp\n"},
        {"largest repeat on one line", {std::nullopt, {{1000000, {}}}}, "1000000* -\n"},
        {"longer runs are split",
         {std::nullopt, {{2500001, States({stDown})}}},
         "1000000* stDown\n1000000* stDown\n500001* stDown\n"},
        {"zero-tick lines are dropped",
         {std::nullopt, {{0, States({stUp})}, {1, States({stDown})}}},
         "stDown\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string text = FormatReplay(c.replay);
        EXPECT_EQ(text, c.text);
        // Whatever is written must read back as the same ticks.
        Replay back;
        std::string error;
        ASSERT_TRUE(ParseReplay(text, "x", back, error)) << error;
        EXPECT_EQ(back.seed, c.replay.seed);
        EXPECT_EQ(Runs(back), Runs(c.replay));
    }
}

TEST(ReplayFormat, RoundTripsExactly) {
    const Replay replays[] = {
        {},
        {0u, {}},
        {4294967295u, {{1, {}}}},
        {12345u, {{1000000, AllStates()}, {7, States({stButton1, stButton2})}, {1, {}}}},
        {std::nullopt,
         {{3, States({stRight})}, {3, States({stRight})}, {1, States({stUp, stDown})}}},
    };
    for (const Replay& replay : replays) {
        SCOPED_TRACE(Describe(replay));
        Replay back;
        std::string error;
        ASSERT_TRUE(ParseReplay(FormatReplay(replay), "x", back, error)) << error;
        EXPECT_EQ(back, replay);
    }
}

TEST(ReplayFormat, RoundTripsEverySingleState) {
    for (int s = 0; s < InputStateCount; ++s) {
        const Replay replay{std::nullopt, {{2, States({static_cast<InputState>(s)})}}};
        Replay back;
        std::string error;
        ASSERT_TRUE(ParseReplay(FormatReplay(replay), "x", back, error)) << error;
        EXPECT_EQ(back, replay) << InputStateName(static_cast<InputState>(s));
    }
}

// ---------------------------------------------------------------------------------------------
// Loading from disk

class ReplayLoad : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = std::filesystem::path(::testing::TempDir()) /
               (std::string("quarnel_replay_") + info->name() + "_" +
                std::to_string(reinterpret_cast<uintptr_t>(this)));
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::string Write(const std::string& name, const std::string& bytes) {
        const std::string path = (dir_ / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    std::filesystem::path dir_;
};

TEST_F(ReplayLoad, ReadsBytesAsTheyAre) {
    // Binary reading keeps the CRs that make the second line bad and the line count honest.
    const std::string good = Write("good.qrp", "seed 3\r\n2* stUp\r\nstDown");
    Replay replay;
    std::string error;
    ASSERT_TRUE(LoadReplayFile(good, replay, error)) << error;
    EXPECT_EQ(replay, (Replay{3u, {{2, States({stUp})}, {1, States({stDown})}}}));

    const std::string bad = Write("bad.qrp", "stUp\r\nstUp\rstDown\r\n");
    EXPECT_FALSE(LoadReplayFile(bad, replay, error));
    EXPECT_EQ(error, bad + ":2: unknown input state 'stUp\\x0dstDown'");
}

TEST_F(ReplayLoad, ReportsFilesThatCannotBeRead) {
    const struct {
        const char* name;
        std::string path;
        int err;
    } cases[] = {
        {"missing", (dir_ / "missing.qrp").string(), ENOENT},
        {"directory", dir_.string(), EISDIR},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Replay replay{1u, {}};
        std::string error;
        EXPECT_FALSE(LoadReplayFile(c.path, replay, error));
        EXPECT_EQ(error, c.path + ": cannot read: " + std::strerror(c.err));
        EXPECT_EQ(replay, (Replay{1u, {}}));
    }
}

}  // namespace
}  // namespace quarnel
