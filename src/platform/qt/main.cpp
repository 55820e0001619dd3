// Tavimo on Linux: lists the primes between two natural numbers in a window with a Japanese
// interface, on Qt.
#include "model/frmMain.h"
#include "platform/qt/CommandLine.h"
#include "platform/qt/MainWindow.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/QtTranslations.h"
#include "search/KernelChoice.h"

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

// TAVIMO_KERNEL names the kernel of the trial division to use instead of the fastest one; an
// unknown name, or one that the processor does not run, is reported and ignored.
void chooseKernelFromEnvironment()
{
    using tavimo::divisionKernelName;
    const char* value = std::getenv("TAVIMO_KERNEL");
    if (value == nullptr || *value == '\0') {
        return;
    }
    const char* fastest = divisionKernelName(tavimo::fastestDivisionKernel());
    const std::optional<tavimo::DivisionKernel> kernel = tavimo::divisionKernelNamed(value);
    if (!kernel) {
        std::fprintf(stderr,
                     "TAVIMO_KERNEL: no kernel is named %s (portable, sse41, avx2, avx512, neon); "
                     "using %s\n",
                     value, fastest);
    } else if (!tavimo::supportsDivisionKernel(*kernel)) {
        std::fprintf(stderr, "TAVIMO_KERNEL: this processor does not run the %s kernel; using %s\n",
                     value, fastest);
    } else {
        tavimo::forceDivisionKernel(*kernel);
    }
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

    chooseKernelFromEnvironment();

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tavimo"));
    // The application id of the installed desktop entry: desktops match the window to it.
    QGuiApplication::setDesktopFileName(QStringLiteral(TAVIMO_APP_ID));
    if (!tavimo::installJapaneseQtTexts(application)) {
        std::fputs("Tavimo: Qt's Japanese translations (qt6-translations-l10n) are not installed; "
                   "the context menus are in English.\n",
                   stderr);
    }

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
