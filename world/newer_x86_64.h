// Loops that run faster with the newer x86-64 instructions (shifts by any register, and-not,
// bit scans and counts): where the compiler can, a function marked with this is built twice
// and the processor in use picks one at start-up. Both make the same integer results.
#pragma once

#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__) && defined(__linux__)
#define BUILT_FOR_NEWER_X86_64_TOO __attribute__((target_clones("arch=x86-64-v3", "default")))
#else
#define BUILT_FOR_NEWER_X86_64_TOO
#endif
