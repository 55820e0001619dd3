// What the Windows program answers on its command line: --help, --version, and nothing else.
#pragma once

#include <optional>

namespace tavimo::win32 {

// The exit status when the command line is answered without opening the window. The answer is
// written where the program's output goes: a pipe or file it was given, else the console it was
// started from; a program started from the desktop has neither, and shows nothing.
std::optional<int> answerCommandLine(int argc, wchar_t* argv[]);

} // namespace tavimo::win32
