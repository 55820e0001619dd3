// What the program answers on its command line: --help, --version, and nothing else.
#pragma once

#include <cstdio>
#include <optional>

namespace tavimo {

// Reads the arguments. Returns the exit status when the program is to end at once (0 after
// --help or --version, 2 after anything else, with one line on standard error); empty when the
// window is to open. Texts are in Japanese where the user's message locale is Japanese.
std::optional<int> answerCommandLine(int argc, char* argv[], std::FILE* out, std::FILE* err);

} // namespace tavimo
