// Number recognition: whether a whole text is one number in the user's locale, and its value.
#pragma once

#include "model/Decimal.h"

#include <optional>
#include <string>
#include <string_view>

namespace tavimo {

// The separators of the user's locale (ASCII or any single UTF-8 character).
struct NumberFormat {
    std::string decimalPoint = ".";
    std::string groupSeparator = ",";
};

// The Japanese locale's format, which the tests pin.
inline NumberFormat japaneseNumberFormat()
{
    return {".", ","};
}

struct RecognisedNumber {
    double value = 0;               // the value as a 64-bit float (±infinity when it overflows)
    std::optional<Decimal> decimal; // nullopt when the value lies beyond the decimal range
    bool whole = false;             // the exact value of the text is a whole number
};

// Accepts: optional blanks around the number, an optional sign, digits with optional group
// separators (groups of three after the first), an optional decimal point with digits, and an
// optional exponent (e or E, optional sign, digits). Full-width digits, signs, point, comma,
// e/E and the ideographic space count as their ASCII forms. Rejects the empty text, letters,
// a blank between digits and non-finite words such as "inf" and "nan", and invalid UTF-8.
// Group separators stand only between digits of the integer part; when the locale gives the same
// character for both, it is the decimal point. Values below the smallest float become zero.
std::optional<RecognisedNumber> recogniseNumber(std::string_view text, const NumberFormat& format);

} // namespace tavimo
