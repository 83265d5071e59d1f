#include "app/DrawTrace.h"

#include "app/TraceLine.h"
#include "render/PictureCatalogue.h"

namespace quarnel {

void DrawTrace::DrawPattern(int item, int x, int y, int pattern) {
    pictures_.DrawPattern(item, x, y, pattern);
    if (!on_ || item < 0 || item >= PictureItemCount) return;
    const PictureEntry& picture = PictureCatalogue[item];
    if (!picture.Patterns().Has(pattern)) return;
    if (!draws_.empty()) draws_ += ',';
    draws_ += picture.name;
    for (int value : {x, y, pattern}) {
        draws_ += ':';
        AppendDecimal(draws_, value);
    }
}

}  // namespace quarnel
