// The parts of the trial division that its tests check one at a time, beside the decision itself.
// The divisor bound, one divisibility test, and a kernel's search for the first dividing prime;
// the decision is in search/TrialDivision.h.
#pragma once

#include <cstdint>

namespace tavimo {

// L = round(√n + 2), the largest divisor that the trial division of n may reach (n ≤ 1073577990).
std::int16_t divisorBound(std::uint32_t n);

// Whether the odd prime d (3 ≤ d ≤ 32767) divides n (n ≤ 1073577990), without a division: d
// divides n exactly when n·inv(d) mod 2^32 ≤ (2^32 − 1)/d, where inv(d) is the inverse of d modulo
// 2^32. The divisors of one vector may share the bound of the largest among them.
bool dividesExactly(std::uint32_t n, std::uint32_t d);

// The first of the odd divisors 3, 5, ..., last (last ≤ 32767) that divides n (n ≤ 1073577990),
// or 0 if none does; found among the odd primes, as the smallest odd divisor above 1 is a prime.
std::uint32_t firstOddDivisor(std::uint32_t n, std::uint32_t last);

} // namespace tavimo
