#pragma once
// What a fuzz target asserts: a broken property names its line and aborts,
// which libFuzzer reports with the input.

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(property)                                                            \
    do {                                                                                \
        if (!(property)) {                                                              \
            std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__,    \
                         #property);                                                    \
            std::abort();                                                               \
        }                                                                               \
    } while (false)
