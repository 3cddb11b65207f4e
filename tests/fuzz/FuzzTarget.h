// What every reader's fuzz entry shares: the libFuzzer entry point, the seed
// inputs the mutation runner (and `make fuzz`'s first corpus) start from, and
// a check that stops the run loudly when a reader breaks a promise.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size);

namespace fuzz {

using Input = std::vector<uint8_t>;

// Well-formed files of the reader's kind, small enough to mutate quickly.
std::vector<Input> Seeds();

// The longest input worth trying (the entry cuts longer ones itself).
size_t MaxInputBytes();

[[noreturn]] inline void Fail(const char* what, const char* file, int line)
{
    std::fprintf(stderr, "%s:%d: broken: %s\n", file, line, what);
    std::abort();
}

} // namespace fuzz

#define FUZZ_REQUIRE(condition)                                                                                      \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            ::fuzz::Fail(#condition, __FILE__, __LINE__);                                                              \
        }                                                                                                              \
    } while (false)
