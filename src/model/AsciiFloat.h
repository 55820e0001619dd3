// The value of a plain ASCII number text as a double, the same with every C++ library.
#pragma once

#include <optional>
#include <string_view>

namespace tavimo {

// Reads "[-]digits[e[+|-]digits]" whole, correctly rounded. Empty where the text is not of that
// form or its value lies beyond a double's range (above the largest, or rounding to zero); a
// value below the smallest normal double is kept, as std::from_chars keeps it.
std::optional<double> readAsciiFloat(std::string_view text);

// The same reading without std::from_chars for double, which some C++ libraries lack (libc++
// before 17, as in Emscripten's). readAsciiFloat takes it only there; it is built and tested on
// every build, so that it cannot rot where it is not used.
std::optional<double> readAsciiFloatWithoutFromChars(std::string_view text);

} // namespace tavimo
