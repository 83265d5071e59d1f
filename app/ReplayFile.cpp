#include "app/ReplayFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

namespace quarnel {
namespace {

constexpr uint64_t kMaxSeed = 4294967295u;
// Enough of a token to recognise it without letting one huge token flood the message.
constexpr size_t kMaxQuotedBytes = 40;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Unsigned decimal digits only; anything above `max` (however many digits) is rejected.
std::optional<uint64_t> ParseNumber(std::string_view s, uint64_t max) {
    if (s.empty()) return std::nullopt;
    uint64_t value = 0;
    for (char c : s) {
        if (!IsDigit(c)) return std::nullopt;
        value = value * 10 + static_cast<uint64_t>(c - '0');
        if (value > max) return std::nullopt;  // stops long before uint64_t could wrap
    }
    return value;
}

// Tokens come from the player's file: keep the message one printable line of sane length.
std::string Quote(std::string_view token) {
    static constexpr char kHex[] = "0123456789abcdef";
    const bool cut = token.size() > kMaxQuotedBytes;
    if (cut) token = token.substr(0, kMaxQuotedBytes);
    std::string q = "'";
    for (char c : token) {
        const auto b = static_cast<unsigned char>(c);
        if (b == '\\') {
            q += "\\\\";
        } else if (b < 0x20 || b >= 0x7f) {
            q += "\\x";
            q += kHex[b >> 4];
            q += kHex[b & 0xf];
        } else {
            q += c;
        }
    }
    if (cut) q += "...";
    return q + "'";
}

std::vector<std::string_view> Tokenize(std::string_view line) {
    std::vector<std::string_view> tokens;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && IsBlank(line[i]))
            ++i;
        const size_t start = i;
        while (i < line.size() && !IsBlank(line[i]))
            ++i;
        if (i > start) tokens.push_back(line.substr(start, i - start));
    }
    return tokens;
}

class Parser {
  public:
    explicit Parser(Replay& replay) : replay_(replay) {}

    // Returns an empty string when the line is fine, otherwise what is wrong with it.
    std::string Line(std::string_view line) {
        if (const size_t hash = line.find('#'); hash != std::string_view::npos)
            line = line.substr(0, hash);
        const auto tokens = Tokenize(line);
        if (tokens.empty()) return {};
        if (tokens[0] == "seed") return Seed(tokens);
        return Tick(tokens);
    }

  private:
    std::string Seed(const std::vector<std::string_view>& tokens) {
        if (replay_.seed) return "'seed' is given twice";
        if (!replay_.lines.empty()) return "'seed' must come before the first tick line";
        const auto seed = tokens.size() == 2 ? ParseNumber(tokens[1], kMaxSeed) : std::nullopt;
        if (!seed) return "'seed' needs one number from 0 to 4294967295";
        replay_.seed = static_cast<uint32_t>(*seed);
        return {};
    }

    std::string Tick(const std::vector<std::string_view>& tokens) {
        ReplayLine line;
        size_t first = 0;
        if (tokens[0].ends_with('*')) {
            if (auto error = Repeat(tokens[0], line.repeat); !error.empty()) return error;
            if (tokens.size() == 1) return "a repeat count needs input states after it";
            first = 1;
        }
        const size_t stateTokens = tokens.size() - first;
        for (size_t i = first; i < tokens.size(); ++i) {
            const std::string_view token = tokens[i];
            if (token == "-") {
                if (stateTokens > 1) return "'-' must stand alone";
                continue;
            }
            if (token.ends_with('*')) {
                if (!IsRepeatShape(token)) return NotARepeat(token);
                return "a repeat count must come first on its line";
            }
            const auto state = InputStateFromName(token);
            if (!state) return "unknown input state " + Quote(token);
            if (line.held.Held(*state)) return Quote(token) + " is given twice";
            line.held.Set(*state);
        }
        replay_.lines.push_back(line);
        return {};
    }

    // Any token ending in '*' is meant as a repeat count, so a malformed one is named as such.
    static bool IsRepeatShape(std::string_view token) {
        const std::string_view digits = token.substr(0, token.size() - 1);
        return !digits.empty() && std::all_of(digits.begin(), digits.end(), IsDigit);
    }
    static std::string NotARepeat(std::string_view token) {
        return Quote(token) + " is not a repeat count (digits then '*')";
    }

    static std::string Repeat(std::string_view token, uint32_t& repeat) {
        if (!IsRepeatShape(token)) return NotARepeat(token);
        const auto n = ParseNumber(token.substr(0, token.size() - 1), kMaxReplayRepeat);
        if (!n || *n == 0) return "the repeat count must be 1 to 1000000";
        repeat = static_cast<uint32_t>(*n);
        return {};
    }

    Replay& replay_;
};

}  // namespace

uint64_t Replay::TickCount() const {
    uint64_t count = 0;
    for (const ReplayLine& line : lines)
        count += line.repeat;
    return count;
}

ReplayCursor::ReplayCursor(const Replay& replay) : replay_(replay) {
    SkipEmptyLines();
}

void ReplayCursor::SkipEmptyLines() {
    // A hand-built replay may hold lines of zero ticks; the file format cannot.
    while (index_ < replay_.lines.size() && replay_.lines[index_].repeat == 0)
        ++index_;
}

InputStates ReplayCursor::Next() {
    if (AtEnd()) return {};
    const ReplayLine& line = replay_.lines[index_];
    if (++usedInLine_ >= line.repeat) {
        usedInLine_ = 0;
        ++index_;
        SkipEmptyLines();
    }
    return line.held;
}

bool ParseReplay(std::string_view text, std::string_view fileName, Replay& out,
                 std::string& error) {
    Replay replay;
    Parser parser(replay);
    uint64_t lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        const size_t lf = text.find('\n');
        std::string_view line = text.substr(0, lf);
        text = lf == std::string_view::npos ? std::string_view() : text.substr(lf + 1);
        // Only the CR of a CR LF (or of a last line without LF) belongs to the line end.
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (std::string what = parser.Line(line); !what.empty()) {
            error = std::string(fileName) + ":" + std::to_string(lineNumber) + ": " + what;
            return false;
        }
    }
    out = std::move(replay);
    return true;
}

bool LoadReplayFile(const std::string& path, Replay& out, std::string& error) {
    const auto cannotRead = [&](int err) {
        error = path + ": cannot read: " + std::strerror(err);
        return false;
    };
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return cannotRead(errno);
    std::string text;
    errno = 0;
    char buffer[65536];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        text.append(buffer, got);
    // Reading a directory opens fine and only fails here (EISDIR).
    const int readError = std::ferror(file) ? (errno ? errno : EIO) : 0;
    std::fclose(file);
    if (readError) return cannotRead(readError);
    return ParseReplay(text, path, out, error);
}

void AppendReplaySeed(std::string& text, uint32_t seed) {
    text += "seed " + std::to_string(seed) + "\n";
}

void AppendReplayLine(std::string& text, const ReplayLine& line) {
    std::string states;
    for (int s = 0; s < InputStateCount; ++s) {
        const auto state = static_cast<InputState>(s);
        if (!line.held.Held(state)) continue;
        if (!states.empty()) states += ' ';
        states += InputStateName(state);
    }
    if (states.empty()) states = "-";
    for (uint32_t left = line.repeat; left > 0;) {
        const uint32_t repeat = left < kMaxReplayRepeat ? left : kMaxReplayRepeat;
        if (repeat > 1) text += std::to_string(repeat) + "* ";
        text += states + "\n";
        left -= repeat;
    }
}

std::string FormatReplay(const Replay& replay) {
    std::string text;
    if (replay.seed) AppendReplaySeed(text, *replay.seed);
    for (const ReplayLine& line : replay.lines)
        AppendReplayLine(text, line);
    return text;
}

}  // namespace quarnel
