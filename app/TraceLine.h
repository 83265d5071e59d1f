#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "game/GameState.h"

namespace quarnel {

// Appends one tick's trace line (without its line end) to `out`:
// "<n> <caption> ph=.. BF=.. BX=.. BY=.. BYC=.. col=.... act=.. er=.. sc=.. pp=.. hi=.. snd=..
// board=..".
void AppendTraceLine(std::string& out, uint64_t tick, std::string_view caption, const GameState& gs,
                     const std::vector<int>& waves);

}  // namespace quarnel
