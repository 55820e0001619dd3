// The result boxes on Windows: multi-line edits that show a long comma list at once, and copy
// exactly what they hold.
#include "platform/win32/ResultBox.h"

#include "platform/Mirror.h"
#include "platform/win32/TextConversion.h"
#include "platform/win32/Win32Platform.h"

#include <commctrl.h>

#include <vector>

namespace tavimo::win32 {
namespace {

constexpr std::wstring_view softBreak = L"\r\r\n";
constexpr UINT_PTR copySubclassId = 4;

bool hasSoftBreaks(std::wstring_view shown)
{
    return shown.find(softBreak) != std::wstring_view::npos;
}

bool isHighSurrogate(wchar_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}

// Appends one paragraph, broken where a line reaches `width` pixels: after the last character
// that still fits, at least one character a line, never inside a surrogate pair.
void appendWrapped(std::wstring& shown, std::wstring_view paragraph, HDC dc, int width)
{
    std::vector<int> ends(paragraph.size()); // the width of the first i + 1 characters
    SIZE size{};
    if (paragraph.empty() ||
        !GetTextExtentExPointW(dc, paragraph.data(), int(paragraph.size()), 0, nullptr, ends.data(),
                               &size) ||
        size.cx <= width) {
        shown.append(paragraph);
        return;
    }
    std::size_t start = 0;
    int left = 0; // the width before the line's first character
    while (start < paragraph.size()) {
        std::size_t end = start + 1;
        while (end < paragraph.size() && ends[end] - left <= width) {
            ++end;
        }
        if (end < paragraph.size() && isHighSurrogate(paragraph[end - 1]) && end - 1 > start) {
            --end;
        }
        shown.append(paragraph.substr(start, end - start));
        if (end < paragraph.size()) {
            shown.append(softBreak);
        }
        left = ends[end - 1];
        start = end;
    }
}

LRESULT CALLBACK copyProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                          DWORD_PTR)
{
    const bool control = GetKeyState(VK_CONTROL) & 0x8000;
    const bool shift = GetKeyState(VK_SHIFT) & 0x8000;
    // The keys that the edit would take without sending itself a message.
    if (message == WM_KEYDOWN && wParam == VK_INSERT && control && !shift) {
        return SendMessageW(edit, WM_COPY, 0, 0);
    }
    if (message == WM_KEYDOWN && wParam == VK_DELETE && shift && !control) {
        return SendMessageW(edit, WM_CUT, 0, 0);
    }
    if (message != WM_COPY && message != WM_CUT) {
        return DefSubclassProc(edit, message, wParam, lParam);
    }
    const std::wstring shown = windowText(edit);
    if (!hasSoftBreaks(shown)) {
        return DefSubclassProc(edit, message, wParam, lParam);
    }
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    if (start == end) {
        return 0;
    }
    writeClipboard(edit, withoutSoftBreaks(std::wstring_view(shown).substr(start, end - start)));
    if (message == WM_CUT && !(GetWindowLongW(edit, GWL_STYLE) & ES_READONLY)) {
        SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L""));
    }
    return 0;
}

// The text that a result box shows for a text of the model.
std::wstring softWrapped(HWND edit, std::wstring text)
{
    if (!mayHoldLongWord({reinterpret_cast<const char16_t*>(text.data()), text.size()})) {
        return text;
    }
    RECT format{};
    SendMessageW(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    const int width = format.right - format.left;
    HDC dc = GetDC(edit);
    HGDIOBJ previous =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(edit, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    std::wstring shown;
    // A box narrower than one character is not wrapped by the edit either.
    if (width <= metrics.tmMaxCharWidth) {
        shown = std::move(text);
    } else {
        shown.reserve(text.size() + text.size() / 8);
        for (std::size_t start = 0; start <= text.size();) {
            const std::size_t lineBreak = std::min(text.find(L"\r\n", start), text.size());
            appendWrapped(shown, std::wstring_view(text).substr(start, lineBreak - start), dc,
                          width);
            if (lineBreak < text.size()) {
                shown.append(L"\r\n");
            }
            start = lineBreak + 2;
        }
    }
    SelectObject(dc, previous);
    ReleaseDC(edit, dc);
    return shown;
}

} // namespace

bool fillResultBox(HWND edit, std::wstring text)
{
    const std::wstring shown = softWrapped(edit, std::move(text));
    SetWindowTextW(edit, shown.c_str());
    return hasSoftBreaks(shown);
}

void wrapAgain(HWND edit)
{
    const std::wstring before = windowText(edit);
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const auto firstLine = SendMessageW(edit, EM_GETFIRSTVISIBLELINE, 0, 0);
    const int top =
        positionWithoutSoftBreaks(before, int(SendMessageW(edit, EM_LINEINDEX, firstLine, 0)));
    start = DWORD(positionWithoutSoftBreaks(before, int(start)));
    end = DWORD(positionWithoutSoftBreaks(before, int(end)));
    fillResultBox(edit, withoutSoftBreaks(before));
    const std::wstring after = windowText(edit);
    SendMessageW(edit, EM_SETSEL, WPARAM(positionWithSoftBreaks(after, int(start))),
                 LPARAM(positionWithSoftBreaks(after, int(end))));
    SendMessageW(
        edit, EM_LINESCROLL, 0,
        SendMessageW(edit, EM_LINEFROMCHAR, WPARAM(positionWithSoftBreaks(after, top)), 0));
}

std::wstring withoutSoftBreaks(std::wstring_view shown)
{
    std::wstring text;
    text.reserve(shown.size());
    for (std::size_t start = 0; start < shown.size();) {
        const std::size_t found = std::min(shown.find(softBreak, start), shown.size());
        text.append(shown.substr(start, found - start));
        start = found + softBreak.size();
    }
    return text;
}

int positionWithoutSoftBreaks(std::wstring_view shown, int position)
{
    int text = 0;
    for (std::size_t start = 0; start < shown.size() && int(start) < position;) {
        const std::size_t found = std::min(shown.find(softBreak, start), shown.size());
        text += std::min(int(found), position) - int(start);
        start = found + softBreak.size();
    }
    return text;
}

int positionWithSoftBreaks(std::wstring_view shown, int position)
{
    int text = 0;
    for (std::size_t start = 0; start < shown.size();) {
        const std::size_t found = std::min(shown.find(softBreak, start), shown.size());
        if (text + int(found - start) >= position || found == shown.size()) {
            return int(start) + std::min(position - text, int(shown.size() - start));
        }
        text += int(found - start);
        start = found + softBreak.size();
    }
    return int(shown.size());
}

void copyWithoutSoftBreaks(HWND edit)
{
    SetWindowSubclass(edit, copyProc, copySubclassId, 0);
}

} // namespace tavimo::win32
