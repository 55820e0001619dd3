// The tests' view of the Windows clipboard, run under Wine: Wine's bridge to the X11 clipboard
// turns CR LF into LF, so the bytes of a copy can be seen only from inside. Also the frame that
// Wine draws around the Tavimo window, which differs between Wine's releases, and a resize of the
// window as a user's drag makes it (Wine 10 without a window manager takes none from X11).
//   clipboard get        writes the CF_UNICODETEXT text as UTF-8, byte for byte
//   clipboard set TEXT   puts TEXT (UTF-8) on the clipboard as CF_UNICODETEXT
//   clipboard frame      writes "left top width height": where the client area starts in the
//                        window, and how much wider and higher the window is than its client area
//   clipboard size W H   gives the Tavimo window the outer size W × H pixels
//   clipboard accessible writes what a screen reader finds of the Tavimo window and its shown
//                        controls: a line each, role, name and description separated by tabs,
//                        the roles named as on the AT-SPI bus (UTF-8)
//   clipboard unit       writes "left top right bottom" of the count's unit (the label whose text
//                        begins with 個) in the client area's pixels
//   clipboard deactivate activates a window of its own for a moment and closes it, so that the
//                        Tavimo window is deactivated and activated again
#include <windows.h>

#include <oleacc.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <io.h>
#include <string>
#include <string_view>

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

void writeUtf8(std::wstring_view text)
{
    std::string utf8(std::size_t(WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()),
                                                     nullptr, 0, nullptr, nullptr)),
                     '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), utf8.data(), int(utf8.size()),
                        nullptr, nullptr);
    _setmode(_fileno(stdout), _O_BINARY);
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
}

int get()
{
    if (!openClipboard()) {
        return 1;
    }
    std::wstring text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* locked = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = locked;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    writeUtf8(text);
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

std::wstring accessibleText(IAccessible* object, bool description)
{
    VARIANT self;
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR text = nullptr;
    const HRESULT result =
        description ? object->get_accDescription(self, &text) : object->get_accName(self, &text);
    std::wstring copy = result == S_OK && text != nullptr ? std::wstring(text) : L"";
    SysFreeString(text);
    return copy;
}

std::wstring roleName(IAccessible* object)
{
    VARIANT self;
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    VARIANT role;
    VariantInit(&role);
    if (object->get_accRole(self, &role) != S_OK || role.vt != VT_I4) {
        return L"unknown";
    }
    switch (role.lVal) {
    case ROLE_SYSTEM_PUSHBUTTON:
        return L"push button";
    case ROLE_SYSTEM_TEXT:
        return L"text";
    case ROLE_SYSTEM_STATICTEXT:
        return L"label";
    case ROLE_SYSTEM_CLIENT:
        return L"frame";
    default:
        return L"role " + std::to_wstring(role.lVal);
    }
}

BOOL CALLBACK writeAccessible(HWND control, LPARAM)
{
    IAccessible* object = nullptr;
    if (!IsWindowVisible(control) ||
        FAILED(AccessibleObjectFromWindow(control, DWORD(OBJID_CLIENT), __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&object)))) {
        return TRUE;
    }
    const std::wstring name = accessibleText(object, false);
    if (!name.empty()) {
        writeUtf8(roleName(object) + L"\t" + name + L"\t" + accessibleText(object, true) + L"\n");
    }
    object->Release();
    return TRUE;
}

int accessible()
{
    HWND window = tavimo();
    if (window == nullptr || FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
        return 1;
    }
    writeAccessible(window, 0);
    EnumChildWindows(window, writeAccessible, 0);
    CoUninitialize();
    return 0;
}

int unit()
{
    struct Search {
        HWND found = nullptr;
    } search;
    EnumChildWindows(
        tavimo(),
        [](HWND control, LPARAM data) -> BOOL {
            wchar_t caption[8] = {};
            GetWindowTextW(control, caption, 8);
            if (caption[0] == L'個') {
                reinterpret_cast<Search*>(data)->found = control;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    RECT rect;
    if (search.found == nullptr || !GetWindowRect(search.found, &rect)) {
        return 1;
    }
    MapWindowPoints(nullptr, tavimo(), reinterpret_cast<POINT*>(&rect), 2);
    std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
    return 0;
}

int deactivate()
{
    HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400, 300,
                                 200, 100, nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    SetActiveWindow(other);
    const bool deactivated = GetForegroundWindow() != tavimo();
    Sleep(300);
    DestroyWindow(other);
    SetForegroundWindow(tavimo());
    Sleep(300);
    return deactivated ? 0 : 1;
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
    if (argc == 2 && std::wcscmp(argv[1], L"accessible") == 0) {
        return accessible();
    }
    if (argc == 2 && std::wcscmp(argv[1], L"unit") == 0) {
        return unit();
    }
    if (argc == 2 && std::wcscmp(argv[1], L"deactivate") == 0) {
        return deactivate();
    }
    std::fputs("usage: clipboard get | set TEXT | frame | size W H | accessible | unit | "
               "deactivate\n",
               stderr);
    return 2;
}
