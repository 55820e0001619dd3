// The numbers that bound a search.
#pragma once

#include <cstdint>

namespace tavimo {

// A range wider than this is always listed vertically.
inline constexpr std::int64_t orientationLimit = 40000;
// A range at least this wide is first answered with the long-run warning (unless allowed).
inline constexpr std::int64_t longRunThreshold = 199999;
// The largest candidate whose divisor bound round(√n + 2) still fits in 16 bits.
inline constexpr std::int64_t largestCandidate = 1073577990;
// A search stops after this many primes.
inline constexpr int primeCap = 20000;
// Entries per result box in the vertical orientation.
inline constexpr int boxCapacity = 5000;

} // namespace tavimo
