// Tavimo on Windows: lists the primes between two natural numbers in a window with a Japanese
// interface, on the Win32 API.
#include "model/frmMain.h"
#include "platform/win32/CommandLine.h"
#include "platform/win32/MainWindow.h"
#include "platform/win32/Win32Platform.h"

#include <windows.h>

#include <commctrl.h>

#include <cstdlib>

namespace {

template <typename Function> Function systemFunction(const wchar_t* dll, const char* name)
{
    HMODULE module = LoadLibraryW(dll);
    if (module == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// Sizes in the window's own pixels on every monitor: per-monitor awareness (version 2 on
// Windows 10 1703 and later, version 1 on 8.1), else the system's scale (Vista to 8, and Wine 8,
// which refuses version 2). The manifest asks for the same; whatever it set already stands.
void becomeDpiAware()
{
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

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand)
{
    if (const std::optional<int> status = tavimo::win32::answerCommandLine(__argc, __wargv)) {
        return *status;
    }
    becomeDpiAware();
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                        ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    tavimo::win32::Win32Platform platform;
    tavimo::frmMain form(platform);
    tavimo::win32::MainWindow window(form, platform);
    if (!window.create(instance)) {
        MessageBoxW(nullptr, L"Tavimo could not open its window.", L"Tavimo", MB_ICONERROR);
        return 1;
    }
    form.Form_Load();
    window.refresh();
    ShowWindow(window.handle(), showCommand);
    UpdateWindow(window.handle());
    window.focusTextBox(form.txt1);

    MSG message;
    while (!platform.closing() && GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (window.takeKey(message) || IsDialogMessageW(window.handle(), &message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return platform.closing() ? 0 : int(message.wParam);
}
