// What a bench program reads about its own process (memory, age) and how it prints a figure, shared by the
// window benches of the program and of its peers so that both are measured the same way.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace brenvik::bench {

struct TMemory {
    std::int64_t ResidentBytes = 0; // VmRSS
    std::int64_t PeakBytes = 0;     // VmHWM: the most resident since start or the last ResetPeakMemory
};

TMemory ReadMemory();

// Lowers the recorded peak to the present resident size; false where the kernel does not allow it.
bool ResetPeakMemory();

// Nanoseconds since this process started: from BENCH_START_NS (CLOCK_REALTIME nanoseconds, taken by the
// script that starts the process) when it is set, else from the start time the kernel records (10 ms steps).
double MillisecondsSinceProcessStart();

// Field 22 of a /proc/PID/stat line, the start time in clock ticks after boot; -1 when the line is cut short.
long long StartTicksOfStat(const std::string& statLine);

double Median(std::vector<double> values);

// result<TAB>measure<TAB>value<TAB>unit, the line bench/compare.sh reads.
void PrintResult(const char* measure, double value, const char* unit);

} // namespace brenvik::bench
