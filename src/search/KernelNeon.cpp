// The NEON kernel (arm64): Advanced SIMD, four divisors to a vector and eight vectors to a step,
// as the SSE4.1 kernel.
#include "search/Kernels.h"

#if TAVIMO_ARM64

#include <arm_neon.h>

namespace tavimo::division {
namespace {

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

} // namespace

std::uint32_t firstDividingNeon(std::uint32_t n, std::uint32_t count)
{
    const uint32x4_t candidate = vdupq_n_u32(n);
    uint32x4_t hits[8];
    for (std::uint32_t k = 0; k < 4; ++k) {
        hits[k] = hitsNeon(candidate, &divisorTable.inverse[0][4 * k],
                           vld1q_u32(&divisorTable.firstBlockLimit[4 * k]));
    }
    blockHitsNeon(candidate, 1, hits + 4);
    const std::uint32_t steps = stepsFor(count);
    for (std::uint32_t step = 0; step < steps; ++step) {
        if (step > 0) {
            blockHitsNeon(candidate, 2 * step, hits);
            blockHitsNeon(candidate, 2 * step + 1, hits + 4);
        }
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
    }
    return count;
}

} // namespace tavimo::division

#endif
