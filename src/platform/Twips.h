// Twips, the unit of every size in the model, against Qt's device-independent pixels.
#pragma once

#include "model/Controls.h"

#include <cmath>

namespace tavimo {

// 1440 twips to the inch at 96 pixels to the inch; Qt scales pixels to the screen.
inline constexpr float twipsPerPixel = 15.0f;

inline int twipsToPixels(float twips)
{
    return static_cast<int>(std::lround(twips / twipsPerPixel));
}

inline float pixelsToTwips(int pixels)
{
    return static_cast<float>(pixels) * twipsPerPixel;
}

} // namespace tavimo
