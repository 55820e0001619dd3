// From the press of Run to the laid-out result boxes, through the Qt binding on the offscreen
// platform, with the fastest division kernel and with the portable one forced; and the peak
// resident memory after the largest listing.
#include "Benchmark.h"

#include "model/frmMain.h"
#include "platform/qt/MainWindow.h"
#include "platform/qt/QtPlatform.h"
#include "search/Limits.h"
#include "search/TrialDivision.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

#include <primesieve.hpp>

#include <sys/resource.h>

#include <cstdio>

namespace tavimo::bench {

namespace {

// The press-to-display time that each listing should stay within, where one is set: with the
// fastest kernel, and with the portable one (what a processor without a vector unit runs). B3 and
// B4 with the fastest kernel stay within their times from before the search tried only primes
// (most of them is Qt building the result boxes).
struct Target {
    Scenario scenario;
    std::optional<double> fastest;
    std::optional<double> portable;
};

const Target targets[] = {
    {B1, 2, std::nullopt}, {B2, std::nullopt, std::nullopt}, {B3, 27.7, std::nullopt},
    {B4, 32.6, 60},        {B5, 40, std::nullopt},           {B6, 35, 90},
};

// Lets Qt deliver what the press posted (layout requests, updates) and paint the window.
void settle()
{
    QApplication::processEvents();
    QApplication::processEvents();
}

// A plain text edit lays out only the lines it paints; the rest waits for scrolling. Lays out every
// line of the visible result boxes, as scrolling through them all would.
void layOutBoxes(const MainWindow& window)
{
    for (const char* name : {"txt3", "txt4", "txt5", "txt6"}) {
        const auto* box = window.findChild<QPlainTextEdit*>(QString::fromLatin1(name));
        if (box == nullptr || !box->isVisible()) {
            continue;
        }
        const QTextDocument* document = box->document();
        QAbstractTextDocumentLayout* layout = document->documentLayout();
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
            layout->blockBoundingRect(block);
        }
    }
}

// The primes a search lists: 2 and 3 only when the range holds them, and at most 20000.
std::vector<std::int64_t> expectedPrimes(const Scenario& scenario)
{
    std::vector<std::int64_t> primes;
    primesieve::generate_primes(static_cast<std::uint64_t>(scenario.lower),
                                static_cast<std::uint64_t>(scenario.upper), &primes);
    if (primes.size() > static_cast<std::size_t>(primeCap)) {
        primes.resize(primeCap);
    }
    return primes;
}

// The numbers shown in the result boxes on the screen, in order.
std::vector<std::int64_t> shownPrimes(const MainWindow& window)
{
    std::vector<std::int64_t> numbers;
    for (const char* name : {"txt3", "txt4", "txt5", "txt6"}) {
        const auto* box = window.findChild<QPlainTextEdit*>(QString::fromLatin1(name));
        if (box == nullptr || !box->isVisible()) {
            continue;
        }
        for (const QString& line : box->toPlainText().split(QLatin1Char('\n'))) {
            for (const QString& entry : line.split(QLatin1Char(','))) {
                bool number = false;
                const qlonglong value = entry.toLongLong(&number);
                if (number && !entry.isEmpty() && entry.at(0).isDigit()) {
                    numbers.push_back(value);
                }
            }
        }
    }
    return numbers;
}

long peakResidentKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

GroupResult runDisplayGroup(const Options& options)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    int argc = 1;
    char program[] = "tavimo_bench";
    char* argv[] = {program, nullptr};
    QApplication application(argc, argv);

    QtPlatform platform;
    frmMain form(platform);
    MainWindow window(form, platform);
    form.Form_Load();
    window.refresh();
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        std::fprintf(stderr, "the window was not shown on the %s platform\n",
                     qPrintable(QApplication::platformName()));
    }
    settle();
    auto* run = window.findChild<QPushButton*>(QStringLiteral("cmdJIKKO"));
    auto* orientation = window.findChild<QPushButton*>(QStringLiteral("cmdXY"));

    GroupResult result;
    if (run == nullptr || orientation == nullptr) {
        std::fprintf(stderr, "the window has no cmdJIKKO or cmdXY button\n");
        result.consistent = false;
        return result;
    }
    std::vector<DivisionKernel> kernels = {fastestDivisionKernel()};
    if (fastestDivisionKernel() != DivisionKernel::Portable) {
        kernels.push_back(DivisionKernel::Portable);
    }
    for (DivisionKernel kernel : kernels) {
        forceDivisionKernel(kernel);
        const bool fastest = kernel == fastestDivisionKernel();
        const std::string table = std::string("Press of Run to display (Qt, offscreen), ") +
                                  divisionKernelName(kernel) +
                                  (fastest ? " kernel, the fastest" : " kernel forced");
        for (const Target& target : targets) {
            const Scenario& scenario = target.scenario;
            if (form.SwithXY != scenario.horizontal) {
                orientation->click();
                settle();
            }
            // As if the user had typed both bounds and answered the long-run warning.
            form.txt1.text = scenario.lowerText;
            form.txt2.text = scenario.upperText;
            window.refresh();
            settle();
            // Painted: what the user sees. Laid out: every line, as if scrolled through all boxes.
            auto press = [&] {
                form.SwithGO = true;
                QTest::mouseClick(run, Qt::LeftButton);
                settle();
            };
            const double painted = medianMilliseconds(options, press);
            const double laidOut = medianMilliseconds(options, [&] {
                press();
                layOutBoxes(window);
            });
            const std::string name = describe(scenario);
            result.rows.push_back({table, name + ", painted", painted, std::nullopt, std::nullopt});
            result.rows.push_back(
                {table, name + ", every line laid out", laidOut, std::nullopt, std::nullopt});

            if (shownPrimes(window) != expectedPrimes(scenario)) {
                std::fprintf(stderr,
                             "%s, %s kernel: the boxes do not show the primes of the range\n",
                             name.c_str(), divisionKernelName(kernel));
                result.consistent = false;
            }
            char note[200];
            const std::optional<double> limit = fastest ? target.fastest : target.portable;
            if (limit) {
                std::snprintf(note, sizeof note,
                              "Press to display (painted), %s kernel, %s ≤ %g ms: %.1f ms, %s",
                              divisionKernelName(kernel), scenario.id, *limit, painted,
                              painted <= *limit ? "met" : "NOT met");
                result.notes.push_back(note);
            }
            if (fastest && std::string(scenario.id) == B3.id) {
                std::snprintf(note, sizeof note,
                              "Peak resident memory after B3 (getrusage ru_maxrss): %.1f MB",
                              static_cast<double>(peakResidentKilobytes()) / 1024);
                result.notes.push_back(note);
            }
        }
    }
    forceDivisionKernel(fastestDivisionKernel());
    return result;
}

} // namespace tavimo::bench
