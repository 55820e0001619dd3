// Texts and positions between the model (UTF-8, CR LF) and Qt's text widgets (UTF-16, LF).
#include "platform/qt/TextConversion.h"

#include <gtest/gtest.h>

using namespace tavimo;

TEST(TextConversion, LineBreaksBecomeLfAndComeBackAsCrLf)
{
    const std::string model = "素数は,\r\n2\r\n3\r\nです。";
    const QString widget = toWidgetText(model);
    EXPECT_EQ(widget, QStringLiteral("素数は,\n2\n3\nです。"));
    EXPECT_EQ(toModelText(widget), model);
    EXPECT_EQ(toModelText(toWidgetText("\r\n\r\n")), "\r\n\r\n"); // empty lines survive
}

TEST(TextConversion, PositionsCountCrLfAsTwoAndEveryCharacterAsOne)
{
    struct Row {
        std::string model;
        int widgetPosition;
        int modelPosition;
    };
    const Row rows[] = {
        {"a\r\nb", 1, 1},
        {"a\r\nb", 2, 3},
        {"a\r\nb", 3, 4},
        {"\r\n２つの", 3, 4},        // full-width characters are one character each
        {"\xF0\x9D\x9F\x98x", 2, 1}, // beyond the BMP: two UTF-16 units, one character
        {"\xF0\x9D\x9F\x98x", 3, 2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.model + " at " + std::to_string(row.widgetPosition));
        EXPECT_EQ(toModelPosition(toWidgetText(row.model), row.widgetPosition), row.modelPosition);
        EXPECT_EQ(toWidgetPosition(row.model, row.modelPosition), row.widgetPosition);
    }
}

TEST(TextConversion, PositionsOutsideTheTextAreClamped)
{
    EXPECT_EQ(toWidgetPosition("ab", 5), 2);
    EXPECT_EQ(toWidgetPosition("a\r\nb", 2), 1); // between CR and LF: before the line break
}
