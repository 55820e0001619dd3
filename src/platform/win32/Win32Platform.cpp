// The desktop services of the Platform interface, performed with the Win32 API.
#include "platform/win32/Win32Platform.h"

#include "platform/win32/TextConversion.h"

#include <cstring>

namespace tavimo::win32 {
namespace {

// Another program may hold the clipboard for a moment: a few tries, as Windows' own programs do.
bool openClipboard(HWND owner)
{
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (OpenClipboard(owner)) {
            return true;
        }
        Sleep(10);
    }
    return false;
}

std::string localeText(LCTYPE type, const char* fallback)
{
    wchar_t buffer[16] = {};
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, buffer, 16) <= 1) {
        return fallback;
    }
    return toUtf8(buffer);
}

} // namespace

void writeClipboard(HWND owner, const std::wstring& text)
{
    if (!openClipboard(owner)) {
        return;
    }
    EmptyClipboard();
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        if (void* target = GlobalLock(memory)) {
            std::memcpy(target, text.c_str(), bytes);
            GlobalUnlock(memory);
            if (SetClipboardData(CF_UNICODETEXT, memory) == nullptr) {
                GlobalFree(memory); // still ours when the clipboard did not take it
            }
        } else {
            GlobalFree(memory);
        }
    }
    CloseClipboard();
}

void Win32Platform::clearClipboard()
{
    // Left to setClipboardText, which the copy always calls next: EmptyClipboard there removes
    // every format and hands the clipboard over with the text, in one opening of it.
}

void Win32Platform::setClipboardText(const std::string& utf8)
{
    writeClipboard(m_window, toWide(utf8)); // CR LF stays CR LF
}

void Win32Platform::beep()
{
    // The system's default alert sound (the simple beep where no sound is set up).
    MessageBeep(MB_OK);
}

void Win32Platform::closeWindow()
{
    m_closing = true;
    if (m_window != nullptr) {
        ShowWindow(m_window, SW_HIDE);
    }
    PostQuitMessage(0);
}

std::optional<RecognisedNumber> Win32Platform::recogniseNumber(std::string_view text)
{
    // The separators of the user's regional format, as the Linux program takes its locale's.
    const NumberFormat format{localeText(LOCALE_SDECIMAL, "."), localeText(LOCALE_STHOUSAND, ",")};
    return tavimo::recogniseNumber(text, format);
}

} // namespace tavimo::win32
