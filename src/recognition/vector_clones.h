#pragma once

// A function built twice, the one run picked by the processor when the program loads: AVX2
// where there is, SSE2 everywhere x86-64 runs. For the loops that compare features.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define ORVANE_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define ORVANE_VECTOR_CLONES
#endif
