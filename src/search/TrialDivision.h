// Trial division of odd candidates by the odd primes 3, 5, 7, 11, ... up to round(√n + 2).
#pragma once

#include <cstdint>

namespace tavimo {

// The first of the odd candidates from, from + 2, ... ≤ upper (from odd and at least 1, upper at
// most 1073577990) that passes trial division, or a value above upper when none does.
std::int64_t nextTrialPrime(std::int64_t from, std::int64_t upper);

} // namespace tavimo
