// The table of the trial division: the odd primes below 32768 and their inverses modulo 2^32,
// made when the program is compiled.
#pragma once

#include "search/Limits.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace tavimo::division {

// The divisibility test. For odd d, n ↦ n·inv(d) mod 2^32 is a bijection of the 32-bit numbers that
// takes the multiples 0, d, 2d, ... of d to 0, 1, 2, ..., (2^32 − 1)/d, so every other n lands
// above that limit. A multiple n ≤ 1073577990 even lands at n/d ≤ 1073577990/d, below a quarter
// of the limit, and any bound in between decides as well: the 16 divisors of a block that spans
// less than a factor of four share the limit of its largest divisor, which halves the table that
// each candidate reads. Only the first block, 3 to 59, spans more; its divisors keep their own.
constexpr std::uint32_t inverseModulo2To32(std::uint32_t d)
{
    std::uint32_t inverse = d; // right in the lowest 3 bits: d·d ≡ 1 (mod 8) for every odd d
    for (int step = 0; step < 4; ++step) {
        inverse *= 2 - d * inverse; // Newton's step doubles the right bits: 6, 12, 24, 48
    }
    return inverse;
}

inline constexpr std::uint32_t largestDivisor = 32767; // L fits in 16 bits
// Blocks of 16 divisors: one 512-bit vector, two 256-bit or four 128-bit vectors. The vector
// kernels test two blocks per step, so the table runs to a whole step past the largest divisor:
// its last entries, the primes that follow 32767, may be tested but are never counted.
inline constexpr std::uint32_t blockSize = 16;
inline constexpr std::uint32_t groupSize = 2 * blockSize;
inline constexpr std::uint32_t tableSize = 3520;
inline constexpr std::uint32_t blockCount = tableSize / blockSize;

// The first tableSize odd primes, by a sieve of the odd numbers when the program is compiled.
inline constexpr std::uint32_t sieveLimit = 32900;
inline constexpr std::array<std::uint32_t, tableSize> oddPrimes = [] {
    std::array<std::uint32_t, tableSize> primes{};
    std::array<bool, sieveLimit + 1> composite{};
    std::uint32_t found = 0;
    for (std::uint32_t n = 3; n <= sieveLimit && found < tableSize; n += 2) {
        if (!composite[n]) {
            primes[found++] = n;
            for (std::uint32_t multiple = n * n; multiple <= sieveLimit; multiple += 2 * n) {
                composite[multiple] = true;
            }
        }
    }
    return primes;
}();

// The number of odd primes up to the largest divisor: no candidate tests more.
inline constexpr std::uint32_t oddPrimeCount = static_cast<std::uint32_t>(
    std::upper_bound(oddPrimes.begin(), oddPrimes.end(), largestDivisor) - oddPrimes.begin());

struct DivisorTable {
    alignas(64) std::array<std::array<std::uint32_t, blockSize>, blockCount> inverse;
    alignas(64) std::array<std::uint32_t, blockSize> firstBlockLimit; // one for each of 3 .. 59
    std::array<std::uint32_t, blockCount> blockLimit; // shared within each later block
};

inline constexpr DivisorTable divisorTable = [] {
    DivisorTable table{};
    for (std::uint32_t i = 0; i < tableSize; ++i) {
        table.inverse[i / blockSize][i % blockSize] = inverseModulo2To32(oddPrimes[i]);
    }
    for (std::uint32_t i = 0; i < blockSize; ++i) {
        table.firstBlockLimit[i] = 0xFFFFFFFFu / oddPrimes[i];
    }
    for (std::uint32_t b = 0; b < blockCount; ++b) {
        table.blockLimit[b] = 0xFFFFFFFFu / oddPrimes[b * blockSize + blockSize - 1];
    }
    return table;
}();

// Each shared limit lies at or above the quotient of the largest candidate by the block's smallest
// divisor (and, being the limit of its largest divisor, at or below the limits of all the others).
constexpr bool sharedLimitsDecide()
{
    for (std::uint32_t b = 1; b < blockCount; ++b) {
        if (largestCandidate / oddPrimes[b * blockSize] > divisorTable.blockLimit[b]) {
            return false;
        }
    }
    return true;
}

static_assert(sharedLimitsDecide());
static_assert(oddPrimes[0] == 3 && oddPrimes[oddPrimeCount - 1] == 32749 && oddPrimeCount == 3511 &&
              oddPrimes[tableSize - 1] == 32833);
static_assert(tableSize % groupSize == 0 && tableSize - oddPrimeCount < groupSize);
static_assert(inverseModulo2To32(3) * 3u == 1 && inverseModulo2To32(32749) * 32749u == 1);

// Whether the odd prime at index i of the table divides n.
constexpr bool dividesAt(std::uint32_t n, std::uint32_t i)
{
    const std::uint32_t limit =
        i < blockSize ? divisorTable.firstBlockLimit[i] : divisorTable.blockLimit[i / blockSize];
    return n * divisorTable.inverse[i / blockSize][i % blockSize] <= limit;
}

} // namespace tavimo::division
