// The libFuzzer entry point; the build compiles this file once per target with F2_FUZZ_ENTRY
// naming the target function.

#include "tests/fuzz/targets/FuzzTargets.h"

#ifndef F2_FUZZ_ENTRY
#error "F2_FUZZ_ENTRY must name the fuzz target"
#endif

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return F2_FUZZ_ENTRY(data, size);
}
