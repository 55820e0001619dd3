// The window's frame in the page: its caption bar and border, and its scale on a narrow screen.
#pragma once

#include "platform/WindowSize.h"

namespace tavimo::web {

// The page draws the frame itself (the page's style sheet): a border of `border` pixels on every
// side and a caption bar of `captionHeight` under the top border. Its size is the frame that
// WindowSize counts: the client area is the model's outer size less this.
inline constexpr int border = 3;
inline constexpr int captionHeight = 23;
inline constexpr PixelSize frameSize{2 * border, 2 * border + captionHeight};

// The scale that fits a window `outerWidth` pixels wide into a page `pageWidth` pixels wide with
// a margin of `margin` pixels on each side: 1 where it fits, never more, and never below 0.1.
double scaleToFit(int outerWidth, int pageWidth, int margin);

} // namespace tavimo::web
