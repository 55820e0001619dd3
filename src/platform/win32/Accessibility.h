// What screen readers read for each control on Windows: the names and descriptions of the shared
// table, through Windows' accessibility interface (MSAA, which UI Automation reads too).
#pragma once

#include <windows.h>

#include <string>

namespace tavimo::win32 {

// Gives a window or control the accessible name, description and role that a screen reader reads:
// the control answers WM_GETOBJECT with Windows' own accessible object for it, with these in place
// of its own. An empty name keeps the control's own (a button's caption, a label's text, the
// window's title); role 0 keeps its own role (Wine gives an owner-drawn button and a label none
// but "client"). Called again, it replaces them.
void setAccessibleTexts(HWND control, std::wstring name, std::wstring description, long role = 0);

} // namespace tavimo::win32
