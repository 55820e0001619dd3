// What screen readers read for each control on Windows: the names and descriptions of the shared
// table, through Windows' accessibility interface (MSAA, which UI Automation reads too).
#pragma once

#include <windows.h>

#include <string>

namespace tavimo::win32 {

// Gives a window or control the accessible name and description that a screen reader reads: the
// control answers WM_GETOBJECT with Windows' own accessible object for it, with these two texts
// in place of its own. An empty name keeps the control's own (a button's caption, a label's
// text, the window's title). Called again, it replaces the texts.
void setAccessibleTexts(HWND control, std::wstring name, std::wstring description);

} // namespace tavimo::win32
