// Twips, the unit of every size in the model, against the pixels of a binding's window.
#pragma once

#include "model/Controls.h"

#include <cmath>

namespace tavimo {

// 1440 twips to the inch. Qt counts device-independent pixels, 96 to the inch, and scales them to
// the screen itself; a Windows window counts its own pixels at its monitor's dots per inch.
inline constexpr int standardDpi = 96;
inline constexpr float twipsPerPixel = 1440.0f / standardDpi;

inline int twipsToPixels(float twips, int dpi = standardDpi)
{
    return static_cast<int>(std::lround(twips * float(dpi) / 1440.0f));
}

inline float pixelsToTwips(int pixels, int dpi = standardDpi)
{
    return static_cast<float>(pixels) * 1440.0f / float(dpi);
}

// A rectangle in pixels: left, top, width and height.
struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

inline PixelRect twipsToPixels(const TwipsRect& rect, int dpi = standardDpi)
{
    return {twipsToPixels(rect.left, dpi), twipsToPixels(rect.top, dpi),
            twipsToPixels(rect.width, dpi), twipsToPixels(rect.height, dpi)};
}

} // namespace tavimo
