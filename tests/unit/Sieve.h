// An independent list of primes for checking the search: a segmented sieve of Eratosthenes.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tavimo::test {

inline std::vector<std::int64_t> sievePrimes(std::int64_t lower, std::int64_t upper)
{
    std::vector<std::int64_t> result;
    if (upper < 2 || lower > upper) {
        return result;
    }
    if (lower < 2) {
        lower = 2;
    }
    std::int64_t root = 1;
    while ((root + 1) * (root + 1) <= upper) {
        ++root;
    }
    std::vector<bool> smallComposite(root + 1, false);
    std::vector<std::int64_t> small;
    for (std::int64_t i = 2; i <= root; ++i) {
        if (!smallComposite[i]) {
            small.push_back(i);
            for (std::int64_t j = i * i; j <= root; j += i) {
                smallComposite[j] = true;
            }
        }
    }
    std::vector<bool> composite(upper - lower + 1, false);
    for (std::int64_t p : small) {
        std::int64_t first = std::max(p * p, (lower + p - 1) / p * p);
        for (std::int64_t j = first; j <= upper; j += p) {
            composite[j - lower] = true;
        }
    }
    for (std::int64_t n = lower; n <= upper; ++n) {
        if (!composite[n - lower]) {
            result.push_back(n);
        }
    }
    return result;
}

// The first `limit` primes of [lower, upper], sieved a slice at a time so that a wide range costs
// no more than the slices that hold those primes.
inline std::vector<std::int64_t> sievePrimes(std::int64_t lower, std::int64_t upper,
                                             std::size_t limit)
{
    std::vector<std::int64_t> primes;
    constexpr std::int64_t slice = 1 << 16;
    for (std::int64_t from = lower; from <= upper && primes.size() < limit; from += slice) {
        for (std::int64_t p : sievePrimes(from, std::min(upper, from + slice - 1))) {
            if (primes.size() < limit) {
                primes.push_back(p);
            }
        }
    }
    return primes;
}

} // namespace tavimo::test
