// The decimal number of the bounds: conversion from digits, exact comparison and arithmetic.
#include "model/Decimal.h"

#include <algorithm>
#include <cassert>
#include <limits>

namespace tavimo {

namespace {

__extension__ typedef unsigned __int128 Wide;
// Exponents of any int64 plus a digit count fit here without overflow.
__extension__ typedef __int128 WideSigned;

constexpr Wide maxMantissa = (Wide(1) << 96) - 1;
constexpr Wide maxWide = ~Wide(0);
// 10^29 > 2^96, so a mantissa never has more digits than this.
constexpr int maxDigits = 29;

constexpr Wide powerOfTen(int exponent)
{
    Wide result = 1;
    for (int i = 0; i < exponent; ++i) {
        result *= 10;
    }
    return result;
}

// Multiplies by 10^exponent (0..28); false when the product does not fit in 128 bits.
bool scaleUp(Wide& value, int exponent)
{
    const Wide factor = powerOfTen(exponent);
    if (value > maxWide / factor) {
        return false;
    }
    value *= factor;
    return true;
}

Wide valueOf(std::string_view digits)
{
    assert(digits.size() <= static_cast<std::size_t>(maxDigits));
    Wide value = 0;
    for (char digit : digits) {
        value = value * 10 + static_cast<unsigned>(digit - '0');
    }
    return value;
}

// The first `keep` digits as a number, rounded half to even by the rest. The last digit is
// never 0, so any dropped digit after the first makes the tail more than half when that first
// one is 5.
Wide roundedPrefix(std::string_view significant, WideSigned keep)
{
    const auto count = static_cast<WideSigned>(significant.size());
    if (keep < 0) {
        return 0; // the first dropped digit is an implied leading zero
    }
    if (keep >= count) {
        return valueOf(significant);
    }
    const auto kept = static_cast<std::size_t>(keep);
    Wide value = valueOf(significant.substr(0, kept));
    const char dropped = significant[kept];
    const bool beyondHalf = kept + 1 < significant.size();
    if (dropped > '5' || (dropped == '5' && (beyondHalf || value % 2 == 1))) {
        ++value;
    }
    return value;
}

} // namespace

Decimal::Wide Decimal::mantissa() const
{
    return (Wide(m_high) << 64) | (Wide(m_mid) << 32) | Wide(m_low);
}

std::optional<Decimal> Decimal::make(bool negative, Wide mantissa, int scale)
{
    assert(scale >= 0 && scale <= maxScale);
    while (scale > 0 && mantissa % 10 == 0) {
        mantissa /= 10;
        --scale;
    }
    if (mantissa > maxMantissa) {
        return std::nullopt;
    }
    Decimal result;
    result.m_low = static_cast<std::uint32_t>(mantissa);
    result.m_mid = static_cast<std::uint32_t>(mantissa >> 32);
    result.m_high = static_cast<std::uint32_t>(mantissa >> 64);
    result.m_scale = static_cast<std::uint8_t>(scale);
    result.m_negative = negative && mantissa != 0;
    return result;
}

Decimal Decimal::fromInteger(std::int64_t value)
{
    // Negating in unsigned arithmetic keeps INT64_MIN defined.
    const std::uint64_t magnitude =
        value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    return *make(value < 0, magnitude, 0);
}

std::optional<Decimal> Decimal::fromDigits(bool negative, std::string_view digits,
                                           std::int64_t exponent)
{
    assert(!digits.empty());
    assert(std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }));
    const std::size_t first = digits.find_first_not_of('0');
    if (first == std::string_view::npos) {
        return Decimal{};
    }
    const std::size_t last = digits.find_last_not_of('0');
    // value = significant × 10^shift, and the last significant digit is not 0.
    const std::string_view significant = digits.substr(first, last - first + 1);
    const WideSigned shift =
        WideSigned(exponent) + static_cast<WideSigned>(digits.size() - 1 - last);
    const WideSigned integerDigits = static_cast<WideSigned>(significant.size()) + shift;
    if (integerDigits > maxDigits) {
        return std::nullopt;
    }
    if (shift >= 0) {
        return make(negative, valueOf(significant) * powerOfTen(static_cast<int>(shift)), 0);
    }
    WideSigned scale = std::min<WideSigned>(-shift, maxScale);
    WideSigned keep = std::min<WideSigned>(integerDigits + scale, maxDigits);
    scale = keep - integerDigits;
    // Rounding can carry past 2^96 - 1, and 29 digits may not fit at all: give up one digit of
    // the fraction at a time, as long as there is one.
    for (; scale >= 0; --scale, --keep) {
        const Wide rounded = roundedPrefix(significant, keep);
        if (rounded <= maxMantissa) {
            return make(negative, rounded, static_cast<int>(scale));
        }
    }
    return std::nullopt;
}

bool Decimal::isNegative() const
{
    return m_negative;
}

bool Decimal::isZero() const
{
    return mantissa() == 0;
}

std::optional<Decimal> Decimal::plus(const Decimal& other) const
{
    const int scale = std::max(m_scale, other.m_scale);
    Wide a = mantissa();
    Wide b = other.mantissa();
    // When a mantissa cannot even be aligned in 128 bits, the scales differ, so the operand with
    // the larger scale leaves a nonzero last digit: the sum keeps that scale and cannot fit.
    if (!scaleUp(a, scale - m_scale) || !scaleUp(b, scale - other.m_scale)) {
        return std::nullopt;
    }
    if (m_negative == other.m_negative) {
        if (a > maxWide - b) {
            return std::nullopt;
        }
        return make(m_negative, a + b, scale);
    }
    if (a >= b) {
        return make(m_negative, a - b, scale);
    }
    return make(other.m_negative, b - a, scale);
}

std::optional<Decimal> Decimal::minus(const Decimal& other) const
{
    Decimal negated = other;
    negated.m_negative = !other.m_negative && !other.isZero();
    return plus(negated);
}

std::optional<std::int64_t> Decimal::toInt64() const
{
    if (m_scale != 0) {
        return std::nullopt;
    }
    const Wide magnitude = mantissa();
    const Wide limit = Wide(std::numeric_limits<std::int64_t>::max()) + (m_negative ? 1 : 0);
    if (magnitude > limit) {
        return std::nullopt;
    }
    const auto bits = static_cast<std::uint64_t>(magnitude);
    // 0 - bits wraps to the two's complement pattern, which the cast keeps (C++20).
    return static_cast<std::int64_t>(m_negative ? 0 - bits : bits);
}

std::string Decimal::toString() const
{
    std::string digits;
    for (Wide rest = mantissa(); rest != 0; rest /= 10) {
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(rest % 10)));
    }
    if (digits.size() <= m_scale) {
        digits.insert(0, m_scale + 1 - digits.size(), '0');
    }
    if (m_scale > 0) {
        digits.insert(digits.size() - m_scale, 1, '.');
    }
    return m_negative ? "-" + digits : digits;
}

std::strong_ordering operator<=>(const Decimal& a, const Decimal& b)
{
    if (a.m_negative != b.m_negative) {
        return a.m_negative ? std::strong_ordering::less : std::strong_ordering::greater;
    }
    const int scale = std::max(a.m_scale, b.m_scale);
    Decimal::Wide x = a.mantissa();
    Decimal::Wide y = b.mantissa();
    std::strong_ordering magnitude = std::strong_ordering::equal;
    // A mantissa that overflows 128 bits on alignment exceeds the other one (at most 96 bits).
    if (!scaleUp(x, scale - a.m_scale)) {
        magnitude = std::strong_ordering::greater;
    } else if (!scaleUp(y, scale - b.m_scale)) {
        magnitude = std::strong_ordering::less;
    } else {
        magnitude = x <=> y;
    }
    return a.m_negative ? 0 <=> magnitude : magnitude;
}

} // namespace tavimo
