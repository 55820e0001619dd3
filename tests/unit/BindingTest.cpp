// The parts of every window binding that know no toolkit: the window's size against its frame,
// the input limit in characters, positions in UTF-16 text.
#include "RecordingPlatform.h"
#include "platform/InputLimit.h"
#include "platform/Utf16.h"
#include "platform/WindowSize.h"

#include <gtest/gtest.h>

namespace tavimo {
namespace {

// The start size is 333 x 270 pixels outer. Frames as window systems report them: none (Xvfb),
// openbox's 1/1/20/5, Qt's own title bar on Wayland (3/30/3/3, taller than the room left for it),
// and a compositor's shadow taken for a frame (76 x 97).
TEST(WindowSize, TheClientAreaIsTheOuterSizeLessTheFrameThatTheLayoutLeavesRoomFor)
{
    struct Case {
        PixelSize frame, client;
    };
    for (const Case& c : {Case{{0, 0}, {333, 270}}, Case{{2, 25}, {331, 245}},
                          Case{{6, 33}, {327, 240}}, Case{{76, 97}, {318, 240}}}) {
        test::RecordingPlatform platform;
        frmMain form(platform);
        form.Form_Load();
        WindowSize size(form);
        EXPECT_EQ(size.clientToPush(c.frame), c.client) << c.frame.width;
        // The window reports the pushed size: nothing changes, and a new frame is only the frame.
        EXPECT_FALSE(size.takeOuterSize(c.client, c.frame));
        EXPECT_EQ(size.afterFrameChange(c.client, {c.frame.width, c.frame.height + 1}, false),
                  c.frame.height < 30 ? WindowSize::Step::PushAgain : WindowSize::Step::None);
        // A user's resize: the outer size is the new client size with the counted frame.
        EXPECT_TRUE(size.takeOuterSize({c.client.width + 100, c.client.height}, c.frame));
        EXPECT_EQ(form.width(), 433 * 15);
        EXPECT_EQ(size.afterFrameChange({c.client.width + 100, c.client.height}, {}, false),
                  c.frame == PixelSize{} ? WindowSize::Step::None
                                         : WindowSize::Step::TakeOuterSize);
    }
}

TEST(InputLimit, CountsCharactersAndNeverTakesHalfAPair)
{
    const InputLimit eight(8);
    struct Case {
        std::u16string_view added;
        std::size_t kept, fitting;
    };
    for (const Case& c :
         {Case{u"123456789", 0, 8}, Case{u"123", 6, 2}, Case{u"1", 8, 0}, Case{u"1", 9, 0},
          Case{u"\U0001F600\U0001F600", 6, 4}, Case{u"\U0001F600\U0001F600", 7, 2},
          Case{u"\xD800"
               u"1",
               7, 1}}) {
        EXPECT_EQ(eight.fittingUnits(c.added, c.kept), c.fitting) << c.kept;
    }
    EXPECT_EQ(InputLimit(0).fittingUnits(u"123456789", 100), 9u);
    EXPECT_EQ(characterCount(u"1\U0001F6002\xDC00"), 4u);
}

TEST(InputLimit, APastedTextIsTakenUpToItsFirstLineBreak)
{
    EXPECT_EQ(firstLine(u"48611\r\n48619\r\n"), u"48611");
    EXPECT_EQ(firstLine(u"123\n456"), u"123");
    EXPECT_EQ(firstLine(u"123\r456"), u"123");
    EXPECT_EQ(firstLine(u"\r\n123"), u"");
    EXPECT_EQ(firstLine(u"1E9"), u"1E9");
}

// Positions in a widget's UTF-16 text against the model's characters: a pair beyond the Basic
// Multilingual Plane is one character, a line break two, whether the widget holds it as CR LF
// (Windows) or as LF (Qt).
TEST(Utf16, PositionsCountALineBreakAsTwoAndAPairAsOne)
{
    struct Case {
        std::u16string_view text;
        LineBreaks breaks;
        int widget, model;
    };
    for (const Case& c :
         {Case{u"a\r\nb", LineBreaks::CrLf, 3, 3}, Case{u"a\nb", LineBreaks::Lf, 2, 3},
          Case{u"\U0001D7D8x", LineBreaks::CrLf, 2, 1},
          Case{u"\U0001D7D8\nx", LineBreaks::Lf, 4, 4}, Case{u"ab", LineBreaks::Lf, 2, 2}}) {
        EXPECT_EQ(toModelPosition(c.text, c.widget, c.breaks), c.model) << c.widget;
        EXPECT_EQ(toWidgetPosition(c.text, c.model, c.breaks), c.widget) << c.model;
    }
    // Outside the text: clamped; between CR and LF of the model: before the line break.
    EXPECT_EQ(toModelPosition(u"ab", 9, LineBreaks::Lf), 2);
    EXPECT_EQ(toModelPosition(u"ab", -1, LineBreaks::Lf), 0);
    EXPECT_EQ(toWidgetPosition(u"a\nb", 2, LineBreaks::Lf), 1);
    EXPECT_EQ(toWidgetPosition(u"ab", 5, LineBreaks::CrLf), 2);
}

// Walked on the model's own UTF-8 text, the positions are those of the widget's text, at every
// position of texts with line breaks, Japanese, pairs and a CR LF at either end; beyond both ends.
TEST(Utf16, PositionsFromTheModelsTextAreThoseFromTheWidgetsText)
{
    struct Case {
        std::string_view model;
        std::u16string_view lf;
        std::u16string_view crLf;
    };
    for (const Case& c : {Case{"", u"", u""}, Case{"a\r\nb", u"a\nb", u"a\r\nb"},
                          Case{"\r\n素数は\r\n2\r\n", u"\n素数は\n2\n", u"\r\n素数は\r\n2\r\n"},
                          Case{"\xF0\xA0\x80\x8B\r\n\xF0\x9D\x9F\x98x", u"\U0002000B\n\U0001D7D8x",
                               u"\U0002000B\r\n\U0001D7D8x"},
                          Case{"‥つづき\r\n48619", u"‥つづき\n48619", u"‥つづき\r\n48619"}}) {
        for (const auto& [widget, breaks] :
             {std::pair{c.lf, LineBreaks::Lf}, std::pair{c.crLf, LineBreaks::CrLf}}) {
            for (int position = -1; position <= int(widget.size()) + 2; ++position) {
                EXPECT_EQ(toModelPositionFrom(c.model, position, breaks),
                          toModelPosition(widget, position, breaks))
                    << c.model << " widget position " << position;
                EXPECT_EQ(toWidgetPositionFrom(c.model, position, breaks),
                          toWidgetPosition(widget, position, breaks))
                    << c.model << " model position " << position;
            }
        }
    }
}

} // namespace
} // namespace tavimo
