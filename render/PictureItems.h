#pragma once

namespace quarnel {

// Items of the picture list, by index.
enum PictureItem : int {
    piBlock = 0,
    piBgGame = 1,
    piBgBlock = 2,
    piOpening = 3,
    piShoutter = 4,
    piPointer = 5,
    piInt = 6,
};

inline constexpr int PictureItemCount = 7;

}  // namespace quarnel
