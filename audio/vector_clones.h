// Marks a hot sample loop to be built three times, for AVX-512 (x86-64-v4),
// for AVX2 and for any x86-64,
// with the better one picked at load time. The loops themselves are plain
// code that the compiler vectorises.
#pragma once

#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define BRISOLT_VECTOR_CLONES __attribute__((target_clones("arch=x86-64-v4", "avx2", "default")))
#else
#define BRISOLT_VECTOR_CLONES
#endif
