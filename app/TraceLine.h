#pragma once

#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game/GameState.h"

namespace quarnel {

// Appends one tick's trace line (without its line end) to `out`:
// "<n> <caption> ph=.. BF=.. BX=.. BY=.. BYC=.. col=.... act=.. er=.. sc=.. pp=.. hi=.. snd=..
// board=..", then " draw=<draws>" when the frame's draw list is given.
void AppendTraceLine(std::string& out, uint64_t tick, std::string_view caption, const GameState& gs,
                     const std::vector<int>& waves,
                     std::optional<std::string_view> draws = std::nullopt);

// Appends the decimal text of `value`, as every number in the trace is written.
template <typename Int>
void AppendDecimal(std::string& out, Int value) {
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, result.ptr);
}

}  // namespace quarnel
