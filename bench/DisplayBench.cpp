// From the press of Run to the painted window, through the Qt binding on the offscreen platform,
// with the fastest division kernel and with the portable one forced; then what a user does next
// with four full boxes. Each time is held against its target.
#include "Benchmark.h"

#include "model/frmMain.h"
#include "platform/qt/MainWindow.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/ResultBox.h"
#include "search/KernelChoice.h"
#include "search/Limits.h"

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

#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <numeric>
#include <random>

namespace tavimo::bench {

namespace {

// One frame at 60 Hz: what every press of Run and every next step stays within, with the fastest
// kernel and with the portable kernel (what a processor without a vector unit of ours runs).
constexpr double oneFrame = 16.7;

const Scenario pressedScenarios[] = {B1, B2, B3, B4, B5, B6};

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

// Whether a result box has yet to build its whole document (ResultBox.h).
bool boxWaiting()
{
    for (const QWidget* window : QApplication::topLevelWidgets()) {
        for (const ResultBox* box : window->findChildren<ResultBox*>()) {
            if (box->waiting()) {
                return true;
            }
        }
    }
    return false;
}

// Lets Qt deliver what the action posted (layout requests, updates, scroll bar ranges) and paint
// the window, and the result boxes build their whole documents: events are processed until a
// round paints nothing more and no box waits, so that no run leaves work for the next one to pay.
// Answers the longest round: the longest the window could not answer a key or paint a frame.
double settle()
{
    double longest = 0;
    for (int round = 0; round < 40; ++round) {
        const long before = paintCounter->paints;
        const auto begin = std::chrono::steady_clock::now();
        QApplication::sendPostedEvents();
        QApplication::processEvents();
        longest = std::max(longest, milliseconds(begin, std::chrono::steady_clock::now()));
        if (paintCounter->paints == before && round > 0 && !boxWaiting()) {
            break;
        }
    }
    return longest;
}

// Lets Qt deliver what the action posted until the window has painted: the answer is on the
// screen then, though a long result box may still be building its whole document (ResultBox.h).
void firstPaint()
{
    const long before = paintCounter->paints;
    for (int round = 0; round < 20 && paintCounter->paints == before; ++round) {
        QApplication::sendPostedEvents();
        if (paintCounter->paints == before) {
            QApplication::processEvents();
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

volatile std::uint64_t machineSink; // the result of the machine's loop, which must be computed

// One step that the group times: prepare puts the window in the state that the step starts from
// (untimed), work is the step to the painted window.
struct Step {
    std::string table;
    std::string name;
    std::optional<double> target;
    std::function<void()> prepare;
    std::function<void()> work;
    std::function<double()> measure; // instead of timing work: a step that times itself
    std::vector<double> now;         // the times
    int timesPerRound = 1;
};

// The speed of these virtual machines changes by up to a tenth in phases of a few seconds: a step
// timed in one burst takes the phase it falls in, and its median moved from run to run with it.
// So the steps take turns: each round times every step, and each median gathers runs from the
// whole group's time. A step that took less than
// 2 ms in the last warm-up round is timed several times a round (at most 5), so that the median of
// a short step rests on as many runs as its scatter needs.
void timeInRounds(const Options& options, std::vector<Step>& steps)
{
    constexpr double shortStep = 2;
    constexpr int mostTimesPerRound = 5;
    for (int round = 0; round < options.warmUpRuns + options.runs; ++round) {
        const bool timed = round >= options.warmUpRuns;
        for (Step& step : steps) {
            for (int time = 0; time < (timed ? step.timesPerRound : 1); ++time) {
                step.prepare();
                double taken = 0;
                if (step.measure) {
                    taken = step.measure();
                } else {
                    const auto begin = std::chrono::steady_clock::now();
                    step.work();
                    taken = milliseconds(begin, std::chrono::steady_clock::now());
                }
                if (timed) {
                    step.now.push_back(taken);
                } else if (round == options.warmUpRuns - 1) {
                    step.timesPerRound =
                        std::clamp(static_cast<int>(std::ceil(shortStep / std::max(taken, 0.01))),
                                   1, mostTimesPerRound);
                }
            }
        }
    }
}

struct Bench {
    const Options& options;
    frmMain& form;
    MainWindow& window;
    QPushButton* run;
    QPushButton* orientation;
    QSize size; // the window's size as shown, which every step starts from
    GroupResult result;
    std::vector<Step> steps;

    std::vector<DivisionKernel> kernels() const
    {
        std::vector<DivisionKernel> kernels = {fastestDivisionKernel()};
        if (fastestDivisionKernel() != DivisionKernel::Portable) {
            kernels.push_back(DivisionKernel::Portable);
        }
        return kernels;
    }

    // As if the user had typed both bounds and answered the long-run warning, then pressed Run
    // with the mouse, in the window at its size, with the given kernel.
    void enter(const Scenario& scenario, DivisionKernel kernel = fastestDivisionKernel())
    {
        forceDivisionKernel(kernel);
        if (window.size() != size) {
            window.resize(size);
            settle();
        }
        if (form.SwithXY != scenario.horizontal) {
            orientation->click();
            settle();
        }
        form.txt1.text = std::string(scenario.lowerText);
        form.txt2.text = std::string(scenario.upperText);
        window.refresh();
        settle();
    }
    void click()
    {
        form.SwithGO = true;
        QTest::mouseClick(run, Qt::LeftButton);
    }
    // To the answer on the screen.
    [[gnu::noinline]] void press()
    {
        click();
        firstPaint();
    }
    // Entered and pressed once, every box whole: the boxes built the way that the step times.
    void pressed(const Scenario& scenario, DivisionKernel kernel = fastestDivisionKernel())
    {
        enter(scenario, kernel);
        press();
        settle();
    }

    void add(std::string table, std::string name, std::optional<double> target,
             std::function<void()> prepare, std::function<void()> work)
    {
        steps.push_back({.table = std::move(table),
                         .name = std::move(name),
                         .target = target,
                         .prepare = std::move(prepare),
                         .work = std::move(work),
                         .measure = {},
                         .now = {},
                         .timesPerRound = 1});
    }

    void report(const Step& step)
    {
        const Spread now = spreadOf(step.now);
        result.rows.push_back(
            {step.table, step.name, now.median, std::nullopt, std::nullopt, now, step.target});
        if (step.target) {
            char note[240];
            std::snprintf(note, sizeof note, "%s, %s ≤ %g ms: %.1f ms, %s", step.table.c_str(),
                          step.name.c_str(), *step.target, now.median,
                          now.median <= *step.target ? "met" : "NOT met");
            result.notes.push_back(note);
        }
    }

    static std::string tableOf(DivisionKernel kernel)
    {
        return std::string("Press of Run to painted window, ") + divisionKernelName(kernel) +
               (kernel == fastestDivisionKernel() ? " kernel, the fastest" : " kernel forced");
    }

    // Every press shows the primes of its range, with every kernel; the peak memory after B3.
    void check()
    {
        for (DivisionKernel kernel : kernels()) {
            for (const Scenario& scenario : pressedScenarios) {
                if (!options.wants(scenario)) {
                    continue;
                }
                pressed(scenario, kernel);
                if (shownPrimes(window) != expectedPrimes(scenario)) {
                    std::fprintf(stderr,
                                 "%s, %s kernel: the boxes do not show the primes of the range\n",
                                 scenario.id, divisionKernelName(kernel));
                    result.consistent = false;
                }
                if (kernel == fastestDivisionKernel() && std::string(scenario.id) == B3.id) {
                    char note[200];
                    std::snprintf(note, sizeof note,
                                  "Peak resident memory after B3 (getrusage ru_maxrss): %.1f MB",
                                  static_cast<double>(peakResidentKilobytes()) / 1024);
                    result.notes.push_back(note);
                }
            }
        }
    }

    // Each timed press empties boxes that a press built the same way.
    void presses()
    {
        for (DivisionKernel kernel : kernels()) {
            for (const Scenario& scenario : pressedScenarios) {
                if (options.wants(scenario)) {
                    add(
                        tableOf(kernel), describe(scenario), oneFrame,
                        [this, &scenario, kernel] { pressed(scenario, kernel); },
                        [this] { press(); });
                }
            }
        }
    }

    // After the answer is painted, the long boxes build their whole documents, one a round: how
    // long that takes, and the longest round, in which the window answers nothing.
    void completion()
    {
        const Scenario* const scenarios[] = {&B2, &B3, &B6};
        for (const Scenario* scenario : scenarios) {
            if (options.wants(*scenario)) {
                add(
                    "Press of Run to every result box whole (no target)", describe(*scenario),
                    std::nullopt, [this, scenario] { pressed(*scenario); },
                    [this] {
                        click();
                        settle();
                    });
            }
        }
        for (const Scenario* scenario : scenarios) {
            if (options.wants(*scenario)) {
                Step& longest = steps.emplace_back();
                longest.table = "The longest round of events after the press of Run";
                longest.name = describe(*scenario);
                longest.target = oneFrame;
                longest.prepare = [this, scenario] { pressed(*scenario); };
                longest.measure = [this] {
                    click();
                    return settle();
                };
            }
        }
    }

    // What a user does next with the four full boxes of B3, with the fastest kernel.
    void nextSteps()
    {
        if (!options.wants(B3)) {
            return;
        }
        const std::string table = "Next steps with four full boxes (B3), to painted window";
        QPlainTextEdit* last = box(window, "txt6");
        QPlainTextEdit* second = box(window, "txt4");
        add(
            table, "Ctrl+End in txt6", oneFrame,
            [this, last] {
                pressed(B3);
                last->setFocus();
                QTest::keyClick(last, Qt::Key_Home, Qt::ControlModifier);
                settle();
            },
            [last] {
                QTest::keyClick(last, Qt::Key_End, Qt::ControlModifier);
                settle();
            });
        add(
            table, "txt4's scroll bar dragged to its end", oneFrame, [this] { pressed(B3); },
            [second] {
                QScrollBar* bar = second->verticalScrollBar();
                bar->setSliderDown(true);
                bar->setSliderPosition(bar->maximum());
                bar->setSliderDown(false);
                settle();
            });
        // A step of the user's drag: 30 pixels taller and wider, from the size the boxes were
        // laid out for.
        add(
            table, "the window resized by 30 pixels", oneFrame, [this] { pressed(B3); },
            [this] {
                window.resize(size + QSize(30, 30));
                settle();
            });
        auto* clear = window.findChild<QPushButton*>(QStringLiteral("cmdKESU"));
        add(
            table, "Clear", oneFrame, [this] { pressed(B3); },
            [clear] {
                QTest::mouseClick(clear, Qt::LeftButton);
                settle();
            });
    }

    // Every line laid out, as if the user scrolled through all boxes: no target, for reading how
    // the layout's own time compares.
    void everyLine()
    {
        for (const Scenario* scenario : {&B3, &B6}) {
            if (options.wants(*scenario)) {
                add(
                    "Press of Run, then every line laid out (no target)", describe(*scenario),
                    std::nullopt, [this, scenario] { pressed(*scenario); },
                    [this] {
                        click();
                        settle();
                        layOutBoxes(window);
                    });
            }
        }
    }

    // The machine's speed at the time: a fixed chain of multiplications, and a walk through 4 MB
    // in a fixed random order (the caches and memory that the window's steps also use).
    void machine()
    {
        add(
            machineTable, "a fixed loop of integer arithmetic", std::nullopt, [] {},
            [] {
                std::uint64_t x = 1;
                for (int i = 0; i < 1'000'000; ++i) {
                    x = x * 6364136223846793005u + 1442695040888963407u;
                }
                machineSink = x;
            });
        auto next = std::make_shared<std::vector<std::uint32_t>>(std::size_t{1} << 20);
        std::vector<std::uint32_t> order(next->size());
        std::iota(order.begin(), order.end(), 0u);
        std::shuffle(order.begin() + 1, order.end(), std::mt19937(1));
        for (std::size_t i = 0; i < order.size(); ++i) {
            (*next)[order[i]] = order[(i + 1) % order.size()];
        }
        add(
            machineTable, "a walk through 4 MB of memory in random order", std::nullopt, [] {},
            [next] {
                std::uint32_t at = 0;
                for (int i = 0; i < 100'000; ++i) {
                    at = (*next)[at];
                }
                machineSink = at;
            });
    }

    void runAll()
    {
        check();
        presses();
        completion();
        nextSteps();
        everyLine();
        machine();
        timeInRounds(options, steps);
        forceDivisionKernel(fastestDivisionKernel());
        for (const Step& step : steps) {
            report(step);
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

    Bench bench{options, form, window, run, orientation, window.size(), {}, {}};
    bench.runAll();
    application.removeEventFilter(&counter);
    paintCounter = nullptr;
    return bench.result;
}

} // namespace tavimo::bench
