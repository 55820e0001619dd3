// The model's texts (UTF-8 with CR LF) against the page's texts (UTF-16 with LF), and positions.
#include "platform/web/TextConversion.h"

#include "platform/Utf16.h"

namespace tavimo::web {

std::string toWidgetText(std::string_view modelText)
{
    return withLfBreaks(modelText);
}

std::string toModelText(std::string_view widgetText)
{
    std::string text;
    text.reserve(widgetText.size() + widgetText.size() / 8);
    for (std::size_t i = 0; i < widgetText.size(); ++i) {
        const char c = widgetText[i];
        if (c == '\r' || c == '\n') {
            text += "\r\n";
            if (c == '\r' && i + 1 < widgetText.size() && widgetText[i + 1] == '\n') {
                ++i;
            }
            continue;
        }
        text.push_back(c);
    }
    return text;
}

int toModelPosition(std::string_view modelText, int widgetPosition)
{
    return toModelPositionFrom(modelText, widgetPosition, LineBreaks::Lf);
}

int toWidgetPosition(std::string_view modelText, int modelPosition)
{
    return toWidgetPositionFrom(modelText, modelPosition, LineBreaks::Lf);
}

} // namespace tavimo::web
