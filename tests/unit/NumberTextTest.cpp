// Number recognition: the accepted grammar, full-width input, and the float and decimal values.
#include "model/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using tavimo::recogniseNumber;

namespace {

constexpr double infinity = std::numeric_limits<double>::infinity();

struct Accepted {
    std::string text;
    double value;
    bool whole;
    const char* decimal; // nullptr: beyond the decimal range
};

void expectAccepted(const Accepted& row, const tavimo::NumberFormat& format)
{
    const auto number = recogniseNumber(row.text, format);
    ASSERT_TRUE(number) << row.text;
    EXPECT_EQ(number->value, row.value) << row.text;
    EXPECT_EQ(number->whole, row.whole) << row.text;
    EXPECT_EQ(number->decimal ? number->decimal->toString() : "(none)",
              row.decimal ? row.decimal : "(none)")
        << row.text;
}

} // namespace

TEST(RecogniseNumber, AcceptsNumbersInTheJapaneseFormat)
{
    const std::string zeros(100000, '0');
    const Accepted rows[] = {
        {"123", 123, true, "123"},
        {"+5", 5, true, "5"},
        {"-5", -5, true, "-5"},
        {"7.0", 7, true, "7"},
        {"7.5", 7.5, false, "7.5"},
        {"7.", 7, true, "7"},
        {".5", 0.5, false, "0.5"},
        {"1,000", 1000, true, "1000"},
        {"12,345,678.25", 12345678.25, false, "12345678.25"},
        {"1E9", 1e9, true, "1000000000"},
        {"2E9", 2e9, true, "2000000000"},
        {"9E99", 9e99, true, nullptr},
        {"1e-3", 0.001, false, "0.001"},
        {"1e-400", 0, false, "0"},
        {"1e-310", 1e-310, false, "0"},
        {"7.50e1", 75, true, "75"},
        {"1.5E1", 15, true, "15"},
        {"-1e400", -infinity, true, nullptr},
        {"1e0000000000000000000001", 10, true, "10"},
        {"1e99999999999999999999", infinity, true, nullptr},
        {"1e-99999999999999999999", 0, false, "0"},
        {"0e99999999999999999999", 0, true, "0"},
        {"79228162514264337593543950336", 79228162514264337593543950336.0, true, nullptr},
        {"１２３", 123, true, "123"},
        {"－５", -5, true, "-5"},
        {"\u22122", -2, true, "-2"}, // U+2212 MINUS SIGN, then 2
        {"１．５", 1.5, false, "1.5"},
        {"＋１，０００ｅ３", 1e6, true, "1000000"},
        {"１Ｅ－１", 0.1, false, "0.1"},
        {"\u3000１２\u3000", 12, true, "12"},
        {" \t12 ", 12, true, "12"},
        {"1" + zeros, infinity, true, nullptr},
        {"0." + zeros + "1", 0, false, "0"},
        {zeros + "7" + "." + zeros, 7, true, "7"},
        {"1" + zeros + "e-100000", 1, true, "1"},
    };
    for (const auto& row : rows) {
        expectAccepted(row, tavimo::japaneseNumberFormat());
    }
    EXPECT_TRUE(std::signbit(recogniseNumber("-1e-400", tavimo::japaneseNumberFormat())->value));
    EXPECT_FALSE(recogniseNumber("-0", tavimo::japaneseNumberFormat())->decimal->isNegative());
}

TEST(RecogniseNumber, FollowsTheSeparatorsOfTheLocale)
{
    const struct {
        tavimo::NumberFormat format;
        Accepted row;
    } rows[] = {
        {{",", "."}, {"1.234,5", 1234.5, false, "1234.5"}},
        {{",", "\u00a0"}, {"1\u00a0000,25", 1000.25, false, "1000.25"}},
        {{",", "."}, {"１．０００，５", 1000.5, false, "1000.5"}},
        {{",", ","}, {"1,000", 1, true, "1"}},
        {{".", "\U0010FFFD"}, {"1\U0010FFFD000", 1000, true, "1000"}}, // 4 bytes from 0xF4
    };
    for (const auto& [format, row] : rows) {
        expectAccepted(row, format);
    }
    EXPECT_FALSE(recogniseNumber("1.5", {",", " "}));
}

TEST(RecogniseNumber, RejectsEverythingElse)
{
    const std::string_view rows[] = {
        "", " ", "\u3000", "1 000", "1\u3000000", "1\t0", "- 5", "1 e5", "1e 5", "1,00", "1,,000",
        ",1", "1,", "1234,567", "1,000,0000", "1,000.000,5", ".", "+", "-", "+-5", "5-", "--5",
        "1e", "1e+", "e5", ".e5", "1.2.3", "1..2", "1.5.", "inf", "-inf", "nan", "Infinity", "0x10",
        "abc", "12a", "1e5x", "１２ａ",
        // Invalid UTF-8: a stray byte, a cut sequence, an overlong "1", a surrogate; and a NUL.
        "\xff", "1\xc3", "\xe0\x80\xb1", "\xed\xa0\x80", std::string_view("1\0", 2)};
    for (const auto text : rows) {
        EXPECT_FALSE(recogniseNumber(text, tavimo::japaneseNumberFormat())) << text;
    }
}
