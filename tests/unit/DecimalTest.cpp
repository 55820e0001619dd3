// The decimal number of the bounds: range, rounding, normal form, ordering and exact arithmetic.
#include "model/Decimal.h"

#include <gtest/gtest.h>

#include <limits>
#include <tuple>

using tavimo::Decimal;

namespace {

constexpr std::int64_t int64Max = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t int64Min = std::numeric_limits<std::int64_t>::min();
const std::string maxValue = "79228162514264337593543950335"; // 2^96 - 1
const std::string tiny = "0.0000000000000000000000000001";    // 10^-28

// "-12.5" gives fromDigits(true, "125", -1).
std::optional<Decimal> parse(std::string_view text)
{
    const bool negative = text.front() == '-';
    std::string digits(text.substr(negative ? 1 : 0));
    const auto point = digits.find('.');
    std::int64_t exponent = 0;
    if (point != std::string::npos) {
        exponent = -static_cast<std::int64_t>(digits.size() - point - 1);
        digits.erase(point, 1);
    }
    return Decimal::fromDigits(negative, digits, exponent);
}

std::string show(const std::optional<Decimal>& value)
{
    return value ? value->toString() : "none";
}

} // namespace

TEST(Decimal, FromDigitsKeepsRangeRoundsHalfToEvenAndNormalises)
{
    const std::tuple<bool, std::string, std::int64_t, std::string> rows[] = {
        {false, maxValue, 0, maxValue},
        {false, "79228162514264337593543950336", 0, "none"},
        {false, "7922816251426433759354395033", 1, "79228162514264337593543950330"},
        {false, "7922816251426433759354395034", 1, "none"},
        {false, "1", 28, "1" + std::string(28, '0')},
        {false, "0", int64Max, "0"},
        {false, "1", int64Max, "none"},
        {true, "1", int64Min, "0"},
        {true, "00012300", -2, "-123"},
        {false, "1", -28, tiny},
        {false, "5", -29, "0"},
        {false, "15", -29, "0.0000000000000000000000000002"},
        {false, "251", -30, "0.0000000000000000000000000003"},
        // 30 significant digits keep 29, the tie going to the even neighbour.
        {false, "123456789012345678901234567885", -29, "1.2345678901234567890123456788"},
        {true, "123456789012345678901234567895", -29, "-1.234567890123456789012345679"},
        // 29 digits above 2^96 - 1 keep 28, and the carry leaves a whole number.
        {false, "99999999999999999999999999999", -28, "10"},
        {false, "792281625142643375935439503345", -1, "79228162514264337593543950334"},
        {false, "7922816251426433759354395033451", -2, maxValue},
        {false, "792281625142643375935439503355", -1, "none"},
        {false, std::string(100000, '9'), -100000, "1"},
        {false, std::string(100000, '7'), 0, "none"},
    };
    for (const auto& [negative, digits, exponent, expected] : rows) {
        const auto value = Decimal::fromDigits(negative, digits, exponent);
        EXPECT_EQ(show(value), expected) << digits.substr(0, 40) << "e" << exponent;
        EXPECT_FALSE(value && value->isZero() && value->isNegative()) << digits << "e" << exponent;
    }
}

TEST(Decimal, WholeAndInt64)
{
    constexpr auto none = std::nullopt;
    // A whole number is written without a decimal point.
    const std::tuple<std::string, bool, std::optional<std::int64_t>> rows[] = {
        {"0", true, 0},
        {"7", true, 7},
        {"2.0", true, 2},
        {"7.5", false, none},
        {"-0.2", false, none},
        {"4294967296", true, 4294967296},
        {"18446744073709551617", true, none},
        {"9223372036854775807", true, int64Max},
        {"9223372036854775808", true, none},
        {"-9223372036854775808", true, int64Min},
        {"-9223372036854775809", true, none},
        {maxValue, true, none},
    };
    for (const auto& [text, whole, asInt64] : rows) {
        const auto value = parse(text);
        EXPECT_EQ(value->toString().find('.') == std::string::npos, whole) << text;
        EXPECT_EQ(value->toInt64(), asInt64) << text;
        if (asInt64) {
            EXPECT_EQ(Decimal::fromInteger(*asInt64).toString(), std::to_string(*asInt64));
        }
    }
}

TEST(Decimal, ComparesAcrossScalesAndSigns)
{
    using Order = std::strong_ordering;
    const std::tuple<std::string, std::string, Order> rows[] = {
        {"7.0", "7", Order::equal},
        {"-0", "0", Order::equal},
        {"-0.5", "-1", Order::greater},
        {"-1000", "0.001", Order::less},
        {"1.0000000000000000000000000001", "1", Order::greater},
        {"2", "1.9999999999999999999999999999", Order::greater},
        {maxValue, "1.0000000000000000000000000001", Order::greater},
        {"-" + maxValue, "-1.0000000000000000000000000001", Order::less},
        {"18446744073709551616", "18446744073709551615.9", Order::greater},
    };
    for (const auto& [a, b, expected] : rows) {
        EXPECT_TRUE((*parse(a) <=> *parse(b)) == expected) << a << " " << b;
        EXPECT_TRUE((*parse(b) <=> *parse(a)) == (0 <=> expected)) << b << " " << a;
    }
}

TEST(Decimal, PlusAndMinusAreExactOrRefused)
{
    const std::tuple<std::string, char, std::string, std::string> rows[] = {
        {"79228162514264337593543950334", '+', "1", maxValue},
        {maxValue, '+', "1", "none"},
        {"-" + maxValue, '-', "1", "none"},
        {maxValue, '-', maxValue, "0"},
        {"0.5", '+', "0.5", "1"},
        {"18446744073709551615", '+', "1", "18446744073709551616"},
        {"18446744073709551616", '-', "1", "18446744073709551615"},
        {"1", '-', "1.5", "-0.5"},
        {"3", '-', "5", "-2"},
        {"7922816251426433759354395033.4", '+', "0.1", "7922816251426433759354395033.5"},
        {maxValue, '+', "0.1", "none"},
        {maxValue, '-', tiny, "none"},
        // Aligned to 28 places the first mantissa leaves less than 10^27 below 2^128.
        {"34028236692", '+', "1.0000000000000000000000000001", "none"},
        {"5", '-', tiny, "4.9999999999999999999999999999"},
        {"10", '-', tiny, "none"},
        {tiny, '-', tiny, "0"},
    };
    for (const auto& [a, operation, b, expected] : rows) {
        const auto result =
            operation == '+' ? parse(a)->plus(*parse(b)) : parse(a)->minus(*parse(b));
        EXPECT_EQ(show(result), expected) << a << " " << operation << " " << b;
        EXPECT_FALSE(result && result->isZero() && result->isNegative()) << a << operation << b;
    }
}
