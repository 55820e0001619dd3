// Trial division by the odd primes, with the divisibility test done by multiplication: one divisor
// at a time, or several divisors at once in a vector instruction when the processor has one.
#include "search/TrialDivisionParts.h"

#include "search/Limits.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cassert>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#if defined(__x86_64__) || defined(__i386__)
#define TAVIMO_X86 1
#include <immintrin.h>
#else
#define TAVIMO_X86 0
#endif

#if defined(__aarch64__)
#define TAVIMO_ARM64 1
#include <arm_neon.h>
#else
#define TAVIMO_ARM64 0
#endif

namespace tavimo {

namespace {

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

constexpr std::uint32_t largestDivisor = 32767; // L fits in 16 bits
// Blocks of 16 divisors: one 512-bit vector, two 256-bit or four 128-bit vectors. The vector
// kernels test two blocks per step, so the table runs to a whole step past the largest divisor:
// its last entries, the primes that follow 32767, may be tested but are never counted.
constexpr std::uint32_t blockSize = 16;
constexpr std::uint32_t groupSize = 2 * blockSize;
constexpr std::uint32_t tableSize = 3520;
constexpr std::uint32_t blockCount = tableSize / blockSize;

// The first tableSize odd primes, by a sieve of the odd numbers when the program is compiled.
constexpr std::uint32_t sieveLimit = 32900;
constexpr std::array<std::uint32_t, tableSize> oddPrimes = [] {
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
constexpr std::uint32_t oddPrimeCount = static_cast<std::uint32_t>(
    std::upper_bound(oddPrimes.begin(), oddPrimes.end(), largestDivisor) - oddPrimes.begin());

struct DivisorTable {
    alignas(64) std::array<std::array<std::uint32_t, blockSize>, blockCount> inverse;
    alignas(64) std::array<std::uint32_t, blockSize> firstBlockLimit; // one for each of 3 .. 59
    std::array<std::uint32_t, blockCount> blockLimit; // shared within each later block
};

constexpr DivisorTable divisorTable = [] {
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

constexpr bool dividesAt(std::uint32_t n, std::uint32_t i)
{
    const std::uint32_t limit =
        i < blockSize ? divisorTable.firstBlockLimit[i] : divisorTable.blockLimit[i / blockSize];
    return n * divisorTable.inverse[i / blockSize][i % blockSize] <= limit;
}

// The number of odd primes up to last (last ≤ 32767): the divisors that a trial up to last tests.
std::uint32_t oddPrimesUpTo(std::uint32_t last)
{
    return static_cast<std::uint32_t>(
        std::upper_bound(oddPrimes.begin(), oddPrimes.begin() + oddPrimeCount, last) -
        oddPrimes.begin());
}

// A kernel tests the first count odd primes 3, 5, 7, 11, ... against n in increasing order and
// returns the index of the first one that divides n, or count when none does.
using Kernel = std::uint32_t (*)(std::uint32_t n, std::uint32_t count);

// One divisor at a time. Past the first block the tests go four to a branch: four independent
// multiplications keep the processor busy where one test after another would wait for each
// branch. The four may reach beyond count (the table runs on), where a hit is not counted.
std::uint32_t firstDividingPortable(std::uint32_t n, std::uint32_t count)
{
    const std::uint32_t own = std::min(count, blockSize);
    for (std::uint32_t i = 0; i < own; ++i) {
        if (dividesAt(n, i)) {
            return i;
        }
    }
    for (std::uint32_t i = blockSize; i < count; i += 4) {
        const std::uint32_t* inverse = &divisorTable.inverse[i / blockSize][i % blockSize];
        const std::uint32_t limit = divisorTable.blockLimit[i / blockSize];
        if ((n * inverse[0] <= limit) | (n * inverse[1] <= limit) | (n * inverse[2] <= limit) |
            (n * inverse[3] <= limit)) {
            for (std::uint32_t k = 0;; ++k) {
                if (n * inverse[k] <= limit) {
                    return std::min(i + k, count);
                }
            }
        }
    }
    return count;
}

#if TAVIMO_X86 || TAVIMO_ARM64

// The vector kernels test 32 divisors per step, the divisor of lane k of the step in bit k of a
// mask. A step may reach beyond count: the divisors there are tested, but a hit there is not
// counted, and the lowest hit below count decides. The first step holds the block whose divisors
// have limits of their own; every later step compares with the shared limits of its two blocks.

constexpr std::uint32_t stepsFor(std::uint32_t count)
{
    return (count + groupSize - 1) / groupSize;
}

constexpr std::uint32_t firstCounted(std::uint32_t step, std::uint32_t lanes, std::uint32_t count)
{
    return std::min(step * groupSize + static_cast<std::uint32_t>(std::countr_zero(lanes)), count);
}

#endif

#if TAVIMO_X86

// All lanes set where the product is at most the limit, as unsigned numbers, that is where
// max(product, limit) = limit.
[[gnu::target("sse4.1")]] inline __m128i hitsSse41(__m128i candidate, const std::uint32_t* inverse,
                                                   __m128i limit)
{
    const __m128i product =
        _mm_mullo_epi32(candidate, _mm_load_si128(reinterpret_cast<const __m128i*>(inverse)));
    return _mm_cmpeq_epi32(_mm_max_epu32(product, limit), limit);
}

// The four quarters of one block, with its shared limit.
[[gnu::target("sse4.1")]] inline void blockHitsSse41(__m128i candidate, std::uint32_t block,
                                                     __m128i* hits)
{
    const __m128i limit = _mm_set1_epi32(static_cast<int>(divisorTable.blockLimit[block]));
    for (std::uint32_t k = 0; k < 4; ++k) {
        hits[k] = hitsSse41(candidate, &divisorTable.inverse[block][4 * k], limit);
    }
}

[[gnu::target("sse4.1")]] std::uint32_t firstDividingSse41(std::uint32_t n, std::uint32_t count)
{
    const __m128i candidate = _mm_set1_epi32(static_cast<int>(n));
    const auto* ownLimits = reinterpret_cast<const __m128i*>(divisorTable.firstBlockLimit.data());
    __m128i hits[8];
    for (std::uint32_t k = 0; k < 4; ++k) {
        hits[k] =
            hitsSse41(candidate, &divisorTable.inverse[0][4 * k], _mm_load_si128(ownLimits + k));
    }
    blockHitsSse41(candidate, 1, hits + 4);
    for (std::uint32_t step = 0;;) {
        __m128i any = hits[0];
        for (std::uint32_t k = 1; k < 8; ++k) {
            any = _mm_or_si128(any, hits[k]);
        }
        if (!_mm_testz_si128(any, any)) {
            std::uint32_t lanes = 0;
            for (std::uint32_t k = 0; k < 8; ++k) {
                lanes |= static_cast<std::uint32_t>(_mm_movemask_ps(_mm_castsi128_ps(hits[k])))
                         << (4 * k);
            }
            return firstCounted(step, lanes, count);
        }
        if (++step >= stepsFor(count)) {
            return count;
        }
        blockHitsSse41(candidate, 2 * step, hits);
        blockHitsSse41(candidate, 2 * step + 1, hits + 4);
    }
}

[[gnu::target("avx2")]] inline __m256i hitsAvx2(__m256i candidate, const std::uint32_t* inverse,
                                                __m256i limit)
{
    const __m256i product =
        _mm256_mullo_epi32(candidate, _mm256_load_si256(reinterpret_cast<const __m256i*>(inverse)));
    return _mm256_cmpeq_epi32(_mm256_max_epu32(product, limit), limit);
}

// The two halves of one block, with its shared limit.
[[gnu::target("avx2")]] inline void blockHitsAvx2(__m256i candidate, std::uint32_t block,
                                                  __m256i* hits)
{
    const __m256i limit = _mm256_set1_epi32(static_cast<int>(divisorTable.blockLimit[block]));
    hits[0] = hitsAvx2(candidate, &divisorTable.inverse[block][0], limit);
    hits[1] = hitsAvx2(candidate, &divisorTable.inverse[block][8], limit);
}

[[gnu::target("avx2")]] std::uint32_t firstDividingAvx2(std::uint32_t n, std::uint32_t count)
{
    const __m256i candidate = _mm256_set1_epi32(static_cast<int>(n));
    const auto* ownLimits = reinterpret_cast<const __m256i*>(divisorTable.firstBlockLimit.data());
    __m256i hits[4];
    hits[0] = hitsAvx2(candidate, &divisorTable.inverse[0][0], _mm256_load_si256(ownLimits));
    hits[1] = hitsAvx2(candidate, &divisorTable.inverse[0][8], _mm256_load_si256(ownLimits + 1));
    blockHitsAvx2(candidate, 1, hits + 2);
    for (std::uint32_t step = 0;;) {
        const __m256i any =
            _mm256_or_si256(_mm256_or_si256(hits[0], hits[1]), _mm256_or_si256(hits[2], hits[3]));
        if (!_mm256_testz_si256(any, any)) {
            std::uint32_t lanes = 0;
            for (std::uint32_t k = 0; k < 4; ++k) {
                lanes |=
                    static_cast<std::uint32_t>(_mm256_movemask_ps(_mm256_castsi256_ps(hits[k])))
                    << (8 * k);
            }
            return firstCounted(step, lanes, count);
        }
        if (++step >= stepsFor(count)) {
            return count;
        }
        blockHitsAvx2(candidate, 2 * step, hits);
        blockHitsAvx2(candidate, 2 * step + 1, hits + 2);
    }
}

// The lanes of one block whose product is at most the limit.
[[gnu::target("avx512f")]] inline __mmask16 hitsAvx512(__m512i candidate, std::uint32_t block,
                                                       __m512i limit)
{
    const __m512i product =
        _mm512_mullo_epi32(candidate, _mm512_load_si512(divisorTable.inverse[block].data()));
    return _mm512_cmple_epu32_mask(product, limit);
}

[[gnu::target("avx512f")]] inline __mmask16 blockHitsAvx512(__m512i candidate, std::uint32_t block)
{
    return hitsAvx512(candidate, block,
                      _mm512_set1_epi32(static_cast<int>(divisorTable.blockLimit[block])));
}

// The lanes of a later step, taken again once that step is known to hold a hit. Left in the loop,
// the compiler moves both masks out of their mask registers on every step, which costs more than
// testing the 32 divisors a second time.
[[gnu::target("avx512f"), gnu::noinline]] std::uint32_t lanesAvx512(std::uint32_t n,
                                                                    std::uint32_t step)
{
    const __m512i candidate = _mm512_set1_epi32(static_cast<int>(n));
    return _cvtmask16_u32(blockHitsAvx512(candidate, 2 * step)) |
           _cvtmask16_u32(blockHitsAvx512(candidate, 2 * step + 1)) << blockSize;
}

[[gnu::target("avx512f")]] std::uint32_t firstDividingAvx512(std::uint32_t n, std::uint32_t count)
{
    const __m512i candidate = _mm512_set1_epi32(static_cast<int>(n));
    const __mmask16 low =
        hitsAvx512(candidate, 0, _mm512_load_si512(divisorTable.firstBlockLimit.data()));
    const __mmask16 high = blockHitsAvx512(candidate, 1);
    if (!_kortestz_mask16_u8(low, high)) {
        return firstCounted(0, _cvtmask16_u32(low) | _cvtmask16_u32(high) << blockSize, count);
    }
    const std::uint32_t steps = stepsFor(count);
    for (std::uint32_t step = 1; step < steps; ++step) {
        if (!_kortestz_mask16_u8(blockHitsAvx512(candidate, 2 * step),
                                 blockHitsAvx512(candidate, 2 * step + 1))) {
            return firstCounted(step, lanesAvx512(n, step), count);
        }
    }
    return count;
}

#endif

#if TAVIMO_ARM64

// Advanced SIMD, four lanes to a vector and eight vectors to a step, as the SSE4.1 kernel.

inline uint32x4_t hitsNeon(uint32x4_t candidate, const std::uint32_t* inverse, uint32x4_t limit)
{
    return vcleq_u32(vmulq_u32(candidate, vld1q_u32(inverse)), limit);
}

inline void blockHitsNeon(uint32x4_t candidate, std::uint32_t block, uint32x4_t* hits)
{
    const uint32x4_t limit = vdupq_n_u32(divisorTable.blockLimit[block]);
    for (std::uint32_t k = 0; k < 4; ++k) {
        hits[k] = hitsNeon(candidate, &divisorTable.inverse[block][4 * k], limit);
    }
}

std::uint32_t firstDividingNeon(std::uint32_t n, std::uint32_t count)
{
    const uint32x4_t candidate = vdupq_n_u32(n);
    uint32x4_t hits[8];
    for (std::uint32_t k = 0; k < 4; ++k) {
        hits[k] = hitsNeon(candidate, &divisorTable.inverse[0][4 * k],
                           vld1q_u32(&divisorTable.firstBlockLimit[4 * k]));
    }
    blockHitsNeon(candidate, 1, hits + 4);
    for (std::uint32_t step = 0;;) {
        uint32x4_t any = hits[0];
        for (std::uint32_t k = 1; k < 8; ++k) {
            any = vorrq_u32(any, hits[k]);
        }
        if (vmaxvq_u32(any) != 0) {
            // Lane j of vector k to bit 4k + j: each lane keeps its own bit, and the sum of the
            // four lanes gathers them.
            const std::uint32_t bitOfLane[4] = {1, 2, 4, 8};
            const uint32x4_t bits = vld1q_u32(bitOfLane);
            std::uint32_t lanes = 0;
            for (std::uint32_t k = 0; k < 8; ++k) {
                lanes |= vaddvq_u32(vandq_u32(hits[k], bits)) << (4 * k);
            }
            return firstCounted(step, lanes, count);
        }
        if (++step >= stepsFor(count)) {
            return count;
        }
        blockHitsNeon(candidate, 2 * step, hits);
        blockHitsNeon(candidate, 2 * step + 1, hits + 4);
    }
}

#endif

Kernel kernelFunction(DivisionKernel kernel)
{
    assert(supportsDivisionKernel(kernel));
    switch (kernel) {
#if TAVIMO_X86
    case DivisionKernel::Sse41:
        return firstDividingSse41;
    case DivisionKernel::Avx2:
        return firstDividingAvx2;
    case DivisionKernel::Avx512:
        return firstDividingAvx512;
#endif
#if TAVIMO_ARM64
    case DivisionKernel::Neon:
        return firstDividingNeon;
#endif
    default:
        return firstDividingPortable;
    }
}

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
    std::uint32_t last;        // the largest divisor tested when none divides
    bool primeWhenNoneDivides; // the loop ends at d·d > n with n ≠ 1, not by running past L
};

Trial trialOf(std::uint32_t n, std::uint32_t root)
{
    const std::uint32_t bound = divisorBoundFromRoot(n, root);
    const std::uint32_t square = std::max((root + 1) | 1, 3u); // the first odd d ≥ 3, d·d > n
    return {std::min(square, bound), square <= bound && n != 1};
}

// The kernel in use, and how TAVIMO_KERNEL chooses it.
DivisionKernel kernelFromEnvironment()
{
    const DivisionKernel fastest = fastestDivisionKernel();
    const char* value = std::getenv("TAVIMO_KERNEL");
    if (value == nullptr || *value == '\0') {
        return fastest;
    }
    for (DivisionKernel kernel :
         {DivisionKernel::Portable, DivisionKernel::Sse41, DivisionKernel::Avx2,
          DivisionKernel::Avx512, DivisionKernel::Neon}) {
        if (std::string_view(value) == divisionKernelName(kernel)) {
            if (supportsDivisionKernel(kernel)) {
                return kernel;
            }
            std::fprintf(stderr,
                         "TAVIMO_KERNEL: this processor does not run the %s kernel; using %s\n",
                         value, divisionKernelName(fastest));
            return fastest;
        }
    }
    std::fprintf(stderr,
                 "TAVIMO_KERNEL: no kernel is named %s (portable, sse41, avx2, avx512, neon); "
                 "using %s\n",
                 value, divisionKernelName(fastest));
    return fastest;
}

DivisionKernel& kernelInUse()
{
    static DivisionKernel kernel = kernelFromEnvironment();
    return kernel;
}

} // namespace

bool supportsDivisionKernel(DivisionKernel kernel)
{
    switch (kernel) {
    case DivisionKernel::Portable:
        return true;
#if TAVIMO_X86
    case DivisionKernel::Sse41:
        return __builtin_cpu_supports("sse4.1");
    case DivisionKernel::Avx2:
        return __builtin_cpu_supports("avx2");
    case DivisionKernel::Avx512:
        return __builtin_cpu_supports("avx512f");
#endif
#if TAVIMO_ARM64
    case DivisionKernel::Neon:
        return true; // Advanced SIMD is part of every 64-bit Arm processor
#endif
    default:
        return false;
    }
}

DivisionKernel fastestDivisionKernel()
{
    static const DivisionKernel fastest = [] {
        for (DivisionKernel kernel : {DivisionKernel::Avx512, DivisionKernel::Avx2,
                                      DivisionKernel::Sse41, DivisionKernel::Neon}) {
            if (supportsDivisionKernel(kernel)) {
                return kernel;
            }
        }
        return DivisionKernel::Portable;
    }();
    return fastest;
}

const char* divisionKernelName(DivisionKernel kernel)
{
    switch (kernel) {
    case DivisionKernel::Portable:
        return "portable";
    case DivisionKernel::Sse41:
        return "sse41";
    case DivisionKernel::Avx2:
        return "avx2";
    case DivisionKernel::Avx512:
        return "avx512";
    case DivisionKernel::Neon:
        return "neon";
    }
    return "?";
}

DivisionKernel divisionKernel()
{
    return kernelInUse();
}

void forceDivisionKernel(DivisionKernel kernel)
{
    assert(supportsDivisionKernel(kernel));
    kernelInUse() = kernel;
}

std::int16_t divisorBound(std::uint32_t n)
{
    assert(n <= largestCandidate);
    return static_cast<std::int16_t>(divisorBoundFromRoot(n, floorSquareRoot(n)));
}

bool dividesExactly(std::uint32_t n, std::uint32_t d)
{
    assert(d <= largestDivisor && n <= largestCandidate);
    const std::uint32_t index = oddPrimesUpTo(d) - 1;
    assert(d >= 3 && oddPrimes[index] == d);
    return dividesAt(n, index);
}

std::uint32_t firstOddDivisor(std::uint32_t n, std::uint32_t last)
{
    assert(n <= largestCandidate && last <= largestDivisor);
    const std::uint32_t count = oddPrimesUpTo(last);
    const std::uint32_t index = kernelFunction(divisionKernel())(n, count);
    return index < count ? oddPrimes[index] : 0;
}

bool passesTrialDivision(std::uint32_t n)
{
    assert(n >= 1 && n <= largestCandidate);
    const Trial trial = trialOf(n, floorSquareRoot(n));
    const std::uint32_t count = oddPrimesUpTo(trial.last);
    return kernelFunction(divisionKernel())(n, count) == count && trial.primeWhenNoneDivides;
}

std::int64_t nextTrialPrime(std::int64_t from, std::int64_t upper)
{
    assert(from >= 1 && from % 2 == 1 && upper <= largestCandidate);
    const Kernel firstDividing = kernelFunction(divisionKernel());
    std::int64_t n = from;
    if (n > upper) {
        return n;
    }
    // floor(√n) follows n upwards instead of being taken afresh for each candidate, and so does
    // the number of odd primes to test: the last divisor of a trial never falls as n rises.
    auto root = static_cast<std::int64_t>(floorSquareRoot(static_cast<std::uint32_t>(n)));
    std::uint32_t count = oddPrimesUpTo(
        trialOf(static_cast<std::uint32_t>(n), static_cast<std::uint32_t>(root)).last);
    for (; n <= upper; n += 2) {
        while ((root + 1) * (root + 1) <= n) {
            ++root;
        }
        const Trial trial =
            trialOf(static_cast<std::uint32_t>(n), static_cast<std::uint32_t>(root));
        while (count < oddPrimeCount && oddPrimes[count] <= trial.last) {
            ++count;
        }
        if (firstDividing(static_cast<std::uint32_t>(n), count) == count &&
            trial.primeWhenNoneDivides) {
            return n;
        }
    }
    return n;
}

} // namespace tavimo
