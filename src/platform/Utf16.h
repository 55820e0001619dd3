// UTF-16 text walked by characters, as the toolkits' edits hold it and the model counts it; line
// breaks as a widget holds them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tavimo {

// A character is a code point: one beyond the Basic Multilingual Plane takes two UTF-16 units (a
// surrogate pair) and counts once; a lone surrogate counts as one.
bool startsSurrogatePair(std::u16string_view text, std::size_t unit);
std::size_t characterCount(std::u16string_view text);

// How a widget holds a line break of the model (CR LF, two characters): as CR LF itself
// (Windows' edits), or as one LF (Qt's text widgets).
enum class LineBreaks { CrLf, Lf };

// The model's text (UTF-8) with every CR LF as the single LF that Qt's text widgets and the page's
// text areas hold for a line break.
std::string withLfBreaks(std::string_view modelText);

// A position in a widget's text (UTF-16 units) as a position in the model's text (characters, a
// line break counting two), and back. Positions outside the text are clamped to it; a model
// position between CR and LF maps to the start of the line break.
int toModelPosition(std::u16string_view widgetText, int widgetPosition, LineBreaks breaks);
int toWidgetPosition(std::u16string_view widgetText, int modelPosition, LineBreaks breaks);
// The same two, walked on the model's own text (UTF-8, CR LF) where the widget holds exactly that
// text: no need to read a long text back from the widget only to map a selection.
int toModelPositionFrom(std::string_view modelText, int widgetPosition, LineBreaks breaks);
int toWidgetPositionFrom(std::string_view modelText, int modelPosition, LineBreaks breaks);

} // namespace tavimo
