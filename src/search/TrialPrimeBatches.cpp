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
constexpr std::int64_t window = 16;
constexpr int mostThreads = 8;

std::atomic<int> forcedThreads{0};

// The threads that test batches, the caller's own included.
int searchThreads()
{
    if (const int forced = forcedThreads.load(); forced > 0) {
        return forced;
    }
    const auto cores = static_cast<int>(std::thread::hardware_concurrency());
    return std::clamp(cores, 1, mostThreads);
}

} // namespace

struct TrialPrimeBatches::Shared {
    struct Slot {
        std::atomic<std::int64_t> ready{-1}; // the batch whose primes are in primes
        std::vector<std::int64_t> primes;
    };

    std::int64_t start;
    std::int64_t upper;
    std::int64_t batches;
    std::atomic<std::int64_t> taken{0};     // batches given to a thread to test
    std::atomic<std::int64_t> handedOut{0}; // batches that next() handed out
    std::atomic<bool> stopping{false};
    std::array<Slot, window> slots;
    // Waits for a batch tested, handed out or the search's end. (Not std::atomic::wait: the
    // C++ library of Debian 12's Windows cross compiler can lose its wake-up.)
    std::mutex mutex;
    std::condition_variable changed;
    // The helper threads, started and joined by the object alone: no helper reads this.
    std::vector<std::thread> helpers;

    void announce()
    {
        { // a thread that found nothing to do under the lock is waiting by now
            const std::lock_guard lock(mutex);
        }
        changed.notify_all();
    }

    // Claims the next batch to test, unless every batch is claimed or it lies beyond the window.
    bool take(std::int64_t& batch)
    {
        std::int64_t next = taken.load();
        do {
            if (next >= batches || next >= handedOut.load(std::memory_order_acquire) + window) {
                return false;
            }
        } while (!taken.compare_exchange_weak(next, next + 1));
        batch = next;
        return true;
    }

    void test(std::int64_t batch)
    {
        Slot& slot = slots[static_cast<std::size_t>(batch % window)];
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
        slot.ready.store(batch, std::memory_order_release);
        announce();
    }

    void help()
    {
        while (!stopping.load()) {
            std::int64_t batch = 0;
            if (take(batch)) {
                test(batch);
                continue;
            }
            if (taken.load() >= batches) {
                return;
            }
            // The window is full: wait until next() hands out a batch (or the search stops).
            std::unique_lock lock(mutex);
            changed.wait(lock, [this] {
                return stopping.load() || taken.load() < handedOut.load() + window;
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
    m_shared->batches = upper < start ? 0 : (upper - start) / 2 / batchSize + 1;
    const std::int64_t helperCount =
        std::min<std::int64_t>(searchThreads() - 1, m_shared->batches - 1);
    for (std::int64_t i = 0; i < helperCount; ++i) {
        try {
            m_shared->helpers.emplace_back([shared = m_shared.get()] { shared->help(); });
        } catch (const std::system_error&) {
            break; // no thread to be had: the threads there are test every batch
        }
    }
}

TrialPrimeBatches::~TrialPrimeBatches()
{
    m_shared->stopping.store(true);
    m_shared->announce();
    for (std::thread& helper : m_shared->helpers) {
        helper.join();
    }
}

bool TrialPrimeBatches::next(std::vector<std::int64_t>& primes)
{
    Shared& shared = *m_shared;
    const std::int64_t batch = shared.handedOut.load(std::memory_order_relaxed);
    if (batch >= shared.batches) {
        return false;
    }
    Shared::Slot& slot = shared.slots[static_cast<std::size_t>(batch % window)];
    // Tests batches itself until a helper has tested this one, or tests this one.
    while (slot.ready.load(std::memory_order_acquire) != batch) {
        std::int64_t other = 0;
        if (shared.take(other)) {
            shared.test(other);
        } else {
            std::unique_lock lock(shared.mutex);
            shared.changed.wait(
                lock, [&] { return slot.ready.load(std::memory_order_acquire) == batch; });
        }
    }
    primes.swap(slot.primes);
    shared.handedOut.store(batch + 1, std::memory_order_release);
    shared.announce();
    return true;
}

void TrialPrimeBatches::forceSearchThreads(int threads)
{
    forcedThreads.store(std::max(0, threads));
}

} // namespace tavimo
