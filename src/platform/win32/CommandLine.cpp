// What the Windows program answers on its command line: --help, --version, and nothing else.
#include "platform/win32/CommandLine.h"

#include "platform/win32/Text.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace tavimo::win32 {
namespace {

const char* const helpEnglish =
    "Usage: tavimo [--help | --version]\r\n"
    "Lists the prime numbers between two natural numbers in a window with a Japanese\r\n"
    "interface.\r\n"
    "\r\n"
    "Options:\r\n"
    "  -h, --help     show this help and exit\r\n"
    "  -v, --version  show the version and exit\r\n";

const char* const helpJapanese = "使い方: tavimo [--help | --version]\r\n"
                                 "2つの自然数の間にある素数を、日本語の画面で一覧にします。\r\n"
                                 "\r\n"
                                 "オプション:\r\n"
                                 "  -h, --help     この説明を表示して終了する\r\n"
                                 "  -v, --version  版を表示して終了する\r\n";

bool japaneseMessages()
{
    return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE;
}

// A GUI program has no standard handles unless its parent gave it some; then it borrows the
// console of the command prompt it was started from, if there is one.
HANDLE outputHandle(DWORD which)
{
    HANDLE handle = GetStdHandle(which);
    if (handle != nullptr && handle != INVALID_HANDLE_VALUE) {
        return handle;
    }
    static const bool attached = AttachConsole(ATTACH_PARENT_PROCESS) != 0;
    if (!attached) {
        return nullptr;
    }
    handle = CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
    return handle == INVALID_HANDLE_VALUE ? nullptr : handle;
}

void write(DWORD which, std::string_view utf8)
{
    HANDLE handle = outputHandle(which);
    if (handle == nullptr) {
        return;
    }
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(handle, &mode)) {
        const std::wstring wide = toWide(utf8);
        WriteConsoleW(handle, wide.c_str(), DWORD(wide.size()), &written, nullptr);
    } else {
        WriteFile(handle, utf8.data(), DWORD(utf8.size()), &written, nullptr);
    }
}

} // namespace

std::optional<int> answerCommandLine(int argc, wchar_t* argv[])
{
    if (argc <= 1) {
        return std::nullopt;
    }
    bool help = false;
    bool version = false;
    for (int i = 1; i < argc; ++i) {
        const std::wstring_view argument = argv[i];
        if (argument == L"-h" || argument == L"--help" || argument == L"-help") {
            help = true;
        } else if (argument == L"-v" || argument == L"--version" || argument == L"-version") {
            version = true;
        } else {
            const std::string wrong = toUtf8(argument);
            write(STD_ERROR_HANDLE,
                  japaneseMessages()
                      ? "tavimo: " + wrong +
                            " は使えません（使えるのは --help と --version だけです）\r\n"
                      : "tavimo: " + wrong +
                            " is not understood (only --help and --version are)\r\n");
            return 2;
        }
    }
    if (help) {
        write(STD_OUTPUT_HANDLE, japaneseMessages() ? helpJapanese : helpEnglish);
    } else if (version) {
        write(STD_OUTPUT_HANDLE, "Tavimo " TAVIMO_VERSION "\r\n");
    }
    return 0;
}

} // namespace tavimo::win32
