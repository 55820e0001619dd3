// The window's scale and frame on Windows: its dots per inch, and its outer size against its
// client area.
#pragma once

#include "platform/WindowSize.h"

#include <windows.h>

namespace tavimo::win32 {

// Sizes in the window's own pixels on every monitor (per-monitor awareness where Windows has it,
// else the system's scale). Called once, before the first window is made.
void becomeDpiAware();

// The dots per inch of the monitor that shows the window.
int windowDpi(HWND window);

// The frame (outer size less client size, caption bar included) and the client size, in the
// window's pixels, as Windows reports them now.
struct WindowEdges {
    PixelSize frame;
    PixelSize client;
};
WindowEdges windowEdges(HWND window);

// The window's pixels at `dpi` against the 96-dpi pixels that WindowSize counts in.
PixelSize toDip(PixelSize pixels, int dpi);
PixelSize fromDip(PixelSize dip, int dpi);

} // namespace tavimo::win32
