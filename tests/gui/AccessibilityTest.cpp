// What assistive technology reads from the window through Qt's accessibility interface: a Japanese
// name and description for every control, and names that follow the captions.
#include "WindowFixture.h"

#include <QAccessible>
#include <QPushButton>

#include <gtest/gtest.h>

#include <vector>

using namespace tavimo;

namespace {

class Accessibility : public guitest::Window {
protected:
    QString read(std::string_view control, QAccessible::Text text)
    {
        QWidget* target = control == "frmMain" ? &window : widget(control);
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(target);
        EXPECT_NE(face, nullptr) << control;
        return face != nullptr ? face->text(text) : QString();
    }
    QString name(std::string_view control) { return read(control, QAccessible::Name); }
    QString description(std::string_view control)
    {
        return read(control, QAccessible::Description);
    }

    std::vector<std::string_view> controls()
    {
        std::vector<std::string_view> names;
        form.forEachControl([&](const auto& control) { names.push_back(control.name); });
        names.push_back(form.Line1.name);
        return names;
    }
};

bool hasJapanese(const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x3000) {
            return true;
        }
    }
    return false;
}

TEST_F(Accessibility, EveryControlHasAJapaneseNameAndDescription)
{
    const std::vector<std::string_view> all = controls();
    ASSERT_EQ(all.size(), 23u);
    for (const std::string_view control : all) {
        SCOPED_TRACE(control);
        EXPECT_TRUE(hasJapanese(name(control))) << name(control).toStdString();
        EXPECT_TRUE(hasJapanese(description(control))) << description(control).toStdString();
    }
    EXPECT_EQ(read("frmMain", QAccessible::Name), QStringLiteral("Tavimo"));
    EXPECT_TRUE(hasJapanese(read("frmMain", QAccessible::Description)));
}

TEST_F(Accessibility, NamesSayWhatEachControlIsFor)
{
    const std::pair<const char*, QString> rows[] = {
        // The inputs and result boxes by their role; no two alike.
        {"txt1", QStringLiteral("開始の数")},
        {"txt2", QStringLiteral("終了の数")},
        {"txt3", QStringLiteral("結果1")},
        {"txt4", QStringLiteral("結果2")},
        {"txt5", QStringLiteral("結果3")},
        {"txt6", QStringLiteral("結果4")},
        // Buttons and labels by what they show.
        {"cmdJIKKO", QStringLiteral("実行")},
        {"cmdKESU", QStringLiteral("消去")},
        {"cmdXY", QStringLiteral("縦")},
        {"cmdOTO", QStringLiteral("音無")},
        {"cmdCOPY", QStringLiteral("移")},
        {"cmdEND", QStringLiteral("終了")},
        {"cmdCOPY3", QStringLiteral("コピー")},
        {"cmdCOPY6", QStringLiteral("コピー")},
        {"lbl1", QStringLiteral("‥の間にある素数は")},
        {"lbl2", QStringLiteral("？　")},
        {"lbl2k", QStringLiteral("個")},
    };
    for (const auto& [control, expected] : rows) {
        SCOPED_TRACE(control);
        EXPECT_EQ(name(control), expected);
    }
}

TEST_F(Accessibility, TooltipsDescribeTheirButtons)
{
    const QString copy = QStringLiteral("上の数列をクリップボードにコピー");
    EXPECT_EQ(description("cmdCOPY3"), copy);
    EXPECT_EQ(description("cmdCOPY5"), copy);
    EXPECT_EQ(description("cmdCOPY"), QStringLiteral("最後の素数を上へ入力"));
    EXPECT_EQ(description("cmdXY"), QStringLiteral("縦横の切替。差が4000以上の時は縦のみ"));
    EXPECT_EQ(description("cmdOTO"), QStringLiteral("検索終了時にBeep音無し"));
    // Buttons without a tooltip are described all the same, each in its own words.
    EXPECT_NE(description("cmdJIKKO"), description("cmdKESU"));
    EXPECT_NE(description("cmdKESU"), description("cmdEND"));
}

TEST_F(Accessibility, NamesFollowTheCaptionsThatHandlersSet)
{
    QTest::mouseClick(widget("cmdXY"), Qt::LeftButton);
    EXPECT_EQ(name("cmdXY"), QStringLiteral("横"));
    QTest::mouseClick(widget("cmdXY"), Qt::LeftButton);
    EXPECT_EQ(name("cmdXY"), QStringLiteral("縦"));

    // The beep switch changes its tooltip too; the description is read without the trailing blank.
    QTest::mouseClick(widget("cmdOTO"), Qt::LeftButton);
    EXPECT_EQ(name("cmdOTO"), QStringLiteral("音有"));
    EXPECT_EQ(description("cmdOTO"), QStringLiteral("検索終了時にBeep音有り"));
    QTest::mouseClick(widget("cmdOTO"), Qt::LeftButton);
    EXPECT_EQ(name("cmdOTO"), QStringLiteral("音無"));
    EXPECT_EQ(description("cmdOTO"), QStringLiteral("検索終了時にBeep音無し"));

    // After Clear a long range is first warned about, and Run waits as "継続".
    QTest::mouseClick(widget("cmdKESU"), Qt::LeftButton);
    EXPECT_EQ(name("lbl2"), QString());
    type("txt1", QStringLiteral("1"));
    type("txt2", QStringLiteral("300000"));
    QTest::keyClick(widget("txt2"), Qt::Key_Return);
    EXPECT_EQ(name("cmdJIKKO"), QStringLiteral("継続"));
    QTest::mouseClick(widget("cmdKESU"), Qt::LeftButton);
    EXPECT_EQ(name("cmdJIKKO"), QStringLiteral("実行"));

    // A search writes the count, and the count label is read as the new number.
    type("txt1", QStringLiteral("1"));
    type("txt2", QStringLiteral("30"));
    QTest::keyClick(widget("txt2"), Qt::Key_Return);
    EXPECT_EQ(name("lbl2"), QStringLiteral("10"));
    EXPECT_EQ(name("cmdJIKKO"), QStringLiteral("実行"));
}

} // namespace
