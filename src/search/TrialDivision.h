// Trial division of odd candidates by the odd divisors 3, 5, 7, ... up to round(√n + 2).
#pragma once

#include <cmath>
#include <cstdint>

namespace tavimo {

// Whether the odd candidate n (1 ≤ n ≤ 1073577990) passes trial division as a prime. 3 does not:
// its own divisor 3 divides it before the square test is reached, so 3 is placed in advance.
inline bool passesTrialDivision(std::uint32_t n)
{
    const auto bound = static_cast<std::int16_t>(std::lround(std::sqrt(static_cast<double>(n)) + 2.0));
    for (std::uint32_t d = 3; static_cast<std::int32_t>(d) <= bound; d += 2) {
        if (n % d == 0) {
            return false;
        }
        // d > n / d, that is d·d > n: no divisor is left below √n.
        if (d * d > n && n != 1) {
            return true;
        }
    }
    return false; // only n = 1 runs out of divisors
}

// Calls onPrime(p) for each odd candidate p = start, start + 2, ... ≤ upper (start odd) that
// passes trial division, in increasing order, until onPrime returns false.
template <class OnPrime>
void forEachTrialPrime(std::int64_t start, std::int64_t upper, OnPrime&& onPrime)
{
    for (std::int64_t n = start; n <= upper; n += 2) {
        if (passesTrialDivision(static_cast<std::uint32_t>(n)) && !onPrime(n)) {
            return;
        }
    }
}

} // namespace tavimo
