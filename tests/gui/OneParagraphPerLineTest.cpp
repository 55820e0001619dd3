// A full result box does what a plain text edit with one paragraph per line does, for every
// click, key, copy, screen reader and input method query: the two are filled with the same text,
// the same action is done to both, and what each then holds is compared.
#include "WindowFixture.h"

#include <QAccessible>
#include <QClipboard>
#include <QInputMethodQueryEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace tavimo;

namespace {

// What an action left: the caret and its anchor, the text if it changed, and what the action read
// (the clipboard, the screen reader's answers, the input method's).
struct Outcome {
    int anchor = 0;
    int position = 0;
    QString text;
    QString read;

    bool operator==(const Outcome&) const = default;
};

void PrintTo(const Outcome& outcome, std::ostream* out)
{
    *out << "anchor " << outcome.anchor << ", position " << outcome.position << ", text of "
         << outcome.text.size() << " characters \"" << outcome.text.mid(100, 200).toStdString()
         << "\", read \"" << outcome.read.left(300).toStdString() << "\"";
}

// An action starts with the caret at a line and column of the original text, that line shown, and
// returns what it read (empty if it only moves the caret or edits).
struct Action {
    const char* name;
    int line;
    int column;
    std::function<QString(QPlainTextEdit&)> act;
};

// Every flavour of the clipboard, byte for byte. The open document flavour is a zip archive that
// stamps each entry with the time of the copy: the stamps are left out.
QString clipboardFlavours()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    QString all;
    for (const QString& format : data->formats()) {
        QByteArray bytes = data->data(format);
        if (format == QStringLiteral("application/vnd.oasis.opendocument.text")) {
            for (qsizetype at = bytes.indexOf("PK\3\4"); at >= 0;
                 at = bytes.indexOf("PK\3\4", at + 1)) {
                bytes.replace(at + 10, 4, QByteArray(4, '\0'));
            }
            for (qsizetype at = bytes.indexOf("PK\1\2"); at >= 0;
                 at = bytes.indexOf("PK\1\2", at + 1)) {
                bytes.replace(at + 12, 4, QByteArray(4, '\0'));
            }
        }
        all += format + u'=' + QString::fromLatin1(bytes.toBase64()) + u'\n';
    }
    return all;
}

// A point inside the character at a position of the box, `dx` pixels to its right.
QPoint pointAt(QPlainTextEdit& edit, int position, int dx = 0)
{
    QTextCursor cursor(edit.document());
    cursor.setPosition(position);
    const QRect rect = edit.cursorRect(cursor);
    return {rect.left() + 3 + dx, rect.center().y()};
}

void sendMouse(QPlainTextEdit& edit, QEvent::Type type, QPoint point, Qt::MouseButtons held)
{
    QWidget* viewport = edit.viewport();
    QMouseEvent event(type, point, viewport->mapToGlobal(point),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held, {});
    QApplication::sendEvent(viewport, &event);
}

// Press, release, double click, release, then the third press, `moved` pixels to the right
// before its release, as a hand does.
void tripleClick(QPlainTextEdit& edit, int position, int moved)
{
    const QPoint point = pointAt(edit, position);
    sendMouse(edit, QEvent::MouseButtonPress, point, Qt::LeftButton);
    sendMouse(edit, QEvent::MouseButtonRelease, point, Qt::NoButton);
    sendMouse(edit, QEvent::MouseButtonDblClick, point, Qt::LeftButton);
    sendMouse(edit, QEvent::MouseButtonRelease, point, Qt::NoButton);
    sendMouse(edit, QEvent::MouseButtonPress, point, Qt::LeftButton);
    if (moved != 0) {
        sendMouse(edit, QEvent::MouseMove, point + QPoint(moved, 0), Qt::LeftButton);
    }
    sendMouse(edit, QEvent::MouseButtonRelease, point + QPoint(moved, 0), Qt::NoButton);
}

// The caret's position after each of `times` presses of a key.
QString stepsOf(QPlainTextEdit& edit, Qt::Key key, Qt::KeyboardModifiers modifiers, int times)
{
    QString steps;
    for (int i = 0; i < times; ++i) {
        QTest::keyClick(&edit, key, modifiers);
        steps += QString::number(edit.textCursor().position()) + u' ';
    }
    return steps;
}

QString accessibleText(QPlainTextEdit& edit)
{
    QAccessibleTextInterface* text = QAccessible::queryAccessibleInterface(&edit)->textInterface();
    const int offset = edit.textCursor().position();
    QString read = text->text(offset - 40, offset + 40) + u'|';
    for (const auto boundary :
         {QAccessible::CharBoundary, QAccessible::WordBoundary, QAccessible::SentenceBoundary,
          QAccessible::LineBoundary, QAccessible::ParagraphBoundary}) {
        int begin = -1;
        int end = -1;
        read += text->textAtOffset(offset, boundary, &begin, &end);
        read += QStringLiteral("@%1-%2|").arg(begin).arg(end);
        read += text->textBeforeOffset(offset, boundary, &begin, &end);
        read += QStringLiteral("@%1-%2|").arg(begin).arg(end);
        read += text->textAfterOffset(offset, boundary, &begin, &end);
        read += QStringLiteral("@%1-%2|").arg(begin).arg(end);
    }
    return read + QString::number(text->characterCount());
}

QString inputMethodText(QPlainTextEdit& edit)
{
    QString read;
    for (const auto query :
         {Qt::ImSurroundingText, Qt::ImCursorPosition, Qt::ImAnchorPosition, Qt::ImAbsolutePosition,
          Qt::ImCurrentSelection, Qt::ImTextBeforeCursor, Qt::ImTextAfterCursor}) {
        read += edit.inputMethodQuery(query).toString() + u'|';
    }
    return read;
}

const std::vector<Action>& actions()
{
    static const std::vector<Action> all = {
        {"triple click", 40, 2,
         [](QPlainTextEdit& e) {
             tripleClick(e, e.textCursor().position(), 0);
             return QString();
         }},
        {"triple click moving 2 pixels", 40, 2,
         [](QPlainTextEdit& e) {
             tripleClick(e, e.textCursor().position(), 2);
             return QString();
         }},
        {"drag selection", 3, 1,
         [](QPlainTextEdit& e) {
             const QPoint from = pointAt(e, e.textCursor().position());
             const QPoint to = pointAt(e, e.textCursor().position() + 60);
             sendMouse(e, QEvent::MouseButtonPress, from, Qt::LeftButton);
             sendMouse(e, QEvent::MouseMove, to, Qt::LeftButton);
             sendMouse(e, QEvent::MouseButtonRelease, to, Qt::NoButton);
             return QString();
         }},
        {"double click", 31, 1,
         [](QPlainTextEdit& e) {
             const QPoint point = pointAt(e, e.textCursor().position());
             sendMouse(e, QEvent::MouseButtonPress, point, Qt::LeftButton);
             sendMouse(e, QEvent::MouseButtonRelease, point, Qt::NoButton);
             sendMouse(e, QEvent::MouseButtonDblClick, point, Qt::LeftButton);
             sendMouse(e, QEvent::MouseButtonRelease, point, Qt::NoButton);
             return QString();
         }},
        {"Ctrl+Right", 3, 0,
         [](QPlainTextEdit& e) { return stepsOf(e, Qt::Key_Right, Qt::ControlModifier, 6); }},
        {"Ctrl+Shift+Right", 3, 0,
         [](QPlainTextEdit& e) {
             return stepsOf(e, Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier, 6);
         }},
        {"Ctrl+Left", 34, 0,
         [](QPlainTextEdit& e) { return stepsOf(e, Qt::Key_Left, Qt::ControlModifier, 6); }},
        {"Ctrl+Shift+Left", 34, 0,
         [](QPlainTextEdit& e) {
             return stepsOf(e, Qt::Key_Left, Qt::ControlModifier | Qt::ShiftModifier, 6);
         }},
        {"Ctrl+Backspace", 4, 0,
         [](QPlainTextEdit& e) { return stepsOf(e, Qt::Key_Backspace, Qt::ControlModifier, 2); }},
        {"Ctrl+Delete", 3, 5,
         [](QPlainTextEdit& e) { return stepsOf(e, Qt::Key_Delete, Qt::ControlModifier, 2); }},
        {"Home and End", 33, 2,
         [](QPlainTextEdit& e) {
             return stepsOf(e, Qt::Key_End, {}, 1) + stepsOf(e, Qt::Key_Home, {}, 1);
         }},
        {"Shift+Down and Shift+Up", 2, 1,
         [](QPlainTextEdit& e) {
             return stepsOf(e, Qt::Key_Down, Qt::ShiftModifier, 40) +
                    stepsOf(e, Qt::Key_Up, Qt::ShiftModifier, 5);
         }},
        {"PageDown and PageUp", 0, 0,
         [](QPlainTextEdit& e) {
             return stepsOf(e, Qt::Key_PageDown, {}, 3) + stepsOf(e, Qt::Key_PageUp, {}, 1);
         }},
        {"Ctrl+A and Ctrl+C", 0, 0,
         [](QPlainTextEdit& e) {
             QTest::keyClick(&e, Qt::Key_A, Qt::ControlModifier);
             QTest::keyClick(&e, Qt::Key_C, Qt::ControlModifier);
             return clipboardFlavours();
         }},
        {"a selection over line ends copied", 30, 1,
         [](QPlainTextEdit& e) {
             stepsOf(e, Qt::Key_Down, Qt::ShiftModifier, 4);
             QTest::keyClick(&e, Qt::Key_C, Qt::ControlModifier);
             return clipboardFlavours();
         }},
        {"typing", 31, 3,
         [](QPlainTextEdit& e) {
             QTest::keyClicks(&e, QStringLiteral("7 1"));
             return QString();
         }},
        {"paste", 31, 0,
         [](QPlainTextEdit& e) {
             QGuiApplication::clipboard()->setText(QStringLiteral("7\n11\n"));
             QTest::keyClick(&e, Qt::Key_V, Qt::ControlModifier);
             return QString();
         }},
        {"undo", 31, 0,
         [](QPlainTextEdit& e) {
             QTest::keyClick(&e, Qt::Key_Backspace);
             QTest::keyClicks(&e, QStringLiteral("13"));
             QTest::keyClick(&e, Qt::Key_Z, Qt::ControlModifier);
             const QString once = e.toPlainText().mid(100, 300);
             QTest::keyClick(&e, Qt::Key_Z, Qt::ControlModifier);
             return once;
         }},
        {"screen reader", 33, 2, accessibleText},
        {"input method", 33, 2,
         [](QPlainTextEdit& e) {
             stepsOf(e, Qt::Key_Right, Qt::ShiftModifier, 2);
             return inputMethodText(e);
         }},
    };
    return all;
}

class OneParagraphPerLine : public guitest::Window {
protected:
    void SetUp() override
    {
        guitest::Window::SetUp();
        run(QStringLiteral("1"), QStringLiteral("1000000"));
        box = widget<QPlainTextEdit>("txt4");
        original = resultText("txt4");
        model = form.txt4.text;
        ASSERT_EQ(original.count(u'\n'), 5001);
    }

    void run(const QString& lower, const QString& upper)
    {
        type("txt1", lower);
        type("txt2", upper);
        QTest::keyClick(widget("txt2"), Qt::Key_Return);
    }

    // A plain text edit as the box is, with one paragraph per line: same size, font, wrap and
    // alignment.
    void fillPlain()
    {
        plain.setFont(box->font());
        plain.setLineWrapMode(box->lineWrapMode());
        plain.setWordWrapMode(box->wordWrapMode());
        plain.setVerticalScrollBarPolicy(box->verticalScrollBarPolicy());
        plain.setHorizontalScrollBarPolicy(box->horizontalScrollBarPolicy());
        plain.setTabChangesFocus(true);
        plain.resize(box->size());
        plain.setPlainText(box->toPlainText());
        plain.document()->setDefaultTextOption(box->document()->defaultTextOption());
        plain.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&plain));
    }

    // Both edits hold the original text, the caret at a line and column, that line shown.
    void startAt(QPlainTextEdit& edit, int line, int column)
    {
        if (&edit == box && box->toPlainText() != original) {
            form.txt4.text = model;
            window.refresh();
            settle();
        } else if (&edit == &plain && plain.toPlainText() != original) {
            plain.setPlainText(original);
        }
        int position = 0;
        for (int i = 0; i < line; ++i) {
            position = int(original.indexOf(u'\n', position)) + 1;
        }
        position += column;
        edit.verticalScrollBar()->setValue(0);
        QTextCursor cursor = edit.textCursor();
        cursor.setPosition(position);
        edit.setTextCursor(cursor);
        edit.centerCursor();
        QApplication::processEvents();
    }

    Outcome outcomeOf(QPlainTextEdit& edit, const Action& action)
    {
        startAt(edit, action.line, action.column);
        edit.setFocus();
        Outcome outcome;
        outcome.read = action.act(edit);
        outcome.anchor = edit.textCursor().anchor();
        outcome.position = edit.textCursor().position();
        if (edit.toPlainText() != original) {
            outcome.text = edit.toPlainText();
        }
        return outcome;
    }

    QPlainTextEdit* box = nullptr;
    QPlainTextEdit plain;
    QString original;
    std::string model;
};

TEST_F(OneParagraphPerLine, EveryActionEndsAsInAPlainTextEdit)
{
    fillPlain();
    for (const Action& action : actions()) {
        SCOPED_TRACE(action.name);
        const Outcome expected = outcomeOf(plain, action);
        EXPECT_EQ(outcomeOf(*box, action), expected);
    }
}

TEST_F(OneParagraphPerLine, TheDocumentHasOneParagraphPerLine)
{
    EXPECT_EQ(box->document()->blockCount(), 5002);
    EXPECT_FALSE(box->toPlainText().contains(QChar(QChar::LineSeparator)));
    EXPECT_FALSE(box->document()->toRawText().contains(QChar(QChar::LineSeparator)));
}

// Straight after a press of Run a long box shows the lines in view, its whole document built a
// little later. What the screen shows then, and what a user does to the box before then, is what
// the whole box shows and does.
class StraightAfterThePress : public OneParagraphPerLine {
protected:
    // Cleared and run again, the long-run warning answered by a second press: the boxes show the
    // answer's first lines.
    void press(const QString& lower = QStringLiteral("1"),
               const QString& upper = QStringLiteral("1000000"))
    {
        QTest::mouseClick(widget("cmdKESU"), Qt::LeftButton);
        run(lower, upper);
        QTest::keyClick(widget("txt2"), Qt::Key_Return);
    }

    static QString scrollOf(const QPlainTextEdit& edit)
    {
        const QScrollBar* bar = edit.verticalScrollBar();
        return QStringLiteral("scroll %1 of %2, page %3")
            .arg(bar->value())
            .arg(bar->maximum())
            .arg(bar->pageStep());
    }
};

// Two notches of the wheel over a part of the box, which does not take the focus for it.
void wheelWithoutFocus(QPlainTextEdit& edit, QWidget* part)
{
    const Qt::FocusPolicy policy = edit.focusPolicy();
    edit.setFocusPolicy(Qt::NoFocus);
    const QPointF point(part->width() / 2, part->height() / 2);
    QWheelEvent wheel(point, part->mapToGlobal(point), {}, QPoint(0, -240), Qt::NoButton, {},
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(part, &wheel);
    edit.setFocusPolicy(policy);
}

// Numbers of 6 and of 10 digits: the longer ones take two lines of a box on some screens.
TEST_F(StraightAfterThePress, TheBoxesLookAsWhenWhole)
{
    for (const auto& [lower, upper] : {std::pair{"1", "1000000"}, {"1E9", "1073577990"}}) {
        SCOPED_TRACE(upper);
        press(QString::fromLatin1(lower), QString::fromLatin1(upper));
        const char* const names[] = {"txt3", "txt4", "txt5", "txt6"};
        std::vector<std::pair<QImage, QString>> waiting;
        for (const char* name : names) {
            auto* shown = widget<ResultBox>(name);
            ASSERT_TRUE(shown->waiting()) << name;
            waiting.emplace_back(shown->grab().toImage(), scrollOf(*shown));
        }
        settle();
        for (std::size_t i = 0; i < waiting.size(); ++i) {
            SCOPED_TRACE(names[i]);
            auto* whole = widget<ResultBox>(names[i]);
            EXPECT_TRUE(whole->grab().toImage() == waiting[i].first);
            EXPECT_EQ(scrollOf(*whole), waiting[i].second);
        }
    }
}

TEST_F(StraightAfterThePress, EveryActionMeetsTheWholeText)
{
    // Where the fourth line begins, well among the lines shown at first.
    int fourth = 0;
    for (int i = 0; i < 3; ++i) {
        fourth = int(original.indexOf(u'\n', fourth)) + 1;
    }
    const std::vector<std::pair<const char*, std::function<QString(QPlainTextEdit&)>>> all = {
        {"a click on a line, then Ctrl+End",
         [&](QPlainTextEdit& e) {
             const QPoint point = pointAt(e, fourth);
             sendMouse(e, QEvent::MouseButtonPress, point, Qt::LeftButton);
             sendMouse(e, QEvent::MouseButtonRelease, point, Qt::NoButton);
             return stepsOf(e, Qt::Key_End, Qt::ControlModifier, 1);
         }},
        {"triple click moving 2 pixels",
         [&](QPlainTextEdit& e) {
             tripleClick(e, fourth, 2);
             return QString();
         }},
        // In a window that is not active, the wheel moves no focus.
        {"the wheel over the lines",
         [](QPlainTextEdit& e) {
             wheelWithoutFocus(e, e.viewport());
             return QString();
         }},
        {"the wheel over the scroll bar",
         [](QPlainTextEdit& e) {
             wheelWithoutFocus(e, e.verticalScrollBar());
             return QString();
         }},
        {"a click in the scroll bar's track",
         [](QPlainTextEdit& e) {
             QScrollBar* bar = e.verticalScrollBar();
             QTest::mouseClick(bar, Qt::LeftButton, {},
                               QPoint(bar->width() / 2, bar->height() * 3 / 4));
             return QString();
         }},
        {"the scroll bar dragged to its end",
         [](QPlainTextEdit& e) {
             QScrollBar* bar = e.verticalScrollBar();
             const QPoint grip(bar->width() / 2, bar->width() + 3);
             QTest::mousePress(bar, Qt::LeftButton, {}, grip);
             QTest::mouseMove(bar, QPoint(grip.x(), bar->height() + 50));
             QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(grip.x(), bar->height() + 50));
             const QPoint bottom(e.viewport()->width() / 2, e.viewport()->height() - 4);
             return e.cursorForPosition(bottom).block().text();
         }},
        {"the focus by Tab, Ctrl+A and Ctrl+C",
         [](QPlainTextEdit& e) {
             e.setFocus(Qt::TabFocusReason);
             QTest::keyClick(&e, Qt::Key_A, Qt::ControlModifier);
             QTest::keyClick(&e, Qt::Key_C, Qt::ControlModifier);
             return QGuiApplication::clipboard()->text();
         }},
        {"a resize",
         [](QPlainTextEdit& e) {
             e.resize(e.width() - 10, e.height() + 30);
             QApplication::processEvents();
             const QPoint bottom(e.viewport()->width() / 2, e.viewport()->height() - 4);
             return e.cursorForPosition(bottom).block().text();
         }},
    };
    const QSize size = box->size();
    for (const auto& [name, act] : all) {
        SCOPED_TRACE(name);
        Outcome outcome[2];
        for (const bool whole : {true, false}) {
            press();
            ASSERT_TRUE(widget<ResultBox>("txt4")->waiting());
            if (whole) {
                settle();
            }
            outcome[whole].read = act(*box) + u'|' + scrollOf(*box);
            outcome[whole].anchor = box->textCursor().anchor();
            outcome[whole].position = box->textCursor().position();
            outcome[whole].text = box->toPlainText();
            widget("txt2")->setFocus();
            box->resize(size);
        }
        EXPECT_EQ(outcome[false], outcome[true]);
    }
}

// 横: a comma list, wrapped anywhere, breaks where a plain text edit breaks it.
TEST_F(OneParagraphPerLine, ACommaListWrapsAsInAPlainTextEdit)
{
    QTest::mouseClick(widget("cmdXY"), Qt::LeftButton);
    run(QStringLiteral("0"), QStringLiteral("40000"));
    box = widget<QPlainTextEdit>("txt3");
    ASSERT_TRUE(box->toPlainText().contains(QStringLiteral("39989")));
    fillPlain();
    const auto lineStarts = [](const QPlainTextEdit& edit) {
        std::vector<int> starts;
        for (QTextBlock block = edit.document()->begin(); block.isValid(); block = block.next()) {
            edit.document()->documentLayout()->blockBoundingRect(block);
            for (int i = 0; i < block.layout()->lineCount(); ++i) {
                starts.push_back(block.position() + block.layout()->lineAt(i).textStart());
            }
        }
        return starts;
    };
    const std::vector<int> starts = lineStarts(*box);
    EXPECT_GT(starts.size(), 100u);
    EXPECT_EQ(starts, lineStarts(plain));
}

} // namespace
