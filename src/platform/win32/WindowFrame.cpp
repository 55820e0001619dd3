// The window's scale and frame on Windows: its dots per inch, and its outer size against its
// client area.
#include "platform/win32/WindowFrame.h"

#include "platform/Twips.h"

namespace tavimo::win32 {
namespace {

// A function of a system DLL that older Windows (or Wine) may lack, looked up when it is needed.
template <typename Function> Function systemFunction(const wchar_t* dll, const char* name)
{
    HMODULE module = LoadLibraryW(dll);
    if (module == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

} // namespace

void becomeDpiAware()
{
    // Version 2 on Windows 10 1703 and later, version 1 on 8.1, else the system's scale (Vista to
    // 8, and Wine 8, which refuses version 2). The manifest asks for the same; whatever it set
    // already stands.
    using SetContext = BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT);
    if (auto set = systemFunction<SetContext>(L"user32.dll", "SetProcessDpiAwarenessContext")) {
        if (set(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2) ||
            GetLastError() == ERROR_ACCESS_DENIED) {
            return;
        }
    }
    using SetAwareness = HRESULT(WINAPI*)(int);
    if (auto set = systemFunction<SetAwareness>(L"shcore.dll", "SetProcessDpiAwareness")) {
        const HRESULT result = set(2); // PROCESS_PER_MONITOR_DPI_AWARE
        if (SUCCEEDED(result) || result == E_ACCESSDENIED) {
            return;
        }
    }
    SetProcessDPIAware();
}

int windowDpi(HWND window)
{
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    if (auto get = systemFunction<GetDpiForWindowFunction>(L"user32.dll", "GetDpiForWindow")) {
        if (const UINT dpi = get(window)) {
            return int(dpi);
        }
    }
    HDC screen = GetDC(window);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(window, screen);
    return dpi > 0 ? dpi : standardDpi;
}

WindowEdges windowEdges(HWND window)
{
    RECT outer;
    RECT client;
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    return {{(outer.right - outer.left) - client.right, (outer.bottom - outer.top) - client.bottom},
            {client.right, client.bottom}};
}

PixelSize toDip(PixelSize pixels, int dpi)
{
    return {MulDiv(pixels.width, standardDpi, dpi), MulDiv(pixels.height, standardDpi, dpi)};
}

PixelSize fromDip(PixelSize dip, int dpi)
{
    return {MulDiv(dip.width, dpi, standardDpi), MulDiv(dip.height, dpi, standardDpi)};
}

} // namespace tavimo::win32
