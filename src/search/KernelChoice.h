// Which kernel of the trial division a search uses: the processor's fastest, or one forced.
#pragma once

#include <optional>
#include <string_view>

namespace tavimo {

// How the divisibility tests of one candidate are carried out: 4, 8 or 16 divisors in one vector
// instruction of the processor's own, or in plain C++ (the portable kernel, a block of 16 at a
// time in whatever the compiler makes of it). All of them test the same divisors in the same order
// and reach the same decision.
enum class DivisionKernel { Portable, Sse41, Avx2, Avx512, Neon };

bool supportsDivisionKernel(DivisionKernel kernel);
DivisionKernel fastestDivisionKernel();
// The kernel's name, as the environment variable TAVIMO_KERNEL spells it: portable, sse41, avx2,
// avx512, neon; and the kernel of a name (empty for any other text).
const char* divisionKernelName(DivisionKernel kernel);
std::optional<DivisionKernel> divisionKernelNamed(std::string_view name);

// The kernel that the search uses: the fastest one that the processor offers, unless
// forceDivisionKernel replaced that choice for every later search (the program's start does so
// for TAVIMO_KERNEL, the benchmark and the tests for a kernel of their choice).
DivisionKernel divisionKernel();
void forceDivisionKernel(DivisionKernel kernel); // kernel must be supported

} // namespace tavimo
