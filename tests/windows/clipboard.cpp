// The tests' view of the Windows clipboard, run under Wine: Wine's bridge to the X11 clipboard
// turns CR LF into LF, so the bytes of a copy can be seen only from inside. Also the frame that
// Wine draws around the Tavimo window, which differs between Wine's releases, and a resize of the
// window as a user's drag makes it (Wine 10 without a window manager takes none from X11).
//   clipboard get        writes the CF_UNICODETEXT text as UTF-8, byte for byte
//   clipboard set TEXT   puts TEXT (UTF-8) on the clipboard as CF_UNICODETEXT
//   clipboard frame      writes "left top width height": where the client area starts in the
//                        window, and how much wider and higher the window is than its client area
//   clipboard size W H   gives the Tavimo window the outer size W × H pixels
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <io.h>
#include <string>

namespace {

bool openClipboard()
{
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (OpenClipboard(nullptr)) {
            return true;
        }
        Sleep(20);
    }
    return false;
}

int get()
{
    if (!openClipboard()) {
        return 1;
    }
    std::string utf8;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* text = static_cast<const wchar_t*>(GlobalLock(data))) {
            const int length = int(wcslen(text));
            const int size =
                WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
            utf8.resize(std::size_t(size));
            WideCharToMultiByte(CP_UTF8, 0, text, length, utf8.data(), size, nullptr, nullptr);
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    _setmode(_fileno(stdout), _O_BINARY);
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
    return 0;
}

int set(const wchar_t* text)
{
    if (!openClipboard()) {
        return 1;
    }
    EmptyClipboard();
    const std::size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    std::memcpy(GlobalLock(memory), text, bytes);
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
    return 0;
}

HWND tavimo()
{
    return FindWindowW(nullptr, L"Tavimo");
}

int frame()
{
    HWND window = tavimo();
    RECT outer;
    RECT client;
    POINT origin{0, 0};
    if (window == nullptr || !GetWindowRect(window, &outer) || !GetClientRect(window, &client) ||
        !ClientToScreen(window, &origin)) {
        return 1;
    }
    std::printf("%ld %ld %ld %ld\n", origin.x - outer.left, origin.y - outer.top,
                (outer.right - outer.left) - client.right,
                (outer.bottom - outer.top) - client.bottom);
    return 0;
}

int size(const wchar_t* width, const wchar_t* height)
{
    HWND window = tavimo();
    return window != nullptr && SetWindowPos(window, nullptr, 0, 0, _wtoi(width), _wtoi(height),
                                             SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE)
               ? 0
               : 1;
}

} // namespace

int wmain(int argc, wchar_t* argv[])
{
    if (argc == 2 && std::wcscmp(argv[1], L"get") == 0) {
        return get();
    }
    if (argc == 3 && std::wcscmp(argv[1], L"set") == 0) {
        return set(argv[2]);
    }
    if (argc == 2 && std::wcscmp(argv[1], L"frame") == 0) {
        return frame();
    }
    if (argc == 4 && std::wcscmp(argv[1], L"size") == 0) {
        return size(argv[2], argv[3]);
    }
    std::fputs("usage: clipboard get | clipboard set TEXT | clipboard frame | clipboard size W H\n",
               stderr);
    return 2;
}
