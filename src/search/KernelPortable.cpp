// The portable kernel: plain C++, on every processor.
#include "search/Kernels.h"

#include <cstring>

namespace tavimo::division {
namespace {

// Four divisors' tests at once, in the compiler's vector type: the vector instructions that every
// processor of the target has (SSE2 on x86-64, Advanced SIMD on arm64), or four independent
// multiplications where it has none.
using Lanes = std::uint32_t __attribute__((vector_size(16)));

// Whether any divisor of the block divides n, with its shared limit.
bool anyDividesInBlock(std::uint32_t n, std::uint32_t block)
{
    const std::uint32_t limit = divisorTable.blockLimit[block];
    Lanes hits{};
    for (std::uint32_t k = 0; k < blockSize; k += 4) {
        Lanes inverse;
        std::memcpy(&inverse, &divisorTable.inverse[block][k], sizeof inverse);
        hits |= (n * inverse <= limit);
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
    for (std::uint32_t i = blockSize; i < count; i += blockSize) {
        if (anyDividesInBlock(n, i / blockSize)) {
            while (!dividesAt(n, i)) {
                ++i;
            }
            return std::min(i, count);
        }
    }
    return count;
}

} // namespace tavimo::division
