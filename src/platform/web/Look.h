// The look of the window in the page: its elements, their colours and their face, as CSS values.
#pragma once

#include "model/Controls.h"

#include <emscripten/val.h>

#include <string>
#include <string_view>

namespace tavimo::web {

// A new element of the page: its tag, its id (none where empty) and its class.
emscripten::val makeElement(const char* tag, std::string_view id, const char* className);

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
