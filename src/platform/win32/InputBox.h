// The inputs for the bounds on Windows: a single-line edit whose character limit holds for what
// the user adds.
#pragma once

#include <windows.h>

namespace tavimo::win32 {

// Keeps the limit (InputLimit.h, in characters; 0: none) on an edit for what the user types or
// pastes. The program's own texts are shown whole, so a box can hold more than the limit. The
// edit's own limit, which counts UTF-16 units, is lifted.
void keepInputLimit(HWND edit, int limit);

} // namespace tavimo::win32
