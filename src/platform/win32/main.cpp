// Tavimo on Windows: lists the primes between two natural numbers in a window with a Japanese
// interface, on the Win32 API.
#include "model/frmMain.h"
#include "platform/win32/CommandLine.h"
#include "platform/win32/MainWindow.h"
#include "platform/win32/Win32Platform.h"
#include "platform/win32/WindowFrame.h"

#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand)
{
    if (const std::optional<int> status = tavimo::win32::answerCommandLine(__argc, __wargv)) {
        return *status;
    }
    tavimo::win32::becomeDpiAware();
    // The accessible objects that screen readers ask for are handed over through COM.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                        ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    tavimo::win32::Win32Platform platform;
    tavimo::frmMain form(platform);
    tavimo::win32::MainWindow window(form, platform);
    if (!window.create(instance)) {
        MessageBoxW(nullptr, L"Tavimo のウィンドウを開けませんでした。", L"Tavimo", MB_ICONERROR);
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
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    return platform.closing() ? 0 : int(message.wParam);
}
