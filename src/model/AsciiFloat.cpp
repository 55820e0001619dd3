// The value of a plain ASCII number text as a double, the same with every C++ library.
#include "model/AsciiFloat.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace tavimo {
namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Whether the text is "[-]digits[e[+|-]digits]": nothing that a locale or a library could read
// in another way.
bool isPlainNumber(std::string_view text)
{
    std::size_t i = 0;
    auto digits = [&] {
        const std::size_t first = i;
        while (i < text.size() && isDigit(text[i])) {
            ++i;
        }
        return i > first;
    };
    if (i < text.size() && text[i] == '-') {
        ++i;
    }
    if (!digits()) {
        return false;
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            ++i;
        }
        if (!digits()) {
            return false;
        }
    }
    return i == text.size();
}

} // namespace

std::optional<double> readAsciiFloatWithoutFromChars(std::string_view text)
{
    if (!isPlainNumber(text)) {
        return std::nullopt;
    }
    // strtod reads a text without a decimal point alike in every locale (the point is all that
    // a locale changes in this form), and rounds correctly in glibc and musl.
    const std::string terminated(text);
    errno = 0;
    const double value = std::strtod(terminated.c_str(), nullptr);
    // strtod also reports a value below the smallest normal double as out of range; from_chars
    // keeps it, and so does this reading.
    if (errno == ERANGE && (value == 0 || std::isinf(value))) {
        return std::nullopt;
    }
    return value;
}

std::optional<double> readAsciiFloat(std::string_view text)
{
#if defined(__cpp_lib_to_chars) && __cpp_lib_to_chars >= 201611L
    if (!isPlainNumber(text)) {
        return std::nullopt;
    }
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
#else
    return readAsciiFloatWithoutFromChars(text);
#endif
}

} // namespace tavimo
