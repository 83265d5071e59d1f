#pragma once

#include <cstdio>
#include <filesystem>

#include "app/CommandLine.h"

namespace quarnel {

// Plays the replay of a headless command line and writes its trace; returns the exit status
// (0 done, 1 a failure while running or saving, 2 bad input). Messages go to `err`.
int RunHeadless(const CommandLine& options, const std::filesystem::path& highScoreFile,
                std::FILE* err);

}  // namespace quarnel
