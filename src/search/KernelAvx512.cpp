// The AVX-512 kernel (x86-64): sixteen divisors to a 512-bit vector, two vectors to a step.
#include "search/Kernels.h"

#if TAVIMO_X86

#include <immintrin.h>

namespace tavimo::division {
namespace {

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

} // namespace

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

} // namespace tavimo::division

#endif
