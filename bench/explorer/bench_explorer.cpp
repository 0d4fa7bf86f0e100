// Times the variable explorer on a large script through the functions the window calls: the
// rebuild, go to use around the whole text, the background rebuild's slices and a rebuild
// with 100,000 distinct names. Figures are the thread's processor time (medians); the wall
// times go to stderr.
//
//   bench_explorer SCRIPT [RUNS]     (SCRIPT: build/bench/make_script bench/data/script1m.cgi)
#include "highlight/ConfiguredFountains.h"
#include "highlight/PERLFountain.h"
#include "jcode/ScriptFile.h"
#include "model/EditorModel.h"
#include "model/ExplorerNames.h"
#include "model/ExplorerNavigation.h"
#include "text/EditorScreenStrings.h"
#include "text/EditorStrings.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

using namespace brenvik;

namespace {

class TBenchOwner : public TEditorModelOwner {
public:
    TFountain* Fountain = nullptr;
    TCaretRules CaretRules() const override { return {}; }
    TFountain* TokenFountain() const override { return Fountain; }
};

// The thread's own processor time: on a shared machine the wall clock also counts waiting.
double ProcessorMs()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

double Milliseconds(const std::function<void()>& work)
{
    const double begin = ProcessorMs();
    const auto wallBegin = std::chrono::steady_clock::now();
    work();
    const double wall
        = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - wallBegin).count();
    std::fprintf(stderr, "  (wall %.2f ms)\n", wall);
    return ProcessorMs() - begin;
}

double Median(int runs, const std::function<void()>& work)
{
    std::vector<double> times;
    for (int run = 0; run < runs; ++run)
        times.push_back(Milliseconds(work));
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void Report(const char* name, const char* measure, double value, const char* unit)
{
    std::printf("%-44s %10.2f %s\n", name, value, unit);
    std::printf("result\t%s\t%.2f\t%s\n", measure, value, unit);
}

const TExplorerSorted kDefaultSort {false, true, true, true};

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_explorer SCRIPT [RUNS]\n");
        return 2;
    }
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;
    TPERLFountain fountain;
    ConfigurePERLFountain(fountain);
    TBenchOwner owner;
    owner.Fountain = &fountain;
    TEditorModel model(owner);
    try {
        model.Lines().LoadLines(
            [&](const TLineSink& sink) { DecodeScriptFileTo(argv[1], std::nullopt, sink); });
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    const TEditorScreenStrings& rows = model.Rows();
    std::printf("script: %d lines, median of %d runs\n", rows.LineCount(), runs);

    // The rebuild as F5 runs it: one pass, the states table refilled.
    TExplorerStates states;
    TExplorerNames names;
    Report("rebuild (F5)", "explorer.rebuild",
        Median(runs, [&] { names = BuildExplorerNames(rows, &fountain, kDefaultSort, &states); }), "ms");
    std::printf("  names: %zu subroutines, %zu scalars, %zu arrays, %zu hashes\n", names[elSubRoutine].size(),
        names[elVariable].size(), names[elArrangement].size(), names[elAssocArr].size());

    // Go to use that wraps around the whole text: the only use is on the first line, the
    // caret just after it.
    model.SetRowCol(0, 0);
    model.TypeText("$lonely_name = 1; ");
    states.InvalidateFrom(0);
    BuildExplorerNames(rows, &fountain, kDefaultSort, &states);
    const TUseQuery lonely {elVariable, "lonely_name"};
    bool found = true;
    Report("go to use around the whole text", "explorer.goto_wrap",
        Median(runs,
            [&] {
                TUseFinder finder(rows, &fountain, states);
                found = found && finder.Forward(lonely, {0, 3}).has_value();
            }),
        "ms");
    Report("go to use upward around the whole text", "explorer.goto_wrap_up",
        Median(runs,
            [&] {
                TUseFinder finder(rows, &fountain, states);
                found = found && finder.Upward(lonely, {0, 0}).has_value();
            }),
        "ms");
    if (!found) {
        std::fprintf(stderr, "go to use missed the name\n");
        return 1;
    }

    // The background rebuild of a 10,000-line script: the longest slice.
    TEditorModel small(owner);
    {
        std::string text;
        for (int line = 0; line < 10000; ++line)
            text += std::string(rows.Strings(line)) + "\r\n";
        small.Lines().SetTextStr(text);
    }
    double longest = 0;
    int slices = 0;
    for (int run = 0; run < runs; ++run) {
        TExplorerBuild build(small.Rows(), &fountain, kDefaultSort);
        for (bool done = false; !done; ++slices)
            longest = std::max(longest, Milliseconds([&] { done = build.RunFor(2000); }));
        const double sort = Milliseconds([&] { build.TakeNames(); });
        longest = std::max(longest, sort);
    }
    std::printf("  %d slices in %d runs\n", slices, runs);
    Report("longest slice, 10,000 lines", "explorer.slice_max", longest, "ms");

    // 100,000 distinct names.
    TEditorModel many(owner);
    {
        std::string text;
        for (int i = 0; i < 100000; ++i)
            text += "$name_" + std::to_string(i * 7919 % 100003) + " = $x" + std::to_string(i % 50) + ";\r\n";
        many.Lines().SetTextStr(text);
    }
    TExplorerNames manyNames;
    Report("rebuild, 100,000 distinct names", "explorer.rebuild_100k_names",
        Median(runs, [&] { manyNames = BuildExplorerNames(many.Rows(), &fountain, kDefaultSort); }), "ms");
    std::printf("  scalars: %zu\n", manyNames[elVariable].size());
    return 0;
}
