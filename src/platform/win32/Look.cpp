// The look of the window on Windows: its colours, its face, and the owner-drawn command buttons.
#include "platform/win32/Look.h"

#include "platform/win32/TextConversion.h"

#include <cmath>
#include <vector>

namespace tavimo::win32 {
namespace {

int CALLBACK faceFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found)
{
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

std::wstring japaneseFace()
{
    const std::wstring preferred = toWide(tavimo::japaneseFace);
    const std::vector<std::wstring> faces{preferred, L"MS PGothic", L"Yu Gothic UI", L"Meiryo UI",
                                          L"MS UI Gothic"};
    HDC screen = GetDC(nullptr);
    for (const std::wstring& face : faces) {
        LOGFONTW query{};
        query.lfCharSet = DEFAULT_CHARSET;
        face.copy(query.lfFaceName, LF_FACESIZE - 1);
        bool found = false;
        EnumFontFamiliesExW(screen, &query, faceFound, reinterpret_cast<LPARAM>(&found), 0);
        if (found) {
            ReleaseDC(nullptr, screen);
            return face;
        }
    }
    ReleaseDC(nullptr, screen);
    return preferred; // the font mapper then picks the closest face for the Shift-JIS set
}

} // namespace

COLORREF toColorRef(Rgb colour)
{
    return RGB(colour.red, colour.green, colour.blue);
}

Look::Look()
    : m_darkGreen(CreateSolidBrush(toColorRef(darkGreen))),
      m_brightGreen(CreateSolidBrush(toColorRef(brightGreen))),
      m_white(CreateSolidBrush(toColorRef(white))), m_emphasis(CreateSolidBrush(RGB(0, 96, 0)))
{}

Look::~Look()
{
    for (const auto& [key, font] : m_fonts) {
        DeleteObject(font);
    }
    for (HBRUSH brush : {m_darkGreen, m_brightGreen, m_white, m_emphasis}) {
        DeleteObject(brush);
    }
}

HBRUSH Look::colourLabel(HDC dc) const
{
    SetTextColor(dc, toColorRef(white));
    SetBkColor(dc, toColorRef(darkGreen));
    return m_darkGreen;
}

HFONT Look::font(const Font& font, int dpi)
{
    const auto key = std::make_tuple(font.points, font.weight, dpi);
    if (const auto found = m_fonts.find(key); found != m_fonts.end()) {
        return found->second;
    }
    if (m_face.empty()) {
        m_face = japaneseFace();
    }
    LOGFONTW description{};
    description.lfHeight = -static_cast<LONG>(std::lround(font.points * float(dpi) / 72.0f));
    description.lfWeight = font.weight;
    description.lfCharSet = SHIFTJIS_CHARSET;
    description.lfQuality = DEFAULT_QUALITY;
    m_face.copy(description.lfFaceName, LF_FACESIZE - 1);
    HFONT created = CreateFontIndirectW(&description);
    m_fonts.emplace(key, created);
    return created;
}

int Look::textWidth(const Label& label, int dpi)
{
    const std::wstring caption = toWide(label.caption);
    HDC screen = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(screen, font(label.font, dpi));
    SIZE size{};
    GetTextExtentPoint32W(screen, caption.c_str(), int(caption.size()), &size);
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
    return int(size.cx);
}

void Look::drawButton(const DRAWITEMSTRUCT& item, bool isDefault) const
{
    HDC dc = item.hDC;
    RECT rect = item.rcItem;
    if (isDefault) {
        FrameRect(dc, &rect, m_emphasis);
        InflateRect(&rect, -1, -1);
    }
    FillRect(dc, &rect, m_brightGreen);
    DrawEdge(dc, &rect, (item.itemState & ODS_SELECTED) ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    const std::wstring caption = windowText(item.hwndItem);
    const auto font = reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0));
    HGDIOBJ previous = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    // The system's colours for a button's text, as a high-contrast theme sets them.
    SetTextColor(dc, GetSysColor((item.itemState & ODS_DISABLED) ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    RECT text = rect;
    if (item.itemState & ODS_SELECTED) {
        OffsetRect(&text, 1, 1);
    }
    DrawTextW(dc, caption.c_str(), int(caption.size()), &text,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, previous);
    if (item.itemState & ODS_FOCUS) {
        InflateRect(&rect, -3, -3);
        DrawFocusRect(dc, &rect);
    }
}

} // namespace tavimo::win32
