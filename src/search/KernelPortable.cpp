// The portable kernel: plain C++, on every processor.
#include "search/Kernels.h"

#include <array>
#include <cstring>

namespace tavimo::division {
namespace {

// Four divisors' tests at once, in the compiler's vector type: the vector instructions that every
// processor of the target has (SSE2 on x86-64, Advanced SIMD on arm64), or four independent
// multiplications where it has none.
using Lanes = std::uint32_t __attribute__((vector_size(16)));
using SignedLanes = std::int32_t __attribute__((vector_size(16)));

// x86-64 without SSE4.1 has no 32-bit lane multiply: the compiler makes each of two pmuludq and
// packs the lanes back with three shuffles, and Intel's processors shuffle on one port only (port
// 5), which bounded a block of 16 lanes there. So the last four divisors of a block are tested one
// at a time instead, on the scalar multiplier, which that port does not serve. llvm-mca 14 on GCC
// 12's loop over the blocks, cycles per block, this file before and after (bench/README.md):
// Skylake-AVX512 17.3 and 13.0, Ice Lake server 17.7 and 13.4, Zen 2 17.8 and 14.8, Zen 3 12.1
// and 9.9. Where the lane multiply is one instruction (arm64, WebAssembly SIMD, x86-64 built for
// SSE4.1) all 16 stay in the vector.
#if defined(__x86_64__) && !defined(__SSE4_1__)
inline constexpr std::uint32_t vectorLanes = 12;
#else
inline constexpr std::uint32_t vectorLanes = blockSize;
#endif

// The unsigned test n·inv ≤ limit as a signed comparison, which SSE2 has: both sides with their
// top bit flipped. The flip of the product is made once, on n: (n ⊕ 2^31)·inv = n·inv + 2^31·inv,
// and 2^31·inv ≡ 2^31 (mod 2^32) as inv is odd. The limits come flipped, one more (for >) and
// broadcast, one vector per block, so that no block broadcasts its own; the scalar tests compare
// with its first lane.
using LimitLanes = std::array<std::int32_t, 4>;
alignas(16) inline constexpr std::array<LimitLanes, blockCount> flippedLimits = [] {
    std::array<LimitLanes, blockCount> limits{};
    for (std::uint32_t b = 0; b < blockCount; ++b) {
        const auto flipped =
            static_cast<std::int32_t>((divisorTable.blockLimit[b] ^ 0x80000000u) + 1);
        limits[b] = {flipped, flipped, flipped, flipped};
    }
    return limits;
}();

// Whether any divisor of the block divides n, with its shared limit.
bool anyDividesInBlock(std::uint32_t flippedN, std::uint32_t block)
{
    const std::int32_t* const limits = flippedLimits[block].data();
    const std::uint32_t* const inverses = divisorTable.inverse[block].data();
    for (std::uint32_t k = vectorLanes; k < blockSize; ++k) {
        if (limits[0] > static_cast<std::int32_t>(flippedN * inverses[k])) {
            return true;
        }
    }
    SignedLanes limit;
    std::memcpy(&limit, limits, sizeof limit);
    SignedLanes hits{};
    for (std::uint32_t k = 0; k < vectorLanes; k += 4) {
        Lanes inverse;
        std::memcpy(&inverse, inverses + k, sizeof inverse);
        hits |= (limit > reinterpret_cast<SignedLanes>(flippedN * inverse));
    }
    std::uint64_t halves[2];
    std::memcpy(halves, &hits, sizeof halves);
    return (halves[0] | halves[1]) != 0;
}

} // namespace

// The first block one divisor at a time, as most candidates stop there; past it, a block at a
// time, and the divisor itself looked for in the block that holds one. The block may reach beyond
// count (the table runs on), where a hit is not counted.
std::uint32_t firstDividingPortable(std::uint32_t n, std::uint32_t count)
{
    const std::uint32_t firstBlockEnd = std::min(count, blockSize);
    for (std::uint32_t i = 0; i < firstBlockEnd; ++i) {
        if (dividesAt(n, i)) {
            return i;
        }
    }
    const std::uint32_t flippedN = n ^ 0x80000000u;
    const std::uint32_t blocks = (count + blockSize - 1) / blockSize;
    for (std::uint32_t block = 1; block < blocks; ++block) {
        if (anyDividesInBlock(flippedN, block)) {
            std::uint32_t i = block * blockSize;
            while (!dividesAt(n, i)) {
                ++i;
            }
            return std::min(i, count);
        }
    }
    return count;
}

} // namespace tavimo::division
