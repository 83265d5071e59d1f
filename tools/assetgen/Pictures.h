#pragma once

#include "Canvas.h"

namespace quarnel::assetgen {

// The four block colours side by side, one 32x32 bevelled square each.
Canvas DrawBlocks();

// The game screen: name, score box and the framed well.
Canvas DrawGameBackground();

// The strip of the game screen above and along the well's top edge, drawn over falling pieces
// so that they appear to come out of the frame.
Canvas CropWellTop(const Canvas& gameBackground);

// The title screen with its menu.
Canvas DrawOpening();

// The metal shutter that closes over the screen between games.
Canvas DrawShutter();

// The menu pointer; its white corners are transparent.
Canvas DrawPointer();

// The digits 0 to 9 for the score, one 32x32 cell each, on transparent white.
Canvas DrawDigits();

}  // namespace quarnel::assetgen
