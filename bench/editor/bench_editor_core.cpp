// Timing of the editor's own operations on a 1,000,000-line script: typing, Enter,
// Backspace joining lines and their undo in the middle of the file, selecting and copying
// the whole text, and offset queries near its end, with the main window's Perl highlighting.
// Run: bench_editor_core [SCRIPT]
#include "common/HighlightedScript.h"
#include "editor/Editor.h"
#include "editor/EditorMessages.h"
#include "text/EditorScreenStrings.h"
#include "text/EditorStrings.h"
#include "text/EditorWrapOption.h"

#include <QApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

using namespace brenvik;
using Clock = std::chrono::steady_clock;

namespace {

double Micros(Clock::duration d)
{
    return std::chrono::duration<double, std::micro>(d).count();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Runs an operation and its undo at many places around the middle; prints both medians and
// returns the operation's and its undo's.
std::pair<double, double> TimeWithUndo(TEditor& editor, const char* name, const std::function<void()>& operation)
{
    std::vector<double> doTimes, undoTimes;
    const int middle = editor.RowCount() / 2;
    for (int i = 0; i < 200; ++i) {
        editor.SetRowCol(middle + i * 7, 3);
        auto start = Clock::now();
        operation();
        doTimes.push_back(Micros(Clock::now() - start));
        start = Clock::now();
        editor.Undo();
        undoTimes.push_back(Micros(Clock::now() - start));
    }
    std::printf("  %-28s %8.1f us   undo %8.1f us\n", name, Median(doTimes), Median(undoTimes));
    return {Median(doTimes), Median(undoTimes)};
}

void Result(const std::string& measure, bool wrap, double value, const char* unit)
{
    std::printf("result\t%s%s\t%.2f\t%s\n", measure.c_str(), wrap ? ".wrap" : "", value, unit);
}

void Run(TEditor& editor, bool wrap)
{
    std::printf("word wrap %s (%d rows)\n", wrap ? "on, WrapByte 80" : "off", editor.RowCount());
    const auto [type, undo] = TimeWithUndo(editor, "type one character", [&] { editor.TypeText("x"); });
    const double enter = TimeWithUndo(editor, "Enter", [&] { editor.Enter(); }).first;
    const double backspace = TimeWithUndo(editor, "Backspace joining two lines", [&] {
        editor.SetCol(0);
        editor.Backspace();
    }).first;
    Result("editor.type", wrap, type, "us");
    Result("editor.enter", wrap, enter, "us");
    Result("editor.backspace", wrap, backspace, "us");
    Result("editor.undo", wrap, undo, "us");

    std::vector<double> selectAll, selText;
    size_t bytes = 0;
    for (int i = 0; i < 5; ++i) {
        editor.SetRowCol(editor.RowCount() / 2, 0);
        editor.TypeText("z"); // the offsets are stale from the middle on, as after any edit
        auto start = Clock::now();
        editor.SelectAll();
        selectAll.push_back(Micros(Clock::now() - start));
        start = Clock::now();
        bytes = editor.SelText().size();
        selText.push_back(Micros(Clock::now() - start));
        editor.CancelSelection();
        editor.Undo();
    }
    std::printf("  %-28s %8.1f ms   SelText %.1f ms (%zu bytes)\n", "SelectAll", Median(selectAll) / 1000,
        Median(selText) / 1000, bytes);

    // An edit in the middle first, so that the queries near the end start from a stale cache.
    std::vector<double> queries;
    Clock::time_point start;
    for (int i = 0; i < 20; ++i) {
        editor.SetRowCol(editor.RowCount() / 2 + i, 0);
        editor.TypeText("y");
        start = Clock::now();
        const qint64 near = editor.TextLength() - 100 - i;
        editor.SetSelStart(near);
        editor.SetSelLength(50);
        volatile qint64 sink = editor.SelStart() + editor.SelLength();
        sink = editor.Perform(EM_LINEINDEX, editor.RowCount() - 3);
        (void)sink;
        queries.push_back(Micros(Clock::now() - start));
        editor.CancelSelection();
        editor.Undo();
    }
    std::printf("  %-28s %8.1f ms   (after an edit in the middle)\n", "SelStart/SelLength/LINEINDEX",
        Median(queries) / 1000);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const char* script = argc > 1 ? argv[1] : BRENVIK_BENCH_SCRIPT;
    bench::THighlightedScript loaded(script);
    TEditor& editor = loaded.Editor;
    Run(editor, false);
    editor.ListRows().WrapOption().SetWrapByte(80);
    editor.SetWordWrap(true);
    Run(editor, true);
    return 0;
}
