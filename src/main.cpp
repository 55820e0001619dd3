// Tavimo: lists the primes between two natural numbers in a window with a Japanese interface.
#include "model/frmMain.h"
#include "platform/qt/CommandLine.h"
#include "platform/qt/MainWindow.h"
#include "platform/qt/QtPlatform.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

bool isSet(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

} // namespace

int main(int argc, char* argv[])
{
    // --help and --version are answered without a display; any other argument ends the program
    // before its window opens.
    if (const std::optional<int> status = tavimo::answerCommandLine(argc, argv, stdout, stderr)) {
        return *status;
    }
    // Qt aborts with a long diagnostic when it finds no display; one sentence says enough.
    if (!isSet("DISPLAY") && !isSet("WAYLAND_DISPLAY") && !isSet("QT_QPA_PLATFORM")) {
        std::fputs("Tavimo needs a graphical display; none was found (set DISPLAY or run it under "
                   "xvfb-run).\n",
                   stderr);
        return 1;
    }

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tavimo"));
    // The application id of the installed desktop entry: desktops match the window to it.
    QGuiApplication::setDesktopFileName(QStringLiteral(TAVIMO_APP_ID));

    tavimo::QtPlatform platform;
    tavimo::frmMain form(platform);
    tavimo::MainWindow window(form, platform);
    QApplication::setWindowIcon(window.windowIcon());

    form.Form_Load();
    window.refresh();
    window.show();
    window.focusTextBox(form.txt1);
    return QApplication::exec();
}
