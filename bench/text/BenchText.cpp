// Timing of the row list on a large script: the open path's fill, one-line edit and undo, line
// numbers near the end, whole text, rescan, rewrap.
// Usage: bench_text SCRIPT. Times are the thread's CPU time.
#include "jcode/FileBytes.h"
#include "jcode/LineCodec.h"
#include "text/EditorStrings.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

using namespace brenvik;

// Thread CPU time: the machine is shared, so wall time would measure the neighbours too.
struct Clock {
    using duration = std::chrono::nanoseconds;
    using time_point = std::chrono::time_point<Clock, duration>;
    static time_point now()
    {
        timespec now {};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return time_point(duration(now.tv_sec * 1000000000LL + now.tv_nsec));
    }
};

namespace {

long StatusKilobytes(const char* key)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(key, 0) == 0)
            return std::stol(line.substr(std::string(key).size()));
    return 0;
}

double Microseconds(Clock::duration duration)
{
    return std::chrono::duration<double, std::micro>(duration).count();
}

double Median(std::vector<double> values)
{
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

// Counts double quotes: a row starts inside a string when an odd number came before it.
class QuoteScanner : public TRowStateScanner {
public:
    void AdvanceRowState(const TScanRow& row, RowTokenState& state) override
    {
        auto quotes = std::count(row.Text.begin(), row.Text.end(), '"');
        state.Element = (state.Element + static_cast<int>(quotes)) % 2;
    }
};

class BenchEditor : public TAttachedEditor {
public:
    bool Highlight = false;
    int CaretRow() const override { return 0; }
    int CaretCol() const override { return 0; }
    void SetCaretRow(int) override { }
    void SetCaretCol(int) override { }
    int TopRow() const override { return 0; }
    void SetTopRow(int) override { }
    void HideCaret() override { }
    void ShowCaret() override { }
    bool HasSelection() const override { return false; }
    void CancelSelection() override { }
    bool HasFocus() const override { return true; }
    void LinesChanged() override { }
    void Refresh() override { }
    void InvalidateRow(int) override { }
    bool IsLoading() const override { return false; }
    bool IsDestroying() const override { return false; }
    int TabSpaceCount() const override { return 8; }
    int ScreenHeight() const override { return 800; }
    int RowHeight() const override { return 16; }
    std::unique_ptr<TRowStateScanner> CreateRowStateScanner() override
    {
        return Highlight ? std::make_unique<QuoteScanner>() : nullptr;
    }
};

} // namespace

// Fills the editor from the file as opening it does: read whole, decoded line by line to Shift_JIS.
void Fill(TEditorStrings& lines, const std::string& path)
{
    const TFileBytes bytes = TFileBytes::Read(path);
    lines.LoadLines([&bytes](const TLineSink& sink) { DecodeFileTo(bytes.View(), std::nullopt, sink); },
        EndsWithLineBreak(bytes.View()));
}

void Result(const char* measure, double value, const char* unit)
{
    std::printf("result\t%s\t%.3f\t%s\n", measure, value, unit);
}

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_text SCRIPT\n");
        return 2;
    }
    const std::string path = argv[1];
    BenchEditor editor;
    auto rows = std::make_shared<TEditorScreenStrings>();
    rows->AddEditor(&editor);
    TEditorStrings lines(editor, rows);
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    auto fileSize = static_cast<double>(file.tellg());

    // The rows' memory: what stays after the first fill once the file's bytes are freed.
    long rssBefore = StatusKilobytes("VmRSS:");
    auto start = Clock::now();
    Fill(lines, path);
    double firstFill = Microseconds(Clock::now() - start) / 1000;
    double rowsRatio = (StatusKilobytes("VmRSS:") - rssBefore) * 1024.0 / fileSize;
    std::vector<double> fills;
    for (int i = 0; i < 5; ++i) {
        start = Clock::now();
        Fill(lines, path);
        fills.push_back(Microseconds(Clock::now() - start) / 1000);
    }
    std::printf("Fill from the decoded file: %d rows, first %.1f ms, median of 5 %.1f ms; rows take %.2fx the file "
                "(%.1f MB)\n",
        rows->Count(), firstFill, Median(fills), rowsRatio, fileSize / 1048576);
    Result("rows.fill", Median(fills), "ms");
    Result("rows.memory_ratio", rowsRatio, "ratio");

    std::vector<double> texts;
    std::size_t textSize = 0;
    for (int i = 0; i < 5; ++i) {
        start = Clock::now();
        textSize = lines.GetTextStr().size();
        texts.push_back(Microseconds(Clock::now() - start) / 1000);
    }
    std::printf("GetTextStr: %zu bytes, median of 5 %.1f ms\n", textSize, Median(texts));

    const int middle = rows->Count() / 2;
    const int nearEnd = rows->Count() - 10;
    std::vector<double> inserts;
    std::vector<double> undos;
    std::vector<double> lineOfRow;
    std::vector<double> rowOfLine;
    int sink = 0;
    for (int i = 0; i < 2000; ++i) {
        start = Clock::now();
        rows->ReplaceRows(middle, 0, "my $inserted = \"\x93\xFA\x96\x7B\x8C\xEA\";\r\n");
        inserts.push_back(Microseconds(Clock::now() - start));
        start = Clock::now();
        rows->Undo();
        undos.push_back(Microseconds(Clock::now() - start));
        // The status bar after an edit: the first question after a change pays for the recount.
        start = Clock::now();
        sink += rows->LineOfRow(nearEnd);
        lineOfRow.push_back(Microseconds(Clock::now() - start));
        start = Clock::now();
        sink += rows->RowOfLine(nearEnd);
        rowOfLine.push_back(Microseconds(Clock::now() - start));
    }
    std::printf("ReplaceRows one line in the middle: median %.2f us; Undo: median %.2f us (2000 runs)\n",
        Median(inserts), Median(undos));
    std::printf("After each edit, LineOfRow near the end: median %.2f us, max %.2f us; RowOfLine: median %.2f us "
                "(checksum %d)\n",
        Median(lineOfRow), *std::max_element(lineOfRow.begin(), lineOfRow.end()), Median(rowOfLine), sink);
    Result("rows.replace_middle", Median(inserts), "us");
    Result("rows.undo_middle", Median(undos), "us");
    Result("rows.line_of_row_end", Median(lineOfRow), "us");

    // Typing one character in the middle with highlighting: the rescan stops at the first
    // unchanged row (a letter) or runs two screens ahead (a quote).
    editor.Highlight = true;
    rows->RescanAll();
    for (int row = 0; row <= middle + 1; row += 1000)
        rows->Rescan(row, false); // computed up to the middle, as painting would have done
    for (const char* typed : {"x", "\""}) {
        std::vector<double> typings;
        for (int i = 0; i < 200; ++i) {
            std::string text(rows->Strings(middle));
            text.insert(0, typed);
            text += "\r\n";
            start = Clock::now();
            rows->ReplaceRows(middle, 1, text);
            typings.push_back(Microseconds(Clock::now() - start));
            rows->Undo();
        }
        std::printf(
            "Typing %s in the middle with rescan: median %.2f us (200 runs)\n", typed, Median(typings));
    }
    editor.Highlight = false;

    rows->SetWordWrap(true); // wraps at the default 80 columns
    std::vector<double> rewraps;
    for (int i = 0; i < 3; ++i) {
        start = Clock::now();
        rows->RewrapAll();
        rewraps.push_back(Microseconds(Clock::now() - start) / 1000);
    }
    std::printf("RewrapAll at WrapByte %d: %d rows, median of 3 %.1f ms\n", rows->WrapOption().WrapByte(),
        rows->Count(), Median(rewraps));
    std::vector<double> wrappedFills;
    for (int i = 0; i < 3; ++i) {
        start = Clock::now();
        Fill(lines, path);
        wrappedFills.push_back(Microseconds(Clock::now() - start) / 1000);
    }
    start = Clock::now();
    int line = rows->LineOfRow(rows->Count() - 10);
    double wrappedLineOfRow = Microseconds(Clock::now() - start);
    std::printf("Fill wrapped at WrapByte %d: %d rows, median of 3 %.1f ms; LineOfRow near the end %.2f us "
                "(line %d of %d)\n",
        rows->WrapOption().WrapByte(), rows->Count(), Median(wrappedFills), wrappedLineOfRow, line,
        rows->LineCount());
    return 0;
}
