// Number recognition: the grammar of a typed number and its float and decimal values.
#include "model/NumberText.h"

#include "model/AsciiFloat.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

namespace tavimo {

namespace {

// Far beyond any exponent that a text held in memory can bring back into range, and small
// enough that adding a digit count cannot overflow.
constexpr std::int64_t exponentLimit = 1'000'000'000'000'000;

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
std::optional<std::u32string> decodeUtf8(std::string_view text)
{
    std::u32string result;
    result.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        int length = 0;
        char32_t code = 0;
        char32_t minimum = 0;
        if (lead < 0x80) {
            length = 1;
            code = lead;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            code = lead & 0x1F;
            minimum = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            code = lead & 0x0F;
            minimum = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            code = lead & 0x07;
            minimum = 0x10000;
        } else {
            return std::nullopt;
        }
        if (text.size() - i < static_cast<std::size_t>(length)) {
            return std::nullopt;
        }
        for (int k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
            if ((next & 0xC0) != 0x80) {
                return std::nullopt;
            }
            code = (code << 6) | (next & 0x3F);
        }
        if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            return std::nullopt;
        }
        result.push_back(code);
        i += static_cast<std::size_t>(length);
    }
    return result;
}

// Full-width forms typed with a Japanese input method count as their ASCII forms.
char32_t asciiForm(char32_t code)
{
    if (code >= U'０' && code <= U'９') {
        return U'0' + (code - U'０');
    }
    switch (code) {
    case U'＋':
        return U'+';
    case U'－':
    case U'−': // U+2212 MINUS SIGN
        return U'-';
    case U'．':
        return U'.';
    case U'，':
        return U',';
    case U'ｅ':
        return U'e';
    case U'Ｅ':
        return U'E';
    default:
        return code;
    }
}

bool isBlank(char32_t code)
{
    return code == U' ' || code == U'\t' || code == U'　';
}

bool isDigit(char32_t code)
{
    return code >= U'0' && code <= U'9';
}

// Not a code point: a separator that matches nothing.
constexpr char32_t noCharacter = 0xFFFFFFFF;

// A separator of the locale as one character; a string of any other length matches nothing.
char32_t separatorCharacter(const std::string& text)
{
    const auto decoded = decodeUtf8(text);
    if (!decoded || decoded->size() != 1) {
        return noCharacter;
    }
    return asciiForm(decoded->front());
}

// A number as read from the text: ±digits × 10^exponent, digits without separators.
struct NumberParts {
    bool negative = false;
    std::string digits;
    std::int64_t exponent = 0;
};

std::optional<NumberParts> parseNumber(std::u32string_view text, char32_t point, char32_t group)
{
    if (point == group) {
        group = noCharacter;
    }
    NumberParts parts;
    std::size_t i = 0;
    // Past the end reads as a character that no test below accepts.
    auto at = [&](std::size_t k) { return k < text.size() ? text[k] : noCharacter; };

    if (at(i) == U'+' || at(i) == U'-') {
        parts.negative = at(i) == U'-';
        ++i;
    }

    std::size_t groupLength = 0;
    bool grouped = false;
    for (;; ++i) {
        if (isDigit(at(i))) {
            parts.digits.push_back(static_cast<char>(at(i)));
            ++groupLength;
        } else if (at(i) == group && group != noCharacter) {
            // Between digits only: the group before is 1 to 3 digits long (exactly 3 after an
            // earlier separator), and a digit follows.
            const bool groupOk = grouped ? groupLength == 3 : groupLength >= 1 && groupLength <= 3;
            if (!groupOk || !isDigit(at(i + 1))) {
                return std::nullopt;
            }
            grouped = true;
            groupLength = 0;
        } else {
            break;
        }
    }
    if (grouped && groupLength != 3) {
        return std::nullopt;
    }
    const std::size_t integerDigits = parts.digits.size();

    if (at(i) == point && point != noCharacter) {
        for (++i; isDigit(at(i)); ++i) {
            parts.digits.push_back(static_cast<char>(at(i)));
        }
    }
    if (parts.digits.empty()) {
        return std::nullopt;
    }
    // At most the text's length, far below the limit.
    const auto fractionDigits = static_cast<std::int64_t>(parts.digits.size() - integerDigits);

    std::int64_t exponent = 0;
    if (at(i) == U'e' || at(i) == U'E') {
        ++i;
        bool negativeExponent = false;
        if (at(i) == U'+' || at(i) == U'-') {
            negativeExponent = at(i) == U'-';
            ++i;
        }
        if (!isDigit(at(i))) {
            return std::nullopt;
        }
        for (; isDigit(at(i)); ++i) {
            exponent =
                std::min(exponent * 10 + static_cast<std::int64_t>(at(i) - U'0'), exponentLimit);
        }
        if (negativeExponent) {
            exponent = -exponent;
        }
    }
    if (i != text.size()) {
        return std::nullopt;
    }
    parts.exponent = exponent - fractionDigits;
    return parts;
}

double floatValue(const NumberParts& parts)
{
    const double zero = parts.negative ? -0.0 : 0.0;
    const double infinity = parts.negative ? -std::numeric_limits<double>::infinity()
                                           : std::numeric_limits<double>::infinity();
    const std::size_t first = parts.digits.find_first_not_of('0');
    if (first == std::string::npos) {
        return zero;
    }
    // The value lies in [10^(magnitude-1), 10^magnitude); a double spans about 10^-324..10^309.
    const std::int64_t magnitude =
        static_cast<std::int64_t>(parts.digits.size() - first) + parts.exponent;
    if (magnitude > 400) {
        return infinity;
    }
    if (magnitude < -400) {
        return zero;
    }
    // A plain ASCII form, so that the locale of the process cannot interfere.
    std::string ascii = parts.negative ? "-" : "";
    ascii.append(parts.digits, first);
    ascii += 'e';
    ascii += std::to_string(parts.exponent);
    if (const std::optional<double> value = readAsciiFloat(ascii)) {
        return *value;
    }
    return magnitude > 0 ? infinity : zero; // beyond a double's range
}

bool isWhole(const NumberParts& parts)
{
    const std::size_t last = parts.digits.find_last_not_of('0');
    if (last == std::string::npos) {
        return true;
    }
    const auto trailingZeros = static_cast<std::int64_t>(parts.digits.size() - 1 - last);
    return parts.exponent + trailingZeros >= 0;
}

} // namespace

std::optional<RecognisedNumber> recogniseNumber(std::string_view text, const NumberFormat& format)
{
    auto decoded = decodeUtf8(text);
    if (!decoded) {
        return std::nullopt;
    }
    std::transform(decoded->begin(), decoded->end(), decoded->begin(), asciiForm);
    std::u32string_view body = *decoded;
    while (!body.empty() && isBlank(body.front())) {
        body.remove_prefix(1);
    }
    while (!body.empty() && isBlank(body.back())) {
        body.remove_suffix(1);
    }

    const auto parts = parseNumber(body, separatorCharacter(format.decimalPoint),
                                   separatorCharacter(format.groupSeparator));
    if (!parts) {
        return std::nullopt;
    }
    RecognisedNumber result;
    result.value = floatValue(*parts);
    result.decimal = Decimal::fromDigits(parts->negative, parts->digits, parts->exponent);
    result.whole = isWhole(*parts);
    return result;
}

} // namespace tavimo
