// What the program answers on its command line: --help, --version, and nothing else.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tavimo {

// The answer when the program is to end at once, without opening its window.
struct CommandLineAnswer {
    int status = 0; // 0 after --help or --version, 2 after anything else
    bool toStandardError = false;
    std::string text; // UTF-8, lines ending in LF; the binding writes it as its system wants
};

// Lines that a binding adds to the help, in English and in Japanese (its own options of the
// window system); each ends in LF.
struct HelpNote {
    std::string_view english;
    std::string_view japanese;
};

// Reads the arguments after the program's name, in UTF-8 as the user typed them: -h, --help and
// -help show the help, -v, --version and -version the version; any other argument is named in one
// line on standard error. Empty when the window is to open (no arguments). Texts are in Japanese
// where the user's messages are (`japanese`, as the binding learns it from its system).
// `version` is the program's version ("1.0.0").
std::optional<CommandLineAnswer> answerCommandLine(std::span<const std::string> arguments,
                                                   bool japanese, std::string_view version,
                                                   HelpNote note = {});

} // namespace tavimo
