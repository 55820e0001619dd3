// What the program answers on its command line: --help, --version, and nothing else.
#include "platform/CommandLine.h"

namespace tavimo {
namespace {

constexpr std::string_view helpEnglish =
    "Usage: tavimo [--help | --version]\n"
    "Lists the prime numbers between two natural numbers in a window with a Japanese\n"
    "interface.\n"
    "\n"
    "Options:\n"
    "  -h, --help     show this help and exit\n"
    "  -v, --version  show the version and exit\n";

constexpr std::string_view helpJapanese =
    "使い方: tavimo [--help | --version]\n"
    "2つの自然数の間にある素数を、日本語の画面で一覧にします。\n"
    "\n"
    "オプション:\n"
    "  -h, --help     この説明を表示して終了する\n"
    "  -v, --version  版を表示して終了する\n";

} // namespace

std::optional<CommandLineAnswer> answerCommandLine(std::span<const std::string> arguments,
                                                   bool japanese, std::string_view version,
                                                   HelpNote note)
{
    if (arguments.empty()) {
        return std::nullopt;
    }
    bool help = false;
    for (const std::string& argument : arguments) {
        if (argument == "-h" || argument == "--help" || argument == "-help") {
            help = true;
        } else if (argument != "-v" && argument != "--version" && argument != "-version") {
            // The first argument that is neither option, as the user typed it.
            return CommandLineAnswer{
                2, true,
                "tavimo: " + argument +
                    (japanese ? " は使えません（使えるのは --help と --version だけです）\n"
                              : " is not understood (only --help and --version are)\n")};
        }
    }
    if (!help) {
        return CommandLineAnswer{0, false, "Tavimo " + std::string(version) + "\n"};
    }
    std::string text(japanese ? helpJapanese : helpEnglish);
    const std::string_view added = japanese ? note.japanese : note.english;
    if (!added.empty()) {
        text.append("\n").append(added);
    }
    return CommandLineAnswer{0, false, std::move(text)};
}

} // namespace tavimo
