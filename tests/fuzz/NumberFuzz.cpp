// Coverage-guided fuzzing of number recognition and the decimal number: the input is two typed
// texts, split at the first line feed, read in the Japanese format and in formats with other
// separators, and the results are held to invariants that need no second implementation.
#include "model/Decimal.h"
#include "model/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <compare>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

using tavimo::Decimal;
using tavimo::NumberFormat;
using tavimo::RecognisedNumber;

std::string_view first;
std::string_view second;

[[noreturn]] void broken(const char* invariant, int line, const std::string& detail)
{
    std::fprintf(stderr, "\nInvariant broken (NumberFuzz.cpp:%d): %s\n  %s\n", line, invariant,
                 detail.c_str());
    std::fprintf(stderr, "  first text:  \"%.*s\"\n  second text: \"%.*s\"\n",
                 static_cast<int>(first.size()), first.data(), static_cast<int>(second.size()),
                 second.data());
    std::abort();
}

#define CHECK(condition, detail)                                                                   \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            broken(#condition, __LINE__, detail);                                                  \
        }                                                                                          \
    } while (false)

const NumberFormat japanese = tavimo::japaneseNumberFormat();

// A format of another locale, and how a text in it is written in the Japanese format: each
// listed sequence is replaced, in one pass from the left, by its counterpart. Separators that the
// other format lacks become "x", which no number holds.
struct Locale {
    NumberFormat format;
    std::vector<std::pair<std::string_view, std::string_view>> toJapanese;
    bool comparable = true; // false where blanks are separators: trimming differs
};

const std::vector<Locale> locales{
    {{",", "."}, {{",", "."}, {".", ","}, {"，", "．"}, {"．", "，"}}},
    {{"٫", "٬"}, {{"٫", "."}, {"٬", ","}, {".", "x"}, {",", "x"}, {"．", "x"}, {"，", "x"}}},
    {{".", "'"}, {{"'", ","}, {",", "x"}, {"，", "x"}}},
    {{",", "\u00a0"}, {{"\u00a0", ","}, {",", "."}, {"，", "．"}, {".", "x"}, {"．", "x"}}},
    {{".", "."}, {{",", "x"}, {"，", "x"}}},
    {{"", ""}, {{".", "x"}, {",", "x"}, {"．", "x"}, {"，", "x"}}},
    {{"．", "，"}, {}},
    {{"point", "・"}, {{"・", ","}, {".", "x"}, {",", "x"}, {"．", "x"}, {"，", "x"}}},
    {{".", " "}, {}, false},
    {{"\xff", "\xc3"}, {{",", "x"}, {"，", "x"}, {".", "x"}, {"．", "x"}}},
};

// `text` with each listed sequence replaced, in one pass from the left, by its counterpart.
template <typename Replacement>
std::string replaced(std::string_view text,
                     const std::vector<std::pair<std::string_view, Replacement>>& pairs)
{
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const auto match = std::find_if(pairs.begin(), pairs.end(), [&](const auto& pair) {
            return text.substr(i, pair.first.size()) == pair.first;
        });
        if (match == pairs.end()) {
            out += text[i++];
        } else {
            out += match->second;
            i += match->first.size();
        }
    }
    return out;
}

std::string describe(const std::optional<RecognisedNumber>& r)
{
    if (!r) {
        return "not a number";
    }
    char value[64];
    std::snprintf(value, sizeof value, "%.17g", r->value);
    return std::string("value ") + value + (r->whole ? ", whole" : ", not whole") + ", decimal " +
           (r->decimal ? r->decimal->toString() : "(beyond the range)");
}

bool same(const std::optional<RecognisedNumber>& a, const std::optional<RecognisedNumber>& b)
{
    if (!a || !b) {
        return a.has_value() == b.has_value();
    }
    const bool sameValue = a->value == b->value && std::signbit(a->value) == std::signbit(b->value);
    const bool sameDecimal = a->decimal.has_value() == b->decimal.has_value() &&
                             (!a->decimal || a->decimal->toString() == b->decimal->toString());
    return sameValue && a->whole == b->whole && sameDecimal;
}

double toDouble(const Decimal& d)
{
    const std::string text = d.toString();
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    CHECK(error == std::errc{} && end == text.data() + text.size(), "cannot read back " + text);
    return value;
}

int fractionDigits(const Decimal& d)
{
    const std::string text = d.toString();
    const std::size_t point = text.find('.');
    return point == std::string::npos ? 0 : static_cast<int>(text.size() - point - 1);
}

// One decimal number on its own: its text, sign and integer value.
void checkDecimal(const Decimal& d)
{
    const std::string text = d.toString();
    const auto again = tavimo::recogniseNumber(text, japanese);
    CHECK(again && again->decimal, "its text is no number: " + text);
    CHECK(*again->decimal == d && again->decimal->toString() == text,
          text + " reads back as " + again->decimal->toString());
    const bool whole = text.find('.') == std::string::npos;
    CHECK(again->whole == whole, text);
    CHECK(!d.isZero() || !d.isNegative(), "negative zero " + text);
    CHECK(d.isNegative() == (text[0] == '-'), text);
    CHECK(whole || text.back() != '0', "a trailing zero in the fraction " + text);

    const auto fromZero = Decimal{}.plus(d);
    CHECK(fromZero && *fromZero == d, "0 + " + text);
    const auto itself = d.minus(d);
    CHECK(itself && itself->isZero() && !itself->isNegative(), text + " - itself");

    const bool int64Range = Decimal::fromInteger(std::numeric_limits<std::int64_t>::min()) <= d &&
                            d <= Decimal::fromInteger(std::numeric_limits<std::int64_t>::max());
    const std::optional<std::int64_t> integer = d.toInt64();
    CHECK(integer.has_value() == (whole && int64Range), text);
    if (integer) {
        CHECK(Decimal::fromInteger(*integer) == d && std::to_string(*integer) == text, text);
    }
}

// An accepted text of the Japanese format in plain ASCII, for the C library to read: full-width
// forms and the minus sign mapped, blanks around and group separators dropped.
std::string plainAscii(std::string_view text)
{
    static const std::vector<std::pair<std::string_view, char>> forms{
        {"０", '0'}, {"１", '1'}, {"２", '2'},     {"３", '3'}, {"４", '4'},
        {"５", '5'}, {"６", '6'}, {"７", '7'},     {"８", '8'}, {"９", '9'},
        {"＋", '+'}, {"－", '-'}, {"\u2212", '-'}, {"．", '.'}, {"，", ','},
        {"ｅ", 'e'}, {"Ｅ", 'E'}, {"\u3000", ' '}, {"\t", ' '}};
    std::string out = replaced(text, forms);
    std::erase(out, ',');
    std::erase(out, ' ');
    return out;
}

// Whether the number in plain ASCII is whole: its last nonzero digit stands at or before the
// units once the exponent has moved the point.
bool wholeByDigits(const std::string& ascii)
{
    const std::size_t e = ascii.find_first_of("eE");
    std::string mantissa = ascii.substr(0, e);
    // Exponents beyond any digit count decide alone; clamp them to keep the sum in range.
    long long exponent = 0;
    if (e != std::string::npos) {
        const std::string power = ascii.substr(e + 1);
        const bool negative = power[0] == '-';
        for (char c : power) {
            if (c >= '0' && c <= '9') {
                exponent = std::min(exponent * 10 + (c - '0'), 1'000'000'000LL);
            }
        }
        exponent = negative ? -exponent : exponent;
    }
    const std::size_t point = mantissa.find('.');
    if (point != std::string::npos) {
        exponent -= static_cast<long long>(mantissa.size() - point - 1);
        mantissa.erase(point, 1);
    }
    const std::size_t last = mantissa.find_last_of("123456789");
    if (last == std::string::npos) {
        return true; // zero
    }
    return exponent + static_cast<long long>(mantissa.size() - 1 - last) >= 0;
}

// One text in every format: the float, the whole flag and the decimal agree with each other.
void checkText(std::string_view text)
{
    const auto r = tavimo::recogniseNumber(text, japanese);
    for (const Locale& locale : locales) {
        const auto other = tavimo::recogniseNumber(text, locale.format);
        if (other && other->decimal) {
            checkDecimal(*other->decimal);
        }
        if (locale.comparable) {
            const std::string written = replaced(text, locale.toJapanese);
            const auto mapped = tavimo::recogniseNumber(written, japanese);
            CHECK(same(other, mapped), "in the format \"" + locale.format.decimalPoint + "\" \"" +
                                           locale.format.groupSeparator + "\": " + describe(other) +
                                           "; as \"" + written +
                                           "\" in the Japanese format: " + describe(mapped));
        }
    }
    if (!r) {
        return;
    }
    CHECK(!std::isnan(r->value), describe(r));
    const std::string ascii = plainAscii(text);
    // Both read the exact value and round it once, so they give the same float.
    const double expected = std::strtod(ascii.c_str(), nullptr);
    CHECK(r->value == expected && std::signbit(r->value) == std::signbit(expected),
          describe(r) + "; the C library reads \"" + ascii + "\"");
    CHECK(r->whole == wholeByDigits(ascii), describe(r) + " of \"" + ascii + "\"");
    CHECK(!r->whole || std::isinf(r->value) || std::floor(r->value) == r->value, describe(r));
    if (!r->decimal) {
        // Beyond the range only in magnitude: at least 2^96 - 0.5 once rounded.
        CHECK(std::fabs(r->value) >= 7.9e28, describe(r));
        return;
    }
    const Decimal& d = *r->decimal;
    checkDecimal(d);
    CHECK(std::isfinite(r->value), describe(r));
    CHECK(!r->whole || fractionDigits(d) == 0, describe(r));
    const double back = toDouble(d);
    if (r->whole) {
        // A whole number in range is held exactly, so both floats round the same value.
        CHECK(back == r->value, describe(r));
    } else {
        CHECK(std::fabs(back - r->value) <= std::fabs(r->value) * 1e-15 + 1e-27, describe(r));
    }
    if (!d.isZero()) {
        CHECK(r->value != 0 && (r->value < 0) == d.isNegative(), describe(r));
    }
}

// Two decimal numbers: ordering, and exact sums and differences.
void checkPair(const Decimal& a, const Decimal& b)
{
    const std::string pair = a.toString() + " and " + b.toString();
    const auto ab = a <=> b;
    const auto ba = b <=> a;
    CHECK((ab < 0) == (ba > 0) && (ab == 0) == (ba == 0), pair);
    CHECK((ab == 0) == (a.toString() == b.toString()), pair);
    if (ab < 0) {
        CHECK(toDouble(a) <= toDouble(b), pair);
    }

    const auto difference = a.minus(b);
    const auto reverse = b.minus(a);
    CHECK(difference.has_value() == reverse.has_value(), pair);
    const int scale = std::max(fractionDigits(a), fractionDigits(b));
    if (difference) {
        CHECK(difference->isZero() == (ab == 0) && difference->isNegative() == (ab < 0), pair);
        const auto zero = difference->plus(*reverse);
        CHECK(zero && zero->isZero(), pair);
        const auto restored = difference->plus(b);
        CHECK(restored && *restored == a, pair);
        const auto restoredOther = b.plus(*difference);
        CHECK(restoredOther && *restoredOther == a, pair);
    } else {
        // Refused only when the exact difference needs more than 96 bits at the larger scale.
        const double magnitude = std::fabs(toDouble(a) - toDouble(b)) * std::pow(10.0, scale);
        CHECK(magnitude >= 7.9e28, pair + ": difference refused");
    }

    const auto sum = a.plus(b);
    const auto sumOther = b.plus(a);
    CHECK(sum.has_value() == sumOther.has_value(), pair);
    if (sum) {
        CHECK(*sum == *sumOther, pair);
        const auto restored = sum->minus(b);
        CHECK(restored && *restored == a, pair);
    } else {
        const double magnitude = std::fabs(toDouble(a) + toDouble(b)) * std::pow(10.0, scale);
        CHECK(magnitude >= 7.9e28, pair + ": sum refused");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find('\n');
    first = input.substr(0, split);
    second = split == std::string_view::npos ? std::string_view() : input.substr(split + 1);

    checkText(first);
    checkText(second);
    const auto a = tavimo::recogniseNumber(first, japanese);
    const auto b = tavimo::recogniseNumber(second, japanese);
    if (a && a->decimal && b && b->decimal) {
        checkPair(*a->decimal, *b->decimal);
    }
    return 0;
}
