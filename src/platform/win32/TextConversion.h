// The model's texts (UTF-8 with CR LF) against Windows' wide strings (UTF-16, CR LF too), and
// positions.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace tavimo::win32 {

std::wstring toWide(std::string_view utf8);
std::string toUtf8(std::wstring_view wide);
// A control's whole text.
std::wstring windowText(HWND control);

// A position in the model's text (characters) as a position in the control's text (UTF-16
// units), and back; both count a line break as two (Utf16.h).
int toControlPosition(std::wstring_view text, int modelPosition);
int toModelPosition(std::wstring_view text, int controlPosition);

} // namespace tavimo::win32
