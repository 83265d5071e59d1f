// Runs the built program as a player would and checks what it prints, exits with and leaves
// behind.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "tests/ScratchDirectoryTest.h"

namespace quarnel {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kTitle = "Quarnel  Ver.1.1";

struct Outcome {
    int status = -1;  // exit status, or -1 when killed by a signal
    std::string out;
    std::string err;
};

// Predicates that show the whole text when they fail (the test binary has no gmock).
testing::AssertionResult Contains(const std::string& text, std::string_view part) {
    if (text.find(part) != std::string::npos) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "'" << part << "' not in: " << text;
}
testing::AssertionResult BeginsWith(const std::string& text, std::string_view prefix) {
    if (text.starts_with(prefix)) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "'" << prefix << "' does not begin: " << text;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// The value of " name=" in a trace line, up to the next blank.
std::string Field(const std::string& line, std::string_view name) {
    const std::string key = " " + std::string(name) + "=";
    const size_t at = line.find(key);
    if (at == std::string::npos) return "<missing " + std::string(name) + ">";
    const size_t start = at + key.size();
    return line.substr(start, line.find(' ', start) - start);
}

class HeadlessRunTest : public test::ScratchDirectoryTest {
  protected:
    void Write(const fs::path& name, std::string_view bytes) const {
        WriteBytes(dir_ / name, bytes);
    }
    std::string Read(const fs::path& name) const { return ReadBytes(dir_ / name); }

    bool Exists(const fs::path& name) const { return fs::exists(dir_ / name); }

    // Starts the program in the test's directory with exactly these arguments (no shell), and
    // collects both outputs at once so that neither pipe can fill up and stall it. `environment`
    // replaces the test's own environment when given.
    Outcome Run(const std::vector<std::string>& args,
                const std::vector<std::string>* environment = nullptr) const {
        std::vector<std::string> envStrings =
            environment ? *environment : std::vector<std::string>{};
        std::vector<char*> envp;
        for (std::string& e : envStrings)
            envp.push_back(e.data());
        envp.push_back(nullptr);
        std::vector<std::string> argvStrings{QUARNEL_BINARY};
        argvStrings.insert(argvStrings.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (std::string& a : argvStrings)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        const std::string dir = dir_.string();

        Outcome result;
        int outPipe[2], errPipe[2];
        if (::pipe2(outPipe, O_CLOEXEC) != 0 || ::pipe2(errPipe, O_CLOEXEC) != 0) {
            ADD_FAILURE() << "pipe: errno " << errno;
            return result;
        }
        const pid_t pid = ::fork();
        if (pid == 0) {
            // Only async-signal-safe calls between fork and exec.
            if (::chdir(dir.c_str()) != 0 || ::dup2(outPipe[1], 1) < 0 || ::dup2(errPipe[1], 2) < 0)
                ::_exit(126);
            if (environment)
                ::execve(argv[0], argv.data(), envp.data());
            else
                ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        ::close(outPipe[1]);
        ::close(errPipe[1]);
        if (pid < 0) {
            ADD_FAILURE() << "fork: errno " << errno;
            ::close(outPipe[0]);
            ::close(errPipe[0]);
            return result;
        }
        pollfd fds[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
        std::string* sinks[2] = {&result.out, &result.err};
        for (int open = 2; open > 0;) {
            if (::poll(fds, 2, -1) < 0) {
                if (errno == EINTR) continue;
                ADD_FAILURE() << "poll: errno " << errno;
                break;
            }
            for (int i = 0; i < 2; ++i) {
                if (fds[i].fd < 0 || fds[i].revents == 0) continue;
                char buffer[65536];
                const ssize_t got = ::read(fds[i].fd, buffer, sizeof buffer);
                if (got > 0) {
                    sinks[i]->append(buffer, static_cast<size_t>(got));
                } else if (got == 0 || errno != EINTR) {
                    ::close(fds[i].fd);
                    fds[i].fd = -1;
                    --open;
                }
            }
        }
        for (const pollfd& p : fds)
            if (p.fd >= 0) ::close(p.fd);
        int wstatus = 0;
        while (::waitpid(pid, &wstatus, 0) < 0 && errno == EINTR) {
        }
        result.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
        return result;
    }

    // Plays a replay to standard output and expects a clean run.
    std::string Trace(const std::string& replay, std::vector<std::string> extra = {}) const {
        std::vector<std::string> args{"--headless", "--replay", replay, "--trace", "-"};
        args.insert(args.end(), extra.begin(), extra.end());
        const Outcome run = Run(args);
        EXPECT_EQ(run.status, 0) << run.err;
        return run.out;
    }
};

// --- One tick on the title -----------------------------------------------------------------------

TEST_F(HeadlessRunTest, FirstTickOnTheTitleWithoutScoreFile) {
    Write("one.qrp", "seed 1\n-\n");
    const Outcome run = Run({"--headless", "--replay", "one.qrp", "--trace", "-"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
              "1 POINT:0HIGH:0BF:0/BX:0/BY:0/BYC:0 ph=8 BF=0 BX=0 BY=0 BYC=0 col=0000 act=0 er=0 "
              "sc=0 pp=0 hi=0 snd=- board=............./............./............./............./"
              "............./............./............./............./.............\n");
    EXPECT_TRUE(Contains(run.err, std::string(kTitle) + ": ファイルが見つかりません"));
    EXPECT_EQ(Read("score.atb"), "0\r\n");
}

TEST_F(HeadlessRunTest, HighScoreIsLoadedAndSavedBack) {
    Write("score.atb", "12345");
    Write("one.qrp", "seed 1\n-\n");
    const Outcome run = Run({"--headless", "--replay", "one.qrp", "--trace", "-"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_TRUE(BeginsWith(run.out, "1 POINT:0HIGH:12345BF:0/"));
    EXPECT_EQ(Field(run.out, "hi"), "12345");
    EXPECT_EQ(Read("score.atb"), "12345\r\n");
}

// The game still plays; the failed save is reported and makes the run fail.
TEST_F(HeadlessRunTest, ScoreFileThatCannotBeSavedFailsTheRun) {
    fs::create_directory(dir_ / "score.atb");
    Write("two.qrp", "seed 1\n2* -\n");
    const Outcome run = Run({"--headless", "--replay", "two.qrp", "--trace", "-"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(Lines(run.out).size(), 2u);
    const std::string refused = std::string(kTitle) + ": ファイルへのアクセスが拒否されました\n";
    EXPECT_EQ(run.err, refused + refused);  // at the load, then at the save
    EXPECT_TRUE(fs::is_directory(dir_ / "score.atb"));
}

// --- Where the trace goes and how long the run is ------------------------------------------------

TEST_F(HeadlessRunTest, TraceFileHoldsWhatStandardOutputShows) {
    Write("game.qrp", "seed 7\nstButton1\n60* -\n3* stLeft\n10* stDown\n");
    const std::string shown = Trace("game.qrp");
    ASSERT_EQ(Lines(shown).size(), 74u);

    const Outcome toFile = Run({"--headless", "--replay", "game.qrp", "--trace", "trace.txt"});
    EXPECT_EQ(toFile.status, 0) << toFile.err;
    EXPECT_EQ(toFile.out, "");
    EXPECT_EQ(Read("trace.txt"), shown);

    const Outcome untraced = Run({"--headless", "--replay", "game.qrp"});
    EXPECT_EQ(untraced.status, 0) << untraced.err;
    EXPECT_EQ(untraced.out, "");
}

TEST_F(HeadlessRunTest, TicksOptionSetsTheLengthOfTheRun) {
    Write("short.qrp", "seed 3\nstButton2\n4* -\n");
    const std::vector<std::string> full = Lines(Trace("short.qrp", {"--ticks", "70"}));
    ASSERT_EQ(full.size(), 70u);
    // The game runs on past the replay's end: the shutter opens onto a piece.
    EXPECT_EQ(Field(full.back(), "ph"), "1");

    const struct {
        std::vector<std::string> extra;
        size_t lines;
    } cases[] = {
        {{}, 5},
        {{"--ticks", "0"}, 0},
        {{"--ticks", "1"}, 1},
        {{"--ticks", "3"}, 3},
        {{"--ticks=9"}, 9},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.extra));
        const std::vector<std::string> lines = Lines(Trace("short.qrp", c.extra));
        ASSERT_EQ(lines.size(), c.lines);
        EXPECT_TRUE(std::equal(lines.begin(), lines.end(), full.begin()));
    }
}

// --- Determinism and seeds -----------------------------------------------------------------------

TEST_F(HeadlessRunTest, SameReplayAndSeedGiveTheSameTrace) {
    const std::string demo = QUARNEL_SOURCE_DIR "/replays/demo.qrp";
    EXPECT_EQ(Trace(demo), Trace(demo));
}

TEST_F(HeadlessRunTest, SeedOptionOverridesTheReplaysSeed) {
    Write("start.qrp", "seed 1\nstButton1\n60* -\n");
    const std::string fromFile = Trace("start.qrp");
    EXPECT_EQ(Trace("start.qrp", {"--seed", "1"}), fromFile);

    const std::vector<std::string> a = Lines(fromFile);
    const std::vector<std::string> b = Lines(Trace("start.qrp", {"--seed", "2"}));
    ASSERT_EQ(a.size(), b.size());
    const auto [differsA, differsB] = std::mismatch(a.begin(), a.end(), b.begin());
    ASSERT_NE(differsA, a.end()) << "another seed played the same game";
    // Chance enters only with the first piece.
    EXPECT_EQ(Field(*differsA, "ph"), "1") << *differsA;
    EXPECT_EQ(Field(*differsB, "ph"), "1") << *differsB;

    // Both ends of the seed's range are accepted.
    for (const char* seed : {"0", "4294967295"}) {
        SCOPED_TRACE(seed);
        EXPECT_EQ(Lines(Trace("start.qrp", {"--seed", seed})).size(), a.size());
    }
}

// --- Bad input: nothing runs ---------------------------------------------------------------------

// Exit status 2, and not a single tick: no trace line and no score file.
void ExpectRejected(const Outcome& run, bool scoreFileExists) {
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_FALSE(scoreFileExists);
}

TEST_F(HeadlessRunTest, ReplayFaultsNameFileAndLine) {
    const struct {
        const char* file;
        const char* text;
        const char* message;  // the whole of standard error
    } cases[] = {
        {"state.qrp", "seed 1\n-\nstLeft stJump\n", "state.qrp:3: unknown input state 'stJump'\n"},
        {"crlf.qrp", "seed 1\r\n-\r\nstJump\r\n", "crlf.qrp:3: unknown input state 'stJump'\n"},
        {"repeat.qrp", "# start\n0* -\n", "repeat.qrp:2: the repeat count must be 1 to 1000000\n"},
        {"late.qrp", "-\n\nseed 5\n", "late.qrp:3: 'seed' must come before the first tick line\n"},
        {"my replays/bad one.qrp", "seed 1\n\n\n\nstButton33\n",
         "my replays/bad one.qrp:5: unknown input state 'stButton33'\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        Write(c.file, c.text);
        const Outcome run = Run({"--headless", "--replay", c.file, "--trace", "-"});
        ExpectRejected(run, Exists("score.atb"));
        EXPECT_EQ(run.err, c.message);
    }
}

TEST_F(HeadlessRunTest, UsageErrorsAreRejected) {
    Write("ok.qrp", "seed 1\n-\n");
    const struct {
        std::vector<std::string> args;
        const char* named;  // what the message must point at
    } cases[] = {
        {{"--headless", "--replay", "ok.qrp", "--bogus"}, "--bogus"},
        {{"--headless", "--replay", "ok.qrp", "--seed", "abc"}, "abc"},
        {{"--headless", "--replay", "ok.qrp", "--seed", "4294967296"}, "4294967296"},
        {{"--headless", "--replay", "ok.qrp", "--seed", "-1"}, "-1"},
        {{"--headless", "--trace", "-"}, "--replay"},
        {{"--headless", "--replay"}, "--replay"},
        {{"--headless", "--replay", "ok.qrp", "--seed"}, "--seed"},
        {{"--headless", "--replay", "ok.qrp", "--ticks", "x"}, "--ticks"},
        {{"--headless", "--replay", "ok.qrp", "--trace-draws"}, "--trace"},
        {{"--headless", "--replay", "ok.qrp", "--frames"}, "--frames"},
        {{"--headless", "--replay", "ok.qrp", "--frames="}, "--frames"},
        {{"--headless", "--replay", "ok.qrp", "--window"}, "--window"},
        {{"--headless", "--replay", "ok.qrp", "--record", "new.qrp"}, "--record"},
        {{"--headless", "--replay", "ok.qrp", "--tick-log", "ticks.txt"}, "--tick-log"},
        {{"--replay", "ok.qrp", "--trace", "-"}, "--trace"},
        {{"--replay", "ok.qrp", "--ticks", "5"}, "--ticks"},
        {{"--frames", "out"}, "--frames"},
        {{"--window", "--record"}, "--record"},
        {{"--window", "--seed", "x"}, "x"},
        {{"--window=yes"}, "--window"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        const Outcome run = Run(c.args);
        ExpectRejected(run, Exists("score.atb"));
        EXPECT_TRUE(Contains(run.err, c.named));
    }
}

TEST_F(HeadlessRunTest, HelpAndVersionPrintToStandardOutput) {
    const Outcome help = Run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(BeginsWith(help.out, "Usage: quarnel [--window]"));
    EXPECT_EQ(help.err, "");

    const Outcome version = Run({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, std::string(kTitle) + "\n");
    EXPECT_EQ(version.err, "");

    EXPECT_FALSE(Exists("score.atb"));
}

TEST_F(HeadlessRunTest, LiveGameWithoutADisplayFailsClearly) {
    // No display of any kind: the run ends with a reason, before the game or its files.
    const std::vector<std::string> noDisplay{"HOME=" + dir_.string(), "SDL_AUDIODRIVER=dummy"};
    const Outcome run = Run({"--window", "--record", "game.qrp"}, &noDisplay);
    EXPECT_EQ(run.status, 1);
    // System libraries may add lines of their own.
    EXPECT_TRUE(Contains(run.err, "quarnel: cannot open the display: ")) << run.err;
    EXPECT_FALSE(Exists("score.atb"));

    // File faults come first and are usage errors, display or not.
    const Outcome badRecord = Run({"--record", "no such dir/game.qrp"}, &noDisplay);
    EXPECT_EQ(badRecord.status, 2);
    EXPECT_EQ(badRecord.err, "quarnel: no such dir/game.qrp: No such file or directory\n");
    const Outcome badReplay = Run({"--replay", "none.qrp"}, &noDisplay);
    EXPECT_EQ(badReplay.status, 2);
    EXPECT_TRUE(BeginsWith(badReplay.err, "none.qrp: ")) << badReplay.err;
}

TEST_F(HeadlessRunTest, MissingReplayFileIsNamed) {
    const Outcome run = Run({"--headless", "--replay", "no such.qrp", "--trace", "-"});
    ExpectRejected(run, Exists("score.atb"));
    EXPECT_TRUE(BeginsWith(run.err, "no such.qrp: "));
}

TEST_F(HeadlessRunTest, TraceFileThatCannotBeCreated) {
    Write("ok.qrp", "seed 1\n-\n");
    const Outcome run = Run({"--headless", "--replay", "ok.qrp", "--trace", "missing/trace.txt"});
    ExpectRejected(run, Exists("score.atb"));
    EXPECT_TRUE(Contains(run.err, "missing/trace.txt"));
}

// --- What the frames show ----------------------------------------------------------------------

TEST_F(HeadlessRunTest, TraceDrawsListsEachFramesPictures) {
    Write("start.qrp", "seed 1\nstButton1\n2* -\n");
    const std::vector<std::string> plain = Lines(Trace("start.qrp"));
    const std::vector<std::string> drawn = Lines(Trace("start.qrp", {"--trace-draws"}));
    ASSERT_EQ(drawn.size(), 3u);
    const char* expected[] = {
        // The title, and the shutter of the new game waiting wholly above the screen.
        "bg_game:0:0:0,bg_block:320:0:0,opening:0:0:0,pointer:250:200:0,shoutter:0:-480:0",
        "bg_game:0:0:0,bg_block:320:0:0,opening:0:0:0,pointer:250:200:0,shoutter:0:-456:0",
        "bg_game:0:0:0,bg_block:320:0:0,opening:0:0:0,pointer:250:200:0,shoutter:0:-432:0",
    };
    for (size_t i = 0; i < drawn.size(); ++i) {
        SCOPED_TRACE(i + 1);
        EXPECT_EQ(drawn[i], plain[i] + " draw=" + expected[i]);
    }
}

// A BMP's width and height, or 0 x 0 when it is not one.
std::pair<int32_t, int32_t> BmpSize(const std::string& bytes) {
    if (bytes.size() < 26 || bytes.compare(0, 2, "BM") != 0) return {0, 0};
    int32_t w, h;
    std::memcpy(&w, bytes.data() + 18, 4);
    std::memcpy(&h, bytes.data() + 22, 4);
    return {w, std::abs(h)};
}

TEST_F(HeadlessRunTest, FramesAreWrittenOnePerTick) {
    Write("three.qrp", "seed 1\n3* -\n");
    const Outcome run = Run({"--headless", "--replay", "three.qrp", "--frames", "shots/run 1"});
    ASSERT_EQ(run.status, 0) << run.err;
    for (const char* name : {"000001.bmp", "000002.bmp", "000003.bmp"})
        EXPECT_EQ(BmpSize(Read(fs::path("shots/run 1") / name)), std::pair(640, 480)) << name;
    EXPECT_FALSE(Exists("shots/run 1/000004.bmp"));
    EXPECT_EQ(Read("shots/run 1/000001.bmp"), Read("shots/run 1/000003.bmp"));  // the title
}

TEST_F(HeadlessRunTest, FramesDirectoryThatCannotBeMade) {
    Write("ok.qrp", "seed 1\n-\n");
    Write("plain", "a file, not a directory");
    const Outcome run = Run({"--headless", "--replay", "ok.qrp", "--frames", "plain/shots"});
    ExpectRejected(run, Exists("score.atb"));
    EXPECT_TRUE(Contains(run.err, "plain/shots"));
}

// --- The demo ------------------------------------------------------------------------------------

TEST_F(HeadlessRunTest, DemoPlaysAWholeGame) {
    const std::vector<std::string> lines = Lines(Trace(QUARNEL_SOURCE_DIR "/replays/demo.qrp"));
    ASSERT_FALSE(lines.empty());
    for (size_t i = 0; i < lines.size(); ++i)
        ASSERT_TRUE(BeginsWith(lines[i], std::to_string(i + 1) + " ")) << "line " << i + 1;

    // Each milestone must come after the one before it.
    auto after = [&](size_t from, auto&& found) {
        for (size_t i = from; i < lines.size(); ++i)
            if (found(lines[i])) return i;
        return lines.size();
    };
    auto phase = [](const char* ph) {
        return [ph](const std::string& line) { return Field(line, "ph") == ph; };
    };
    const size_t started = after(0, phase("9"));
    const size_t erased = after(started, [](const std::string& line) {
        return Field(line, "ph") == "5" && Field(line, "snd") == "Hit";
    });
    // An erase pass that finds nothing more pays the points of those before it.
    size_t paid = lines.size();
    for (size_t i = erased; i + 1 < lines.size() && paid == lines.size(); ++i)
        if (Field(lines[i], "ph") == "5" && Field(lines[i + 1], "ph") == "6" &&
            std::stoi(Field(lines[i + 1], "sc")) > std::stoi(Field(lines[i], "sc")))
            paid = i + 1;
    const size_t over = after(paid, phase("7"));
    ASSERT_LT(started, lines.size()) << "no game started";
    ASSERT_LT(erased, lines.size()) << "nothing erased";
    ASSERT_LT(paid, lines.size()) << "no points for erasing";
    ASSERT_LT(over, lines.size()) << "no game over";
    EXPECT_EQ(Field(lines.back(), "ph"), "8");
}

}  // namespace
}  // namespace quarnel
