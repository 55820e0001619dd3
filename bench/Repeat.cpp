// How far the medians with a target moved across the last three full runs of the same build, beside
// how far the machine's own speed did: each full run adds its medians to a file, which holds the
// runs of one build only.
#include "Benchmark.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

namespace tavimo::bench {
namespace {

constexpr int runsCompared = 3;
constexpr double mostMoved = 0.10;
// Shorter medians are left out of the repeat: a tenth of a millisecond moves them by 10 %.
constexpr double shortestRepeated = 2.0;

// The build: a hash (FNV-1a) of the running program's file.
std::string buildIdentity()
{
    std::ifstream program("/proc/self/exe", std::ios::binary);
    std::uint64_t hash = 0xcbf29ce484222325u;
    for (std::istreambuf_iterator<char> byte(program), end; byte != end; ++byte) {
        hash = (hash ^ static_cast<unsigned char>(*byte)) * 0x100000001b3u;
    }
    char text[24];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

} // namespace

std::string repeatNote(const std::string& path, const std::vector<Row>& rows)
{
    // A line per median: build, run, table, scenario, median, separated by tabs.
    struct Kept {
        int run;
        std::string table;
        std::string scenario;
        double milliseconds;
    };
    const std::string build = buildIdentity();
    std::vector<Kept> kept;
    int runs = 0;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        std::string identity;
        std::string run;
        std::string table;
        std::string scenario;
        std::string median;
        if (std::getline(fields, identity, '\t') && identity == build &&
            std::getline(fields, run, '\t') && std::getline(fields, table, '\t') &&
            std::getline(fields, scenario, '\t') && std::getline(fields, median)) {
            kept.push_back({std::atoi(run.c_str()), table, scenario, std::atof(median.c_str())});
            runs = std::max(runs, kept.back().run);
        }
    }
    in.close();
    ++runs;
    for (const Row& row : rows) {
        if (row.target || row.table == machineTable) {
            kept.push_back({runs, row.table, row.scenario, row.milliseconds});
        }
    }
    std::ofstream out(path, std::ios::trunc);
    for (const Kept& median : kept) {
        out << build << '\t' << median.run << '\t' << median.table << '\t' << median.scenario
            << '\t' << median.milliseconds << '\n';
    }
    if (!out) {
        return "The medians could not be kept in " + path;
    }
    if (runs < runsCompared) {
        return "Repeat of the medians with a target across three full runs of this build: " +
               std::to_string(runs) + " so far (run the bench again)";
    }

    // Each median's lowest and highest value in the last three runs.
    std::map<std::pair<std::string, std::string>, std::pair<double, double>> range;
    for (const Kept& median : kept) {
        if (median.run <= runs - runsCompared) {
            continue;
        }
        const double value = median.milliseconds;
        const auto [entry, added] =
            range.try_emplace({median.table, median.scenario}, value, value);
        entry->second = {std::min(entry->second.first, value),
                         std::max(entry->second.second, value)};
    }
    double worst = 0;
    std::string worstName;
    std::string machine;
    for (const auto& [name, lowHigh] : range) {
        const double moved = (lowHigh.second - lowHigh.first) / lowHigh.first;
        if (name.first == machineTable) {
            char part[200];
            std::snprintf(part, sizeof part, "%s%s %.1f %%", machine.empty() ? "" : ", ",
                          name.second.c_str(), 100 * moved);
            machine += part;
        } else if (lowHigh.first >= shortestRepeated && moved >= worst) {
            worst = moved;
            worstName = name.first + ", " + name.second;
        }
    }
    char note[400];
    std::snprintf(note, sizeof note,
                  "Repeat of the medians of %.0f ms or more with a target across the last three "
                  "full runs of this build: the highest at most %.1f %% above the lowest (most: "
                  "%s), ≤ %.0f %%: %s",
                  shortestRepeated, 100 * worst, worstName.c_str(), 100 * mostMoved,
                  worst <= mostMoved ? "met" : "NOT met");
    if (machine.empty()) {
        return note;
    }
    return note + ("; the machine's own speed, timed in the same rounds, moved: " + machine);
}

} // namespace tavimo::bench
