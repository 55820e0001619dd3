// The kernels of the trial division, one file each: the search for the first dividing odd prime.
#pragma once

#include "search/OddPrimes.h"

#include <bit>
#include <cstdint>

#if defined(__x86_64__) || defined(__i386__)
#define TAVIMO_X86 1
#else
#define TAVIMO_X86 0
#endif

#if defined(__aarch64__)
#define TAVIMO_ARM64 1
#else
#define TAVIMO_ARM64 0
#endif

namespace tavimo::division {

// A kernel tests the first count odd primes 3, 5, 7, 11, ... (count ≤ 3511) against n in
// increasing order and returns the index of the first one that divides n, or count when none does.
using Kernel = std::uint32_t (*)(std::uint32_t n, std::uint32_t count);

std::uint32_t firstDividingPortable(std::uint32_t n, std::uint32_t count); // KernelPortable.cpp
#if TAVIMO_X86
std::uint32_t firstDividingSse41(std::uint32_t n, std::uint32_t count);  // KernelSse41.cpp
std::uint32_t firstDividingAvx2(std::uint32_t n, std::uint32_t count);   // KernelAvx2.cpp
std::uint32_t firstDividingAvx512(std::uint32_t n, std::uint32_t count); // KernelAvx512.cpp
#endif
#if TAVIMO_ARM64
std::uint32_t firstDividingNeon(std::uint32_t n, std::uint32_t count); // KernelNeon.cpp
#endif

// The kernel of divisionKernel(), and the step that a search takes before it runs a kernel on this
// thread (KernelChoice.cpp).
Kernel kernelInUse();
void clearUpperVectorHalves();

// The vector kernels test 32 divisors per step, the divisor of lane k of the step in bit k of a
// mask. A step may reach beyond count: the divisors there are tested, but a hit there is not
// counted, and the lowest hit below count decides. The first step holds the block whose divisors
// have limits of their own; every later step compares with the shared limits of its two blocks.

constexpr std::uint32_t stepsFor(std::uint32_t count)
{
    return (count + groupSize - 1) / groupSize;
}

constexpr std::uint32_t firstCounted(std::uint32_t step, std::uint32_t lanes, std::uint32_t count)
{
    return std::min(step * groupSize + static_cast<std::uint32_t>(std::countr_zero(lanes)), count);
}

} // namespace tavimo::division
