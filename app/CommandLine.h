#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quarnel {

struct CommandLine {
    bool help = false;
    bool version = false;
    bool headless = false;
    std::optional<std::string> replay;
    std::optional<uint32_t> seed;
    std::optional<uint64_t> ticks;
    std::optional<std::string> trace;  // "-" for standard output
    bool traceDraws = false;
    std::optional<std::string> frames;  // directory for one picture per tick
    // The live game only.
    bool window = false;
    std::optional<std::string> record;
    std::optional<std::string> tickLog;
};

// Accepts "--name value" and "--name=value". On a usage error returns false and sets `error`.
bool ParseCommandLine(const std::vector<std::string>& args, CommandLine& out, std::string& error);

std::string UsageText();

}  // namespace quarnel
