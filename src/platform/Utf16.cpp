// UTF-16 text walked by characters, as the toolkits' edits hold it and the model counts it; line
// breaks as a widget holds them.
#include "platform/Utf16.h"

#include <algorithm>
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

// The bytes of the model's text, the widget's UTF-16 units and the model's characters of the
// character (or CR LF) that starts at byte `at`.
struct Step {
    std::size_t bytes;
    int units;
    int characters;
};

Step modelStepAt(std::string_view text, std::size_t at, LineBreaks breaks)
{
    if (breaks == LineBreaks::Lf && text[at] == '\r' && at + 1 < text.size() &&
        text[at + 1] == '\n') {
        return {2, 1, 2}; // one LF in the widget
    }
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t bytes = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    return {std::min(bytes, text.size() - at), bytes == 4 ? 2 : 1, 1};
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

int toModelPositionFrom(std::string_view modelText, int widgetPosition, LineBreaks breaks)
{
    int unit = 0;
    int model = 0;
    for (std::size_t at = 0; at < modelText.size() && unit < widgetPosition;) {
        const Step step = modelStepAt(modelText, at, breaks);
        at += step.bytes;
        unit += step.units;
        model += step.characters;
    }
    return model;
}

int toWidgetPositionFrom(std::string_view modelText, int modelPosition, LineBreaks breaks)
{
    int unit = 0;
    int model = 0;
    for (std::size_t at = 0; at < modelText.size();) {
        const Step step = modelStepAt(modelText, at, breaks);
        if (model + step.characters > modelPosition) {
            break; // the position, or inside the model's CR LF: before the line break
        }
        at += step.bytes;
        unit += step.units;
        model += step.characters;
    }
    return unit;
}

} // namespace tavimo
