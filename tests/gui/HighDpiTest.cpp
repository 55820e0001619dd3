// The window on a high-density screen: CTest runs this suite with QT_SCALE_FACTOR=2, and the
// window must keep its layout at twice the pixels with every caption and text whole.
#include "WindowFixture.h"

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace tavimo;

namespace {

constexpr int scale = 2;

class HighDpi : public guitest::Window {
protected:
    void SetUp() override
    {
        Window::SetUp();
        ASSERT_EQ(window.devicePixelRatio(), scale) << "run this suite with QT_SCALE_FACTOR=2";
        image = window.grab().toImage();
    }

    // A control's rectangle on the window, in device pixels.
    QRect deviceRect(std::string_view control)
    {
        const QWidget* placed = widget(control);
        const QRect logical(placed->mapTo(&window, QPoint(0, 0)), placed->size());
        return {logical.topLeft() * scale, logical.size() * scale};
    }

    // The smallest rectangle around the pixels of `area` that are ink.
    QRect inkBounds(const QRect& area, const std::function<bool(const QColor&)>& ink) const
    {
        QRect bounds;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                if (ink(image.pixelColor(x, y))) {
                    bounds |= QRect(x, y, 1, 1);
                }
            }
        }
        return bounds;
    }

    QColor at(int x, int y) const { return image.pixelColor(x * scale, y * scale); }

    QImage image;
};

std::string describe(const QRect& rect)
{
    return std::to_string(rect.x()) + "," + std::to_string(rect.y()) + " " +
           std::to_string(rect.width()) + "x" + std::to_string(rect.height());
}

TEST_F(HighDpi, DrawsTheSameLayoutAtTwiceThePixels)
{
    // 5000 x 4050 twips are 333 x 270 pixels at one device pixel each, 666 x 540 here; the client
    // area, less any frame, is drawn at twice its pixels too.
    const QSize outer = window.frameGeometry().size() * scale;
    EXPECT_NEAR(outer.width(), 666, 2);
    EXPECT_NEAR(outer.height(), 540, 2);
    EXPECT_EQ(image.size(), window.size() * scale);

    // The places that the start-up test looks at on a plain screen, each at twice its pixels.
    const QColor darkGreen(0, 128, 0);
    const QColor brightGreen(0, 255, 0);
    const QColor white(Qt::white);
    EXPECT_EQ(at(5, 260), darkGreen);
    EXPECT_EQ(at(10, 105), darkGreen);
    EXPECT_EQ(at(45, 122), brightGreen);  // Run
    EXPECT_EQ(at(45, 218), brightGreen);  // Exit
    EXPECT_EQ(at(165, 230), brightGreen); // the first copy button
    EXPECT_EQ(at(40, 12), white);         // txt1
    EXPECT_EQ(at(150, 180), white);       // txt3
    // Line1, 3 pixels wide about x = 80: 6 device pixels about 160.
    for (const auto& [x, colour] : {std::pair{157, darkGreen}, std::pair{158, white},
                                    std::pair{163, white}, std::pair{164, darkGreen}}) {
        EXPECT_EQ(image.pixelColor(x, 80), colour) << "x " << x;
    }

    // Every shown button fills its doubled rectangle with its face, just inside the edge.
    for (const CommandButton* button : form.buttons()) {
        if (!button->visible) {
            continue;
        }
        SCOPED_TRACE(button->name);
        const QRect rect = deviceRect(button->name);
        EXPECT_EQ(rect.size(), QSize(qRound(button->rect.width / 15) * scale,
                                     qRound(button->rect.height / 15) * scale));
        EXPECT_EQ(image.pixelColor(rect.left() + 6, rect.center().y()), brightGreen);
        EXPECT_EQ(image.pixelColor(rect.right() - 6, rect.top() + 6), brightGreen);
    }
}

TEST_F(HighDpi, DrawsEveryCaptionWholeInsideItsButton)
{
    // Caption ink (text in the button-text colour, or greyed on the disabled Move button) lies
    // well inside the face: a caption too wide or too tall for its button would be cut at the
    // button's edge, and its ink would reach the border.
    const auto ink = [](const QColor& pixel) { return pixel.red() > 40 || pixel.green() < 200; };
    for (const CommandButton* button : form.buttons()) {
        if (!button->visible) {
            continue;
        }
        SCOPED_TRACE(button->name);
        // The default button's edge is a pixel thicker.
        const int border = (widget<QPushButton>(button->name)->isDefault() ? 3 : 2) * scale;
        const QRect face = deviceRect(button->name).adjusted(border, border, -border, -border);
        const QRect caption = inkBounds(face, ink);
        ASSERT_FALSE(caption.isEmpty());
        EXPECT_TRUE(face.adjusted(1, 1, -1, -1).contains(caption))
            << "caption " << describe(caption) << " in face " << describe(face);
        // Whole glyphs at twice the size: as wide as the text's advance at the button's font,
        // give or take the glyphs' side bearings.
        const int advance = QFontMetrics(widget(button->name)->font())
                                .horizontalAdvance(QString::fromStdString(button->caption)) *
                            scale;
        EXPECT_GT(caption.width(), advance * 3 / 4) << "advance " << advance;
    }
}

TEST_F(HighDpi, ShowsTheLabelsAndInputTextsWhole)
{
    // The labels' white text on the window's green, right-aligned: a text too long would lose its
    // beginning at the left edge, one too tall its bottom.
    const auto white = [](const QColor& pixel) { return pixel.red() > 160; };
    for (const Label* label : form.labels()) {
        SCOPED_TRACE(label->name);
        const QRect rect = deviceRect(label->name);
        const QRect text = inkBounds(rect, white);
        ASSERT_FALSE(text.isEmpty());
        EXPECT_GT(text.left(), rect.left()) << describe(text) << " in " << describe(rect);
        EXPECT_LT(text.bottom(), rect.bottom()) << describe(text) << " in " << describe(rect);
        const QFontMetrics metrics(widget(label->name)->font());
        EXPECT_LE(metrics.horizontalAdvance(widget<QLabel>(label->name)->text()),
                  widget(label->name)->width());
        EXPECT_LE(metrics.height(), widget(label->name)->height());
    }
    // The inputs' texts fit their boxes, which show "‥から" and "‥まで" in full.
    for (const char* input : {"txt1", "txt2"}) {
        SCOPED_TRACE(input);
        auto* edit = widget<QLineEdit>(input);
        const QRect box = deviceRect(input).adjusted(scale, scale, -scale, -scale);
        // Dark grey to black: the text and the caret, not the blue frame of the focused box.
        const QRect text = inkBounds(
            box, [](const QColor& pixel) { return pixel.red() < 96 && pixel.blue() < 96; });
        ASSERT_FALSE(text.isEmpty());
        EXPECT_TRUE(box.adjusted(2, 2, -2, -2).contains(text))
            << describe(text) << " in " << describe(box);
        EXPECT_LT(QFontMetrics(edit->font()).horizontalAdvance(edit->text()) + 8, edit->width());
    }
}

} // namespace
