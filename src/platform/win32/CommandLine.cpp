// What the Windows program answers on its command line, written where Windows programs write it.
#include "platform/win32/CommandLine.h"

#include "platform/CommandLine.h"
#include "platform/win32/TextConversion.h"

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace tavimo::win32 {
namespace {

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
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.push_back(toUtf8(argv[i]));
    }
    const std::optional<CommandLineAnswer> answer =
        tavimo::answerCommandLine(arguments, japaneseMessages(), TAVIMO_VERSION);
    if (!answer) {
        return std::nullopt;
    }
    // Windows' line breaks.
    std::string text;
    for (const char c : answer->text) {
        if (c == '\n') {
            text.push_back('\r');
        }
        text.push_back(c);
    }
    write(answer->toStandardError ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE, text);
    return answer->status;
}

} // namespace tavimo::win32
