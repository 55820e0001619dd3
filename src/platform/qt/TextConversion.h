// The model's texts (UTF-8 with CR LF) against the widgets' texts (QString with LF), and positions.
#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace tavimo {

// Every CR LF becomes the single LF that Qt's text widgets use for a line break.
QString toWidgetText(std::string_view modelText);
// Every line break of a widget becomes the program's CR LF again.
std::string toModelText(const QString& widgetText);

// A position in a widget's text (UTF-16 units, a line break counting one) as a position in the
// model's text (characters, a CR LF pair counting two), and back. Positions past the end are
// clamped to the end; a model position between CR and LF maps to the start of the line break.
int toModelPosition(const QString& widgetText, int widgetPosition);
int toWidgetPosition(std::string_view modelText, int modelPosition);

} // namespace tavimo
