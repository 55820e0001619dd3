// Seeded random use of the whole window: runs, Clear, Move, the switches, the copies and resizes
// to any size, with the rules that must hold after every action checked as it goes.
//
// TAVIMO_RANDOM_USE_COUNT sets the number of actions and TAVIMO_RANDOM_USE_SEED the seed.
#include "Sieve.h"
#include "TestSupport.h"
#include "model/frmMain.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace tavimo {
namespace {

// The sizes where the layout changes its rule, each exactly and one twip either side.
const std::vector<float> edgeSizes{0,    1,    679,  680,  681,  899,   900,  901,     949,
                                   950,  951,  2449, 2450, 2451, 2499,  2500, 2501,    2499.5f,
                                   4050, 5000, 6500, 7900, 9000, 30000, 1e6f, 16777216};

// Texts a user leaves in the inputs, with the value the Move command compares; no value: the
// text holds no usable number (Move writes into that input).
struct Input {
    std::string text;
    std::optional<double> value;
};

const std::vector<Input> oddInputs{
    {"", std::nullopt},
    {"‥から", std::nullopt},
    {"‥まで", std::nullopt},
    {"abc", std::nullopt},
    {"9E99", std::nullopt},
    {"1 2", std::nullopt},
    {"-5", -5.0},
    {"7.5", 7.5},
    {"１２", 12.0},
    {"1E9", 1e9},
    {"-0", 0.0},
    {"1,000", 1000.0},
};

struct RandomUse : test::LoadedWindow {
    std::mt19937_64 random;
    std::map<std::string, long> seen;

    bool chance(double p) { return std::bernoulli_distribution(p)(random); }
    std::int64_t between(std::int64_t low, std::int64_t high)
    {
        return std::uniform_int_distribution<std::int64_t>(low, high)(random);
    }

    const Input& oddInput()
    {
        return oddInputs[static_cast<std::size_t>(
            between(0, static_cast<std::int64_t>(oddInputs.size()) - 1))];
    }

    float anySize()
    {
        if (chance(0.5)) {
            return edgeSizes[static_cast<std::size_t>(
                between(0, static_cast<std::int64_t>(edgeSizes.size()) - 1))];
        }
        return static_cast<float>(between(0, 12000));
    }

    // Every width and height in the model is zero or more; fram3's top edge may be negative.
    void expectNoNegativeSize()
    {
        form.forEachControl([](const auto& control) {
            EXPECT_GE(control.rect.width, 0) << control.name;
            EXPECT_GE(control.rect.height, 0) << control.name;
        });
        EXPECT_GE(form.width(), 0);
        EXPECT_GE(form.height(), 0);
    }

    // What a resize lays out: the results area, and the other boxes' heights when txt4 holds text.
    static std::vector<float> laidOut(const frmMain& f)
    {
        std::vector<float> all{f.fram2.rect.width, f.fram2.rect.height, f.fram3.rect.top,
                               f.txt3.rect.width, f.txt3.rect.height};
        for (const TextBox* box : {&f.txt4, &f.txt5, &f.txt6}) {
            all.push_back(f.txt4.text.empty() ? 0 : box->rect.height);
        }
        return all;
    }

    // The layout is that of a freshly loaded window given the same size (and text in txt4).
    void expectLayout()
    {
        test::RecordingPlatform otherPlatform;
        frmMain fresh(otherPlatform);
        fresh.Form_Load();
        fresh.txt4.text = form.txt4.text.empty() ? "" : "\r\n48619";
        fresh.setSize(form.width(), form.height());
        fresh.Form_Resize();
        EXPECT_EQ(laidOut(form), laidOut(fresh));
    }

    // txt3 sized from the window as Clear, the switch to horizontal and the mouse press size it.
    void expectFirstBoxFromWindow()
    {
        EXPECT_EQ(form.txt3.rect.width, std::max(0.0f, form.width() - 2450));
        EXPECT_EQ(form.txt3.rect.height, std::max(0.0f, form.fram2.rect.height - 150));
    }

    // Every rectangle in the model, for actions that must move nothing.
    std::vector<float> geometry()
    {
        std::vector<float> all{form.width(), form.height()};
        form.forEachControl([&](const auto& control) {
            const TwipsRect& r = control.rect;
            all.insert(all.end(), {r.left, r.top, r.width, r.height});
        });
        return all;
    }

    // The inputs of a press: mostly cheap ranges, now and then one that reaches the cap, or a
    // text that is no natural number.
    void typeBounds()
    {
        const double roll = std::uniform_real_distribution<double>(0, 1)(random);
        std::int64_t lower = between(0, 3000);
        std::int64_t upper = lower + between(0, 400);
        if (roll < 0.06) {
            (chance(0.5) ? form.txt1 : form.txt2).text = oddInput().text;
            return;
        }
        if (roll < 0.1) {
            return; // as they are: after Move, Clear or an odd text
        }
        if (roll < 0.11) {
            upper = chance(0.5) ? 1000000 : 224737; // the cap, or the warning first
        } else if (roll < 0.14) {
            upper = lower + between(50000, 199998); // two to four boxes
        } else if (roll < 0.16) {
            upper = lower + 40000 + between(0, 1);
        }
        if (chance(0.5)) {
            std::swap(lower, upper);
        }
        form.txt1.text = std::to_string(lower);
        form.txt2.text = std::to_string(upper);
    }

    // Both inputs in plain digits: the bounds of the search that a press makes of them.
    std::optional<std::pair<std::int64_t, std::int64_t>> plainBounds()
    {
        for (const TextBox* box : {&form.txt1, &form.txt2}) {
            if (box->text.empty() || box->text.size() > 8 ||
                box->text.find_first_not_of("0123456789") != std::string::npos) {
                return std::nullopt;
            }
        }
        const std::int64_t a = std::stoll(form.txt1.text);
        const std::int64_t b = std::stoll(form.txt2.text);
        return std::pair{std::min(a, b), std::max(a, b)};
    }

    std::optional<double> valueForMove(const std::string& text)
    {
        if (!text.empty() && text.size() <= 11 &&
            text.find_first_not_of("0123456789") == std::string::npos) {
            return static_cast<double>(std::stoll(text));
        }
        for (const Input& odd : oddInputs) {
            if (odd.text == text) {
                return odd.value;
            }
        }
        ADD_FAILURE() << "no value known for " << text;
        return std::nullopt;
    }

    void run(bool mouse, bool retype = true)
    {
        if (retype) {
            typeBounds();
        }
        const std::optional<std::pair<std::int64_t, std::int64_t>> bounds = plainBounds();
        const bool goAhead = form.SwithGO;
        if (mouse) {
            form.cmdJIKKO_MouseDown(static_cast<int>(between(1, 4)), 0, 0, 0);
            EXPECT_EQ(form.width(), 5000);
            EXPECT_EQ(form.height(), 4050);
            EXPECT_EQ(form.txt3.text, "調べてます。");
            EXPECT_FALSE(form.cmdCOPY.enabled);
            expectFirstBoxFromWindow();
        }
        form.cmdJIKKO_Click();
        EXPECT_NE(form.cmdJIKKO.caption, "検索中");
        if (!bounds) {
            return;
        }
        const auto [lower, upper] = *bounds;
        if (upper - lower >= 199999 && !goAhead) {
            EXPECT_EQ(form.cmdJIKKO.caption, form.lbl2.caption.empty() ? "継続" : "実行");
            ++seen["run: warned"];
            if (chance(0.5)) { // the second press goes ahead
                run(chance(0.5), false);
            }
            return;
        }
        EXPECT_EQ(form.cmdJIKKO.caption, "実行");
        if (lower == 1 && upper == 1) {
            EXPECT_EQ(form.txt3.text, "素数はありまへん。");
            return;
        }
        const std::vector<std::int64_t> expected = test::sievePrimes(lower, upper, 20000);
        EXPECT_EQ(test::listed(form), expected);
        EXPECT_EQ(form.lbl2.caption, std::to_string(expected.size()));
        EXPECT_EQ(form.Ijo, expected.size() == 20000);
        ++seen[expected.size() == 20000 ? "run: capped" : "run: listed"];
    }

    void move()
    {
        // The user may have edited either input since the search.
        if (chance(0.4)) {
            TextBox& input = chance(0.5) ? form.txt1 : form.txt2;
            input.text = chance(0.6) ? oddInput().text : std::to_string(between(0, 300000));
        }
        const std::vector<float> before = geometry();
        const std::string a = form.txt1.text;
        const std::string b = form.txt2.text;
        const std::optional<double> va = valueForMove(a);
        const std::optional<double> vb = valueForMove(b);
        form.cmdCOPY_Click();
        const std::string prime = std::to_string(form.su0);
        const bool first = !va || (vb && *va < *vb);
        EXPECT_EQ(form.txt1.text, first ? prime : a);
        EXPECT_EQ(form.txt2.text, first ? b : prime);
        EXPECT_EQ(geometry(), before);
    }

    void copy(int which)
    {
        TextBox* boxes[] = {&form.txt3, &form.txt4, &form.txt5, &form.txt6};
        const std::vector<float> before = geometry();
        const std::string text = boxes[which]->text;
        switch (which) {
        case 0:
            form.cmdCOPY3_Click();
            break;
        case 1:
            form.cmdCOPY4_Click();
            break;
        case 2:
            form.cmdCOPY5_Click();
            break;
        default:
            form.cmdCOPY6_Click();
            break;
        }
        EXPECT_EQ(platform.clipboard, text);
        EXPECT_EQ(boxes[which]->text, text);
        EXPECT_EQ(geometry(), before);
    }

    void clear()
    {
        form.cmdKESU_Click();
        expectFirstBoxFromWindow();
        for (const TextBox* box : form.textBoxes()) {
            EXPECT_EQ(box->text, "") << box->name;
        }
        for (const TextBox* box : {&form.txt4, &form.txt5, &form.txt6}) {
            EXPECT_FALSE(box->visible) << box->name;
        }
        EXPECT_EQ(form.lbl2.caption, "");
        EXPECT_EQ(form.cmdJIKKO.caption, "実行");
        EXPECT_FALSE(form.SwithGO);
        EXPECT_FALSE(form.Ijo);
    }

    void orientation()
    {
        const bool wasHorizontal = form.SwithXY;
        form.cmdXY_Click();
        EXPECT_EQ(form.SwithXY, !wasHorizontal);
        EXPECT_EQ(form.cmdXY.caption, wasHorizontal ? "縦" : "横");
        if (!wasHorizontal) {
            expectFirstBoxFromWindow();
            EXPECT_FALSE(form.txt4.visible);
        }
    }

    void beepSwitch()
    {
        const std::vector<float> before = geometry();
        const bool wasSilent = form.SwithOTO;
        form.cmdOTO_Click();
        EXPECT_EQ(form.SwithOTO, !wasSilent);
        EXPECT_EQ(form.cmdOTO.caption, wasSilent ? "音有" : "音無");
        EXPECT_EQ(geometry(), before);
    }

    void resize()
    {
        const float w = chance(0.2) ? form.width() : anySize();
        const float h = chance(0.2) ? form.height() : anySize();
        const bool changes = w != form.width() || h != form.height();
        form.setSize(w, h);
        EXPECT_EQ(form.width(), w);
        EXPECT_EQ(form.height(), h);
        // A size the window already has runs no layout, so what other handlers set stands.
        if (changes) {
            expectLayout();
            ++seen[form.txt4.text.empty() ? "resize: one box" : "resize: several boxes"];
        }
    }
};

TEST_F(RandomUse, RulesHoldAfterEveryAction)
{
    const long count = test::settingFromEnvironment("TAVIMO_RANDOM_USE_COUNT", 50000);
    const auto seed = static_cast<std::uint64_t>(
        test::settingFromEnvironment("TAVIMO_RANDOM_USE_SEED", 20261208));
    random.seed(seed);
    const char* names[] = {"run by mouse", "run by keyboard", "clear",
                           "move",         "orientation",     "beep switch",
                           "copy",         "resize",          "resize"};
    std::string history;
    for (long i = 0; i < count && !HasFailure(); ++i) {
        const auto action = static_cast<std::size_t>(between(0, 8));
        history += std::string(names[action]) + "; ";
        if (history.size() > 600) {
            history.erase(0, history.size() - 600);
        }
        SCOPED_TRACE("action " + std::to_string(i) + ", seed " + std::to_string(seed) +
                     ", lately: " + history);
        switch (action) {
        case 0:
        case 1:
            run(action == 0);
            break;
        case 2:
            clear();
            break;
        case 3:
            move();
            break;
        case 4:
            orientation();
            break;
        case 5:
            beepSwitch();
            break;
        case 6:
            copy(static_cast<int>(between(0, 3)));
            break;
        default:
            resize();
            break;
        }
        ++seen[names[action]];
        expectNoNegativeSize();
        EXPECT_GE(form.m, 0);
        EXPECT_LE(form.m, 20000);
        EXPECT_EQ(form.Ijo, form.m == 20000);
        EXPECT_NE(form.cmdJIKKO.caption, "検索中");
    }
    for (const auto& [name, n] : seen) {
        std::printf("  %-24s %ld\n", name.c_str(), n);
    }
    if (count >= 10000) {
        for (const char* name : {"run: listed", "run: capped", "run: warned", "resize: one box",
                                 "resize: several boxes"}) {
            EXPECT_GT(seen[name], 0) << name;
        }
    }
}

} // namespace
} // namespace tavimo
