// The portable kernel: one divisor at a time, in plain C++, on every processor.
#include "search/Kernels.h"

namespace tavimo::division {

// One divisor at a time. Past the first block the tests go four to a branch: four independent
// multiplications keep the processor busy where one test after another would wait for each
// branch. The four may reach beyond count (the table runs on), where a hit is not counted.
std::uint32_t firstDividingPortable(std::uint32_t n, std::uint32_t count)
{
    const std::uint32_t own = std::min(count, blockSize);
    for (std::uint32_t i = 0; i < own; ++i) {
        if (dividesAt(n, i)) {
            return i;
        }
    }
    for (std::uint32_t i = blockSize; i < count; i += 4) {
        const std::uint32_t* inverse = &divisorTable.inverse[i / blockSize][i % blockSize];
        const std::uint32_t limit = divisorTable.blockLimit[i / blockSize];
        if ((n * inverse[0] <= limit) | (n * inverse[1] <= limit) | (n * inverse[2] <= limit) |
            (n * inverse[3] <= limit)) {
            for (std::uint32_t k = 0;; ++k) {
                if (n * inverse[k] <= limit) {
                    return std::min(i + k, count);
                }
            }
        }
    }
    return count;
}

} // namespace tavimo::division
