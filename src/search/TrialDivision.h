// The decision of trial division: one odd candidate, and the next candidate of a run that passes.
#pragma once

#include <cstdint>

namespace tavimo {

// Whether the odd candidate n (1 ≤ n ≤ 1073577990) passes trial division as a prime: no odd
// divisor d ≤ round(√n + 2) divides it before d·d > n. 1 never passes. 3 does not pass either: its
// own divisor 3 divides it before the square test is reached, so 3 is placed in advance. Only the
// odd primes are tried: a candidate that some odd divisor divides is divided by a prime no larger.
bool passesTrialDivision(std::uint32_t n);

// The first of the odd candidates from, from + 2, ... ≤ upper (from odd and at least 1, upper at
// most 1073577990) that passes trial division, or a value above upper when none does: the
// decisions of passesTrialDivision, made faster along the run.
std::int64_t nextTrialPrime(std::int64_t from, std::int64_t upper);

} // namespace tavimo
