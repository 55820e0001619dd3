// What the program answers on its command line: --help, --version, and nothing else.
#include "platform/qt/CommandLine.h"

#include <QCommandLineParser>
#include <QStringList>

#include <cstdlib>

namespace tavimo {
namespace {

// The locale of messages, as the C library and man(1) choose it.
bool japaneseMessages()
{
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') {
            return QByteArray(value).startsWith("ja");
        }
    }
    return false;
}

const char* const helpEnglish =
    "Usage: tavimo [--help | --version]\n"
    "Lists the prime numbers between two natural numbers in a window with a Japanese\n"
    "interface.\n"
    "\n"
    "Options:\n"
    "  -h, --help     show this help and exit\n"
    "  -v, --version  show the version and exit\n"
    "\n"
    "QT_QPA_PLATFORM=wayland or QT_QPA_PLATFORM=xcb chooses Wayland or X11.\n"
    "See tavimo(1).\n";

const char* const helpJapanese =
    "使い方: tavimo [--help | --version]\n"
    "2つの自然数の間にある素数を、日本語の画面で一覧にします。\n"
    "\n"
    "オプション:\n"
    "  -h, --help     この説明を表示して終了する\n"
    "  -v, --version  版を表示して終了する\n"
    "\n"
    "QT_QPA_PLATFORM=wayland または QT_QPA_PLATFORM=xcb で、Wayland か X11 を選べます。\n"
    "詳しくは tavimo(1) を参照してください。\n";

} // namespace

std::optional<int> answerCommandLine(int argc, char* argv[], std::FILE* out, std::FILE* err)
{
    if (argc <= 1) {
        return std::nullopt;
    }
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    parser.addOption(help);
    parser.addOption(version);
    const bool japanese = japaneseMessages();

    // The first argument that is neither option, as the user typed it.
    QString wrong;
    if (!parser.parse(arguments) || !parser.positionalArguments().isEmpty()) {
        const QStringList known{QStringLiteral("-h"), QStringLiteral("--help"),
                                QStringLiteral("-v"), QStringLiteral("--version")};
        for (qsizetype i = 1; i < arguments.size() && wrong.isEmpty(); ++i) {
            if (!known.contains(arguments[i])) {
                wrong = arguments[i];
            }
        }
    }
    if (!wrong.isEmpty()) {
        const QString line =
            japanese ? QStringLiteral("tavimo: %1 は使えません（使えるのは --help と --version "
                                      "だけです）\n")
                           .arg(wrong)
                     : QStringLiteral("tavimo: %1 is not understood (only --help and --version "
                                      "are)\n")
                           .arg(wrong);
        std::fputs(line.toLocal8Bit().constData(), err);
        return 2;
    }
    if (parser.isSet(help)) {
        std::fputs(japanese ? helpJapanese : helpEnglish, out);
        return 0;
    }
    if (parser.isSet(version)) {
        std::fputs("Tavimo " TAVIMO_VERSION "\n", out);
        return 0;
    }
    return std::nullopt;
}

} // namespace tavimo
