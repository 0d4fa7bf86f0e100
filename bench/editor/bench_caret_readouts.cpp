// Cost per caret move of what follows the caret: the bracket pair found through the Perl
// tokenizer, and the status bar's character readout, on a 1,000,000-line script. Caret places:
// every column of 2,000 rows in the middle (most moves), and only the places by a bracket (the
// moves that search).
// Run: bench_caret_readouts [SCRIPT]
#include "common/HighlightedScript.h"
#include "editor/CharacterReadout.h"
#include "editor/Editor.h"
#include "model/BracketMatch.h"
#include "text/EditorScreenStrings.h"
#include "text/EditorStrings.h"

#include <QApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

using namespace brenvik;
using Clock = std::chrono::steady_clock;

namespace {

struct TStats {
    double Mean = 0;
    double Median = 0;
    double P99 = 0;
    double Worst = 0;
};

TStats Stats(std::vector<double> micros)
{
    if (micros.empty())
        return {};
    std::sort(micros.begin(), micros.end());
    double sum = 0;
    for (double m : micros)
        sum += m;
    return {sum / double(micros.size()), micros[micros.size() / 2], micros[micros.size() * 99 / 100], micros.back()};
}

void Print(const char* name, const TStats& stats, size_t count)
{
    std::printf("  %-30s mean %6.2f us  median %6.2f us  99%% %7.2f us  worst %8.1f us  (%zu moves)\n", name,
        stats.Mean, stats.Median, stats.P99, stats.Worst, count);
}

bool ByBracket(std::string_view row, int byte)
{
    const auto bracket = [&row](int i) { return i >= 0 && i < int(row.size()) && std::string_view("()[]{}").find(row[size_t(i)]) != std::string_view::npos; };
    return bracket(byte) || bracket(byte - 1);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const char* script = argc > 1 ? argv[1] : BRENVIK_BENCH_SCRIPT;
    bench::THighlightedScript loaded(script);
    TEditor& editor = loaded.Editor;
    std::printf("%d rows\n", editor.RowCount());

    TBracketMatch match(editor.Model(), loaded.Perl());
    std::vector<double> all, onBracket, readout;
    int pairs = 0;
    const int first = editor.RowCount() / 2;
    // The rows in view have their states, as after the view was painted there.
    editor.SetTopRow(first);
    editor.ListRows().Rescan(first, false);
    for (int row = first; row < first + 2000; ++row) {
        const int width = editor.RowWidth(row);
        for (int col = 0; col <= width; ++col) {
            const TEditorPos caret {row, col};
            auto start = Clock::now();
            const bool found = match.At(caret).has_value();
            const double micros = std::chrono::duration<double, std::micro>(Clock::now() - start).count();
            pairs += found;
            all.push_back(micros);
            if (ByBracket(editor.RowText(row), editor.CharIndexAt(row, col)))
                onBracket.push_back(micros);
            start = Clock::now();
            const QString text = CharacterReadout(editor.RowText(row), editor.CharIndexAt(row, col), editor.DocumentChars(), false);
            readout.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
            if (text.size() > 100)
                std::printf("?");
        }
    }
    std::printf("bracket pairs found: %d\n", pairs);
    Print("bracket pair, every caret place", Stats(all), all.size());
    Print("bracket pair, by a bracket", Stats(onBracket), onBracket.size());
    Print("character readout", Stats(readout), readout.size());
    std::printf("result\tcaret.bracket\t%.2f\tus\n", Stats(all).Mean);
    std::printf("result\tcaret.bracket.on\t%.2f\tus\n", Stats(onBracket).Mean);
    std::printf("result\tcaret.readout\t%.2f\tus\n", Stats(readout).Mean);
    return 0;
}
