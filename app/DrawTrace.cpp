#include "app/DrawTrace.h"

#include <charconv>

#include "render/PictureCatalogue.h"

namespace quarnel {
namespace {

void AppendNumber(std::string& out, int value) {
    char digits[16];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, result.ptr);
}

}  // namespace

void DrawTrace::DrawPattern(int item, int x, int y, int pattern) {
    pictures_.DrawPattern(item, x, y, pattern);
    if (!on_ || item < 0 || item >= PictureItemCount) return;
    const PictureEntry& picture = PictureCatalogue[item];
    if (pattern < 0 || pattern >= picture.Patterns()) return;
    if (!draws_.empty()) draws_ += ',';
    draws_ += picture.name;
    for (int value : {x, y, pattern}) {
        draws_ += ':';
        AppendNumber(draws_, value);
    }
}

}  // namespace quarnel
