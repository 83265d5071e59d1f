#include "FileOutput.h"

#include <cerrno>
#include <cstdio>

namespace quarnel::assetgen {

int WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    errno = 0;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return errno != 0 ? errno : EIO;
    const std::size_t written = std::fwrite(bytes.data(), 1, bytes.size(), file);
    int error = written == bytes.size() ? 0 : (errno != 0 ? errno : EIO);
    // Closing flushes the buffer, so a full disk may only show here.
    errno = 0;
    if (std::fclose(file) != 0 && error == 0) error = errno != 0 ? errno : EIO;
    return error;
}

}  // namespace quarnel::assetgen
