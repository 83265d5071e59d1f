#pragma once

// Replay files: the input states held in each tick of a recorded game, as text.
//
//     # comment
//     seed 305419896
//     40* -
//     3* stRight
//     stRight stDown

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/InputStates.h"

namespace quarnel {

// Limits of the file format; players' files depend on them, so they never change.
inline constexpr uint32_t kMaxReplayRepeat = 1000000;

// One tick line: the same states held for `repeat` ticks in a row.
struct ReplayLine {
    uint32_t repeat = 1;
    InputStates held;

    bool operator==(const ReplayLine&) const = default;
};

struct Replay {
    std::optional<uint32_t> seed;
    std::vector<ReplayLine> lines;  // in file order, one per tick line

    uint64_t TickCount() const;

    bool operator==(const Replay&) const = default;
};

// Walks the ticks in order in constant time per tick. Keeps a reference: the replay must outlive
// the cursor and must not change while it is in use.
class ReplayCursor {
  public:
    explicit ReplayCursor(const Replay& replay);

    // States of the next tick; nothing held once the replay has run out.
    InputStates Next();
    bool AtEnd() const { return index_ >= replay_.lines.size(); }

  private:
    void SkipEmptyLines();

    const Replay& replay_;
    size_t index_ = 0;
    uint32_t usedInLine_ = 0;
};

// Parses replay text. On failure returns false, leaves `out` untouched and sets `error` to
// "NAME:LINE: what is wrong".
bool ParseReplay(std::string_view text, std::string_view fileName, Replay& out, std::string& error);

// Reads the whole file as bytes, then parses it. A file that cannot be read gives
// "PATH: cannot read: <reason>".
bool LoadReplayFile(const std::string& path, Replay& out, std::string& error);

// Writes the replay in the form ParseReplay reads: the seed line when there is one, then one tick
// line per line, each ending in LF. Equal neighbouring lines are kept apart; only a line the file
// cannot hold is changed: no ticks gives no line, more than kMaxReplayRepeat ticks are split.
std::string FormatReplay(const Replay& replay);

// The pieces of FormatReplay: "seed N" and one tick line (split past kMaxReplayRepeat), each
// with its LF.
void AppendReplaySeed(std::string& text, uint32_t seed);
void AppendReplayLine(std::string& text, const ReplayLine& line);

}  // namespace quarnel
