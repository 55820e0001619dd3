// The look of the window in the page: its elements, their colours and their face, as CSS values.
#include "platform/web/Look.h"

namespace tavimo::web {

emscripten::val makeElement(const char* tag, std::string_view id, const char* className)
{
    emscripten::val element = emscripten::val::global("document")
                                  .call<emscripten::val>("createElement", std::string(tag));
    if (!id.empty()) {
        element.set("id", std::string(id));
    }
    element.set("className", std::string(className));
    return element;
}

std::string cssColour(Rgb colour)
{
    return "rgb(" + std::to_string(colour.red) + ", " + std::to_string(colour.green) + ", " +
           std::to_string(colour.blue) + ")";
}

// The page's own face first (index.html): it holds the characters of the program's texts with the
// metrics of MS P Gothic; any other character is drawn from the system's faces after it.
const char* const fontFamilies =
    "\"Tavimo Gothic\", \"ＭＳ Ｐゴシック\", \"MS PGothic\", IPAPGothic, "
    "\"Hiragino Kaku Gothic ProN\", \"Hiragino Sans\", \"Noto Sans CJK JP\", \"Noto Sans JP\", "
    "sans-serif";

std::string cssFont(const Font& font)
{
    // Points as the page counts them: 96 CSS pixels to 72 points, as on the desktop at 100 %.
    std::string points = std::to_string(font.points);
    points.erase(points.find_last_not_of('0') + 1);
    if (points.back() == '.') {
        points.pop_back();
    }
    return std::to_string(font.weight) + " " + points + "pt " + fontFamilies;
}

} // namespace tavimo::web
