#include "app/TickLog.h"

#include <cerrno>
#include <cinttypes>
#include <cstring>

namespace quarnel {

bool TickLog::Open(const std::string& path, std::string& error) {
    file_ = std::fopen(path.c_str(), "w");
    if (!file_) error = path + ": " + std::strerror(errno);
    return file_ != nullptr;
}

void TickLog::Line(const char* what, uint64_t tick, std::chrono::steady_clock::time_point at) {
    if (!file_) return;
    using namespace std::chrono;
    const auto us = duration_cast<microseconds>(at.time_since_epoch()).count();
    if (tick)
        std::fprintf(file_, "%s %" PRIu64 " %lld\n", what, tick, static_cast<long long>(us));
    else
        std::fprintf(file_, "%s %lld\n", what, static_cast<long long>(us));
    // Read while the game runs, so each line goes out at once.
    std::fflush(file_);
}

void TickLog::Renderer(const std::string& description) {
    if (!file_) return;
    std::fprintf(file_, "renderer %s\n", description.c_str());
    std::fflush(file_);
}

}  // namespace quarnel
