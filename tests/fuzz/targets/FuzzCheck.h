#pragma once
// Invariant checks of the fuzz targets. A broken invariant must stop the run the way a crash
// does, so that libFuzzer saves the input and the replay test fails on it: print what broke
// and abort.

#include <cstdio>
#include <cstdlib>
#include <string>

namespace fuzz {

[[noreturn]] inline void Broken(const char* target, const std::string& what)
{
    std::fprintf(stderr, "fuzz target %s: invariant broken: %s\n", target, what.c_str());
    std::fflush(stderr);
    std::abort();
}

} // namespace fuzz

#define F2_FUZZ_CHECK(target, condition, what)  \
    do {                                        \
        if (!(condition))                       \
            ::fuzz::Broken(target, what);       \
    } while (false)
