// A property every fuzz target states: when it breaks, the target stops with a message and libFuzzer
// keeps the input that broke it as a crash file.
#pragma once

#include <cstdio>
#include <cstdlib>

namespace brenvik::fuzz {

inline void Require(bool holds, const char* property)
{
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n", property);
        std::abort();
    }
}

} // namespace brenvik::fuzz
