// The main window with real widgets: geometry, colours, fonts, keyboard, mouse, resize, output
// and the clipboard.
#include "WindowFixture.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
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

TEST_F(Window, InputsTakeEightCharactersTypedOrPasted)
{
    type("txt1", QStringLiteral("123456789"));
    EXPECT_EQ(widget<QLineEdit>("txt1")->text(), QStringLiteral("12345678"));
    EXPECT_EQ(form.txt1.text, "12345678");

    // Characters, not bytes: eight full-width digits are 24 bytes of UTF-8.
    QGuiApplication::clipboard()->setText(QStringLiteral("９８７６５４３２１"));
    auto* upper = widget<QLineEdit>("txt2");
    upper->setFocus();
    upper->selectAll();
    QTest::keyClick(upper, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(upper->text(), QStringLiteral("９８７６５４３２"));
    EXPECT_EQ(form.txt2.text, "９８７６５４３２");
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
        EXPECT_EQ(box->document()->blockCount(), lines);
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
