// The decimal number of the bounds: a 96-bit unsigned mantissa, a sign and a power-of-ten scale
// from 0 to 28, with exact comparison and arithmetic; results beyond the range are refused.
#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tavimo {

class Decimal {
public:
    static constexpr int maxScale = 28;

    Decimal() = default; // zero

    static Decimal fromInteger(std::int64_t value);

    // The value digits × 10^exponent, where digits is a run of ASCII decimal digits (leading
    // zeros allowed, at least one digit). Digits beyond the 96-bit mantissa or a scale beyond 28
    // are rounded half to even, as the decimal type of the platform does; an integer part that
    // does not fit in 96 bits gives nullopt.
    static std::optional<Decimal> fromDigits(bool negative, std::string_view digits,
                                             std::int64_t exponent);

    bool isNegative() const; // false for zero, also for "-0"
    bool isZero() const;

    // Exact; nullopt when the exact result does not fit.
    std::optional<Decimal> plus(const Decimal& other) const;
    std::optional<Decimal> minus(const Decimal& other) const;

    // The value when it is whole and fits, else nullopt.
    std::optional<std::int64_t> toInt64() const;

    // Plain decimal digits: "-" for negatives, "." only when there is a fraction, no exponent.
    std::string toString() const;

    friend std::strong_ordering operator<=>(const Decimal& a, const Decimal& b);
    friend bool operator==(const Decimal& a, const Decimal& b)
    {
        return (a <=> b) == std::strong_ordering::equal;
    }

private:
    __extension__ typedef unsigned __int128 Wide;

    Wide mantissa() const;
    // Strips trailing fractional zeros; nullopt when the mantissa needs more than 96 bits.
    static std::optional<Decimal> make(bool negative, Wide mantissa, int scale);

    // 96 bits in three words, least significant first; the value is ±mantissa / 10^scale.
    // Normalised: a nonzero scale never leaves a trailing zero, so whole numbers have scale 0,
    // and zero is never negative.
    std::uint32_t m_low = 0;
    std::uint32_t m_mid = 0;
    std::uint32_t m_high = 0;
    std::uint8_t m_scale = 0;
    bool m_negative = false;
};

} // namespace tavimo
