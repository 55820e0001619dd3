// The model's texts (UTF-8 with CR LF) against the page's texts (UTF-16 with LF), and positions.
#pragma once

#include <string>
#include <string_view>

namespace tavimo::web {

// Every CR LF becomes the single LF that a text area's value holds for a line break (the page
// turns any CR LF it is given into LF itself). UTF-8: the page's strings are made from it.
std::string toWidgetText(std::string_view modelText);
// Every line break of the page's text becomes the program's CR LF again.
std::string toModelText(std::string_view widgetText);

// A position in an element's value (UTF-16 units, a line break counting one) as a position in the
// model's text (characters, a CR LF pair counting two), and back, for an element that holds the
// model's text: walked on the model's text, so that a long value is never read back to map them.
int toModelPosition(std::string_view modelText, int widgetPosition);
int toWidgetPosition(std::string_view modelText, int modelPosition);

} // namespace tavimo::web
