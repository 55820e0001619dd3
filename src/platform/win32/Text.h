// The model's texts (UTF-8, CR LF) against Windows' wide strings (UTF-16, CR LF too), and
// positions.
#pragma once

#include <string>
#include <string_view>

namespace tavimo::win32 {

std::wstring toWide(std::string_view utf8);
std::string toUtf8(std::wstring_view wide);

// A position in the model's text (characters, a CR LF pair counting two) as a position in the
// control's text (UTF-16 units), and back; both count the line break as two, so they differ only
// for characters beyond the Basic Multilingual Plane. Positions past the end are clamped to it.
int toControlPosition(std::wstring_view text, int modelPosition);
int toModelPosition(std::wstring_view text, int controlPosition);

} // namespace tavimo::win32
