#pragma once

#include <cstdint>
#include <string>

#include "app/ReplayFile.h"

namespace quarnel {

// Writes a game being played as a replay file: the seed line, then the held states of each
// tick, equal neighbouring ticks folded into one line. Between flushes the file always reads
// as a whole replay of the ticks flushed so far.
class ReplayRecorder {
  public:
    ReplayRecorder() = default;
    ReplayRecorder(const ReplayRecorder&) = delete;
    ReplayRecorder& operator=(const ReplayRecorder&) = delete;
    ~ReplayRecorder();

    // Creates or empties the file and writes the seed line. False, with "PATH: reason" in
    // `error`, when it cannot.
    bool Open(const std::string& path, uint32_t seed, std::string& error);
    bool IsOpen() const { return fd_ >= 0; }

    // One tick's states.
    void Add(InputStates held);
    // Puts every tick added so far into the file. After a failed write the recorder stops
    // and Error() says why; the game it records goes on.
    bool Flush();
    // Flushes and closes; false when anything was lost.
    bool Close();

    const std::string& Error() const { return error_; }

  private:
    bool Write(const std::string& bytes, int64_t at);

    std::string path_;
    int fd_ = -1;
    int64_t committed_ = 0;  // bytes of finished lines in the file
    std::string finished_;   // finished lines not yet written
    ReplayLine current_;     // the line still growing, written anew at each flush
    bool hasCurrent_ = false;
    std::string error_;
};

}  // namespace quarnel
