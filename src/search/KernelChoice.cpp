// The choice of the division kernel, and the processor's state that a search needs before it runs.
#include "search/KernelChoice.h"

#include "search/Kernels.h"

#include <cassert>

#if TAVIMO_X86
#include <immintrin.h>
#endif

namespace tavimo {
namespace {

DivisionKernel& chosenKernel()
{
    static DivisionKernel kernel = fastestDivisionKernel();
    return kernel;
}

// The portable and SSE4.1 kernels and the search's loop use the older encoding of vector
// instructions, which runs several times slower while the upper halves of the AVX registers hold
// what other code of the process left there (Run pressed in the window, portable kernel forced, one
// search thread: 65 ms, and 24 ms with the halves cleared). A search clears them first.
#if TAVIMO_X86
[[gnu::target("avx")]] void clearUpperHalvesAvx()
{
    _mm256_zeroupper();
}
#endif

} // namespace

bool supportsDivisionKernel(DivisionKernel kernel)
{
    switch (kernel) {
    case DivisionKernel::Portable:
        return true;
#if TAVIMO_X86
    case DivisionKernel::Sse41:
        return __builtin_cpu_supports("sse4.1");
    case DivisionKernel::Avx2:
        return __builtin_cpu_supports("avx2");
    case DivisionKernel::Avx512:
        return __builtin_cpu_supports("avx512f");
#endif
#if TAVIMO_ARM64
    case DivisionKernel::Neon:
        return true; // Advanced SIMD is part of every 64-bit Arm processor
#endif
    default:
        return false;
    }
}

DivisionKernel fastestDivisionKernel()
{
    static const DivisionKernel fastest = [] {
        for (DivisionKernel kernel : {DivisionKernel::Avx512, DivisionKernel::Avx2,
                                      DivisionKernel::Sse41, DivisionKernel::Neon}) {
            if (supportsDivisionKernel(kernel)) {
                return kernel;
            }
        }
        return DivisionKernel::Portable;
    }();
    return fastest;
}

const char* divisionKernelName(DivisionKernel kernel)
{
    switch (kernel) {
    case DivisionKernel::Portable:
        return "portable";
    case DivisionKernel::Sse41:
        return "sse41";
    case DivisionKernel::Avx2:
        return "avx2";
    case DivisionKernel::Avx512:
        return "avx512";
    case DivisionKernel::Neon:
        return "neon";
    }
    return "?";
}

std::optional<DivisionKernel> divisionKernelNamed(std::string_view name)
{
    for (DivisionKernel kernel :
         {DivisionKernel::Portable, DivisionKernel::Sse41, DivisionKernel::Avx2,
          DivisionKernel::Avx512, DivisionKernel::Neon}) {
        if (name == divisionKernelName(kernel)) {
            return kernel;
        }
    }
    return std::nullopt;
}

DivisionKernel divisionKernel()
{
    return chosenKernel();
}

void forceDivisionKernel(DivisionKernel kernel)
{
    assert(supportsDivisionKernel(kernel));
    chosenKernel() = kernel;
}

namespace division {

Kernel kernelInUse()
{
    const DivisionKernel kernel = divisionKernel();
    assert(supportsDivisionKernel(kernel));
    switch (kernel) {
#if TAVIMO_X86
    case DivisionKernel::Sse41:
        return firstDividingSse41;
    case DivisionKernel::Avx2:
        return firstDividingAvx2;
    case DivisionKernel::Avx512:
        return firstDividingAvx512;
#endif
#if TAVIMO_ARM64
    case DivisionKernel::Neon:
        return firstDividingNeon;
#endif
    default:
        return firstDividingPortable;
    }
}

void clearUpperVectorHalves()
{
#if TAVIMO_X86
    static const bool avx = __builtin_cpu_supports("avx");
    if (avx) {
        clearUpperHalvesAvx();
    }
#endif
}

} // namespace division
} // namespace tavimo
