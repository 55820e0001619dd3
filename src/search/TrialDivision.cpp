// Trial division by the odd primes: one candidate's decision as a reader checks it, then a run's.
// The divisibility test is a multiplication by the divisor's inverse (OddPrimes.h), made several
// divisors at once by the kernel that KernelChoice.cpp chose (Kernels.h).
#include "search/TrialDivision.h"

#include "search/Kernels.h"
#include "search/Limits.h"
#include "search/TrialDivisionParts.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdint>

namespace tavimo {
namespace {

using division::Kernel;
using division::oddPrimeCount;
using division::oddPrimes;

// floor(√n): a 64-bit float holds n and its square root closely enough for n below 2^52.
std::uint32_t floorSquareRoot(std::uint32_t n)
{
    return static_cast<std::uint32_t>(std::sqrt(static_cast<double>(n)));
}

// L = round(√n + 2) from r = floor(√n): √n + 2 rounds up to r + 3 exactly when √n ≥ r + ½, that is
// n ≥ r² + r + ¼, and for a whole n that is n > r² + r. No whole n lies within 1/(8r + 4) of such a
// halfway point, far more than the rounding error of √n + 2.0 in 64-bit floats, so this is the
// value that std::lround gives.
std::uint32_t divisorBoundFromRoot(std::uint32_t n, std::uint32_t root)
{
    return root + 2 + (n - root * root > root ? 1 : 0);
}

// What the trial division of one candidate comes to: d runs over the odd divisors from 3 and stops
// at L or at the first d with d·d > n (where n ≠ 1 is prime), whichever comes first. That last
// divisor tested is all that the odd primes need: whether one of them up to it divides n.
struct Trial {
    std::uint32_t lastDivisor; // the largest divisor tested when none divides
    bool primeWhenNoneDivides; // the loop ends at d·d > n with n ≠ 1, not by running past L
};

Trial trialOf(std::uint32_t n, std::uint32_t root)
{
    const std::uint32_t bound = divisorBoundFromRoot(n, root);
    const std::uint32_t pastRoot = std::max((root + 1) | 1, 3u); // the first odd d ≥ 3, d·d > n
    return {std::min(pastRoot, bound), pastRoot <= bound && n != 1};
}

// The number of odd primes up to last (last ≤ 32767): the divisors that a trial up to last tests.
std::uint32_t oddPrimeCountUpTo(std::uint32_t last)
{
    return static_cast<std::uint32_t>(
        std::upper_bound(oddPrimes.begin(), oddPrimes.begin() + oddPrimeCount, last) -
        oddPrimes.begin());
}

} // namespace

std::int16_t divisorBound(std::uint32_t n)
{
    assert(n <= largestCandidate);
    return static_cast<std::int16_t>(divisorBoundFromRoot(n, floorSquareRoot(n)));
}

bool dividesExactly(std::uint32_t n, std::uint32_t d)
{
    assert(d <= division::largestDivisor && n <= largestCandidate);
    const std::uint32_t index = oddPrimeCountUpTo(d) - 1;
    assert(d >= 3 && oddPrimes[index] == d);
    return division::dividesAt(n, index);
}

std::uint32_t firstOddDivisor(std::uint32_t n, std::uint32_t last)
{
    assert(n <= largestCandidate && last <= division::largestDivisor);
    const std::uint32_t primesTested = oddPrimeCountUpTo(last);
    const std::uint32_t index = division::kernelInUse()(n, primesTested);
    return index < primesTested ? oddPrimes[index] : 0;
}

// The decision as trial division states it: for d = 3, 5, 7, ... ≤ L, n fails where d divides it
// and passes where d·d > n (unless n = 1); it fails when d runs past L. trialOf finds where that
// loop stops; the kernel tests the odd primes up to there (the index of the first that divides n,
// or their count when none does).
bool passesTrialDivision(std::uint32_t n)
{
    assert(n >= 1 && n <= largestCandidate);
    const Kernel firstDividing = division::kernelInUse();
    const Trial trial = trialOf(n, floorSquareRoot(n));
    const std::uint32_t primesTested = oddPrimeCountUpTo(trial.lastDivisor);
    return firstDividing(n, primesTested) == primesTested && trial.primeWhenNoneDivides;
}

// passesTrialDivision for each candidate in turn, with what it finds afresh carried from one
// candidate to the next.
std::int64_t nextTrialPrime(std::int64_t from, std::int64_t upper)
{
    assert(from >= 1 && from % 2 == 1 && upper <= largestCandidate);
    const Kernel firstDividing = division::kernelInUse();
    division::clearUpperVectorHalves();
    std::int64_t n = from;
    if (n > upper) {
        return n;
    }
    // floor(√n) follows n upwards instead of being taken afresh for each candidate, and so does
    // the number of odd primes to test: the last divisor of a trial never falls as n rises.
    auto root = static_cast<std::int64_t>(floorSquareRoot(static_cast<std::uint32_t>(n)));
    std::uint32_t primesTested = oddPrimeCountUpTo(
        trialOf(static_cast<std::uint32_t>(n), static_cast<std::uint32_t>(root)).lastDivisor);
    for (; n <= upper; n += 2) {
        while ((root + 1) * (root + 1) <= n) {
            ++root;
        }
        const Trial trial =
            trialOf(static_cast<std::uint32_t>(n), static_cast<std::uint32_t>(root));
        while (primesTested < oddPrimeCount && oddPrimes[primesTested] <= trial.lastDivisor) {
            ++primesTested;
        }
        if (firstDividing(static_cast<std::uint32_t>(n), primesTested) == primesTested &&
            trial.primeWhenNoneDivides) {
            return n;
        }
    }
    return n;
}

} // namespace tavimo
