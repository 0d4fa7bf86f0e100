// Times forward searches over a whole script for patterns that do not occur, beside a memcpy of the same text
// as the floor that no pass over it can beat, and two expression searches (one absent, one counting every
// match): bench_search SCRIPT [RUNS]
#include "FakeEditor.h"

#include "search/FindPattern.h"
#include "search/RegexSearch.h"
#include "jcode/ScriptFile.h"
#include "text/EditorStrings.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

using namespace brenvik;

namespace {

struct TCase {
    const char* Name;
    const char* Measure; // the figure's name for the comparison script, or null
    std::string Pattern;
    std::uint16_t Flags;
};

struct TTimes {
    double Wall;
    // The thread's own processor time: on a shared machine the wall clock also counts time spent waiting.
    double Processor;
};

double ThreadMilliseconds()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

TTimes MedianMilliseconds(int runs, const std::function<void()>& work)
{
    std::vector<double> wall;
    std::vector<double> processor;
    for (int run = 0; run < runs; ++run) {
        const double processorBegin = ThreadMilliseconds();
        const auto begin = std::chrono::steady_clock::now();
        work();
        const auto end = std::chrono::steady_clock::now();
        processor.push_back(ThreadMilliseconds() - processorBegin);
        wall.push_back(std::chrono::duration<double, std::milli>(end - begin).count());
    }
    return {Median(wall), Median(processor)};
}

void Report(const char* name, const char* measure, TTimes times)
{
    std::printf("%-34s %8.2f ms (processor %.2f ms)\n", name, times.Wall, times.Processor);
    if (measure)
        std::printf("result\t%s\t%.2f\tms\n", measure, times.Wall);
}

// The whole text as the find command hands it to the engine: the editor's lines joined by CR LF.
std::string LoadAsTheEditorHoldsIt(const char* path)
{
    test::FakeEditor editor;
    TEditorStrings lines(editor, editor.Rows);
    lines.LoadLines([path](const TLineSink& sink) { DecodeScriptFileTo(path, std::nullopt, sink); });
    return lines.GetTextStr();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_search SCRIPT [RUNS]\n");
        return 2;
    }
    std::string text;
    try {
        text = LoadAsTheEditorHoldsIt(argv[1]);
    } catch (const EScriptFileError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;
    std::printf("text: %zu bytes, median of %d runs\n", text.size(), runs);

    // The copy's target is written once beforehand, so that page faults are not timed.
    std::string copy(text.size(), '\0');
    Report("memcpy of the text", "search.memcpy",
        MedianMilliseconds(runs, [&] { std::memcpy(copy.data(), text.data(), text.size()); }));

    const std::string ascii = "print_footer_q";
    const std::string japanese = "\x8C\x9F\x8D\xF5\x82\xB3\x82\xEA\x82\xC8\x82\xA2"; // 検索されない
    const std::string halfWidth = "\xCA\xDD\xB6\xB8\xBF\xDE\xC0\xDE"; // ﾊﾝｶｸｿﾞﾀﾞ
    using F = TSearchFlags;
    const TCase cases[] = {
        {"MatchCase ascii", "search.matchcase", ascii, F::Down | F::MatchCase},
        {"MatchCase japanese", nullptr, japanese, F::Down | F::MatchCase},
        {"ignore case ascii", "search.ignorecase", ascii, F::Down},
        {"ignore case japanese", nullptr, japanese, F::Down},
        {"NoMatchZenkaku ascii", "search.zenkaku", ascii, F::Down | F::NoMatchZenkaku},
        {"NoMatchZenkaku half-width kana", nullptr, halfWidth, F::Down | F::NoMatchZenkaku},
        {"NoMatchZenkaku+MatchCase ascii", nullptr, ascii, F::Down | F::NoMatchZenkaku | F::MatchCase},
        {"all skips, ascii", nullptr, ascii, F::Down | F::NoMatchZenkaku | F::IncludeCRLF | F::IncludeSpace},
        {"WholeWord ascii", nullptr, ascii, F::Down | F::WholeWord},
        {"backward MatchCase ascii", nullptr, ascii, F::MatchCase},
    };
    for (const TCase& test : cases) {
        const TTimes times = MedianMilliseconds(runs, [&] {
            // A backward search starts from the end of the text.
            TSearchRange range {test.Flags & F::Down ? 0 : static_cast<std::int32_t>(text.size()), 0};
            if (FindPattern(text, range, test.Pattern, test.Flags)) {
                std::fprintf(stderr, "%s: pattern unexpectedly found at %d\n", test.Name, range.Start);
                std::exit(1);
            }
        });
        Report(test.Name, test.Measure, times);
    }

    // Expressions, compiled once as the find session does per search.
    const TRegexPattern absent("\\$zzz\\w+", {});
    Report("expression \\$zzz\\w+ (absent)", "search.regex_absent", MedianMilliseconds(runs, [&] {
        TRegexSearch search(absent, text);
        if (search.Forward(0).Status != TRegexStatus::NotFound) {
            std::fprintf(stderr, "\\$zzz\\w+ unexpectedly found\n");
            std::exit(1);
        }
    }));
    const TRegexPattern subs("^sub\\s+\\w+", {false, false, false});
    int count = 0;
    const TTimes counting = MedianMilliseconds(runs, [&] {
        TRegexSearch search(subs, text);
        count = 0;
        for (TRegexResult result = search.Forward(0); result.Found(); result = search.After(result.Match))
            ++count;
    });
    std::printf("^sub\\s+\\w+ matches: %d\n", count);
    Report("expression ^sub\\s+\\w+ (count all)", "search.regex_count_sub", counting);
    return 0;
}
