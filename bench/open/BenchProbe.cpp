// Figures a bench program reads about itself from /proc.
#include "BenchProbe.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace brenvik::bench {

namespace {

double NowMs(clockid_t clock)
{
    timespec now{};
    clock_gettime(clock, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

} // namespace

long long StartTicksOfStat(const std::string& statLine)
{
    // The command name (field 2) may hold spaces and parentheses: fields are counted after its last ')'.
    const std::size_t nameEnd = statLine.rfind(')');
    if (nameEnd == std::string::npos)
        return -1;
    std::istringstream fields(statLine.substr(nameEnd + 1));
    std::string field;
    for (int index = 3; index <= 22; ++index) {
        if (!(fields >> field))
            return -1;
    }
    return std::atoll(field.c_str());
}

TMemory ReadMemory()
{
    TMemory memory;
    std::ifstream status("/proc/self/status");
    std::string key;
    std::int64_t kilobytes = 0;
    std::string unit;
    while (status >> key) {
        if (key == "VmRSS:" || key == "VmHWM:") {
            status >> kilobytes >> unit;
            (key == "VmRSS:" ? memory.ResidentBytes : memory.PeakBytes) = kilobytes * 1024;
        } else {
            std::getline(status, unit);
        }
    }
    return memory;
}

bool ResetPeakMemory()
{
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.flush();
    return static_cast<bool>(clear);
}

double MillisecondsSinceProcessStart()
{
    if (const char* started = std::getenv("BENCH_START_NS"); started && *started)
        return NowMs(CLOCK_REALTIME) - std::strtod(started, nullptr) / 1e6;
    std::ifstream stat("/proc/self/stat");
    std::string line;
    std::getline(stat, line);
    return NowMs(CLOCK_BOOTTIME) - StartTicksOfStat(line) * 1e3 / sysconf(_SC_CLK_TCK);
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

void PrintResult(const char* measure, double value, const char* unit)
{
    std::printf("result\t%s\t%.6g\t%s\n", measure, value, unit);
    std::fflush(stdout);
}

} // namespace brenvik::bench
