#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace quarnel {

// Looked up relative to the current directory, so each player's start directory keeps its own.
inline constexpr const char* HighScoreFileName = "score.atb";

// Error codes, numbered as the game has always reported them: 0 ok; 2 not found; 3 bad file name; 4
// too many open files; 5 access refused; 100 device read error; 101 disk full; 106 not a number;
// anything else: another I/O error, numbered by its errno.
inline constexpr int HighScoreOk = 0;
inline constexpr int HighScoreNotFound = 2;
inline constexpr int HighScoreBadFileName = 3;
inline constexpr int HighScoreTooManyOpenFiles = 4;
inline constexpr int HighScoreAccessDenied = 5;
inline constexpr int HighScoreReadError = 100;  // shown as "I/O エラー (100)"
inline constexpr int HighScoreDiskFull = 101;
inline constexpr int HighScoreNotNumeric = 106;

struct HighScoreLoad {
    int32_t value = 0;  // 0 whenever error is set
    int error = HighScoreOk;
};

// Reads the number at the start of the file. A file with nothing in it but blanks gives 0 without
// an error.
HighScoreLoad LoadHighScore(const std::filesystem::path& file) noexcept;

// Replaces the file with "<value>\r\n". A failed save leaves any earlier file as it was.
// Returns an error code, 0 when the save succeeded.
int SaveHighScore(const std::filesystem::path& file, int32_t value) noexcept;

// The message shown to the player for an error code (UTF-8).
std::string HighScoreErrorText(int error);

// Translates a system errno into the error codes above.
int HighScoreErrorFromErrno(int err) noexcept;

}  // namespace quarnel
