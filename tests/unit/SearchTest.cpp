// The press of Run end to end on the model: checks, messages, the enumeration and the output.
#include "Messages.h"
#include "Sieve.h"
#include "TestSupport.h"
#include "model/frmMain.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>

namespace tavimo {
namespace {

using namespace test;

struct Search : LoadedWindow {
    void enter(const std::string& a, const std::string& b) { press(a, b, false); }
    void horizontal()
    {
        form.cmdXY_Click();
        platform.calls.clear();
    }
};

std::string vertical(const std::vector<std::int64_t>& primes, std::size_t from, std::size_t to)
{
    std::string text;
    for (std::size_t i = from; i < to && i < primes.size(); ++i) {
        text += "\r\n" + std::to_string(primes[i]);
    }
    return text;
}

TEST_F(Search, OneToThirtyInBothOrientations)
{
    press("1", "30");
    EXPECT_EQ(form.txt3.text,
              "素数は,\r\n2\r\n3\r\n5\r\n7\r\n11\r\n13\r\n17\r\n19\r\n23\r\n29\r\nです。");
    EXPECT_EQ(form.lbl2.caption, "10");
    EXPECT_EQ(form.lbl2.rect.left, 840);
    EXPECT_EQ(form.lbl2k.caption, "個");
    EXPECT_EQ(form.cmdJIKKO.caption, "実行");
    EXPECT_TRUE(platform.calls.empty()); // silent at start-up: no beep

    horizontal();
    enter("30", "1"); // reversed bounds give the same list
    EXPECT_EQ(form.txt3.text, "素数は,2,3,5,7,11,13,17,19,23,29,\r\nです。");
    EXPECT_EQ(form.txt3.alignment, Alignment::Left);
    EXPECT_EQ(form.lbl2.caption, "10");
    EXPECT_EQ(form.txt1.text, "30"); // the inputs keep their texts
}

struct FixedCase {
    const char* lower;
    const char* upper;
    bool horizontal;
    std::string text;
    const char* count;
};

TEST_F(Search, SmallAndFixedRanges)
{
    const FixedCase cases[] = {
        {"1", "2", false, "素数は,2\r\nです。", "1"},
        {"2", "2", true, "素数は,2\r\nです。", "1"},
        {"0", "2", false, "素数は,\r\n2\r\nです。", "1"},
        {"0", "2", true, "素数は,\r\n2\r\nです。", "1"},
        {"3", "3", false, "素数は,\r\n3\r\nです。", "1"},
        {"3", "3", true, "素数は,\r\n3\r\nです。", "1"},
        {"0", "0", false, "素数は,\r\nです。", "0"},
        {"0", "1", true, "素数は,\r\nです。", "0"},
        {"3", "10", false, "素数は,\r\n3\r\n5\r\n7\r\nです。", "3"},
        {"3", "10", true, "素数は,3,5,7,\r\nです。", "3"},
        {"2", "10", false, "素数は,\r\n2\r\n3\r\n5\r\n7\r\nです。", "4"},
        {"4", "10", true, "素数は,5,7,\r\nです。", "2"},
        {"9", "9", false, "素数は,\r\nです。", "0"},
        {"24", "28", false, "素数は,\r\nです。", "0"},
        {"0", "25", false, "素数は,\r\n2\r\n3\r\n5\r\n7\r\n11\r\n13\r\n17\r\n19\r\n23\r\nです。",
         "9"},
        {"49", "49", false, "素数は,\r\nです。", "0"},
        {"121", "127", false, "素数は,\r\n127\r\nです。", "1"},
        {"7.0", "5", false, "素数は,\r\n5\r\n7\r\nです。", "2"},
    };
    for (const FixedCase& c : cases) {
        SCOPED_TRACE(std::string(c.lower) + " to " + c.upper);
        if (form.SwithXY != c.horizontal) {
            horizontal();
        }
        press(c.lower, c.upper);
        EXPECT_EQ(form.txt3.text, c.text);
        EXPECT_EQ(form.lbl2.caption, c.count);
        EXPECT_EQ(form.lbl2k.caption, "個");
        EXPECT_EQ(form.cmdJIKKO.caption, "実行");
    }
}

TEST_F(Search, OneToOneHasNoPrimesAndLeavesTheCount)
{
    enter("1", "5");
    form.cmdOTO_Click();
    enter("1", "1");
    EXPECT_EQ(form.txt3.text, noPrimes);
    EXPECT_EQ(form.lbl2.caption, "3"); // the count is not touched
    EXPECT_EQ(platform.count("beep"), 1);
    EXPECT_EQ(form.cmdJIKKO.caption, "実行");
    // After a mouse press the count is blank; the caption still returns to Run.
    press("1", "1");
    EXPECT_EQ(form.lbl2.caption, "");
    EXPECT_EQ(form.cmdJIKKO.caption, "実行");
}

TEST_F(Search, OneToOneHundredThousandFillsTwoBoxes)
{
    press("1", "100000");
    const std::vector<std::int64_t> primes = test::sievePrimes(1, 100000);
    ASSERT_EQ(primes.size(), 9592u);
    EXPECT_EQ(form.txt3.text, "素数は" + vertical(primes, 0, 5000) + "\r\nつづく‥");
    EXPECT_EQ(form.txt4.text, "‥つづき" + vertical(primes, 5000, 9592) + "\r\nです。");
    EXPECT_TRUE(form.txt3.text.ends_with("\r\n48611\r\nつづく‥"));
    EXPECT_TRUE(form.txt4.text.starts_with("‥つづき\r\n48619\r\n"));
    EXPECT_EQ(form.lbl2.caption, "9592");
    EXPECT_EQ(form.width(), 5000); // two boxes fit the window as it is
    EXPECT_EQ(form.fram2.rect.width, 2700);
    EXPECT_EQ(form.txt3.rect.width, 1300);
    EXPECT_EQ(form.txt4.rect.left, 1400);
    EXPECT_TRUE(form.txt4.visible);
    EXPECT_TRUE(form.cmdCOPY4.visible);
    EXPECT_FALSE(form.txt5.visible);
    EXPECT_FALSE(form.cmdCOPY5.visible);
    EXPECT_FALSE(form.SwithXY);
}

TEST_F(Search, OneToAMillionStopsAtTheCap)
{
    horizontal(); // a range over 40000 is listed vertically whatever the switch says
    press("1000000", "1");
    const std::vector<std::int64_t> primes = test::sievePrimes(1, 224737);
    ASSERT_EQ(primes.size(), 20000u);
    EXPECT_EQ(form.cmdXY.caption, "縦");
    EXPECT_EQ(form.txt3.text, "素数は" + vertical(primes, 0, 5000) + "\r\nつづく‥");
    EXPECT_EQ(form.txt4.text, "‥つづき" + vertical(primes, 5000, 10000) + "\r\nつづく‥");
    EXPECT_EQ(form.txt5.text, "‥つづき" + vertical(primes, 10000, 15000) + "\r\nつづく‥");
    EXPECT_EQ(form.txt6.text, "‥つづき" + vertical(primes, 15000, 20000) + continuation);
    EXPECT_TRUE(form.txt4.text.ends_with("\r\n104729\r\nつづく‥"));
    EXPECT_TRUE(form.txt6.text.starts_with("‥つづき\r\n163847\r\n"));
    EXPECT_EQ(form.su0, 224737);
    EXPECT_TRUE(form.Ijo);
    EXPECT_EQ(form.m, 20000);
    EXPECT_TRUE(form.cmdCOPY.enabled);
    EXPECT_EQ(form.lbl2.caption, "20000");
    EXPECT_EQ(form.lbl2.rect.left, 500);
    EXPECT_EQ(form.lbl2k.caption, "個以上");
    EXPECT_EQ(form.width(), 7900);
    EXPECT_EQ(form.height(), 4050);
    EXPECT_EQ(form.fram2.rect.width, 5600);
    for (const TextBox* box : {&form.txt3, &form.txt4, &form.txt5, &form.txt6}) {
        EXPECT_TRUE(box->visible);
        EXPECT_EQ(box->rect.width, 1300);
    }
    EXPECT_EQ(form.txt5.rect.left, 2800);
    EXPECT_EQ(form.txt6.rect.left, 4200);
    EXPECT_TRUE(form.cmdCOPY6.visible);
}

struct BoxBoundary {
    const char* upper;
    int count;
    int boxes;
    float windowWidth;
    bool capped;
    std::int64_t su0;
};

TEST_F(Search, BoxBoundaries)
{
    const BoxBoundary cases[] = {
        {"48611", 5000, 1, 5000, false, 0},       {"48619", 5001, 2, 5000, false, 0},
        {"104729", 10000, 2, 5000, false, 0},     {"104743", 10001, 3, 6500, false, 0},
        {"163841", 15000, 3, 6500, false, 0},     {"163847", 15001, 4, 7900, false, 163847},
        {"224737", 20000, 4, 7900, true, 224737}, {"224743", 20000, 4, 7900, true, 224737},
    };
    for (const BoxBoundary& c : cases) {
        SCOPED_TRACE(c.upper);
        press("1", c.upper);
        EXPECT_EQ(form.lbl2.caption, std::to_string(c.count));
        EXPECT_EQ(form.lbl2k.caption, c.capped ? "個以上" : "個");
        EXPECT_EQ(form.width(), c.windowWidth);
        EXPECT_EQ(form.cmdCOPY.enabled, c.capped);
        EXPECT_EQ(form.su0, c.su0);
        const TextBox* boxes[] = {&form.txt3, &form.txt4, &form.txt5, &form.txt6};
        const CommandButton* copies[] = {&form.cmdCOPY3, &form.cmdCOPY4, &form.cmdCOPY5,
                                         &form.cmdCOPY6};
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(boxes[i]->visible, i < c.boxes) << i;
            EXPECT_EQ(copies[i]->visible, i < c.boxes) << i;
        }
        EXPECT_EQ(form.txt3.text.starts_with("素数は,"), c.boxes == 1);
        if (c.boxes == 2) {
            EXPECT_TRUE(form.txt4.text.ends_with(c.upper + std::string("\r\nです。")));
        }
        if (c.count == 5001) {
            EXPECT_EQ(form.txt4.text, "‥つづき\r\n48619\r\nです。");
        }
    }
}

TEST_F(Search, AgreesWithASieveOnSeededRandomRanges)
{
    std::mt19937_64 random(20261207);
    struct Region {
        std::int64_t from, to, maxWidth;
    };
    const Region regions[] = {
        {0, 200, 200},
        {0, 100000, 3000},
        {99990000, 99999999, 8000},
        {1073500000, 1073577990, 3000},
        {0, 1073577990, 2000},
    };
    for (const Region& region : regions) {
        for (int i = 0; i < 12; ++i) {
            std::int64_t lower =
                std::uniform_int_distribution<std::int64_t>(region.from, region.to)(random);
            std::int64_t upper = std::min<std::int64_t>(
                region.to,
                lower + std::uniform_int_distribution<std::int64_t>(0, region.maxWidth)(random));
            if (i == 0) {
                // The top end of the region, 1073577990 included.
                upper = region.to;
                lower = region.to - region.maxWidth;
            }
            // Odd rows horizontal, even rows vertical.
            if (form.SwithXY != (i % 2 == 1)) {
                form.cmdXY_Click();
            }
            ASSERT_EQ(form.SwithXY, i % 2 == 1);
            SCOPED_TRACE(std::to_string(lower) + " to " + std::to_string(upper));
            enter(std::to_string(lower), std::to_string(upper));
            const std::vector<std::int64_t> expected = test::sievePrimes(lower, upper);
            EXPECT_EQ(listed(form), expected);
            EXPECT_EQ(form.lbl2.caption, std::to_string(expected.size()));
        }
    }
}

TEST_F(Search, RejectsTextsThatAreNotWholeNumbers)
{
    form.cmdOTO_Click(); // beep on: a rejected input still ends without one
    platform.calls.clear();
    const std::pair<const char*, const char*> cases[] = {
        {"‥から", "‥まで"}, {"7.5", "10"}, {"10", "7.5"}, {"", "10"},
        {"1 0", "20"},      {"abc", "1"},  {"1", "1e-3"}, {"inf", "1"},
    };
    for (const auto& [a, b] : cases) {
        SCOPED_TRACE(std::string(a) + " / " + b);
        form.SwithGO = true;
        press(a, b);
        EXPECT_EQ(form.txt3.text, notNatural);
        EXPECT_FALSE(form.SwithGO);
        EXPECT_EQ(form.cmdJIKKO.caption, "実行");
        EXPECT_TRUE(form.txt4.text.empty());
    }
    EXPECT_EQ(platform.count("beep"), 0);
}

TEST_F(Search, NegativeBoundIsReportedAfterTheWideRangeRules)
{
    form.cmdOTO_Click();
    horizontal();
    press("-5", "10");
    EXPECT_EQ(form.txt3.text, negative);
    EXPECT_TRUE(form.SwithGO); // unchanged
    EXPECT_EQ(platform.count("beep"), 1);
    EXPECT_EQ(form.cmdJIKKO.caption, "実行"); // never left at "検索中"
    EXPECT_TRUE(form.SwithXY);

    // A wide range with a negative bound still forces vertical, and still warns first.
    form.cmdKESU_Click();
    horizontal();
    press("-5", "300000");
    EXPECT_EQ(form.cmdXY.caption, "縦");
    EXPECT_EQ(form.txt3.text, warning);
    press("-5", "300000");
    EXPECT_EQ(form.txt3.text, negative);
    EXPECT_EQ(platform.count("beep"), 2);
}

TEST_F(Search, OrientationIsForcedVerticalAboveFortyThousand)
{
    horizontal();
    enter("0", "40000");
    EXPECT_TRUE(form.SwithXY);
    EXPECT_EQ(form.cmdXY.caption, "横");
    EXPECT_TRUE(form.txt3.text.starts_with("素数は,2,3,5,"));
    EXPECT_EQ(form.lbl2.caption, "4203");
    enter("0", "40001");
    EXPECT_FALSE(form.SwithXY);
    EXPECT_EQ(form.cmdXY.caption, "縦");
    EXPECT_TRUE(form.txt3.text.starts_with("素数は,\r\n2\r\n3\r\n5\r\n"));
}

TEST_F(Search, LongRunWarningFollowsTheGoAheadSwitch)
{
    press("0", "199999"); // right after start long searches run at once
    EXPECT_EQ(form.lbl2.caption, "17984");
    EXPECT_EQ(form.lbl2k.caption, "個");

    form.cmdKESU_Click(); // Clear withdraws the go-ahead
    form.cmdOTO_Click();
    platform.calls.clear();
    press("0", "199998");
    EXPECT_EQ(form.lbl2.caption, "17983");
    EXPECT_FALSE(form.SwithGO); // a shorter search leaves it as it was

    press("199999", "0");
    EXPECT_EQ(form.txt3.text, warning);
    EXPECT_EQ(form.txt3.rect.width, 2450);
    EXPECT_EQ(form.txt3.rect.height, 3100);
    EXPECT_EQ(form.cmdJIKKO.caption, "継続");
    EXPECT_TRUE(form.SwithGO);
    EXPECT_EQ(platform.count("beep"), 2);

    press("199999", "0"); // the second press searches
    EXPECT_EQ(form.lbl2.caption, "17984");
    EXPECT_EQ(form.cmdJIKKO.caption, "実行");

    // From the keyboard the count still shows the last result, so the caption returns to Run.
    form.cmdKESU_Click();
    enter("1", "10");
    enter("0", "250000");
    EXPECT_EQ(form.txt3.text, warning);
    EXPECT_EQ(form.cmdJIKKO.caption, "実行");
}

TEST_F(Search, BoundsBeyondTheSearchAreRefused)
{
    form.cmdOTO_Click();
    platform.calls.clear();
    const std::pair<const char*, const char*> refused[] = {
        {"9E99", "1"}, {"1", "1E400"}, {"1", "2E9"}, {"1073577991", "1073577991"}, {"-9E99", "1"},
    };
    for (const auto& [a, b] : refused) {
        SCOPED_TRACE(std::string(a) + " / " + b);
        form.SwithGO = true;
        enter(a, b);
        EXPECT_EQ(form.txt3.text, beyondLimit);
        EXPECT_EQ(form.cmdJIKKO.caption, "実行");
        EXPECT_TRUE(form.txt4.text.empty());
    }
    EXPECT_EQ(platform.count("beep"), 5);

    // A wide request within the decimal range goes through the warning first.
    form.cmdKESU_Click();
    horizontal();
    press("1", "2E9");
    EXPECT_EQ(form.txt3.text, warning);
    EXPECT_FALSE(form.SwithXY);
    press("1", "2E9");
    EXPECT_EQ(form.txt3.text, beyondLimit);

    // The heaviest request accepted: from 10^9 (in exponent notation) to the largest candidate.
    enter("1073577990", "1E9");
    std::vector<std::int64_t> expected = test::sievePrimes(1000000000, 1000500000);
    expected.resize(20000);
    EXPECT_EQ(listed(form), expected);
    EXPECT_EQ(form.lbl2k.caption, "個以上");
}

TEST_F(Search, MousePressPreparesOneEmptyBox)
{
    press("1", "1000000");
    form.cmdJIKKO_MouseDown(2, 0, 0, 0); // any button
    EXPECT_EQ(form.width(), 5000);
    EXPECT_EQ(form.height(), 4050);
    EXPECT_EQ(form.txt3.text, "調べてます。");
    EXPECT_EQ(form.txt3.rect.width, 2550);
    EXPECT_EQ(form.lbl2.caption, "");
    EXPECT_FALSE(form.cmdCOPY.enabled);
    for (const TextBox* box : {&form.txt4, &form.txt5, &form.txt6}) {
        EXPECT_FALSE(box->visible);
        EXPECT_TRUE(box->text.empty());
    }
    for (const CommandButton* b : {&form.cmdCOPY4, &form.cmdCOPY5, &form.cmdCOPY6}) {
        EXPECT_FALSE(b->visible);
    }
    EXPECT_EQ(form.cmdJIKKO.caption, "実行"); // no search ran
}

TEST_F(Search, KeyboardPressAfterFourBoxesWritesOnlyTheFirstBox)
{
    press("1", "1000000");
    enter("1", "30");
    EXPECT_EQ(form.width(), 7900);
    EXPECT_TRUE(form.txt6.visible);
    EXPECT_TRUE(form.txt6.text.empty());
    EXPECT_TRUE(form.cmdCOPY6.visible);
    EXPECT_TRUE(form.cmdCOPY.enabled); // only a mouse press disables Move
    EXPECT_EQ(form.lbl2.rect.left, 840);
    EXPECT_EQ(form.lbl2k.caption, "個");
    EXPECT_EQ(form.su0, 224737);
}

} // namespace
} // namespace tavimo
