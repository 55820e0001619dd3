// What the window shows of its texts, at any scale: CTest runs this suite on a plain screen and
// again at QT_SCALE_FACTOR 1.25, 1.5 and 2. The labels' texts are whole where they overlap, and
// the menus that Qt itself gives the text boxes and scroll bars are in Japanese.
#include "WindowFixture.h"

#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTimer>

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace tavimo;

namespace {

class DrawnText : public guitest::Window {
protected:
    // Fractional scales may place a glyph a device pixel off where the label drawn alone has it.
    int slack() const
    {
        const qreal ratio = window.devicePixelRatio();
        return ratio == std::floor(ratio) ? 0 : 1;
    }

    static bool isInk(const QColor& pixel, int least) { return pixel.red() >= least; }

    // Where a label's text, drawn alone, lies on the window, in device pixels.
    QRect inkOnWindow(std::string_view name)
    {
        QWidget* label = widget(name);
        const QImage alone = label->grab().toImage();
        QRect ink;
        for (int y = 0; y < alone.height(); ++y) {
            for (int x = 0; x < alone.width(); ++x) {
                if (isInk(alone.pixelColor(x, y), 128)) {
                    ink |= QRect(x, y, 1, 1);
                }
            }
        }
        return ink.translated(label->mapTo(&window, QPoint(0, 0)) * window.devicePixelRatio());
    }

    // The ink of a label drawn alone that the window, with every other control, does not show:
    // white on the window's green.
    int coveredInk(std::string_view name)
    {
        const qreal ratio = window.devicePixelRatio();
        const QImage drawn = window.grab().toImage();
        QWidget* label = widget(name);
        const QImage alone = label->grab().toImage();
        const QPoint origin = label->mapTo(&window, QPoint(0, 0)) * ratio;
        const int around = slack();
        int covered = 0;
        for (int y = 0; y < alone.height(); ++y) {
            for (int x = 0; x < alone.width(); ++x) {
                if (!isInk(alone.pixelColor(x, y), 128)) {
                    continue;
                }
                bool found = false;
                for (int dy = -around; dy <= around && !found; ++dy) {
                    for (int dx = -around; dx <= around && !found; ++dx) {
                        const QPoint at = origin + QPoint(x + dx, y + dy);
                        found = drawn.rect().contains(at) && isInk(drawn.pixelColor(at), 64);
                    }
                }
                covered += found ? 0 : 1;
            }
        }
        return covered;
    }

    // The texts of the menu that a right click on `target` opens, separators left out. A menu
    // that runs its own event loop (a scroll bar's) is read from inside it.
    static QStringList menuTexts(QWidget* target, QPoint at)
    {
        QStringList texts;
        const auto read = [&texts] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (menu == nullptr) {
                return;
            }
            for (const QAction* action : menu->actions()) {
                if (!action->isSeparator()) {
                    texts << action->text();
                }
            }
            menu->close();
        };
        QTimer inside;
        inside.setSingleShot(true);
        QObject::connect(&inside, &QTimer::timeout, read);
        inside.start(0);
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, target->mapToGlobal(at));
        QApplication::sendEvent(target, &event);
        if (texts.isEmpty()) {
            read();
        }
        return texts;
    }
};

TEST_F(DrawnText, ShowsTheCountAndItsUnitWhole)
{
    // The count lies in front of its unit: at start "？　" and "個", after a search the count at
    // 840 twips, after the cap the count at 500 beside the longer "個以上".
    const struct {
        const char* upper;
        const char* count;
        const char* unit;
    } rows[] = {
        {nullptr, "？　", "個"},
        {"30", "10", "個"},
        {"1000000", "20000", "個以上"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.count);
        if (row.upper != nullptr) {
            type("txt1", QStringLiteral("1"));
            type("txt2", QString::fromUtf8(row.upper));
            QTest::keyClick(widget("txt2"), Qt::Key_Return);
        }
        ASSERT_EQ(widget<QLabel>("lbl2")->text(), QString::fromUtf8(row.count));
        ASSERT_EQ(widget<QLabel>("lbl2k")->text(), QString::fromUtf8(row.unit));
        for (const char* label : {"lbl1", "lbl2", "lbl2k"}) {
            EXPECT_EQ(coveredInk(label), 0) << label << " is not drawn whole";
        }
        // The opaque count ends left of the unit's first stroke, and its number just left of
        // that: a count that reached a pixel into the unit would hide a column of its ink, which
        // the number's own ink there could hide from the comparison above.
        const QWidget* count = widget("lbl2");
        const double countEnd = (count->x() + count->width()) * window.devicePixelRatio();
        const QRect unit = inkOnWindow("lbl2k");
        EXPECT_LE(countEnd, unit.left() + slack()) << "unit's ink from " << unit.left();
        EXPECT_LT(inkOnWindow("lbl2").right(), unit.left());
        // And not beyond its own design edge.
        EXPECT_LE(count->x() + count->width(),
                  std::lround((form.lbl2.rect.left + form.lbl2.rect.width) / 15));
    }
}

TEST_F(DrawnText, QtsOwnMenusAreInJapanese)
{
    // An input's, a result box's and a result box's scroll bar's: undo, cut, copy, paste, select
    // all; scroll here, top, bottom, page up ...
    auto* results = widget<QPlainTextEdit>("txt3");
    QScrollBar* scrollBar = results->verticalScrollBar();
    const struct {
        const char* name;
        QWidget* target;
        QString expected;
    } rows[] = {
        {"txt1", widget("txt1"), QStringLiteral("貼り付け")},
        {"txt3", results->viewport(), QStringLiteral("すべてを選択")},
        {"txt3's scroll bar", scrollBar, QStringLiteral("ここにスクロール")},
    };
    // What a text reads as once its access key "(&P)" and its shortcut "\tCtrl+V" are taken off.
    const QRegularExpression accessKey(QStringLiteral("\\(&.\\)|&|\\t.*$"));
    const QRegularExpression latin(QStringLiteral("[A-Za-z]"));
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QStringList texts = menuTexts(row.target, QPoint(4, row.target->height() / 2));
        ASSERT_GE(texts.size(), 5) << texts.join(u'|').toStdString();
        bool expected = false;
        for (QString text : texts) {
            text.remove(accessKey);
            EXPECT_FALSE(text.isEmpty());
            EXPECT_FALSE(text.contains(latin)) << text.toStdString();
            expected = expected || text == row.expected;
        }
        EXPECT_TRUE(expected) << row.expected.toStdString() << " not in "
                              << texts.join(u'|').toStdString();
    }
}

} // namespace
