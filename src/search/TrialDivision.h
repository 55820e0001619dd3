// Trial division of odd candidates by the odd primes 3, 5, 7, 11, ... up to round(√n + 2).
#pragma once

#include <cstdint>
#include <memory>
#include <thread>
#include <vector>

namespace tavimo {

// The first of the odd candidates from, from + 2, ... ≤ upper (from odd and at least 1, upper at
// most 1073577990) that passes trial division, or a value above upper when none does.
std::int64_t nextTrialPrime(std::int64_t from, std::int64_t upper);

// The odd candidates start, start + 2, ... ≤ upper (start odd) that pass trial division, a batch
// of candidates at a time, in increasing order. On a processor with several cores, helper threads
// test the batches ahead of the one handed out: the decisions are those of nextTrialPrime, only
// made at the same time. The helpers stop when the object goes, within a prime's search.
class TrialPrimeBatches {
public:
    TrialPrimeBatches(std::int64_t start, std::int64_t upper);
    ~TrialPrimeBatches();
    TrialPrimeBatches(const TrialPrimeBatches&) = delete;
    TrialPrimeBatches& operator=(const TrialPrimeBatches&) = delete;

    // The primes of the next batch (none, when it holds none) into primes; false once every
    // candidate has been handed out.
    bool next(std::vector<std::int64_t>& primes);

    // The threads that test batches, the caller's own included, are one per core, at most 8,
    // unless this set another number for every later search (the tests do); 0: one per core.
    static void forceSearchThreads(int threads);

private:
    struct Shared;
    std::unique_ptr<Shared> m_shared;
    std::vector<std::thread> m_helpers;
};

// Calls onPrime(p) for each odd candidate p = start, start + 2, ... ≤ upper (start odd) that
// passes trial division, in increasing order, until onPrime returns false.
template <class OnPrime>
void forEachTrialPrime(std::int64_t start, std::int64_t upper, OnPrime&& onPrime)
{
    TrialPrimeBatches batches(start, upper);
    std::vector<std::int64_t> primes;
    while (batches.next(primes)) {
        for (std::int64_t p : primes) {
            if (!onPrime(p)) {
                return;
            }
        }
    }
}

} // namespace tavimo
