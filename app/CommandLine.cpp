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
    return "Usage: quarnel --headless --replay FILE [--seed N] [--ticks N]\n"
           "                      [--trace FILE|- [--trace-draws]] [--frames DIR]\n"
           "       quarnel --help | --version\n"
           "\n"
           "Plays a recorded game without a window, sound or waiting, and can write one\n"
           "line of game state per tick.\n"
           "\n"
           "  --headless      run without window and sound, as fast as possible\n"
           "  --replay FILE   the held inputs, tick by tick\n"
           "  --seed N        seed of the piece generator (0..4294967295); default: the\n"
           "                  replay's seed line, else the time of day\n"
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
    if (!out.headless) {
        error = "this build plays only headless: give --headless --replay FILE";
        return false;
    }
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
