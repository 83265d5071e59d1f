#include "app/CommandLine.h"

#include <charconv>

namespace quarnel {
namespace {

// Plain ASCII digits, no sign, no blanks.
template <typename Int>
bool ParseDigits(const std::string& text, Int& value) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) return false;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size();
}

}  // namespace

std::string UsageText() {
    return "Usage: quarnel [--window] [--seed N] [--replay FILE] [--record FILE]\n"
           "       quarnel --headless --replay FILE [--seed N] [--ticks N]\n"
           "                      [--trace FILE|- [--trace-draws]] [--frames DIR]\n"
           "       quarnel --help | --version\n"
           "\n"
           "Plays Quarnel full screen. With --headless, plays a recorded game without a\n"
           "window, sound or waiting, and can write one line of game state per tick.\n"
           "\n"
           "  --window        play in a window instead of full screen (Alt+Enter switches)\n"
           "  --seed N        seed of the piece generator (0..4294967295); default: the\n"
           "                  replay's seed line, else the time of day\n"
           "  --replay FILE   the held inputs, tick by tick; in the live game the recording\n"
           "                  is shown first and the player takes over when it ends\n"
           "  --record FILE   write the game as it is played to FILE, as a replay\n"
           "  --tick-log FILE write when each tick and frame came, for measuring\n"
           "  --headless      run without window and sound, as fast as possible\n"
           "  --ticks N       run exactly N ticks, holding nothing past the replay's end\n"
           "  --trace FILE    write the trace to FILE, or to standard output for -\n"
           "  --trace-draws   add the pictures each frame draws to the trace\n"
           "  --frames DIR    write each tick's frame as DIR/000001.bmp, DIR/000002.bmp, ...\n"
           "  --help          show this text\n"
           "  --version       show the version\n"
           "\n"
           "The best score is read from and written to score.atb in the current directory.\n";
}

bool ParseCommandLine(const std::vector<std::string>& args, CommandLine& out, std::string& error) {
    out = CommandLine{};
    for (size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::optional<std::string> inlineValue;
        if (const auto eq = name.find('='); name.rfind("--", 0) == 0 && eq != std::string::npos) {
            inlineValue = name.substr(eq + 1);
            name.resize(eq);
        }
        auto flag = [&](bool& target) {
            if (inlineValue) {
                error = "'" + name + "' takes no value";
                return false;
            }
            target = true;
            return true;
        };
        auto value = [&](std::string& target) {
            if (inlineValue) {
                target = *inlineValue;
            } else if (i + 1 < args.size()) {
                target = args[++i];
            } else {
                error = "'" + name + "' needs a value";
                return false;
            }
            return true;
        };
        auto once = [&](bool given) {
            if (given) error = "'" + name + "' is given twice";
            return !given;
        };
        std::string text;
        if (name == "--help") {
            if (!flag(out.help)) return false;
        } else if (name == "--version") {
            if (!flag(out.version)) return false;
        } else if (name == "--headless") {
            if (!flag(out.headless)) return false;
        } else if (name == "--replay") {
            if (!once(out.replay.has_value()) || !value(text)) return false;
            out.replay = text;
        } else if (name == "--trace") {
            if (!once(out.trace.has_value()) || !value(text)) return false;
            out.trace = text;
        } else if (name == "--trace-draws") {
            if (!flag(out.traceDraws)) return false;
        } else if (name == "--frames") {
            if (!once(out.frames.has_value()) || !value(text)) return false;
            if (text.empty()) {
                error = "'--frames' needs a directory name";
                return false;
            }
            out.frames = text;
        } else if (name == "--window") {
            if (!flag(out.window)) return false;
        } else if (name == "--record") {
            if (!once(out.record.has_value()) || !value(text)) return false;
            out.record = text;
        } else if (name == "--tick-log") {
            if (!once(out.tickLog.has_value()) || !value(text)) return false;
            out.tickLog = text;
        } else if (name == "--seed") {
            uint32_t seed = 0;
            if (!once(out.seed.has_value()) || !value(text)) return false;
            if (!ParseDigits(text, seed)) {
                error = "'--seed' takes a number from 0 to 4294967295, not '" + text + "'";
                return false;
            }
            out.seed = seed;
        } else if (name == "--ticks") {
            uint64_t ticks = 0;
            if (!once(out.ticks.has_value()) || !value(text)) return false;
            if (!ParseDigits(text, ticks)) {
                error = "'--ticks' takes a whole number of ticks, not '" + text + "'";
                return false;
            }
            out.ticks = ticks;
        } else {
            error = "unknown argument '" + args[i] + "'";
            return false;
        }
    }
    if (out.help || out.version) return true;
    auto onlyWith = [&](bool given, const char* option, bool allowed, const char* needs) {
        if (given && !allowed) error = std::string("'") + option + "' " + needs;
        return !given || allowed;
    };
    const char* headlessOnly = "needs '--headless'";
    const char* liveOnly = "is for the live game, not '--headless'";
    if (!onlyWith(out.ticks.has_value(), "--ticks", out.headless, headlessOnly) ||
        !onlyWith(out.trace.has_value(), "--trace", out.headless, headlessOnly) ||
        !onlyWith(out.traceDraws, "--trace-draws", out.headless, headlessOnly) ||
        !onlyWith(out.frames.has_value(), "--frames", out.headless, headlessOnly) ||
        !onlyWith(out.window, "--window", !out.headless, liveOnly) ||
        !onlyWith(out.record.has_value(), "--record", !out.headless, liveOnly) ||
        !onlyWith(out.tickLog.has_value(), "--tick-log", !out.headless, liveOnly))
        return false;
    if (!out.headless) return true;
    if (!out.replay) {
        error = "'--headless' needs '--replay FILE'";
        return false;
    }
    if (out.traceDraws && !out.trace) {
        error = "'--trace-draws' needs '--trace FILE'";
        return false;
    }
    return true;
}

}  // namespace quarnel
