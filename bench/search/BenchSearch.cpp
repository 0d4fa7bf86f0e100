// Times forward searches over a whole script for patterns that do not occur: bench_search SCRIPT [RUNS]
#include "search/FindPattern.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using namespace brenvik;

namespace {

struct TCase {
    const char* Name;
    std::string Pattern;
    std::uint16_t Flags;
};

double MedianMilliseconds(const std::string& text, const TCase& test, int runs)
{
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        TSearchRange range;
        const auto begin = std::chrono::steady_clock::now();
        const bool found = FindPattern(text, range, test.Pattern, test.Flags);
        const auto end = std::chrono::steady_clock::now();
        if (found) {
            std::fprintf(stderr, "%s: pattern unexpectedly found at %d\n", test.Name, range.Start);
            std::exit(1);
        }
        times.push_back(std::chrono::duration<double, std::milli>(end - begin).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_search SCRIPT [RUNS]\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;
    std::printf("text: %zu bytes, median of %d runs\n", text.size(), runs);

    const std::string ascii = "print_footer_q";
    const std::string japanese = "\x8C\x9F\x8D\xF5\x82\xB3\x82\xEA\x82\xC8\x82\xA2"; // 検索されない
    const std::string halfWidth = "\xCA\xDD\xB6\xB8\xBF\xDE\xC0\xDE"; // ﾊﾝｶｸｿﾞﾀﾞ
    const TCase cases[] = {
        {"MatchCase ascii", ascii, TSearchFlags::Down | TSearchFlags::MatchCase},
        {"MatchCase japanese", japanese, TSearchFlags::Down | TSearchFlags::MatchCase},
        {"ignore case ascii", ascii, TSearchFlags::Down},
        {"ignore case japanese", japanese, TSearchFlags::Down},
        {"NoMatchZenkaku ascii", ascii, TSearchFlags::Down | TSearchFlags::NoMatchZenkaku},
        {"NoMatchZenkaku half-width kana", halfWidth, TSearchFlags::Down | TSearchFlags::NoMatchZenkaku},
        {"NoMatchZenkaku+MatchCase ascii", ascii,
            TSearchFlags::Down | TSearchFlags::NoMatchZenkaku | TSearchFlags::MatchCase},
        {"all skips, ascii", ascii,
            TSearchFlags::Down | TSearchFlags::NoMatchZenkaku | TSearchFlags::IncludeCRLF
                | TSearchFlags::IncludeSpace},
        {"WholeWord ascii", ascii, TSearchFlags::Down | TSearchFlags::WholeWord},
    };
    for (const TCase& test : cases)
        std::printf("%-34s %8.2f ms\n", test.Name, MedianMilliseconds(text, test, runs));
    return 0;
}
