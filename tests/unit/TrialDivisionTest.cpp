// The trial division against plain remainders, the odd-divisor test as first written and an
// independent sieve, on every kernel that this processor runs.
#include "search/TrialDivision.h"
#include "Sieve.h"
#include "search/KernelChoice.h"
#include "search/TrialDivisionParts.h"
#include "search/TrialPrimeBatches.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace tavimo {
namespace {

constexpr std::uint32_t largestCandidate = 1073577990;
constexpr std::uint32_t largestDivisor = 32767;

std::vector<DivisionKernel> supportedKernels()
{
    std::vector<DivisionKernel> kernels;
    for (DivisionKernel kernel :
         {DivisionKernel::Portable, DivisionKernel::Sse41, DivisionKernel::Avx2,
          DivisionKernel::Avx512, DivisionKernel::Neon}) {
        if (supportsDivisionKernel(kernel)) {
            kernels.push_back(kernel);
        }
    }
    return kernels;
}

// Runs check once with every kernel that this processor runs forced, then restores the choice.
template <class Check> void forEachKernel(Check&& check)
{
    const DivisionKernel chosen = divisionKernel();
    for (DivisionKernel kernel : supportedKernels()) {
        SCOPED_TRACE(divisionKernelName(kernel));
        forceDivisionKernel(kernel);
        check();
    }
    forceDivisionKernel(chosen);
}

// Numbers where an off-by-one or a wrong limit shows first: the small squares, the squares of the
// largest primes below the divisor bound, and the top of the accepted range.
std::vector<std::uint32_t> edgeCandidates()
{
    std::vector<std::uint32_t> edges = {1, 3, 5, 7, 9, 15, 25, 27, 49, 121, 169, 289, 361, 529};
    for (std::int64_t p : test::sievePrimes(32600, largestDivisor)) {
        edges.push_back(static_cast<std::uint32_t>(p * p));
        edges.push_back(static_cast<std::uint32_t>(p * p - 2));
        edges.push_back(static_cast<std::uint32_t>(p * p + 2));
    }
    for (std::uint32_t n = largestCandidate - 200; n <= largestCandidate; ++n) {
        edges.push_back(n);
    }
    return edges;
}

std::vector<std::uint32_t> randomCandidates(std::mt19937& random, int count)
{
    std::uniform_int_distribution<std::uint32_t> any(1, largestCandidate);
    std::vector<std::uint32_t> sample(count);
    for (std::uint32_t& n : sample) {
        n = any(random);
    }
    return sample;
}

TEST(DividesExactly, AgreesWithTheRemainderForEveryOddPrimeDivisor)
{
    std::mt19937 random(19680215);
    const std::vector<std::uint32_t> shared = [&] {
        std::vector<std::uint32_t> sample = randomCandidates(random, 2000);
        const std::vector<std::uint32_t> edges = edgeCandidates();
        sample.insert(sample.end(), edges.begin(), edges.end());
        return sample;
    }();
    long long checked = 0;
    long long divisible = 0;
    std::vector<std::string> mismatches;
    auto check = [&](std::uint32_t n, std::uint32_t d) {
        if (n > largestCandidate) {
            return;
        }
        const bool expected = n % d == 0;
        ++checked;
        divisible += expected ? 1 : 0;
        if (dividesExactly(n, d) != expected && mismatches.size() < 10) {
            mismatches.push_back(std::to_string(n) + " / " + std::to_string(d));
        }
    };
    const std::vector<std::int64_t> primes = test::sievePrimes(3, largestDivisor);
    for (std::int64_t prime : primes) {
        const auto d = static_cast<std::uint32_t>(prime);
        for (std::uint32_t n : shared) {
            check(n, d);
        }
        // Random samples seldom hit a multiple of a large d: take multiples and their neighbours,
        // the largest multiple in range among them.
        std::uniform_int_distribution<std::uint32_t> factor(1, largestCandidate / d);
        for (int i = 0; i < 40; ++i) {
            const std::uint32_t multiple = (i == 0 ? largestCandidate / d : factor(random)) * d;
            for (std::uint32_t n :
                 {multiple - 2, multiple - 1, multiple, multiple + 1, multiple + 2}) {
                check(n, d);
            }
        }
        check(d, d);
        check(d * d, d);
    }
    EXPECT_TRUE(mismatches.empty()) << mismatches.size() << " mismatches, first " << mismatches[0];
    const auto count = static_cast<long long>(primes.size());
    EXPECT_GT(checked, count * 2000);
    EXPECT_GT(divisible, count * 40); // the multiples were really tested as such
}

TEST(DivisorBound, IsTheRoundedSquareRootPlusTwoAtEveryStep)
{
    // L changes only at n = r² and n = r² + r + 1; check both sides of every change.
    int checked = 0;
    for (std::uint32_t r = 1; r * r <= largestCandidate; ++r) {
        for (std::uint32_t n : {r * r - 1, r * r, r * r + r, r * r + r + 1}) {
            if (n >= 1 && n <= largestCandidate) {
                const auto expected =
                    static_cast<std::int16_t>(std::lround(std::sqrt(static_cast<double>(n)) + 2.0));
                ASSERT_EQ(divisorBound(n), expected) << n;
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 4 * 32700);
    EXPECT_EQ(divisorBound(1), 3);
    EXPECT_EQ(divisorBound(29), 7);
    EXPECT_EQ(divisorBound(largestCandidate), 32767);
}

// The first of the odd divisors 3, 5, ..., last that divides n, by remainders.
std::uint32_t firstOddDivisorByRemainder(std::uint32_t n, std::uint32_t last)
{
    for (std::uint32_t d = 3; d <= last; d += 2) {
        if (n % d == 0) {
            return d;
        }
    }
    return 0;
}

TEST(FirstOddDivisor, EveryKernelFindsTheFirstDividingDivisorAndNoneBeyondTheLast)
{
    std::mt19937 random(20240607);
    struct Case {
        std::uint32_t n;
        std::uint32_t last;
        std::uint32_t expected;
    };
    std::vector<Case> cases;
    // Random and edge candidates, checked by remainders, up to the largest divisor or a random
    // last.
    std::uniform_int_distribution<std::uint32_t> anyLast(1, largestDivisor);
    std::vector<std::uint32_t> sample = randomCandidates(random, 2500);
    const std::vector<std::uint32_t> edges = edgeCandidates();
    sample.insert(sample.end(), edges.begin(), edges.end());
    for (std::uint32_t n : sample) {
        for (std::uint32_t last : {largestDivisor, anyLast(random)}) {
            cases.push_back({n, last, firstOddDivisorByRemainder(n, last)});
        }
    }
    // n = p·q with primes p ≤ q: p is the first divisor, and a last just below p finds none. The
    // primes put p at every position within the vectors, many times over.
    const std::vector<std::int64_t> primes = test::sievePrimes(3, largestDivisor);
    for (std::size_t i = 0; i < primes.size(); i += primes[i] < 2000 ? 1 : 5) {
        std::uniform_int_distribution<std::size_t> atLeast(i, primes.size() - 1);
        const auto p = static_cast<std::uint32_t>(primes[i]);
        const auto q = static_cast<std::uint32_t>(primes[atLeast(random)]);
        for (std::uint32_t n : {p * p, p * q}) {
            cases.push_back({n, p - 2, 0});
            cases.push_back({n, p - 1, 0});
            cases.push_back({n, p, p});
            cases.push_back({n, largestDivisor, p});
        }
    }
    ASSERT_GT(cases.size(), 10000u);

    forEachKernel([&] {
        int wrong = 0;
        for (const Case& c : cases) {
            const std::uint32_t found = firstOddDivisor(c.n, c.last);
            if (found != c.expected && ++wrong <= 5) {
                ADD_FAILURE() << c.n << " up to " << c.last << ": " << found << " instead of "
                              << c.expected;
            }
        }
        EXPECT_EQ(wrong, 0);
    });
}

TEST(PassesTrialDivision, DecidesLikeTheSieveWithOneAndThreeRejected)
{
    struct Row {
        std::uint32_t n;
        bool passes;
    };
    const Row rows[] = {
        {1, false},  {3, false},     {5, true},           {7, true},           {9, false},
        {11, true},  {25, false},    {29, true},          {49, false},         {121, false},
        {127, true}, {224737, true}, {1072496001, false}, {1073577959, false}, {1073577973, false},
    };
    const std::vector<std::int64_t> top =
        test::sievePrimes(largestCandidate - 400, largestCandidate);
    ASSERT_FALSE(top.empty());
    forEachKernel([&] {
        for (const Row& row : rows) {
            EXPECT_EQ(passesTrialDivision(row.n), row.passes) << row.n;
        }
        for (std::uint32_t n = largestCandidate - 401; n <= largestCandidate; n += 2) {
            EXPECT_EQ(passesTrialDivision(n), std::binary_search(top.begin(), top.end(), n)) << n;
        }
    });
}

// The trial division as first written: every odd divisor d = 3, 5, ... up to round(√n + 2), the
// quotient as a real number, whole when floor(q) = q, and the square test as d > q.
bool passesOddDivisorTest(std::uint32_t n)
{
    const long bound = std::lround(std::sqrt(static_cast<double>(n)) + 2.0);
    for (long d = 3; d <= bound; d += 2) {
        const double q = static_cast<double>(n) / static_cast<double>(d);
        if (std::floor(q) == q) {
            return false;
        }
        if (static_cast<double>(d) > q && n != 1) {
            return true;
        }
    }
    return false;
}

TEST(PassesTrialDivision, DecidesAsTheOddDivisorTestOnEveryCandidateOfWholeRanges)
{
    // Every odd candidate of each range, and the squares of the odd primes with their neighbours.
    const std::pair<std::uint32_t, std::uint32_t> ranges[] = {
        {1, 100001},
        {99000001, 99040001},
        {1000000001, 1000030001},
        {largestCandidate - 30001, largestCandidate},
    };
    std::vector<std::uint32_t> squares = {1, 3, 9, 25, largestCandidate - 1};
    for (std::int64_t p : test::sievePrimes(3, largestDivisor)) {
        if (p * p + 2 <= largestCandidate) {
            squares.insert(squares.end(), {static_cast<std::uint32_t>(p * p - 2),
                                           static_cast<std::uint32_t>(p * p),
                                           static_cast<std::uint32_t>(p * p + 2)});
        }
    }
    std::vector<std::vector<std::int64_t>> expected;
    std::size_t passing = 0;
    for (auto [lower, upper] : ranges) {
        expected.emplace_back();
        for (std::uint32_t n = lower | 1; n <= upper; n += 2) {
            if (passesOddDivisorTest(n)) {
                expected.back().push_back(n);
            }
        }
        passing += expected.back().size();
    }
    std::vector<bool> squaresExpected;
    for (std::uint32_t n : squares) {
        squaresExpected.push_back(passesOddDivisorTest(n));
    }
    ASSERT_GT(passing, 10000u);

    forEachKernel([&] {
        for (std::size_t i = 0; i < std::size(ranges); ++i) {
            const auto [lower, upper] = ranges[i];
            std::vector<std::int64_t> listed;
            forEachTrialPrime(lower | 1, upper, [&](std::int64_t p) {
                listed.push_back(p);
                return true;
            });
            EXPECT_EQ(listed, expected[i]) << lower << " to " << upper;
        }
        int wrong = 0;
        for (std::size_t i = 0; i < squares.size(); ++i) {
            if (passesTrialDivision(squares[i]) != squaresExpected[i] && ++wrong <= 5) {
                ADD_FAILURE() << squares[i] << " decided otherwise";
            }
        }
    });
}

// The odd primes of a range that trial division yields: the sieve's primes without 2 and 3.
std::vector<std::int64_t> oddPrimesFromFive(std::int64_t lower, std::int64_t upper)
{
    return test::sievePrimes(std::max<std::int64_t>(lower, 5), upper);
}

TEST(ForEachTrialPrime, ListsTheSievesPrimesOnSeededRanges)
{
    std::mt19937_64 random(31415926);
    struct Region {
        std::int64_t from, to, maxWidth;
    };
    const Region regions[] = {
        {0, 100, 100},
        {0, 300000, 20000},
        {99000000, 100000000, 10000},
        {0, largestCandidate, 5000},
        {largestCandidate - 200000, largestCandidate, 5000},
    };
    for (const Region& region : regions) {
        for (int i = 0; i < 10; ++i) {
            std::int64_t lower =
                std::uniform_int_distribution<std::int64_t>(region.from, region.to)(random);
            std::int64_t upper = std::min(
                region.to,
                lower + std::uniform_int_distribution<std::int64_t>(0, region.maxWidth)(random));
            if (i == 0) { // the top of the region, 1073577990 included, and its bottom
                lower = region.to - region.maxWidth;
                upper = region.to;
            } else if (i == 1) {
                lower = region.from;
                upper = region.from + region.maxWidth;
            }
            const std::int64_t start = lower % 2 == 1 ? lower : lower + 1;
            SCOPED_TRACE(std::to_string(start) + " to " + std::to_string(upper));
            const std::vector<std::int64_t> expected = oddPrimesFromFive(lower, upper);
            forEachKernel([&] {
                std::vector<std::int64_t> listed;
                forEachTrialPrime(start, upper, [&](std::int64_t p) {
                    listed.push_back(p);
                    return true;
                });
                EXPECT_EQ(listed, expected);
            });
        }
    }
}

TEST(ForEachTrialPrime, StopsWhenAskedAndSkipsEmptyRanges)
{
    std::vector<std::int64_t> listed;
    forEachTrialPrime(1, 1000, [&](std::int64_t p) {
        listed.push_back(p);
        return listed.size() < 4;
    });
    EXPECT_EQ(listed, (std::vector<std::int64_t>{5, 7, 11, 13}));

    listed.clear();
    for (auto [start, upper] :
         {std::pair{25, 23}, {1, 1}, {3, 3}, {25, 27}, {1073577991, 1073577990}}) {
        forEachTrialPrime(start, upper, [&](std::int64_t p) {
            listed.push_back(p);
            return true;
        });
    }
    EXPECT_TRUE(listed.empty());
}

// However many threads test the batches, the primes come in order, a search that stops early
// ends at once, and the cap's 20000th prime is the same.
TEST(ForEachTrialPrime, ListsTheSamePrimesWithAnyNumberOfThreads)
{
    const std::vector<std::int64_t> expected = oddPrimesFromFive(99000000, 99400000);
    const std::vector<std::int64_t> fromOne = oddPrimesFromFive(1, 300000);
    for (int threads : {1, 2, 3, 8}) {
        SCOPED_TRACE(std::to_string(threads) + " threads");
        TrialPrimeBatches::forceSearchThreads(threads);
        std::vector<std::int64_t> listed;
        forEachTrialPrime(99000001, 99400000, [&](std::int64_t p) {
            listed.push_back(p);
            return true;
        });
        EXPECT_EQ(listed, expected);

        // Stopped at the 19998th odd prime, deep in a later batch, as the cap stops a search.
        listed.clear();
        forEachTrialPrime(1, largestCandidate, [&](std::int64_t p) {
            listed.push_back(p);
            return listed.size() < 19998;
        });
        ASSERT_EQ(listed.size(), 19998u);
        EXPECT_EQ(listed.back(), 224737);
        EXPECT_TRUE(std::equal(listed.begin(), listed.end(), fromOne.begin()));

        // Four primes of the widest range: the helpers must not go on through it.
        listed.clear();
        forEachTrialPrime(1000000001, largestCandidate, [&](std::int64_t p) {
            listed.push_back(p);
            return listed.size() < 4;
        });
        EXPECT_EQ(listed, oddPrimesFromFive(1000000001, 1000000033));
    }
    TrialPrimeBatches::forceSearchThreads(0);
}

} // namespace
} // namespace tavimo
