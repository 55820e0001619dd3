// The window as loaded, the layout at every size, and the orientation switch.
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tavimo {
namespace {

using test::LoadedWindow;
using FormLoad = LoadedWindow;

TEST_F(FormLoad, SetsTheSearchState)
{
    EXPECT_FALSE(form.SwithXY);
    EXPECT_TRUE(form.SwithOTO);
    EXPECT_TRUE(form.SwithGO);
    EXPECT_FALSE(form.Ijo);
    EXPECT_EQ(form.m, 0);
    EXPECT_EQ(form.su0, 0);
    EXPECT_EQ(form.pasokon_no, "(桁とパソコンの処理能力で変わります)");
    EXPECT_EQ(form.sosuu_ha, "表示できる素数は小さい方から、約20000個です。");
    EXPECT_EQ(form.koetabun, "超えた分は改めて検索してください。。");
}

TEST_F(FormLoad, LeavesTheDesignTextsAndOneBoxInUse)
{
    EXPECT_EQ(form.txt1.text, "‥から");
    EXPECT_EQ(form.txt2.text, "‥まで");
    EXPECT_EQ(form.txt3.text, "\r\n２つの数の差が大きい\r\nとかなり時間がかかります。\r\n");
    EXPECT_EQ(form.lbl2.caption, "？　");
    for (const TextBox* box : {&form.txt4, &form.txt5, &form.txt6}) {
        EXPECT_FALSE(box->visible) << box->name;
        EXPECT_TRUE(box->text.empty()) << box->name;
    }
    for (const TextBox* box : {&form.txt3, &form.txt4, &form.txt5, &form.txt6}) {
        EXPECT_EQ(box->alignment, Alignment::Centre) << box->name; // the inputs: Right
    }
    for (const CommandButton* b : {&form.cmdCOPY4, &form.cmdCOPY5, &form.cmdCOPY6}) {
        EXPECT_FALSE(b->visible) << b->name;
    }
    EXPECT_FALSE(form.cmdCOPY.enabled);
    EXPECT_EQ(form.cmdOTO.toolTip, "検索終了時にBeep音無し");
}

TEST_F(FormLoad, UsesEveryTabIndexFromZeroToTwentyOneOnce)
{
    std::vector<int> indexes;
    form.forEachControl([&](const auto& control) { indexes.push_back(control.tabIndex); });
    std::sort(indexes.begin(), indexes.end());
    for (int i = 0; i < 22; ++i) {
        EXPECT_EQ(indexes.at(i), i);
    }
}

// One row: window size, whether txt4 holds text, and what the layout gives.
struct LayoutCase {
    float w, h;
    bool multiBox;
    float framWidth, framHeight, stripTop, txt3Width, txt3Height;
};

class FormResize : public LoadedWindow, public ::testing::WithParamInterface<LayoutCase> {};

TEST_P(FormResize, FollowsTheWindowSize)
{
    const LayoutCase& c = GetParam();
    form.txt4.text = c.multiBox ? "\r\n48619" : "";
    form.txt4.rect.left = 1400;
    form.setSize(c.w, c.h);
    EXPECT_EQ(form.width(), c.w);
    EXPECT_EQ(form.height(), c.h);
    EXPECT_EQ(form.fram2.rect.width, c.framWidth);
    EXPECT_EQ(form.fram2.rect.height, c.framHeight);
    EXPECT_EQ(form.fram3.rect.top, c.stripTop);
    EXPECT_EQ(form.txt3.rect.width, c.txt3Width);
    EXPECT_EQ(form.txt3.rect.height, c.txt3Height);
    for (const TextBox* box : {&form.txt4, &form.txt5, &form.txt6}) {
        EXPECT_EQ(box->rect.height, c.multiBox ? c.txt3Height : 3100) << box->name;
        EXPECT_EQ(box->rect.width, 1300) << box->name;
    }
    EXPECT_EQ(form.txt4.rect.left, 1400);
    EXPECT_EQ(form.fram2.rect.left, 2070);
    EXPECT_EQ(form.fram2.rect.top, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, FormResize,
    ::testing::Values(
        // The worked examples: start-up (Form_Load's own size, which setSize leaves alone), a
        // dragged multi-box window, a small window.
        LayoutCase{5000, 4050, false, 2600, 3250, 3370, 2600, 3100},
        LayoutCase{8000, 5000, true, 5700, 4200, 4320, 1300, 4050},
        LayoutCase{2400, 1000, false, 100, 200, 320, 100, 50},
        // The width guard is strict: 2500 is laid out, 2499 is not.
        LayoutCase{2500, 4050, false, 100, 3250, 3370, 100, 3100},
        LayoutCase{2500, 4050, true, 200, 3250, 3370, 1300, 3100},
        LayoutCase{2499, 4050, true, 100, 3250, 3370, 1300, 3100},
        // The height guard: 900 gives 100, 950 gives boxes of height 0, 1000 gives 50.
        LayoutCase{5000, 900, false, 2600, 100, 220, 2600, 0},
        LayoutCase{5000, 899, true, 2700, 100, 219, 1300, 0},
        LayoutCase{5000, 950, true, 2700, 150, 270, 1300, 0},
        LayoutCase{5000, 1000, false, 2600, 200, 320, 2600, 50},
        // Below 680 the copy strip goes above the window; nothing fails at size 0.
        LayoutCase{5000, 600, false, 2600, 100, -80, 2600, 0},
        LayoutCase{0, 0, false, 100, 100, -680, 100, 0},
        LayoutCase{7900, 4050, true, 5600, 3250, 3370, 1300, 3100}));

TEST_F(LoadedWindow, AHandlersSizeChangeIsLaidOutBeforeItsNextStep)
{
    // The press of Run sets 5000 × 4050; the layout must already have run (with txt4 still
    // holding the previous result) when the handler sizes txt3 from the frame.
    form.setSize(8000, 5000);
    form.txt4.text = "\r\n48619";
    form.cmdJIKKO_MouseDown(2, 0, 0, 0);
    EXPECT_EQ(form.fram2.rect.width, 2700); // multi-box layout: txt4 held text
    EXPECT_EQ(form.fram2.rect.height, 3250);
    EXPECT_EQ(form.txt3.rect.height, 3100);
    EXPECT_EQ(form.txt3.rect.width, 2550);
    EXPECT_EQ(form.fram3.rect.top, 3370);
}

TEST_F(LoadedWindow, SettingTheSameSizeDoesNotLayOutAgain)
{
    form.txt3.rect.width = 1234;
    form.setSize(5000, 4050);
    EXPECT_EQ(form.txt3.rect.width, 1234);
    form.setWidth(5001);
    EXPECT_EQ(form.txt3.rect.width, 2601);
}

using CmdXYClick = LoadedWindow;

TEST_F(CmdXYClick, FirstPressSwitchesToHorizontal)
{
    form.cmdXY_Click();
    EXPECT_TRUE(form.SwithXY);
    EXPECT_EQ(form.cmdXY.caption, "横");
    EXPECT_EQ(form.txt3.text, "結果は,(カンマ区切り)です。");
    EXPECT_EQ(form.txt3.alignment, Alignment::Left);
    EXPECT_EQ(form.txt3.rect.width, 2550);
    EXPECT_EQ(form.txt3.rect.height, 3100);
    EXPECT_EQ(platform.calls, std::vector<std::string>{"focus:window"});
}

TEST_F(CmdXYClick, SecondPressReturnsToVerticalAndKeepsTheSize)
{
    form.cmdXY_Click();
    form.cmdXY_Click();
    EXPECT_FALSE(form.SwithXY);
    EXPECT_EQ(form.cmdXY.caption, "縦");
    EXPECT_EQ(form.txt3.text, "含まれる\r\n素数は\r\n縦一列に\r\n並びます。");
    EXPECT_EQ(form.txt3.alignment, Alignment::Centre);
    EXPECT_EQ(form.txt3.rect.width, 2550);
    EXPECT_FALSE(form.txt4.visible);
}

TEST_F(CmdXYClick, HidesFilledBoxesButKeepsTheirTexts)
{
    form.txt1.text = "1";
    form.txt2.text = "100000";
    form.cmdJIKKO_Click();
    ASSERT_TRUE(form.txt4.visible);
    const std::string second = form.txt4.text;
    form.cmdXY_Click();
    EXPECT_FALSE(form.txt4.visible);
    EXPECT_EQ(form.txt4.text, second);
    EXPECT_TRUE(form.cmdCOPY4.visible); // copy buttons are left as they are
    // txt4 still holds text, so the next resize uses the multi-box layout.
    form.setSize(6000, 4050);
    EXPECT_EQ(form.txt3.rect.width, 1300);
}

TEST_F(CmdXYClick, NeverGivesANegativeSize)
{
    form.setSize(2000, 700);
    form.cmdXY_Click();
    EXPECT_EQ(form.txt3.rect.width, 0);
    EXPECT_EQ(form.txt3.rect.height, 0);
}

} // namespace
} // namespace tavimo
