// What a user does with four full result boxes, one paragraph per line:
// select by keyboard and mouse, copy, scroll, and read them with a screen reader, line by line.
#include "WindowFixture.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocumentFragment>

#include <gtest/gtest.h>

using namespace tavimo;

namespace {

class FullBoxes : public guitest::Window {
protected:
    void SetUp() override
    {
        guitest::Window::SetUp();
        type("txt1", QStringLiteral("1"));
        type("txt2", QStringLiteral("1000000"));
        QTest::keyClick(widget("txt2"), Qt::Key_Return);
        box = widget<QPlainTextEdit>("txt4");
        lines = resultText("txt4").split(u'\n');
        ASSERT_EQ(lines.size(), 5002);
    }

    // The text of the lines [first, last), each with its line feed.
    QString linesFrom(int first, int last) const
    {
        QString text;
        for (int i = first; i < last; ++i) {
            text += lines[i] + u'\n';
        }
        return text;
    }

    QPlainTextEdit* box = nullptr;
    QStringList lines;
};

TEST_F(FullBoxes, AKeyboardSelectionIsCopiedAndReachesTheModelLineByLine)
{
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Home, Qt::ControlModifier);
    // 70 lines down, past the part of the text shown at first.
    for (int i = 0; i < 70; ++i) {
        QTest::keyClick(box, Qt::Key_Down, Qt::ShiftModifier);
    }
    QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), linesFrom(0, 70));
    // In the model's characters, a CR LF counting two.
    EXPECT_EQ(form.txt4.selStart, 0);
    EXPECT_EQ(form.txt4.selLength, linesFrom(0, 70).size() + 70);
}

TEST_F(FullBoxes, ATripleClickSelectsTheLineUnderTheMouse)
{
    // Lines near the top and further down, where the view is scrolled.
    for (const int line : {3, 12, 40}) {
        SCOPED_TRACE(line);
        box->verticalScrollBar()->setValue(line - 3);
        QApplication::processEvents();
        const QTextCursor at = box->cursorForPosition(QPoint(box->viewport()->width() / 2, 1));
        const QRect rect = box->cursorRect(at);
        const QPoint point(box->viewport()->width() / 2, rect.center().y() + 2 * rect.height());
        const int position = box->cursorForPosition(point).position();
        const int shown = int(box->toPlainText().left(position).count(u'\n'));
        ASSERT_GE(shown, line - 1);
        QTest::mouseDClick(box->viewport(), Qt::LeftButton, {}, point);
        QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, point);
        EXPECT_EQ(box->textCursor().selection().toPlainText(), linesFrom(shown, shown + 1));
    }
}

TEST_F(FullBoxes, TheScrollBarSpansEveryLineAlsoAfterANewWidth)
{
    QScrollBar* bar = box->verticalScrollBar();
    for (const int width : {box->width(), box->width() + 40}) {
        SCOPED_TRACE(width);
        box->resize(width, box->height());
        QApplication::processEvents();
        EXPECT_GT(bar->maximum(), 5002 - 30);
        // Dragged to its end, the box shows the last line.
        bar->setSliderDown(true);
        bar->setSliderPosition(bar->maximum());
        bar->setSliderDown(false);
        QApplication::processEvents();
        const QPoint bottom(box->viewport()->width() / 2, box->viewport()->height() - 4);
        const QTextCursor last = box->cursorForPosition(bottom);
        EXPECT_EQ(last.block(), box->document()->lastBlock());
        EXPECT_GE(last.position(), box->document()->characterCount() - 8);
        bar->setValue(0);
    }
}

TEST_F(FullBoxes, AScreenReaderReadsEachLineAndTheTextWithLineFeeds)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(box);
    ASSERT_NE(face, nullptr);
    QAccessibleTextInterface* text = face->textInterface();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->characterCount(), box->toPlainText().size());
    // Lines 30 to 33 and the text of a range over them.
    const int start = int(linesFrom(0, 30).size());
    for (int line = 30; line < 34; ++line) {
        SCOPED_TRACE(line);
        const int offset = int(linesFrom(0, line).size());
        int begin = -1;
        int end = -1;
        const QString read = text->textAtOffset(offset, QAccessible::LineBoundary, &begin, &end);
        EXPECT_EQ(read.trimmed(), lines[line]);
        EXPECT_EQ(begin, offset);
    }
    // A range over several lines holds a line feed at every line's end, nothing else.
    const QString range = text->text(start, start + int(linesFrom(30, 34).size()));
    EXPECT_EQ(range, linesFrom(30, 34));
}

} // namespace
