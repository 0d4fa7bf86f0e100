// The floor under every whole-text pass: one memcpy of the script's bytes. bench_peer_floor SCRIPT [RUNS]
#include "BenchProbe.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using namespace brenvik::bench;

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_peer_floor SCRIPT [RUNS]\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in || text.empty()) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 21;
    // Written once first, so that the runs copy into resident pages as a search reads resident text.
    std::string copy(text.size(), '\0');
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        const auto begin = std::chrono::steady_clock::now();
        std::memcpy(copy.data(), text.data(), text.size());
        const auto end = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double, std::milli>(end - begin).count());
    }
    if (copy != text) {
        std::fprintf(stderr, "the copy differs from the text\n");
        return 1;
    }
    std::printf("%s: %zu bytes, median of %d copies\n", argv[1], text.size(), runs);
    PrintResult("peer.memcpy.copy", Median(times), "ms");
    return 0;
}
