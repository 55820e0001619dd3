// The search's odd candidates tested in batches on every core and handed out in increasing order.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace tavimo {

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
    struct Shared; // the batches and the helper threads (TrialPrimeBatches.cpp)
    std::unique_ptr<Shared> m_shared;
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
