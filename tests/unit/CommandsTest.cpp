// Copy, Move, Clear, the beep switch and Exit on the model.
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace tavimo {
namespace {

using Commands = test::LoadedWindow;

TEST_F(Commands, CopyEmptiesTheClipboardThenSetsTheTextThenSelectsAndFocuses)
{
    const std::string hint = "\r\n２つの数の差が大きい\r\nとかなり時間がかかります。\r\n";
    form.cmdCOPY3_Click();
    EXPECT_EQ(platform.calls, (std::vector<std::string>{"clear", "set:" + hint, "focus:txt3"}));
    EXPECT_EQ(form.txt3.selStart, 0);
    EXPECT_EQ(form.txt3.selLength, 29); // 23 characters and three CR LF pairs
    form.cmdCOPY3_Click();
    EXPECT_EQ(platform.clipboard, hint);
    EXPECT_EQ(form.txt3.text, hint);
}

TEST_F(Commands, EachCopyButtonCopiesItsOwnBox)
{
    press("1", "1000000");
    const std::string before5 = form.txt5.text;
    form.txt5.selStart = 3;
    form.cmdCOPY4_Click();
    EXPECT_EQ(platform.clipboard, form.txt4.text);
    EXPECT_EQ(form.txt4.selLength, characterCount(form.txt4.text));
    EXPECT_EQ(form.txt5.selStart, 3); // other boxes' selections are untouched
    form.cmdCOPY5_Click();
    EXPECT_EQ(platform.clipboard, before5);
    form.cmdCOPY6_Click();
    EXPECT_TRUE(platform.clipboard.ends_with("(素数は1個重複します)"));
    EXPECT_EQ(platform.calls.back(), "focus:txt6");
    EXPECT_EQ(form.lbl2.caption, "20000"); // nothing but the clipboard and the selection
    EXPECT_EQ(form.m, 20000);
}

TEST_F(Commands, CopyOfAnEmptyBoxStillClearsAndFocuses)
{
    form.cmdKESU_Click();
    platform.calls.clear();
    form.cmdCOPY3_Click();
    EXPECT_EQ(platform.calls, (std::vector<std::string>{"clear", "set:", "focus:txt3"}));
    EXPECT_EQ(form.txt3.selLength, 0);
}

struct MoveCase {
    const char* txt1;
    const char* txt2;
    const char* expect1;
    const char* expect2;
};

TEST_F(Commands, MoveWritesTheLastPrimeIntoTheSmallerBound)
{
    press("1", "1000000");
    ASSERT_EQ(form.su0, 224737);
    platform.calls.clear();
    const MoveCase cases[] = {
        {"1", "1000000", "224737", "1000000"},
        {"1000000", "1", "1000000", "224737"},
        {"5", "5", "5", "224737"},   // equal values: the second input
        {"9", "10", "224737", "10"}, // numbers, not texts, are compared
        {"1.0E6", "999999", "1.0E6", "224737"},
        {"", "1000000", "224737", "1000000"}, // empty after Clear
        {"abc", "", "224737", ""},            // the first unusable input wins
        {"500", "xyz", "500", "224737"},
        {"9E99", "1", "224737", "1"}, // beyond the decimal range
        {"-3", "1", "224737", "1"},
    };
    for (const MoveCase& c : cases) {
        SCOPED_TRACE(std::string(c.txt1) + " / " + c.txt2);
        form.txt1.text = c.txt1;
        form.txt2.text = c.txt2;
        form.cmdCOPY_Click();
        EXPECT_EQ(form.txt1.text, c.expect1);
        EXPECT_EQ(form.txt2.text, c.expect2);
    }
    EXPECT_TRUE(form.cmdCOPY.enabled);
    EXPECT_TRUE(platform.calls.empty());
}

TEST_F(Commands, MoveThenRunContinuesTheListing)
{
    press("1", "1000000");
    form.cmdCOPY_Click();
    form.cmdCOPY_Click(); // the prime lies in the range: a second press changes nothing more
    EXPECT_EQ(form.txt1.text, "224737");
    EXPECT_EQ(form.txt2.text, "1000000");
    press(form.txt1.text, form.txt2.text);
    EXPECT_TRUE(form.txt3.text.starts_with("素数は\r\n224737\r\n224743\r\n"));
    EXPECT_EQ(form.lbl2k.caption, "個以上");
}

TEST_F(Commands, ClearAfterFourBoxesLeavesOneEmptyBox)
{
    press("1", "1000000");
    form.cmdCOPY3_Click();
    form.cmdOTO_Click();
    platform.calls.clear();
    form.cmdKESU_Click();
    for (const TextBox* box : form.textBoxes()) {
        EXPECT_TRUE(box->text.empty()) << box->name;
    }
    for (const TextBox* box : {&form.txt4, &form.txt5, &form.txt6}) {
        EXPECT_FALSE(box->visible) << box->name;
    }
    for (const CommandButton* b : {&form.cmdCOPY4, &form.cmdCOPY5, &form.cmdCOPY6}) {
        EXPECT_FALSE(b->visible) << b->name;
    }
    EXPECT_TRUE(form.cmdCOPY3.visible);
    EXPECT_TRUE(form.sosu3.empty() && form.sosu4.empty() && form.sosu5.empty() &&
                form.sosu6.empty());
    EXPECT_EQ(form.m, 0);
    EXPECT_FALSE(form.Ijo);
    EXPECT_FALSE(form.SwithGO);
    EXPECT_EQ(form.lbl2.caption, "");
    // What Clear leaves alone: the unit and place of the count, Move, the last prime, the size.
    EXPECT_EQ(form.lbl2k.caption, "個以上");
    EXPECT_EQ(form.lbl2.rect.left, 500);
    EXPECT_TRUE(form.cmdCOPY.enabled);
    EXPECT_EQ(form.su0, 224737);
    EXPECT_EQ(form.width(), 7900);
    EXPECT_EQ(form.txt3.rect.width, 5450);
    EXPECT_EQ(form.txt3.rect.height, 3100);
    EXPECT_FALSE(form.SwithOTO);
    EXPECT_EQ(form.cmdOTO.caption, "音有");
    EXPECT_EQ(platform.calls, std::vector<std::string>{"focus:txt1"});
}

TEST_F(Commands, ClearAfterTheWarningRestoresRunAndWarnsAgain)
{
    form.cmdKESU_Click();
    press("0", "300000");
    ASSERT_EQ(form.cmdJIKKO.caption, "継続");
    form.cmdKESU_Click();
    EXPECT_EQ(form.cmdJIKKO.caption, "実行");
    EXPECT_EQ(form.txt3.rect.width, 2550);
    form.cmdKESU_Click(); // twice is the same as once
    EXPECT_EQ(form.txt3.rect.width, 2550);
    press("0", "300000");
    EXPECT_EQ(form.cmdJIKKO.caption, "継続");
}

TEST_F(Commands, BeepSwitchHasThreeLooksAndDecidesTheBeep)
{
    press("1", "10");
    EXPECT_TRUE(platform.calls.empty()); // silent at start
    form.cmdOTO_Click();
    EXPECT_EQ(form.cmdOTO.caption, "音有");
    EXPECT_EQ(form.cmdOTO.toolTip, "検索終了時にBeep音有り ");
    EXPECT_FALSE(form.SwithOTO);
    EXPECT_EQ(platform.calls, (std::vector<std::string>{"focus:window"}));
    press("1", "10");
    EXPECT_EQ(platform.calls, (std::vector<std::string>{"focus:window", "beep"}));
    form.cmdOTO_Click();
    EXPECT_EQ(form.cmdOTO.caption, "音無");
    EXPECT_EQ(form.cmdOTO.toolTip, "検索終了時にBeep音無し "); // now with the trailing blank
    press("1", "10");
    EXPECT_EQ(platform.count("beep"), 1);
}

TEST_F(Commands, ExitClosesTheWindow)
{
    form.cmdEND_Click();
    EXPECT_EQ(platform.calls, std::vector<std::string>{"close"});
}

} // namespace
} // namespace tavimo
