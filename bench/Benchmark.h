// What every group of benchmarks shares: the scenarios, the timing and the rows of the table.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tavimo::bench {

// One request as the user types it, and the range it stands for.
struct Scenario {
    const char* id;
    const char* lowerText;
    const char* upperText;
    std::int64_t lower;
    std::int64_t upper;
    bool horizontal = false; // cmdXY pressed first
};

inline constexpr Scenario B1{"B1", "1", "30", 1, 30};
inline constexpr Scenario B2{"B2", "1", "100000", 1, 100000};
inline constexpr Scenario B3{"B3", "1", "1000000", 1, 1000000};
inline constexpr Scenario B4{"B4", "99000000", "99999999", 99000000, 99999999};
inline constexpr Scenario B5{"B5", "0", "40000", 0, 40000, true};
inline constexpr Scenario B6{"B6", "1E9", "1073577990", 1000000000, 1073577990};

inline std::string describe(const Scenario& scenario)
{
    return std::string(scenario.id) + " " + scenario.lowerText + "→" + scenario.upperText +
           (scenario.horizontal ? " horizontal" : "");
}

struct Options {
    int runs = 15;                 // timed runs after the warm-up; the median is reported
    int warmUpRuns = 2;            // untimed runs before them
    std::vector<std::string> only; // the scenarios to run (their ids); empty: all
    bool wants(const Scenario& scenario) const
    {
        return only.empty() || std::find(only.begin(), only.end(), scenario.id) != only.end();
    }
};

// The times of the timed runs of one measurement.
struct Spread {
    double median = 0;
    double low = 0;
    double high = 0;
    // The spread of the runs, relative to their median.
    double relative() const { return median > 0 ? (high - low) / median : 0; }
};

inline double milliseconds(std::chrono::steady_clock::time_point begin,
                           std::chrono::steady_clock::time_point end)
{
    return std::chrono::duration<double, std::milli>(end - begin).count();
}

inline Spread spreadOf(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times.front(), times.back()};
}

// options.runs timed calls of work, after options.warmUpRuns untimed ones; prepare runs untimed
// before each call (to put back the state that work starts from).
template <class Prepare, class Work>
Spread measure(const Options& options, Prepare&& prepare, Work&& work)
{
    for (int run = 0; run < options.warmUpRuns; ++run) {
        prepare();
        work();
    }
    std::vector<double> times;
    for (int run = 0; run < options.runs; ++run) {
        prepare();
        const auto begin = std::chrono::steady_clock::now();
        work();
        times.push_back(milliseconds(begin, std::chrono::steady_clock::now()));
    }
    return spreadOf(std::move(times));
}

template <class Work> double medianMilliseconds(const Options& options, Work&& work)
{
    const auto nothing = [] {};
    return measure(options, nothing, work).median;
}

// One line of a table. The ratios divide this row's time by the baseline's and primesieve's time
// for the same scenario, where the group has them.
struct Row {
    std::string table; // the heading of the table that the row belongs to
    std::string scenario;
    double milliseconds = 0;
    std::optional<double> baselineMilliseconds;
    std::optional<double> primesieveMilliseconds;
    std::optional<Spread> spread; // the runs' lowest and highest time
    std::optional<double> target; // the most the median may be
};

// What a group of benchmarks hands back: its rows, the targets it was held against, and whether
// every method listed the same primes.
struct GroupResult {
    std::vector<Row> rows;
    std::vector<std::string> notes;
    bool consistent = true;
};

// The table of the display group's controls: fixed work of the processor and of its memory, timed
// in the same rounds as the window's steps, which moves only as far as the machine's own speed.
inline constexpr const char* machineTable = "The machine's own speed (no target)";

GroupResult runEnumerationGroup(const Options& options);
// Keeps the medians with a target and the machine's own speed in the file at path, with those of
// the same build's earlier full runs, and tells how far they moved across the last three
// (Repeat.cpp).
std::string repeatNote(const std::string& path, const std::vector<Row>& rows);
GroupResult runDisplayGroup(const Options& options);

} // namespace tavimo::bench
