// UTF-16 text walked by characters, as the toolkits' edits hold it and the model counts it; line
// breaks as a widget holds them.
#include "platform/Utf16.h"

#include <utility>

namespace tavimo {
namespace {

// The UTF-16 units and model characters of the character that starts at `unit`.
std::pair<std::size_t, int> stepAt(std::u16string_view text, std::size_t unit, LineBreaks breaks)
{
    if (startsSurrogatePair(text, unit)) {
        return {2, 1};
    }
    return {1, breaks == LineBreaks::Lf && text[unit] == u'\n' ? 2 : 1}; // LF: the model's CR LF
}

} // namespace

bool startsSurrogatePair(std::u16string_view text, std::size_t unit)
{
    const auto high = [](char16_t c) { return c >= 0xD800 && c <= 0xDBFF; };
    const auto low = [](char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; };
    return high(text[unit]) && unit + 1 < text.size() && low(text[unit + 1]);
}

std::size_t characterCount(std::u16string_view text)
{
    std::size_t count = 0;
    for (std::size_t unit = 0; unit < text.size();
         unit += startsSurrogatePair(text, unit) ? 2 : 1) {
        ++count;
    }
    return count;
}

std::string withLfBreaks(std::string_view modelText)
{
    std::string text;
    text.reserve(modelText.size());
    for (std::size_t i = 0; i < modelText.size(); ++i) {
        if (modelText[i] == '\r' && i + 1 < modelText.size() && modelText[i + 1] == '\n') {
            continue;
        }
        text.push_back(modelText[i]);
    }
    return text;
}

int toModelPosition(std::u16string_view widgetText, int widgetPosition, LineBreaks breaks)
{
    int model = 0;
    for (std::size_t unit = 0; unit < widgetText.size() && int(unit) < widgetPosition;) {
        const auto [units, characters] = stepAt(widgetText, unit, breaks);
        unit += units;
        model += characters;
    }
    return model;
}

int toWidgetPosition(std::u16string_view widgetText, int modelPosition, LineBreaks breaks)
{
    int model = 0;
    std::size_t unit = 0;
    while (unit < widgetText.size()) {
        const auto [units, characters] = stepAt(widgetText, unit, breaks);
        if (model + characters > modelPosition) {
            break; // the position, or inside the model's CR LF: before the line break
        }
        unit += units;
        model += characters;
    }
    return int(unit);
}

} // namespace tavimo
