// UTF-16 text walked by characters, as the toolkits' edits hold it and the model counts it.
#include "platform/Utf16.h"

namespace tavimo {
namespace {

bool isHighSurrogate(char16_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}

bool isLowSurrogate(char16_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

// The UTF-16 units and model characters of the character that starts at `unit`.
struct Step {
    std::size_t units;
    int characters;
};

Step stepAt(std::u16string_view text, std::size_t unit, LineBreaks breaks)
{
    if (startsSurrogatePair(text, unit)) {
        return {2, 1};
    }
    if (breaks == LineBreaks::Lf && text[unit] == u'\n') {
        return {1, 2}; // the model's CR LF
    }
    return {1, 1};
}

} // namespace

bool startsSurrogatePair(std::u16string_view text, std::size_t unit)
{
    return isHighSurrogate(text[unit]) && unit + 1 < text.size() && isLowSurrogate(text[unit + 1]);
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

int toModelPosition(std::u16string_view widgetText, int widgetPosition, LineBreaks breaks)
{
    int model = 0;
    for (std::size_t unit = 0; unit < widgetText.size() && int(unit) < widgetPosition;) {
        const Step step = stepAt(widgetText, unit, breaks);
        unit += step.units;
        model += step.characters;
    }
    return model;
}

int toWidgetPosition(std::u16string_view widgetText, int modelPosition, LineBreaks breaks)
{
    int model = 0;
    std::size_t unit = 0;
    while (unit < widgetText.size() && model < modelPosition) {
        const Step step = stepAt(widgetText, unit, breaks);
        if (model + step.characters > modelPosition) {
            break; // inside the model's CR LF: before the line break
        }
        unit += step.units;
        model += step.characters;
    }
    return int(unit);
}

} // namespace tavimo
