// The reading of plain ASCII number texts: with the library's from_chars and without it.
#include "model/AsciiFloat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string_view>

namespace {

struct Reading {
    std::string_view text;
    std::optional<double> value;
};

// Values a naive digit-by-digit reading gets wrong by one unit in the last place (0.1 × 12,
// 10^-5 as a quotient) are here on purpose, as are both ends of a double's range.
constexpr Reading readings[] = {
    {"0", 0.0},
    {"-0", -0.0},
    {"30", 30.0},
    {"1073577990", 1073577990.0},
    {"1e9", 1e9},
    {"1E9", 1e9},
    {"107e7", 1.07e9},
    {"12e-1", 1.2},
    {"1e-5", 0.00001},
    {"-5e+0", -5.0},
    {"123456789012345678901234567890", 1.2345678901234568e29},
    {"17976931348623157e292", std::numeric_limits<double>::max()},
    {"22250738585072014e-324", std::numeric_limits<double>::min()},
    {"4e-324", std::numeric_limits<double>::denorm_min()}, // kept below the smallest normal
    {"1e309", std::nullopt},                               // above the largest double
    {"2e-324", std::nullopt},                              // rounds to zero
    {"", std::nullopt},
    {"1.5", std::nullopt}, // a decimal point is no part of the form
    {" 1", std::nullopt},
    {"+1", std::nullopt},
    {"e5", std::nullopt},
    {"1e", std::nullopt},
    {"1e+", std::nullopt},
    {"0x10", std::nullopt},
    {"inf", std::nullopt},
    {"nan", std::nullopt},
};

void expectReading(std::optional<double> (*read)(std::string_view), const Reading& row)
{
    const std::optional<double> value = read(row.text);
    ASSERT_EQ(value.has_value(), row.value.has_value()) << "[" << row.text << "]";
    if (value) {
        EXPECT_EQ(*value, *row.value) << row.text;
        EXPECT_EQ(std::signbit(*value), std::signbit(*row.value)) << row.text;
    }
}

} // namespace

TEST(ReadAsciiFloat, ReadsThePlainFormCorrectlyRounded)
{
    for (const Reading& row : readings) {
        expectReading(tavimo::readAsciiFloat, row);
    }
}

// The reading that builds without from_chars for double: tested here on every build, whichever
// of the two the library makes readAsciiFloat take.
TEST(ReadAsciiFloat, ReadsTheSameWithoutFromChars)
{
    for (const Reading& row : readings) {
        expectReading(tavimo::readAsciiFloatWithoutFromChars, row);
    }
}
