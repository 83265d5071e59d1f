#pragma once

#include <cstdio>
#include <filesystem>

#include "app/CommandLine.h"

namespace quarnel {

// The game on screen, with keyboard, joystick and sound, until the player closes it.
// Returns the exit status: 0 after a normal close, 1 when the display or a device failed
// or a recording was lost, 2 for a replay or record file that cannot be used.
int RunLive(const CommandLine& options, const std::filesystem::path& highScoreFile, std::FILE* err);

}  // namespace quarnel
