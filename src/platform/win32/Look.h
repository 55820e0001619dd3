// The look of the window on Windows: its colours, its face, and the owner-drawn command buttons.
#pragma once

#include "model/Controls.h"

#include <windows.h>

#include <map>
#include <string>
#include <tuple>

namespace tavimo::win32 {

COLORREF toColorRef(Rgb colour);

// The brushes and fonts of the window, made once and deleted with it.
class Look {
public:
    Look();
    ~Look();
    Look(const Look&) = delete;
    Look& operator=(const Look&) = delete;

    // The window's dark green; the line's white.
    HBRUSH windowBrush() const { return m_darkGreen; }
    HBRUSH lineBrush() const { return m_white; }
    // A label's colours on the device context: white on the window's dark green. The brush that
    // fills its background.
    HBRUSH colourLabel(HDC dc) const;

    // The face of every control at a size and weight, on a screen of `dpi`: "ＭＳ Ｐゴシック"
    // where installed (under its Japanese or its English name), else the Japanese UI faces that
    // Windows 10 and 11, Vista to 8.1, and older releases carry.
    HFONT font(const Font& font, int dpi);
    // The width of a label's caption in its font, in pixels.
    int textWidth(const Label& label, int dpi);

    // A command button: a face of the button's colour with a raised edge (sunken while pressed);
    // the default button (the one Enter presses) has a darker rim around the same face.
    void drawButton(const DRAWITEMSTRUCT& item, bool isDefault) const;

private:
    HBRUSH m_darkGreen = nullptr;
    HBRUSH m_brightGreen = nullptr;
    HBRUSH m_white = nullptr;
    HBRUSH m_emphasis = nullptr;
    std::wstring m_face;                                  // chosen when the first font is made
    std::map<std::tuple<float, int, int>, HFONT> m_fonts; // points, weight, dpi
};

} // namespace tavimo::win32
