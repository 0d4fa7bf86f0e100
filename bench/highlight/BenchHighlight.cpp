// Times the Perl tokenizer over a whole script: the row states of a full rescan to the last row
// (with the fuller Perl grammar, as the program runs it, and with the simpler rules), and reading
// every token of every row as painting does.
// Usage: bench_highlight SCRIPT [REPEATS]
#include "highlight/CharClass.h"
#include "highlight/ConfiguredFountains.h"
#include "highlight/FountainParser.h"
#include "highlight/FountainRowStateScanner.h"
#include "highlight/PERLFountain.h"
#include "text/EditorScreenStrings.h"

#include <QCoreApplication>
#include <QFile>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

using namespace brenvik;

namespace {

using Clock = std::chrono::steady_clock;

// Processor time of this thread: on a machine shared with other work it is the steadier figure.
double CpuMilliseconds()
{
    timespec t {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

struct Timing {
    double Wall = 0;
    double Cpu = 0;
};

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

void LoadRows(const QByteArray& bytes, TEditorScreenStrings& rows)
{
    const std::string_view text(bytes.constData(), static_cast<size_t>(bytes.size()));
    rows.LoadLines([text](const TLineSink& sink) { ForEachLine(text, sink); }, EndsWithLineBreak(text));
}

// The median of the repeats: other work on a shared machine disturbs some of them.
template <typename Run> Timing Measure(int repeats, Run run)
{
    std::vector<double> wall, cpu;
    for (int i = 0; i < repeats; ++i) {
        const Clock::time_point start = Clock::now();
        const double cpuStart = CpuMilliseconds();
        run();
        cpu.push_back(CpuMilliseconds() - cpuStart);
        wall.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    return {Median(wall), Median(cpu)};
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s SCRIPT [REPEATS]\n", argv[0]);
        return 2;
    }
    const int repeats = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    const QByteArray bytes = file.readAll();
    TEditorScreenStrings rows;
    LoadRows(bytes, rows);

    TPERLFountain fountain;
    ConfigurePERLFountain(fountain);
    auto parser = fountain.CreateParser();

    long long checksum = 0;
    // A yardstick for this machine: one class-table lookup per byte of the script.
    const Timing bytes1 = Measure(repeats, [&] {
        for (const char c : bytes)
            checksum += charclass::Is(static_cast<unsigned char>(c), charclass::ccWord);
    });
    // What a rescan costs the row list alone: reading each row and storing its state.
    const Timing access = Measure(repeats, [&] {
        for (int row = 0; row < rows.Count(); ++row) {
            rows.SetRowState(row, RowTokenState::FirstRow());
            checksum += rows.RowAttribute(row) + static_cast<long long>(rows.Strings(row).size());
        }
    });
    // The row list's own pass, as a rescan from the first row runs it, to the last row.
    TFountainRowStateScanner scanner(fountain);
    const auto rescanWith = [&](TRowStateScanner& rowScanner) {
        return Measure(repeats, [&] {
            rows.Contexts().Clear();
            checksum += rows.ScanRowStates(rowScanner, 0, rows.Count() - 1, RowTokenState::FirstRow()).Element;
        });
    };
    TPERLFountain original;
    ConfigurePERLFountain(original);
    original.SetPerlGrammar(false);
    TFountainRowStateScanner originalScanner(original);
    const Timing rescanOriginal = rescanWith(originalScanner);
    const Timing rescan = rescanWith(scanner);

    long long tokens = 0;
    const Timing paint = Measure(repeats, [&] {
        tokens = 0;
        parser->UseContexts(rows.Contexts());
        for (int row = 0; row < rows.Count(); ++row) {
            parser->BeginRow(rows.Strings(row), rows.RowState(row));
            while (parser->ReadToken() != 0) {
                checksum += parser->TokenColor() != nullptr;
                ++tokens;
            }
        }
    });

    std::printf("%d rows, %lld bytes, %lld tokens (checksum %lld), median of %d\n", rows.Count(),
        static_cast<long long>(bytes.size()), tokens, checksum, repeats);
    std::printf("one table lookup per byte:             %8.1f ms wall, %8.1f ms processor\n", bytes1.Wall,
        bytes1.Cpu);
    std::printf("row list access alone:                 %8.1f ms wall, %8.1f ms processor\n", access.Wall,
        access.Cpu);
    std::printf("row states of every row (full rescan): %8.1f ms wall, %8.1f ms processor\n", rescan.Wall,
        rescan.Cpu);
    std::printf("the same with the simpler Perl rules:   %8.1f ms wall, %8.1f ms processor\n",
        rescanOriginal.Wall, rescanOriginal.Cpu);
    std::printf(
        "every token of every row with colour:  %8.1f ms wall, %8.1f ms processor\n", paint.Wall, paint.Cpu);
    // The processor time of the scanning thread: wall time on a shared machine counts the others.
    std::printf("result\thighlight.rescan\t%.1f\tms\n", rescan.Cpu);
    std::printf("result\thighlight.rescan_original\t%.1f\tms\n", rescanOriginal.Cpu);
    std::printf("result\thighlight.grammar_ratio\t%.2f\tratio\n", rescan.Cpu / rescanOriginal.Cpu);
    return 0;
}
