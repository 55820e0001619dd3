// What the program answers on its command line, written where Linux programs write it.
#include "platform/qt/CommandLine.h"

#include "platform/CommandLine.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace tavimo {
namespace {

// The locale of messages, as the C library and man(1) choose it.
bool japaneseMessages()
{
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') {
            return std::string_view(value).starts_with("ja");
        }
    }
    return false;
}

const HelpNote waylandOrX11{
    "QT_QPA_PLATFORM=wayland or QT_QPA_PLATFORM=xcb chooses Wayland or X11.\n"
    "See tavimo(1).\n",
    "QT_QPA_PLATFORM=wayland または QT_QPA_PLATFORM=xcb で、Wayland か X11 を選べます。\n"
    "詳しくは tavimo(1) を参照してください。\n"};

} // namespace

std::optional<int> answerCommandLine(int argc, char* argv[], std::FILE* out, std::FILE* err)
{
    // The arguments' bytes as typed: UTF-8, as Qt 6 takes every locale's to be.
    const std::vector<std::string> arguments(argv + std::min(argc, 1), argv + argc);
    const std::optional<CommandLineAnswer> answer =
        tavimo::answerCommandLine(arguments, japaneseMessages(), TAVIMO_VERSION, waylandOrX11);
    if (!answer) {
        return std::nullopt;
    }
    std::fputs(answer->text.c_str(), answer->toStandardError ? err : out);
    return answer->status;
}

} // namespace tavimo
