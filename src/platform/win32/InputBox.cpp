// The inputs for the bounds on Windows: a single-line edit whose character limit holds for what
// the user adds.
#include "platform/win32/InputBox.h"

#include "platform/InputLimit.h"
#include "platform/Utf16.h"
#include "platform/win32/TextConversion.h"

#include <commctrl.h>
#include <imm.h>

#include <string>
#include <string_view>

namespace tavimo::win32 {
namespace {

constexpr UINT_PTR inputLimitSubclassId = 2;

std::u16string_view units(const std::wstring& text)
{
    return {reinterpret_cast<const char16_t*>(text.data()), text.size()};
}

// After the edit itself added text that the user chose (an input method's committed text): what
// does not fit beside the characters that stayed is taken out again.
void cutToLimit(HWND edit, const std::wstring& before, int limit)
{
    const std::wstring after = windowText(edit);
    std::size_t prefix = 0;
    while (prefix < before.size() && prefix < after.size() && before[prefix] == after[prefix]) {
        ++prefix;
    }
    std::size_t suffix = 0;
    while (suffix < before.size() - prefix && suffix < after.size() - prefix &&
           before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) {
        ++suffix;
    }
    const std::u16string_view added = units(after).substr(prefix, after.size() - prefix - suffix);
    const std::size_t kept =
        characterCount(units(before)) -
        characterCount(units(before).substr(prefix, before.size() - prefix - suffix));
    const std::size_t fits = InputLimit(limit).fittingUnits(added, kept);
    if (fits < added.size()) {
        SendMessageW(edit, EM_SETSEL, prefix + fits, prefix + added.size());
        SendMessageW(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L""));
    }
}

LRESULT CALLBACK inputLimitProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR limit)
{
    // Shift+Insert pastes as Ctrl+V does, through WM_PASTE below (the edit would paste directly).
    if (message == WM_KEYDOWN && wParam == VK_INSERT && (GetKeyState(VK_SHIFT) & 0x8000) &&
        !(GetKeyState(VK_CONTROL) & 0x8000)) {
        SendMessageW(edit, WM_PASTE, 0, 0);
        return 0;
    }
    // An input method's committed text, which the edit inserts itself.
    if (message == WM_IME_COMPOSITION && (lParam & GCS_RESULTSTR)) {
        const std::wstring before = windowText(edit);
        const LRESULT result = DefSubclassProc(edit, message, wParam, lParam);
        cutToLimit(edit, before, int(limit));
        return result;
    }

    // What the user adds, typed, pasted or sent by an input method one character at a time, is
    // cut to what fits beside the characters that stay; a character that does not fit is not
    // taken. A character beyond the Basic Multilingual Plane arrives as two messages and counts
    // once.
    static thread_local wchar_t pendingHigh = 0;
    std::u16string added;
    if ((message == WM_CHAR || message == WM_IME_CHAR) && wParam >= 0x20 && wParam != 0x7F) {
        const auto unit = char16_t(wParam);
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            pendingHigh = wchar_t(unit);
            return 0;
        }
        if (unit >= 0xDC00 && unit <= 0xDFFF && pendingHigh != 0) {
            added = {char16_t(pendingHigh), unit};
        } else {
            added = {unit};
        }
        pendingHigh = 0;
    } else if (message == WM_PASTE) {
        if (IsClipboardFormatAvailable(CF_UNICODETEXT) && OpenClipboard(edit)) {
            if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
                if (const auto* text = static_cast<const char16_t*>(GlobalLock(data))) {
                    added = text;
                    GlobalUnlock(data);
                }
            }
            CloseClipboard();
        }
        added.resize(firstLine(added).size());
    } else {
        return DefSubclassProc(edit, message, wParam, lParam);
    }
    const std::wstring text = windowText(edit);
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const std::u16string_view whole = units(text);
    const std::size_t kept =
        characterCount(whole) - characterCount(whole.substr(start, end - start));
    const std::size_t fits = InputLimit(int(limit)).fittingUnits(added, kept);
    if (fits == added.size() && message != WM_PASTE) {
        if (added.size() == 2) {
            DefSubclassProc(edit, WM_CHAR, WPARAM(added[0]), lParam);
        }
        return DefSubclassProc(edit, WM_CHAR, WPARAM(added.back()), lParam);
    }
    if (fits > 0) {
        const std::wstring fitting(reinterpret_cast<const wchar_t*>(added.data()), fits);
        SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(fitting.c_str()));
    } else if (message == WM_PASTE && start != end) {
        SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L""));
    }
    return 0;
}

} // namespace

void keepInputLimit(HWND edit, int limit)
{
    SendMessageW(edit, EM_SETLIMITTEXT, 0, 0);
    if (limit > 0) {
        SetWindowSubclass(edit, inputLimitProc, inputLimitSubclassId, DWORD_PTR(limit));
    }
}

} // namespace tavimo::win32
