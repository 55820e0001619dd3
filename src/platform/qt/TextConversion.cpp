// The model's texts (UTF-8 with CR LF) against the widgets' texts (QString with LF), and positions.
#include "platform/qt/TextConversion.h"

#include "platform/Utf16.h"

#include <algorithm>

namespace tavimo {

QString toWidgetText(std::string_view modelText)
{
    return QString::fromStdString(withLfBreaks(modelText));
}

std::string toModelText(const QString& widgetText)
{
    const QByteArray utf8 = widgetText.toUtf8();
    std::string crlf;
    crlf.reserve(static_cast<std::size_t>(utf8.size()) +
                 static_cast<std::size_t>(utf8.count('\n')));
    for (const char c : utf8) {
        if (c == '\n') {
            crlf.push_back('\r');
        }
        crlf.push_back(c);
    }
    return crlf;
}

int toModelPosition(const QString& widgetText, int widgetPosition)
{
    return toModelPosition({QStringView(widgetText).utf16(), std::size_t(widgetText.size())},
                           widgetPosition, LineBreaks::Lf);
}

int toWidgetPosition(std::string_view modelText, int modelPosition)
{
    int model = 0;
    int widget = 0;
    std::size_t i = 0;
    while (i < modelText.size() && model < modelPosition) {
        const auto lead = static_cast<unsigned char>(modelText[i]);
        if (lead == '\r' && i + 1 < modelText.size() && modelText[i + 1] == '\n') {
            model += 2;
            widget += 1;
            i += 2;
            continue;
        }
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        model += 1;
        widget += length == 4 ? 2 : 1; // beyond the BMP: a surrogate pair in UTF-16
        i += length;
    }
    if (model > modelPosition) {
        widget -= 1; // inside a CR LF pair: before the line break
    }
    return widget;
}

} // namespace tavimo
