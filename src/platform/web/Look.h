// The look of the window in the page: its colours and its face, as CSS values.
#pragma once

#include "model/Controls.h"

#include <string>

namespace tavimo::web {

// "rgb(r, g, b)".
std::string cssColour(Rgb colour);

// The faces every control asks for, first found first: "ＭＳ Ｐゴシック" where installed (under its
// Japanese or its English name), else the free face drawn to the same proportional design
// (IPAPGothic), else the Japanese faces that other systems carry (Hiragino on macOS and iOS, Noto
// on Android and ChromeOS).
extern const char* const fontFamilies;

// The CSS font shorthand of a control's font: weight, size in points, the faces.
std::string cssFont(const Font& font);

} // namespace tavimo::web
