// What every fuzz target shares: an invariant that fails stops the fuzzer
// with a message naming it, so the saved input reproduces a named fault.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

#define FUZZ_CHECK(condition)                                                                   \
    do {                                                                                        \
        if (!(condition)) {                                                                     \
            std::fprintf(stderr, "invariant failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
            std::abort();                                                                       \
        }                                                                                       \
    } while (0)

inline std::string FuzzText(const unsigned char* data, std::size_t size)
{
    return std::string(reinterpret_cast<const char*>(data), size);
}

// Inputs that carry two texts separate them with a NUL byte; false when
// there is none (the second text is then empty).
inline bool FuzzSplitAtNul(const std::string& input, std::string& first, std::string& second)
{
    const std::string::size_type nul = input.find('\0');
    first = input.substr(0, nul);
    second = nul == std::string::npos ? std::string() : input.substr(nul + 1);
    return nul != std::string::npos;
}
