// The AVX2 kernel (x86-64): eight divisors to a 256-bit vector, four vectors to a step.
#include "search/Kernels.h"

#if TAVIMO_X86

#include <immintrin.h>

namespace tavimo::division {
namespace {

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

} // namespace

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

} // namespace tavimo::division

#endif
