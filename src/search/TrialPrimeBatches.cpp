// The search's candidates tested in batches by one thread per core, handed out in order.
#include "search/TrialPrimeBatches.h"

#include "search/TrialDivision.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cassert>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

namespace tavimo {
namespace {

// Odd candidates per batch: about a third of a millisecond of the portable kernel near 10^9, and
// small enough that the last batches of a search that stops at its cap cost little.
constexpr std::int64_t batchSize = 2048;
// Batches tested ahead of the one handed out; a thread that would go further waits.
constexpr std::int64_t batchesAhead = 16;
constexpr int mostSearchThreads = 8;

std::atomic<int> forcedSearchThreads{0}; // 0: one per core

// The threads that test batches, the caller's own included.
int searchThreads()
{
    if (const int forced = forcedSearchThreads.load(); forced > 0) {
        return forced;
    }
    const auto cores = static_cast<int>(std::thread::hardware_concurrency());
    return std::clamp(cores, 1, mostSearchThreads);
}

} // namespace

struct TrialPrimeBatches::Shared {
    struct Slot {
        std::atomic<std::int64_t> testedBatch{-1}; // the batch whose primes are in primes
        std::vector<std::int64_t> primes;
    };

    std::int64_t start;
    std::int64_t upper;
    std::int64_t batchCount;
    std::atomic<std::int64_t> claimed{0};   // batches given to a thread to test
    std::atomic<std::int64_t> handedOut{0}; // batches that next() handed out
    std::atomic<bool> stopping{false};
    std::array<Slot, batchesAhead> slots; // batch b in slot b % batchesAhead
    // Waits for a batch tested, handed out or the search's end. (Not std::atomic::wait: the
    // C++ library of Debian 12's Windows cross compiler can lose its wake-up.)
    std::mutex mutex;
    std::condition_variable changed;
    // The helper threads, started and joined by the object alone: no helper reads this.
    std::vector<std::thread> helpers;

    void notifyChanged()
    {
        { // a thread that found nothing to do under the lock is waiting by now
            const std::lock_guard lock(mutex);
        }
        changed.notify_all();
    }

    // Claims the next batch to test, unless none is left or it would lie past batchesAhead.
    bool claim(std::int64_t& batch)
    {
        std::int64_t next = claimed.load();
        do {
            if (next >= batchCount ||
                next >= handedOut.load(std::memory_order_acquire) + batchesAhead) {
                return false;
            }
        } while (!claimed.compare_exchange_weak(next, next + 1));
        batch = next;
        return true;
    }

    void testBatch(std::int64_t batch)
    {
        Slot& slot = slots[static_cast<std::size_t>(batch % batchesAhead)];
        slot.primes.clear();
        const std::int64_t first = start + 2 * batchSize * batch;
        const std::int64_t last = std::min(upper, first + 2 * (batchSize - 1));
        for (std::int64_t n = nextTrialPrime(first, last); n <= last;
             n = nextTrialPrime(n + 2, last)) {
            if (stopping.load(std::memory_order_relaxed)) {
                return;
            }
            slot.primes.push_back(n);
        }
        slot.testedBatch.store(batch, std::memory_order_release);
        notifyChanged();
    }

    // A helper thread: tests the batches it claims until none is left or the search stops.
    void helpUntilDone()
    {
        while (!stopping.load()) {
            std::int64_t batch = 0;
            if (claim(batch)) {
                testBatch(batch);
                continue;
            }
            if (claimed.load() >= batchCount) {
                return;
            }
            // All batchesAhead are claimed: wait until next() hands one out (or the search stops).
            std::unique_lock lock(mutex);
            changed.wait(lock, [this] {
                return stopping.load() || claimed.load() < handedOut.load() + batchesAhead;
            });
        }
    }
};

TrialPrimeBatches::TrialPrimeBatches(std::int64_t start, std::int64_t upper)
    : m_shared(std::make_unique<Shared>())
{
    assert(start % 2 == 1);
    m_shared->start = start;
    m_shared->upper = upper;
    m_shared->batchCount = upper < start ? 0 : (upper - start) / 2 / batchSize + 1;
    const std::int64_t helperCount =
        std::min<std::int64_t>(searchThreads() - 1, m_shared->batchCount - 1);
    for (std::int64_t i = 0; i < helperCount; ++i) {
        try {
            m_shared->helpers.emplace_back([shared = m_shared.get()] { shared->helpUntilDone(); });
        } catch (const std::system_error&) {
            break; // no thread to be had: the threads there are test every batch
        }
    }
}

TrialPrimeBatches::~TrialPrimeBatches()
{
    m_shared->stopping.store(true);
    m_shared->notifyChanged();
    for (std::thread& helper : m_shared->helpers) {
        helper.join();
    }
}

bool TrialPrimeBatches::next(std::vector<std::int64_t>& primes)
{
    Shared& shared = *m_shared;
    const std::int64_t batch = shared.handedOut.load(std::memory_order_relaxed);
    if (batch >= shared.batchCount) {
        return false;
    }
    Shared::Slot& slot = shared.slots[static_cast<std::size_t>(batch % batchesAhead)];
    // Tests batches itself until a helper has tested this one, or tests this one.
    while (slot.testedBatch.load(std::memory_order_acquire) != batch) {
        std::int64_t otherBatch = 0;
        if (shared.claim(otherBatch)) {
            shared.testBatch(otherBatch);
        } else {
            std::unique_lock lock(shared.mutex);
            shared.changed.wait(
                lock, [&] { return slot.testedBatch.load(std::memory_order_acquire) == batch; });
        }
    }
    primes.swap(slot.primes);
    shared.handedOut.store(batch + 1, std::memory_order_release);
    shared.notifyChanged();
    return true;
}

void TrialPrimeBatches::forceSearchThreads(int threads)
{
    forcedSearchThreads.store(std::max(0, threads));
}

} // namespace tavimo
