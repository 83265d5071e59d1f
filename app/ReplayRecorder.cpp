#include "app/ReplayRecorder.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace quarnel {

ReplayRecorder::~ReplayRecorder() {
    Close();
}

bool ReplayRecorder::Open(const std::string& path, uint32_t seed, std::string& error) {
    Close();
    path_ = path;
    error_.clear();
    fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd_ < 0) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    committed_ = 0;
    finished_.clear();
    hasCurrent_ = false;
    AppendReplaySeed(finished_, seed);
    if (!Flush()) {
        error = error_;
        Close();
        return false;
    }
    return true;
}

void ReplayRecorder::Add(InputStates held) {
    if (!IsOpen()) return;
    if (hasCurrent_ && current_.held == held && current_.repeat < kMaxReplayRepeat) {
        ++current_.repeat;
        return;
    }
    if (hasCurrent_) AppendReplayLine(finished_, current_);
    current_ = ReplayLine{1, held};
    hasCurrent_ = true;
}

bool ReplayRecorder::Flush() {
    if (!IsOpen()) return error_.empty();
    if (!finished_.empty()) {
        if (!Write(finished_, committed_)) return false;
        committed_ += static_cast<int64_t>(finished_.size());
        finished_.clear();
    }
    std::string tail;
    if (hasCurrent_) AppendReplayLine(tail, current_);
    if (!Write(tail, committed_)) return false;
    // The growing line only ever gets longer, but cut the file after it all the same.
    if (::ftruncate(fd_, committed_ + static_cast<int64_t>(tail.size())) != 0) {
        error_ = path_ + ": " + std::strerror(errno);
        ::close(fd_);
        fd_ = -1;
        return false;
    }
    return true;
}

bool ReplayRecorder::Close() {
    if (!IsOpen()) return error_.empty();
    bool ok = Flush();
    if (IsOpen()) {
        if (::close(fd_) != 0 && ok) {
            error_ = path_ + ": " + std::strerror(errno);
            ok = false;
        }
        fd_ = -1;
    }
    return ok;
}

bool ReplayRecorder::Write(const std::string& bytes, int64_t at) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(fd_, bytes.data() + done, bytes.size() - done,
                                   static_cast<off_t>(at + static_cast<int64_t>(done)));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            error_ = path_ + ": " + std::strerror(n < 0 ? errno : EIO);
            ::close(fd_);
            fd_ = -1;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

}  // namespace quarnel
