// Runs the benchmark groups and prints Markdown tables of their medians.
//
// Usage: tavimo_bench [--runs N] [--only ID ...] [--history FILE] [group ...]
//   groups: display, enumeration (default: both); --only B3 runs that scenario alone (repeatable);
//   --history keeps the medians of each full run in FILE and tells how far they moved across the
//   last three runs of the same build.
#include "Benchmark.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>

namespace {

using namespace tavimo::bench;

struct Group {
    const char* name;
    GroupResult (*run)(const Options& options);
};

// In the order they run. The display group comes first so that the peak resident memory it
// reports is that of the program's own work, not of the other benchmarks.
constexpr Group groups[] = {
    {"display", runDisplayGroup},
    {"enumeration", runEnumerationGroup},
};

// The processor's name as Linux reports it, for reading the table later.
std::string processorName()
{
    std::ifstream cpuinfo("/proc/cpuinfo");
    for (std::string line; std::getline(cpuinfo, line);) {
        if (line.rfind("model name", 0) == 0 && line.find(':') != std::string::npos) {
            return line.substr(line.find(':') + 2);
        }
    }
    return "unknown processor";
}

std::string ratio(double milliseconds, const std::optional<double>& reference)
{
    if (!reference || *reference <= 0) {
        return "—";
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", milliseconds / *reference);
    return text;
}

std::string fixed(double milliseconds)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", milliseconds);
    return text;
}

std::string spread(const std::optional<Spread>& spread)
{
    if (!spread) {
        return "—";
    }
    char text[64];
    std::snprintf(text, sizeof text, "%.2f–%.2f (%.0f %%)", spread->low, spread->high,
                  100 * spread->relative());
    return text;
}

std::string target(double milliseconds, const std::optional<double>& target)
{
    if (!target) {
        return "—";
    }
    char text[48];
    std::snprintf(text, sizeof text, "≤ %g: %s", *target,
                  milliseconds <= *target ? "met" : "NOT met");
    return text;
}

// The load of the machine while the benchmarks ran: timings from a busy machine mean little.
std::string loadAverage()
{
    std::ifstream loadavg("/proc/loadavg");
    std::string one;
    std::string five;
    loadavg >> one >> five;
    return one.empty() ? "unknown" : one + " (1 min), " + five + " (5 min)";
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    std::vector<std::string> wanted;
    std::string history;
    bool asBuilt = true; // the runs as the bench has them
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc) {
            options.runs = std::max(7, std::atoi(argv[++i]));
            asBuilt = false;
        } else if (std::strcmp(argv[i], "--only") == 0 && i + 1 < argc) {
            options.only.emplace_back(argv[++i]);
        } else if (std::strcmp(argv[i], "--history") == 0 && i + 1 < argc) {
            history = argv[++i];
        } else {
            wanted.emplace_back(argv[i]);
        }
    }

    std::vector<Row> rows;
    std::vector<std::string> notes;
    bool consistent = true;
    for (const Group& group : groups) {
        if (!wanted.empty() &&
            std::find(wanted.begin(), wanted.end(), group.name) == wanted.end()) {
            continue;
        }
        std::fprintf(stderr, "running the %s group...\n", group.name);
        GroupResult result = group.run(options);
        rows.insert(rows.end(), result.rows.begin(), result.rows.end());
        notes.insert(notes.end(), result.notes.begin(), result.notes.end());
        consistent = consistent && result.consistent;
    }

    std::printf("%s, %u hardware threads, load average %s. ", processorName().c_str(),
                std::thread::hardware_concurrency(), loadAverage().c_str());
    std::printf(
        "Median of %d runs after %d warm-up runs; the spread is the lowest and highest "
        "time of the runs and their difference relative to the median. The display's steps "
        "take turns, round by round, so that each median gathers runs from the whole group's "
        "time; a step under 2 ms is timed up to 5 times a round. Ratios are this "
        "row's time divided by the baseline's or primesieve's time for the same scenario "
        "(below 1: faster).\n\n",
        options.runs, options.warmUpRuns);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const Row& row = rows[i];
        if (i == 0 || row.table != rows[i - 1].table) {
            std::printf("%s### %s\n\n", i == 0 ? "" : "\n", row.table.c_str());
            std::printf("| scenario | ms (median) | spread | target | baseline ms | ratio to "
                        "baseline | ratio to primesieve |\n");
            std::printf("|---|---:|---:|---|---:|---:|---:|\n");
        }
        std::printf("| %s | %.3f | %s | %s | %s | %s | %s |\n", row.scenario.c_str(),
                    row.milliseconds, spread(row.spread).c_str(),
                    target(row.milliseconds, row.target).c_str(),
                    row.baselineMilliseconds ? fixed(*row.baselineMilliseconds).c_str() : "—",
                    ratio(row.milliseconds, row.baselineMilliseconds).c_str(),
                    ratio(row.milliseconds, row.primesieveMilliseconds).c_str());
    }
    std::printf("\n");
    for (const std::string& note : notes) {
        std::printf("- %s\n", note.c_str());
    }
    // Only a full run of every group, as built, compares with the runs before.
    if (!history.empty() && asBuilt && wanted.empty() && options.only.empty()) {
        std::printf("- %s\n", repeatNote(history, rows).c_str());
    }
    std::printf("- All methods listed the same primes: %s\n", consistent ? "yes" : "NO");
    return consistent ? EXIT_SUCCESS : EXIT_FAILURE;
}
