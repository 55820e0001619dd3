// The result boxes on Windows: multi-line edits that show a long comma list at once, and copy
// exactly what they hold.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace tavimo::win32 {

// Windows' edit (Wine's among them) lays a paragraph out by measuring the rest of it again for
// every line it wraps: the comma list of 4203 primes, one paragraph of 24000 characters, took 90 s
// under Wine 8. Where a text holds a long word (Mirror.h), the binding therefore breaks every
// paragraph wider than the box itself, where the edit would break it, with the edit's own soft
// line breaks (CR CR LF): the edit then lays out short paragraphs only, and shows the same lines.
// Soft line breaks are no part of the text: they are left out where it is read, copied or cut.

// Shows a text of the model (UTF-16, CR LF) in a result box, in its present width and font; true
// when the binding broke its lines.
bool fillResultBox(HWND edit, std::wstring text);
// The same text in the box's new width or font, with the same selection and the same first line
// at the top.
void wrapAgain(HWND edit);

// The shown text without its soft line breaks; a position in the shown text in that text (a
// position inside a soft line break: before it), and back (a position at a soft line break: before
// it, at the end of the line).
std::wstring withoutSoftBreaks(std::wstring_view shown);
int positionWithoutSoftBreaks(std::wstring_view shown, int position);
int positionWithSoftBreaks(std::wstring_view shown, int position);

// Copy and cut in the box (Ctrl+C, Ctrl+X, Ctrl+Insert, Shift+Delete, the context menu) put the
// selection on the clipboard without soft line breaks.
void copyWithoutSoftBreaks(HWND edit);

} // namespace tavimo::win32
