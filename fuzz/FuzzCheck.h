#pragma once

#include <cstdio>
#include <cstdlib>

// A property of a reader that does not hold: the fuzzing engine keeps the input that broke
// it, and a replay fails.
#define FUZZ_CHECK(condition)                                                                  \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: %s does not hold\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (false)
