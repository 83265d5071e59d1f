#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

namespace quarnel {

// For measuring the live game from outside: one line per event, "start T", "renderer
// DESCRIPTION" once the window is up, then "tick N T" as each tick's frame has been shown,
// T in microseconds of the monotonic clock (the one other processes read as CLOCK_MONOTONIC).
// Off until opened.
class TickLog {
  public:
    ~TickLog() {
        if (file_) std::fclose(file_);
    }

    bool Open(const std::string& path, std::string& error);
    void Start(std::chrono::steady_clock::time_point at) { Line("start", 0, at); }
    void Tick(uint64_t tick, std::chrono::steady_clock::time_point at) { Line("tick", tick, at); }
    void Renderer(const std::string& description);

  private:
    void Line(const char* what, uint64_t tick, std::chrono::steady_clock::time_point at);

    std::FILE* file_ = nullptr;
};

}  // namespace quarnel
