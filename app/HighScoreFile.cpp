#include "app/HighScoreFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <charconv>
#include <new>
#include <optional>
#include <string_view>
#include <system_error>

namespace quarnel {

namespace {

constexpr int EndOfInput = -1;
constexpr int EndOfFileMark = 26;  // Ctrl-Z: old editors ended text files with it
constexpr int BlankLimit = 32;     // bytes up to this code separate items
constexpr std::size_t MaxItemLength = 32;

bool IsBlank(int byte) {
    return byte <= BlankLimit;
}

// Closes the descriptor on every way out of a function.
class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }
    // Closes now so that the caller sees the error; the descriptor is gone either way.
    int Close() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result;
    }

  private:
    int fd_;
};

// Hands out a file's bytes one at a time through a small buffer: the number sits at the very
// start, so a large or endless file must not be read further than that.
class ByteReader {
  public:
    explicit ByteReader(int fd) : fd_(fd) {}

    // The next byte (0..255), or EndOfInput at the end of the file or after a failure.
    int Next() {
        if (pos_ == len_) {
            ssize_t n;
            do {
                n = ::read(fd_, buffer_.data(), buffer_.size());
            } while (n < 0 && errno == EINTR);
            if (n <= 0) {
                if (n < 0) error_ = HighScoreErrorFromErrno(errno);
                return EndOfInput;
            }
            pos_ = 0;
            len_ = static_cast<std::size_t>(n);
        }
        return buffer_[pos_++];
    }

    int error() const { return error_; }

  private:
    int fd_;
    std::array<unsigned char, 512> buffer_{};
    std::size_t pos_ = 0;
    std::size_t len_ = 0;
    int error_ = HighScoreOk;
};

// A signed decimal, or an unsigned hexadecimal after "$", "x" or "0x" (either case).
std::optional<int32_t> ParseItem(std::string_view item) {
    bool negative = false;
    int base = 10;
    if (item.starts_with('+') || item.starts_with('-')) {
        negative = item.front() == '-';
        item.remove_prefix(1);
    } else if (item.starts_with("0x") || item.starts_with("0X")) {
        base = 16;
        item.remove_prefix(2);
    } else if (item.starts_with('$') || item.starts_with('x') || item.starts_with('X')) {
        base = 16;
        item.remove_prefix(1);
    }
    // from_chars on an unsigned type also turns away a second sign.
    uint32_t magnitude = 0;
    const char* end = item.data() + item.size();
    const auto [stop, status] = std::from_chars(item.data(), end, magnitude, base);
    const uint32_t limit = negative ? 2147483648u : 2147483647u;
    if (item.empty() || status != std::errc{} || stop != end || magnitude > limit) {
        return std::nullopt;
    }
    return negative ? static_cast<int32_t>(-static_cast<int64_t>(magnitude))
                    : static_cast<int32_t>(magnitude);
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// POSIX can only read the umask by setting it; the game touches files from one thread only.
mode_t CurrentUmask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

// The mode a plain open() would have given a new file, or the mode of the file being replaced.
mode_t ModeFor(const std::filesystem::path& file) {
    struct stat info {};
    if (::stat(file.c_str(), &info) == 0 && S_ISREG(info.st_mode)) return info.st_mode & 07777;
    return 0666 & ~CurrentUmask();
}

// Writing into a side file and renaming it over the old one means a failure part-way (a full
// disk, say) never leaves the player with a truncated score file.
int ReplaceFile(const std::filesystem::path& file, std::string_view content) {
    const mode_t mode = ModeFor(file);
    std::string temp = file.native() + ".XXXXXX";
    FileDescriptor fd(::mkstemp(temp.data()));
    if (fd.get() < 0) return HighScoreErrorFromErrno(errno);

    int err = 0;
    if (::fchmod(fd.get(), mode) != 0 || !WriteAll(fd.get(), content) || ::fsync(fd.get()) != 0) {
        err = errno;
    }
    if (fd.Close() != 0 && err == 0) err = errno;
    if (err == 0 && ::rename(temp.c_str(), file.c_str()) != 0) err = errno;
    if (err != 0) {
        ::unlink(temp.c_str());
        return HighScoreErrorFromErrno(err);
    }
    return HighScoreOk;
}

}  // namespace

HighScoreLoad LoadHighScore(const std::filesystem::path& file) noexcept {
    int raw;
    do {
        // Non-blocking, so that a pipe of that name cannot hold up the start.
        raw = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    } while (raw < 0 && errno == EINTR);
    if (raw < 0) return {0, HighScoreErrorFromErrno(errno)};
    FileDescriptor fd(raw);

    // A directory, a pipe or a device opens fine for reading here, but none is a score file,
    // and a device such as /dev/zero would never let the reading end.
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) return {0, HighScoreErrorFromErrno(errno)};
    if (!S_ISREG(info.st_mode)) return {0, HighScoreAccessDenied};

    ByteReader in(fd.get());
    int byte = in.Next();
    while (byte != EndOfInput && byte != EndOfFileMark && IsBlank(byte))
        byte = in.Next();
    if (in.error() != HighScoreOk) return {0, in.error()};
    if (byte == EndOfInput || byte == EndOfFileMark) return {};

    std::array<char, MaxItemLength> item{};
    std::size_t length = 0;
    while (byte != EndOfInput && !IsBlank(byte)) {
        if (length == item.size()) return {0, HighScoreNotNumeric};
        item[length++] = static_cast<char>(byte);
        byte = in.Next();
    }
    if (in.error() != HighScoreOk) return {0, in.error()};

    const std::optional<int32_t> value = ParseItem({item.data(), length});
    if (!value) return {0, HighScoreNotNumeric};
    return {*value, HighScoreOk};
}

int SaveHighScore(const std::filesystem::path& file, int32_t value) noexcept {
    std::array<char, 16> text{};  // "-2147483648\r\n" at most
    char* end = std::to_chars(text.data(), text.data() + text.size(), value).ptr;
    *end++ = '\r';
    *end++ = '\n';
    try {
        return ReplaceFile(file, {text.data(), static_cast<std::size_t>(end - text.data())});
    } catch (const std::bad_alloc&) {
        return HighScoreErrorFromErrno(ENOMEM);
    }
}

std::string HighScoreErrorText(int error) {
    switch (error) {
        case HighScoreNotFound:
            return "ファイルが見つかりません";
        case HighScoreBadFileName:
            return "不正なファイル名です";
        case HighScoreTooManyOpenFiles:
            return "オープンしたファイルが多すぎます";
        case HighScoreAccessDenied:
            return "ファイルへのアクセスが拒否されました";
        case HighScoreDiskFull:
            return "ディスクがいっぱいです";
        case HighScoreNotNumeric:
            return "入力値が数値ではありません";
        default:
            return "I/O エラー (" + std::to_string(error) + ")";
    }
}

int HighScoreErrorFromErrno(int err) noexcept {
    switch (err) {
        case ENOENT:
            return HighScoreNotFound;
        case ENOTDIR:
        case ENAMETOOLONG:
        case EINVAL:
        case ELOOP:
            return HighScoreBadFileName;
        case EMFILE:
        case ENFILE:
            return HighScoreTooManyOpenFiles;
        case EACCES:
        case EPERM:
        case EISDIR:
        case EROFS:
            return HighScoreAccessDenied;
        case ENOSPC:
        case EDQUOT:
            return HighScoreDiskFull;
        case EIO:
            // errno 5 would read as "access refused"; the runtime's own number for a
            // failed read keeps the two apart.
            return HighScoreReadError;
        default:
            return err;
    }
}

}  // namespace quarnel
