// The main window with real widgets: geometry, colours, fonts, keyboard, mouse, resize, output
// and the clipboard.
#include "WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace tavimo;

namespace {

const QString notNatural = QStringLiteral("双方に自然数(スペース無し)を入れてください");

using guitest::Window;

TEST_F(Window, PlacesEveryControlAtItsTwipsInPixels)
{
    // Outer size 5000 x 4050 twips; a reported 333 x 270 is no change and leaves the twips exact.
    EXPECT_EQ(window.frameGeometry().size(), QSize(333, 270));
    EXPECT_EQ(form.width(), 5000.0f);
    EXPECT_EQ(form.height(), 4050.0f);

    struct Placed {
        std::string_view name;
        Container container;
        TwipsRect rect;
    };
    std::vector<Placed> controls;
    for (Frame* frame : form.frames()) {
        controls.push_back({frame->name, Container::Window, frame->rect});
    }
    for (TextBox* box : form.textBoxes()) {
        controls.push_back({box->name, box->container, box->rect});
    }
    for (Label* label : form.labels()) {
        controls.push_back({label->name, label->container, label->rect});
    }
    for (CommandButton* button : form.buttons()) {
        controls.push_back({button->name, button->container, button->rect});
    }
    const auto origin = [&](Container container) {
        const std::array<Frame*, 3> frames = form.frames();
        const int index = static_cast<int>(container) - 1;
        return index < 0 ? TwipsRect{} : frames[static_cast<std::size_t>(index)]->rect;
    };
    for (const Placed& control : controls) {
        SCOPED_TRACE(control.name);
        const QWidget* placed = widget(control.name);
        const QPoint topLeft = placed->mapTo(&window, QPoint(0, 0));
        const TwipsRect frame = origin(control.container);
        EXPECT_NEAR(topLeft.x(), (frame.left + control.rect.left) / 15, 1);
        EXPECT_NEAR(topLeft.y(), (frame.top + control.rect.top) / 15, 1);
        EXPECT_NEAR(placed->width(), control.rect.width / 15, 1);
        EXPECT_NEAR(placed->height(), control.rect.height / 15, 1);
    }
    // The design values themselves, after the layout of the start-up size.
    EXPECT_EQ(widget("txt1")->geometry(), QRect(32, 8, 89, 25));
    EXPECT_EQ(widget("txt3")->size(), QSize(173, 207));
    EXPECT_EQ(widget("fram3")->y(), 225);
    EXPECT_TRUE(widget("Line1")->geometry().contains(80, 40));
    // The icon comes from the binding's own resources, which a static library must register.
    EXPECT_TRUE(window.windowIcon().availableSizes().contains(QSize(32, 32)));
}

TEST_F(Window, PaintsTheDesignColours)
{
    const QColor darkGreen(0, 128, 0);
    const QImage window = this->window.grab().toImage();
    EXPECT_EQ(window.pixelColor(5, 260), darkGreen);
    EXPECT_EQ(window.pixelColor(26, 110), darkGreen);        // inside fram1, left of Run
    EXPECT_EQ(window.pixelColor(80, 40), QColor(Qt::white)); // Line1

    const QImage run = widget("cmdJIKKO")->grab().toImage();
    EXPECT_EQ(run.pixelColor(6, run.height() / 2), QColor(0, 255, 0));
    const QColor buttonText = widget("cmdJIKKO")->palette().color(QPalette::ButtonText);

    const QImage unit = widget("lbl2k")->grab().toImage();
    EXPECT_EQ(unit.pixelColor(1, 1), darkGreen); // opaque

    // Glyphs are antialiased against the face: look for a pixel close to the text colour.
    const auto contains = [](const QImage& image, const QColor& colour) {
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor pixel = image.pixelColor(x, y);
                if (std::abs(pixel.red() - colour.red()) +
                        std::abs(pixel.green() - colour.green()) +
                        std::abs(pixel.blue() - colour.blue()) <=
                    12) {
                    return true;
                }
            }
        }
        return false;
    };
    EXPECT_TRUE(contains(unit, Qt::white));
    EXPECT_TRUE(contains(run, buttonText));
}

TEST_F(Window, ShowsTextInAJapaneseFaceAtTheDesignSizes)
{
    const QStringList faces{QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                            QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")};
    const std::pair<const char*, double> rows[] = {
        {"txt1", 12.0},   {"txt2", 12.0},    {"txt3", 10.8},    {"txt6", 10.8},
        {"lbl1", 10.2},   {"lbl2", 10.8},    {"lbl2k", 10.8},   {"cmdJIKKO", 10.8},
        {"cmdEND", 10.8}, {"cmdKESU", 10.2}, {"cmdCOPY", 10.2}, {"cmdCOPY3", 7.8},
    };
    for (const auto& [name, points] : rows) {
        SCOPED_TRACE(name);
        const QFont font = widget(name)->font();
        EXPECT_TRUE(faces.contains(QFontInfo(font).family()))
            << QFontInfo(font).family().toStdString();
        EXPECT_NEAR(font.pointSizeF(), points, 0.01);
        EXPECT_EQ(QFontInfo(font).weight(), QFont::Normal);
    }
}

TEST_F(Window, TabVisitsTheShownEnabledControlsInTabIndexOrder)
{
    ASSERT_EQ(focusName(), "txt1");
    QStringList visited;
    for (int i = 0; i < 9; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << focusName();
    }
    EXPECT_EQ(visited, QStringList({"txt2", "cmdCOPY3", "cmdOTO", "cmdXY", "cmdKESU", "cmdEND",
                                    "cmdJIKKO", "txt3", "txt1"}));
}

// Eight characters from the user, counted as characters: a character beyond the Basic
// Multilingual Plane (such as 𠮷) is two UTF-16 units and counts once.
TEST_F(Window, InputsTakeEightCharactersTypedPastedOrDropped)
{
    const QString yoshi = QString::fromUtf8("𠮷");
    auto* lower = widget<QLineEdit>("txt1");
    auto* upper = widget<QLineEdit>("txt2");
    const auto typeCharacter = [](QWidget* target, const QString& character) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, character);
        QApplication::sendEvent(target, &press);
    };

    type("txt1", QStringLiteral("123456789"));
    EXPECT_EQ(lower->text(), QStringLiteral("12345678"));
    EXPECT_EQ(form.txt1.text, "12345678");
    type("txt1", QStringLiteral("1234567"));
    typeCharacter(lower, yoshi);
    typeCharacter(lower, yoshi);
    EXPECT_EQ(form.txt1.text, "1234567𠮷");

    // Pasted: eight full-width digits are 24 bytes of UTF-8; five 𠮷 are ten UTF-16 units, and
    // typing after them takes three more characters.
    upper->setFocus();
    upper->selectAll();
    QGuiApplication::clipboard()->setText(QStringLiteral("９８７６５４３２１"));
    QTest::keyClick(upper, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(form.txt2.text, "９８７６５４３２");
    upper->selectAll();
    QGuiApplication::clipboard()->setText(yoshi.repeated(5));
    QTest::keyClick(upper, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClicks(upper, QStringLiteral("1234"));
    EXPECT_EQ(upper->text(), yoshi.repeated(5) + QStringLiteral("123"));
    EXPECT_EQ(form.txt2.text, "𠮷𠮷𠮷𠮷𠮷123");

    // Pasted through the context menu.
    lower->selectAll();
    QGuiApplication::clipboard()->setText(QStringLiteral("987654321"));
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(5, 5),
                                lower->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(lower, &menuEvent);
    auto* menu = lower->findChild<QMenu*>();
    ASSERT_NE(menu, nullptr);
    QAction* paste = nullptr;
    for (QAction* action : menu->actions()) {
        paste = action->text().startsWith(QStringLiteral("貼り付け")) ? action : paste;
    }
    ASSERT_NE(paste, nullptr);
    paste->trigger();
    menu->close();
    EXPECT_EQ(form.txt1.text, "98765432");

    // Dropped: inserted where it falls, replacing nothing.
    type("txt2", QStringLiteral("123456"));
    QMimeData dragged;
    dragged.setText(QStringLiteral("abcdef"));
    const QPoint end(upper->width() - 3, upper->height() / 2);
    QDragEnterEvent enter(end, Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(upper, &enter); // makes the box the drop's target
    QDropEvent drop(end, Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(upper, &drop);
    EXPECT_EQ(form.txt2.text, upper->text().toStdString());
    EXPECT_EQ(upper->text().size(), 8);
    EXPECT_EQ(upper->text().remove(QStringLiteral("ab")), QStringLiteral("123456"));
}

// The program's own text is shown whole (Move writes a ten-digit prime after a search from 1E9);
// the user's typing then adds nothing to the over-long box, and deleting works.
TEST_F(Window, AnInputShowsTheProgramsTextWholeAndTakesNoMoreTyping)
{
    form.txt1.text = "1000415519";
    window.refresh();
    auto* lower = widget<QLineEdit>("txt1");
    EXPECT_EQ(lower->text(), QStringLiteral("1000415519"));

    lower->setFocus();
    lower->end(false);
    QTest::keyClicks(lower, QStringLiteral("7"));
    EXPECT_EQ(lower->text(), QStringLiteral("1000415519"));
    EXPECT_EQ(form.txt1.text, "1000415519");
    QTest::keyClick(lower, Qt::Key_Backspace);
    QTest::keyClicks(lower, QStringLiteral("7"));
    EXPECT_EQ(form.txt1.text, "100041551");
    // Typing over a selection replaces it with what fits: three go, two of "234" come.
    lower->setSelection(0, 3);
    QTest::keyClicks(lower, QStringLiteral("234"));
    EXPECT_EQ(form.txt1.text, "23041551");
}

TEST_F(Window, AnInputMethodsCommitIsCutToTheRoomLeft)
{
    type("txt1", QStringLiteral("123456"));
    auto* lower = widget<QLineEdit>("txt1");
    const auto send = [&](const QString& preedit, const QString& commit, int from, int length) {
        QInputMethodEvent event(preedit, {});
        event.setCommitString(commit, from, length);
        QApplication::sendEvent(lower, &event);
    };
    send(QStringLiteral("よんななご"), QString(), 0, 0); // composing: nothing is written yet
    EXPECT_EQ(form.txt1.text, "123456");
    send(QString(), QStringLiteral("四七五"), 0, 0);
    EXPECT_EQ(lower->text(), QStringLiteral("123456四七"));
    EXPECT_EQ(form.txt1.text, "123456四七");
    // A commit that replaces the two characters before the cursor has their room as well.
    send(QString(), QStringLiteral("八九十"), -2, 2);
    EXPECT_EQ(form.txt1.text, "123456八九");
}

// Run is the default button and looks it: a darker, thicker edge around the same face. While
// another command button has the focus, Enter presses that one, and it carries the emphasis.
TEST_F(Window, TheButtonThatEnterPressesCarriesTheDefaultEmphasis)
{
    const auto edgeGreen = [&](const char* name) {
        const QImage image = widget(name)->grab().toImage();
        return image.pixelColor(1, image.height() / 2).green();
    };
    const auto defaults = [&] {
        QStringList names;
        for (const auto* button : window.findChildren<QPushButton*>()) {
            if (button->isDefault()) {
                names << button->objectName();
            }
        }
        return names;
    };
    const QColor face(0, 255, 0);
    const auto faceOf = [&](const char* name) {
        const QImage image = widget(name)->grab().toImage();
        return image.pixelColor(6, image.height() / 2);
    };

    EXPECT_EQ(defaults(), QStringList{"cmdJIKKO"});
    EXPECT_LT(edgeGreen("cmdJIKKO"), edgeGreen("cmdEND") - 60);
    EXPECT_EQ(faceOf("cmdJIKKO"), face);

    widget("cmdKESU")->setFocus();
    EXPECT_EQ(defaults(), QStringList{"cmdKESU"});
    EXPECT_LT(edgeGreen("cmdKESU"), edgeGreen("cmdJIKKO") - 60);
    EXPECT_EQ(faceOf("cmdKESU"), face);
    EXPECT_EQ(faceOf("cmdJIKKO"), face);

    // A switch gives the focus to the window: Enter runs Run again.
    QTest::keyClick(widget("cmdXY"), Qt::Key_Space);
    EXPECT_EQ(defaults(), QStringList{"cmdJIKKO"});
    widget("cmdCOPY3")->setFocus();
    EXPECT_EQ(defaults(), QStringList{"cmdCOPY3"});
    widget("txt2")->setFocus();
    EXPECT_EQ(defaults(), QStringList{"cmdJIKKO"});
}

// Enter outside the command buttons runs Run's click alone: the mouse-down preparation, which
// empties the count, does not run.
class EnterOutsideTheButtons
    : public Window,
      public ::testing::WithParamInterface<std::pair<const char*, Qt::Key>> {};

TEST_P(EnterOutsideTheButtons, RunsTheClickOfRunAlone)
{
    const auto [name, key] = GetParam();
    QWidget* target = std::string_view(name) == "frmMain" ? &window : widget(name);
    target->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), target);
    QTest::keyClick(target, key);
    EXPECT_EQ(resultText("txt3"), notNatural); // "‥から" is no number
    EXPECT_EQ(widget<QLabel>("lbl2")->text(), QStringLiteral("？　"));
}

INSTANTIATE_TEST_SUITE_P(Window, EnterOutsideTheButtons,
                         ::testing::Values(std::pair{"txt1", Qt::Key_Return},
                                           std::pair{"txt2", Qt::Key_Enter},
                                           std::pair{"txt3", Qt::Key_Return},
                                           std::pair{"frmMain", Qt::Key_Return}),
                         [](const auto& info) {
                             return std::string(info.param.first) +
                                    (info.param.second == Qt::Key_Enter ? "Enter" : "Return");
                         });

TEST_F(Window, EnterAndSpaceActivateTheFocusedButton)
{
    struct Row {
        const char* button;
        Qt::Key key;
        QString caption;
    };
    const Row rows[] = {
        {"cmdXY", Qt::Key_Return, QStringLiteral("横")},
        {"cmdOTO", Qt::Key_Space, QStringLiteral("音有")},
        {"cmdOTO", Qt::Key_Enter, QStringLiteral("音無")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.button);
        auto* button = widget<QPushButton>(row.button);
        button->setFocus();
        QTest::keyClick(button, row.key);
        EXPECT_EQ(button->text(), row.caption);
        EXPECT_NE(resultText("txt3"), notNatural);       // Run did not run
        EXPECT_EQ(QApplication::focusWidget(), &window); // both switches focus the window
    }
    auto* run = widget<QPushButton>("cmdJIKKO");
    run->setFocus();
    QTest::keyClick(run, Qt::Key_Return);
    EXPECT_EQ(resultText("txt3"), notNatural);
    EXPECT_EQ(widget<QLabel>("lbl2")->text(), QStringLiteral("？　")); // no mouse-down
}

TEST_F(Window, AnyMouseButtonDownOnRunPreparesAndOnlyAPrimaryClickSearches)
{
    type("txt1", QStringLiteral("1"));
    type("txt2", QStringLiteral("30"));
    auto* run = widget<QPushButton>("cmdJIKKO");
    QTest::mousePress(run, Qt::RightButton);
    QTest::mouseRelease(run, Qt::RightButton);
    EXPECT_EQ(resultText("txt3"), QStringLiteral("調べてます。"));
    EXPECT_EQ(widget<QLabel>("lbl2")->text(), QString());

    QTest::mouseClick(run, Qt::LeftButton);
    EXPECT_EQ(resultText("txt3"),
              QStringLiteral("素数は,\n2\n3\n5\n7\n11\n13\n17\n19\n23\n29\nです。"));
    EXPECT_EQ(widget<QLabel>("lbl2")->text(), QStringLiteral("10"));
}

TEST_F(Window, AUserResizeLaysOutTheResultsArea)
{
    const QSize margins = window.frameGeometry().size() - window.size();
    window.resize(QSize(600, 400) - margins);
    EXPECT_EQ(form.width(), 9000.0f);
    EXPECT_EQ(form.height(), 6000.0f);
    EXPECT_EQ(window.frameGeometry().size(), QSize(600, 400));
    EXPECT_EQ(widget("fram3")->y(), 355);                // (6000 - 680) / 15
    EXPECT_EQ(widget("fram2")->size(), QSize(440, 347)); // 9000 - 2400, 6000 - 800
    EXPECT_EQ(widget("txt3")->size(), QSize(440, 337));  // frame width, 5200 - 150
}

TEST_F(Window, ASearchToOneMillionFillsFourBoxesAndWidensTheWindow)
{
    type("txt1", QStringLiteral("1"));
    type("txt2", QStringLiteral("1000000"));
    QTest::keyClick(widget("txt2"), Qt::Key_Return);

    EXPECT_EQ(window.frameGeometry().width(), 527); // 7900 twips
    const std::pair<const char*, int> boxes[] = {
        {"txt3", 5002}, {"txt4", 5002}, {"txt5", 5002}, {"txt6", 5003}};
    for (const auto& [name, lines] : boxes) {
        SCOPED_TRACE(name);
        const auto* box = widget<QPlainTextEdit>(name);
        EXPECT_TRUE(box->isVisible());
        EXPECT_EQ(resultText(name).count(u'\n') + 1, lines);
        // The scroll bar spans every line, not only those laid out to be shown.
        EXPECT_GT(box->verticalScrollBar()->maximum(), lines - 30);
        // A new text shows its beginning, with the caret before its first character.
        EXPECT_EQ(box->textCursor().position(), 0);
        EXPECT_EQ(box->verticalScrollBar()->value(), 0);
    }
    EXPECT_TRUE(resultText("txt6").endsWith(QStringLiteral(
        "\n224737\n‥‥‥\n[移]を押して続きを検索してください。(素数は1個重複します)")));
    EXPECT_TRUE(widget("cmdCOPY")->isEnabled());
    EXPECT_TRUE(widget("cmdCOPY6")->isVisible());
    EXPECT_EQ(widget<QLabel>("lbl2")->text(), QStringLiteral("20000"));
    EXPECT_EQ(widget("lbl2")->x(), 33); // 500 twips
}

TEST_F(Window, AHorizontalListWrapsInsideTheFirstBox)
{
    QTest::mouseClick(widget("cmdXY"), Qt::LeftButton);
    type("txt1", QStringLiteral("0"));
    type("txt2", QStringLiteral("40000"));
    QTest::keyClick(widget("txt2"), Qt::Key_Return);

    auto* box = widget<QPlainTextEdit>("txt3");
    EXPECT_TRUE(resultText("txt3").startsWith(QStringLiteral("素数は,2,3,5,7,11,")));
    EXPECT_TRUE(resultText("txt3").endsWith(QStringLiteral(",39989,\nです。")));
    EXPECT_EQ(widget<QLabel>("lbl2")->text(), QStringLiteral("4203"));
    EXPECT_FALSE(widget("txt4")->isVisible());
    // One paragraph of 4203 entries, broken into many lines within the box's width: nothing to
    // scroll sideways to.
    const QTextBlock list = box->document()->firstBlock();
    ASSERT_NE(list.layout(), nullptr);
    EXPECT_GT(list.layout()->lineCount(), 100);
    EXPECT_EQ(box->horizontalScrollBar()->maximum(), 0);
    EXPECT_GT(box->verticalScrollBar()->maximum(), 0);
}

// Word wrap: lines break between words where the text has them, whether the program wrote it or
// the user typed it, also after a comma list, which breaks anywhere.
TEST_F(Window, ResultBoxesBreakLinesBetweenWords)
{
    auto* box = widget<QPlainTextEdit>("txt3");
    const QString words = QStringLiteral("seven eleven thirteen seventeen nineteen twentythree");
    // Every line of the first paragraph begins a word.
    const auto breaksBetweenWords = [&] {
        const QTextBlock block = box->document()->firstBlock();
        const QTextLayout* layout = block.layout();
        if (layout == nullptr || layout->lineCount() < 2) {
            return false;
        }
        for (int i = 1; i < layout->lineCount(); ++i) {
            const int start = layout->lineAt(i).textStart();
            if (block.text().at(start - 1) != u' ') {
                return false;
            }
        }
        return true;
    };

    form.txt3.text = words.toStdString();
    window.refresh();
    EXPECT_TRUE(breaksBetweenWords());

    QTest::mouseClick(widget("cmdXY"), Qt::LeftButton);
    type("txt1", QStringLiteral("0"));
    type("txt2", QStringLiteral("40000"));
    QTest::keyClick(widget("txt2"), Qt::Key_Return);
    ASSERT_EQ(widget<QLabel>("lbl2")->text(), QStringLiteral("4203"));

    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, words);
    EXPECT_EQ(form.txt3.text, words.toStdString());
    EXPECT_TRUE(breaksBetweenWords());
}

TEST_F(Window, CopyPutsTheExactCrLfTextOnTheClipboardAndSelectsIt)
{
    QTest::mouseClick(widget("cmdCOPY3"), Qt::LeftButton);
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(),
              "\r\n２つの数の差が大きい\r\nとかなり時間がかかります。\r\n");
    auto* box = widget<QPlainTextEdit>("txt3");
    EXPECT_EQ(QApplication::focusWidget(), box);
    EXPECT_EQ(box->textCursor().selectionStart(), 0);
    EXPECT_EQ(box->textCursor().selectionEnd(), box->toPlainText().size());
}

TEST_F(Window, EditsOfAResultBoxReachTheModelWithCrLfAndStayPut)
{
    auto* box = widget<QPlainTextEdit>("txt3");
    box->setFocus();
    box->selectAll();
    QGuiApplication::clipboard()->setText(QStringLiteral("7\n11"));
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(form.txt3.text, "7\r\n11");
    EXPECT_EQ(form.txt3.selStart, 5); // the caret after "11", CR LF counting two

    // A handler that leaves txt3 alone must not set the text again (which moves the caret).
    QTest::mouseClick(widget("cmdOTO"), Qt::LeftButton);
    EXPECT_EQ(box->textCursor().position(), 4);

    box->selectAll();
    EXPECT_EQ(form.txt3.selStart, 0);
    EXPECT_EQ(form.txt3.selLength, 5);
}

TEST_F(Window, ExitClosesTheWindow)
{
    QTest::mouseClick(widget("cmdEND"), Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
}

} // namespace
