// Timing for the benchmarks: the performance counter, in seconds.
#pragma once

#include <windows.h>

inline double seconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

// Seconds for iterations calls of f(i).
template <class F>
double timeIt(long iterations, F f)
{
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    for (long i = 0; i < iterations; ++i)
        f(i);
    QueryPerformanceCounter(&end);
    return seconds(start, end);
}
