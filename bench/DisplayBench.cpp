// From the press of Run to the painted window, through the Qt binding on the offscreen platform,
// with the fastest division kernel and with the portable one forced; then what a user does next
// with four full boxes. Each time is held against its target and against the code before the
// result boxes held many lines per paragraph (one paragraph per line), timed in the same run,
// run for run in turn.
#include "Benchmark.h"

#include "model/frmMain.h"
#include "platform/qt/MainWindow.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/ResultBox.h"
#include "search/Limits.h"
#include "search/TrialDivision.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

#include <primesieve.hpp>

#include <sys/resource.h>

#include <cstdio>
#include <functional>

namespace tavimo::bench {

namespace {

// One frame at 60 Hz: what every press of Run and every next step stays within, with the fastest
// kernel. With the portable kernel (what a processor without a vector unit runs) a press stays
// within 25 ms.
constexpr double oneFrame = 16.7;
constexpr double portableTarget = 25;

const Scenario pressed[] = {B1, B2, B3, B4, B5, B6};

// Counts the paint events that Qt delivers to any widget.
class PaintCounter final : public QObject {
public:
    long paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            ++paints;
        }
        return false;
    }
};

PaintCounter* paintCounter = nullptr;

// Lets Qt deliver what the action posted (layout requests, updates, scroll bar ranges) and paint
// the window: events are processed until a round paints nothing more, so that no run leaves a
// paint for the next one to pay.
void settle()
{
    for (int round = 0; round < 20; ++round) {
        const long before = paintCounter->paints;
        QApplication::sendPostedEvents();
        QApplication::processEvents();
        if (paintCounter->paints == before && round > 0) {
            return;
        }
    }
}

QPlainTextEdit* box(const MainWindow& window, const char* name)
{
    return window.findChild<QPlainTextEdit*>(QString::fromLatin1(name));
}

// A plain text edit lays out only the lines it paints; the rest waits for scrolling. Lays out every
// line of the visible result boxes, as scrolling through them all would.
void layOutBoxes(const MainWindow& window)
{
    for (const char* name : {"txt3", "txt4", "txt5", "txt6"}) {
        const QPlainTextEdit* edit = box(window, name);
        if (edit == nullptr || !edit->isVisible()) {
            continue;
        }
        const QTextDocument* document = edit->document();
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
        const QPlainTextEdit* edit = box(window, name);
        if (edit == nullptr || !edit->isVisible()) {
            continue;
        }
        for (const QString& line : edit->toPlainText().split(QLatin1Char('\n'))) {
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

// The two ways of building the result boxes that every row compares.
constexpr int newLinesPerBlock = -1; // the binding's own choice
int bindingsLinesPerBlock = 0;
void useBoxes(int linesPerBlock)
{
    ResultBox::setLinesPerBlock(linesPerBlock == newLinesPerBlock ? bindingsLinesPerBlock
                                                                  : linesPerBlock);
}

// The same steps timed with the binding as it is and as it was, run for run in turn, so that both
// see the same machine.
struct Paired {
    Spread now;
    std::optional<Spread> before;
};

Paired measurePaired(const Options& options, const std::function<void()>& prepare,
                     const std::function<void()>& work)
{
    std::vector<double> now;
    std::vector<double> before;
    for (int run = 0; run < options.warmUpRuns + options.runs; ++run) {
        for (const int lines : {newLinesPerBlock, 1}) {
            if (lines == 1 && !options.baseline) {
                continue;
            }
            useBoxes(lines);
            prepare();
            const auto begin = std::chrono::steady_clock::now();
            work();
            const double time = milliseconds(begin, std::chrono::steady_clock::now());
            if (run >= options.warmUpRuns) {
                (lines == 1 ? before : now).push_back(time);
            }
        }
    }
    useBoxes(newLinesPerBlock);
    return {spreadOf(now), options.baseline ? std::optional(spreadOf(before)) : std::nullopt};
}

struct Bench {
    const Options& options;
    frmMain& form;
    MainWindow& window;
    QPushButton* run;
    QPushButton* orientation;
    GroupResult result;

    // As if the user had typed both bounds and answered the long-run warning, then pressed Run
    // with the mouse.
    void enter(const Scenario& scenario)
    {
        if (form.SwithXY != scenario.horizontal) {
            orientation->click();
            settle();
        }
        form.txt1.text = std::string(scenario.lowerText);
        form.txt2.text = std::string(scenario.upperText);
        window.refresh();
        settle();
    }
    [[gnu::noinline]] void press()
    {
        form.SwithGO = true;
        QTest::mouseClick(run, Qt::LeftButton);
        settle();
    }

    void add(const std::string& table, const std::string& name, const Paired& times,
             std::optional<double> target)
    {
        const std::optional<double> before =
            times.before ? std::optional(times.before->median) : std::nullopt;
        result.rows.push_back(
            {table, name, times.now.median, before, std::nullopt, times.now, target});
        if (target) {
            char note[240];
            std::snprintf(note, sizeof note, "%s, %s ≤ %g ms: %.1f ms (before: %.1f ms), %s",
                          table.c_str(), name.c_str(), *target, times.now.median,
                          before.value_or(0), times.now.median <= *target ? "met" : "NOT met");
            result.notes.push_back(note);
        }
    }

    void presses()
    {
        std::vector<DivisionKernel> kernels = {fastestDivisionKernel()};
        if (fastestDivisionKernel() != DivisionKernel::Portable) {
            kernels.push_back(DivisionKernel::Portable);
        }
        for (DivisionKernel kernel : kernels) {
            forceDivisionKernel(kernel);
            const bool fastest = kernel == fastestDivisionKernel();
            const std::string table = std::string("Press of Run to painted window, ") +
                                      divisionKernelName(kernel) +
                                      (fastest ? " kernel, the fastest" : " kernel forced");
            for (const Scenario& scenario : pressed) {
                if (!options.wants(scenario)) {
                    continue;
                }
                enter(scenario);
                // Each timed press empties boxes that a press built the same way.
                const auto pressOnce = [&] { press(); };
                const Paired times = measurePaired(options, pressOnce, pressOnce);
                add(table, describe(scenario), times, fastest ? oneFrame : portableTarget);
                if (shownPrimes(window) != expectedPrimes(scenario)) {
                    std::fprintf(stderr,
                                 "%s, %s kernel: the boxes do not show the primes of the range\n",
                                 scenario.id, divisionKernelName(kernel));
                    result.consistent = false;
                }
                if (fastest && std::string(scenario.id) == B3.id) {
                    char note[200];
                    std::snprintf(note, sizeof note,
                                  "Peak resident memory after B3 (getrusage ru_maxrss): %.1f MB",
                                  static_cast<double>(peakResidentKilobytes()) / 1024);
                    result.notes.push_back(note);
                }
            }
        }
        forceDivisionKernel(fastestDivisionKernel());
    }

    // What a user does next with the four full boxes of B3, with the fastest kernel.
    void nextSteps()
    {
        if (!options.wants(B3)) {
            return;
        }
        const std::string table = "Next steps with four full boxes (B3), to painted window";
        enter(B3);
        QPlainTextEdit* last = box(window, "txt6");
        QPlainTextEdit* second = box(window, "txt4");
        // Each run starts from the boxes of a press made with the way of building them that it
        // times.
        int filledWith = 0;
        auto filled = [&] {
            if (filledWith != ResultBox::linesPerBlock()) {
                press();
                filledWith = ResultBox::linesPerBlock();
            }
        };

        add(table, "Ctrl+End in txt6",
            measurePaired(
                options,
                [&] {
                    filled();
                    last->setFocus();
                    QTest::keyClick(last, Qt::Key_Home, Qt::ControlModifier);
                    settle();
                },
                [&] {
                    QTest::keyClick(last, Qt::Key_End, Qt::ControlModifier);
                    settle();
                }),
            oneFrame);

        add(table, "txt4's scroll bar dragged to its end",
            measurePaired(
                options,
                [&] {
                    filled();
                    second->verticalScrollBar()->setValue(0);
                    settle();
                },
                [&] {
                    QScrollBar* bar = second->verticalScrollBar();
                    bar->setSliderDown(true);
                    bar->setSliderPosition(bar->maximum());
                    bar->setSliderDown(false);
                    settle();
                }),
            oneFrame);

        // A step of the user's drag: 30 pixels taller and wider, from the size the boxes were
        // laid out for.
        const QSize size = window.size();
        add(table, "the window resized by 30 pixels",
            measurePaired(
                options,
                [&] {
                    filled();
                    window.resize(size);
                    settle();
                },
                [&] {
                    window.resize(size + QSize(30, 30));
                    settle();
                }),
            oneFrame);
        window.resize(size);
        settle();

        auto* clear = window.findChild<QPushButton*>(QStringLiteral("cmdKESU"));
        add(table, "Clear",
            measurePaired(
                options, [&] { press(); },
                [&] {
                    QTest::mouseClick(clear, Qt::LeftButton);
                    settle();
                }),
            oneFrame);
    }

    // Every line laid out, as if the user scrolled through all boxes: no target, for reading how
    // the layout's own time compares.
    void everyLine()
    {
        const std::string table = "Press of Run, then every line laid out (no target)";
        for (const Scenario& scenario : {B3, B6}) {
            if (!options.wants(scenario)) {
                continue;
            }
            enter(scenario);
            add(table, describe(scenario),
                measurePaired(
                    options, [&] { press(); },
                    [&] {
                        press();
                        layOutBoxes(window);
                    }),
                std::nullopt);
        }
    }
};

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
    PaintCounter counter;
    paintCounter = &counter;
    application.installEventFilter(&counter);
    bindingsLinesPerBlock = ResultBox::linesPerBlock();

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
    if (run == nullptr || orientation == nullptr) {
        std::fprintf(stderr, "the window has no cmdJIKKO or cmdXY button\n");
        GroupResult failed;
        failed.consistent = false;
        return failed;
    }

    Bench bench{options, form, window, run, orientation, {}};
    bench.presses();
    bench.nextSteps();
    bench.everyLine();
    char note[200];
    std::snprintf(note, sizeof note,
                  "Result boxes: %d lines per paragraph; \"before\" and the baseline: one line per "
                  "paragraph, the code before",
                  bindingsLinesPerBlock);
    bench.result.notes.push_back(note);
    application.removeEventFilter(&counter);
    paintCounter = nullptr;
    return bench.result;
}

} // namespace tavimo::bench
