// The SSE4.1 kernel (x86-64): four divisors to a 128-bit vector, eight vectors to a step.
#include "search/Kernels.h"

#if TAVIMO_X86

#include <immintrin.h>

namespace tavimo::division {
namespace {

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

} // namespace

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

} // namespace tavimo::division

#endif
