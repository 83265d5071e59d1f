#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace quarnel::assetgen {

// Both file formats are little-endian throughout, whatever machine writes them.
inline void PutU16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

inline void PutU32(std::vector<uint8_t>& out, uint32_t value) {
    PutU16(out, value & 0xFFFFu);
    PutU16(out, value >> 16);
}

inline void PutTag(std::vector<uint8_t>& out, std::string_view tag) {
    for (char c : tag)
        out.push_back(static_cast<uint8_t>(c));
}

}  // namespace quarnel::assetgen
