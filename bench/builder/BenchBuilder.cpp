// The builder and the line tools on the 1,000,000-line script, and the phrase menu of a large
// phrase tree, through the windows' own commands:
//   bench_builder SCRIPT [REPEATS]
// Each timed command is undone (untimed) before the next repeat; the undo must restore the
// text in one step.
#include "app/PhraseMenu.h"
#include "app/frmMain.h"
#include "app/frmPrint.h"
#include "common/WindowBenchSetup.h"
#include "editor/Editor.h"
#include "text/EditorStrings.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

using namespace brenvik;

namespace {

// Wall and CPU time of one call, in ms: on a machine shared with other builds the CPU time
// shows what the work itself costs.
struct TTiming {
    double Wall = 0;
    double Cpu = 0;
};

double CpuMs()
{
    timespec now {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

template <typename Work> TTiming Time(Work&& work)
{
    QElapsedTimer timer;
    const double cpu = CpuMs();
    timer.start();
    work();
    return {double(timer.nsecsElapsed()) / 1e6, CpuMs() - cpu};
}

TTiming Median(std::vector<TTiming> times)
{
    const auto middle = times.begin() + std::ptrdiff_t(times.size() / 2);
    std::nth_element(times.begin(), middle, times.end(), [](auto& a, auto& b) { return a.Wall < b.Wall; });
    TTiming median {middle->Wall, 0};
    std::nth_element(times.begin(), middle, times.end(), [](auto& a, auto& b) { return a.Cpu < b.Cpu; });
    median.Cpu = middle->Cpu;
    return median;
}

// Median times of command, each run followed by one undo that must restore the text's length.
template <typename Command>
TTiming MedianUndone(TEditor& editor, int repeats, Command&& command, bool& restored)
{
    std::vector<TTiming> times;
    const qint64 length = editor.TextLength();
    for (int i = 0; i < repeats; ++i) {
        times.push_back(Time(command));
        editor.Undo();
        restored = restored && editor.TextLength() == length;
    }
    return Median(times);
}

void Report(const char* what, const char* measure, TTiming timing)
{
    std::printf("%s: %.2f ms (CPU %.2f ms)\n", what, timing.Wall, timing.Cpu);
    std::printf("result\t%s\t%.2f\tms\n", measure, timing.Wall);
}

} // namespace

int main(int argc, char** argv)
{
    bench::TWindowBenchSetup setup(argc, argv, "bench_builder", 7);
    if (!setup.Valid())
        return 2;
    const int repeats = setup.Repeats();

    TfrmMain window;
    window.show();
    TEditor& editor = window.Editor();
    if (!window.LoadFile(setup.Script()))
        return 1;
    bool restored = true;

    // 10,000 builder lines into the middle of the script.
    std::string typed;
    for (int i = 0; i < 10000; ++i)
        typed += "<tr><td>$name</td><td class=\"n\">" + std::to_string(i) + "</td></tr>\r\n";
    window.Builder().Editor().Lines().SetTextStr(typed);
    const int middle = editor.RowCount() / 2;
    editor.SetRowCol(middle, 0);
    Report("insert 10,000 builder lines", "builder.insert",
        MedianUndone(
            editor, repeats, [&] { window.Builder().Insert(); }, restored));

    // 100,000 selected lines indented and commented.
    const auto selectLines = [&] {
        editor.SetRowCol(middle, 0);
        editor.StartSelection();
        editor.SetRowCol(middle + 100000, 0);
        editor.ExtendSelection();
        // The commands are enabled at idle when there is a selection, as for the user.
        window.IdleUpdate();
    };
    Report("indent 100,000 lines", "builder.indent",
        MedianUndone(
            editor, repeats,
            [&] {
                selectLines();
                window.Action(QStringLiteral("actToolIndent"))->trigger();
            },
            restored));
    Report("comment 100,000 lines", "builder.comment",
        MedianUndone(
            editor, repeats,
            [&] {
                selectLines();
                window.Action(QStringLiteral("actToolComment"))->trigger();
            },
            restored));

    // A phrase tree of 2,000 files in 100 folders.
    QTemporaryDir tree;
    for (int folder = 0; folder < 100; ++folder) {
        const QString path = tree.filePath(QStringLiteral("folder%1").arg(folder));
        QDir().mkpath(path);
        for (int file = 0; file < 20; ++file)
            QFile(path + QStringLiteral("/phrase%1.txt").arg(file)).open(QIODevice::WriteOnly);
    }
    QMenu menu;
    QAction update(QStringLiteral("更新"));
    std::vector<TTiming> menuTimes;
    for (int i = 0; i < repeats; ++i)
        menuTimes.push_back(
            Time([&] { RebuildPhraseMenu(menu, &update, tree.path(), [](const QString&) {}); }));
    Report("phrase menu of 2,000 files in 100 folders", "builder.phrase_menu", Median(menuTimes));

    if (!restored) {
        std::fprintf(stderr, "an undo did not restore the text in one step\n");
        return 1;
    }
    return 0;
}
