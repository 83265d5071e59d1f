#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quarnel::assetgen {

// Writes the whole file, replacing any earlier one. Returns 0, or the errno of the step that
// failed.
int WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace quarnel::assetgen
