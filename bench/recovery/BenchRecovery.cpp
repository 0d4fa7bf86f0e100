// The recovery file's cost to the user on a large script, in the main window:
//   bench_recovery SCRIPT [ROUNDS]
// 1. typing, Enter and undo with recovery off and on (alternating rounds; "on" writes every
//    100 ms of typing, far more often than the 2 s and 30 s of the program, so writes overlap
//    the keystrokes), after the first hand-over, which has no spare to copy into; 2. the snapshot
//    and hand-over the window's thread does before the writer takes the text; 3. the longest stall of the event loop while a key is typed every millisecond for
//    ten seconds and the writer writes.
#include "app/RecoveryKeeper.h"
#include "app/frmMain.h"
#include "common/WindowBenchSetup.h"
#include "editor/Editor.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

using namespace brenvik;

namespace {

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// This thread's processor time in milliseconds: what it did, without the time it waited for a core.
double ThreadCpuMs()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

double Micros(const QElapsedTimer& timer)
{
    return timer.nsecsElapsed() / 1e3;
}

struct TEditTimes {
    std::vector<double> Type, Enter, Undo;
};

// An edit and its undo at 200 places around the middle, the event loop run after each so that
// the recovery timers fire between keystrokes as they would for a user.
void TimeEdits(TEditor& editor, TEditTimes& times)
{
    const int middle = editor.RowCount() / 2;
    const auto timed = [](const std::function<void()>& work) {
        QElapsedTimer timer;
        timer.start();
        work();
        const double micros = Micros(timer);
        QCoreApplication::processEvents();
        return micros;
    };
    for (int i = 0; i < 200; ++i) {
        editor.SetRowCol(middle + i * 7, 3);
        times.Type.push_back(timed([&] { editor.TypeText("x"); }));
        times.Undo.push_back(timed([&] { editor.Undo(); }));
        times.Enter.push_back(timed([&] { editor.Enter(); }));
        editor.Undo();
    }
}

} // namespace

int main(int argc, char** argv)
{
    bench::TWindowBenchSetup setup(argc, argv, "bench_recovery", 3);
    if (!setup.Valid())
        return 2;
    qputenv("XDG_STATE_HOME", (QFileInfo(setup.Script()).absolutePath() + QStringLiteral("/recovery-bench")).toLocal8Bit());
    TfrmMain window;
    window.show();
    if (!window.LoadFile(setup.Script()))
        return 1;
    TEditor& editor = window.Editor();
    TRecoveryKeeper& keeper = window.Recovery();
    std::printf("%d rows\n", editor.RowCount());
    {
        // The first hand-over after the open: no spare to copy into yet, the memory made ready by
        // the writer during the 2 s the program waits after the edit.
        editor.TypeText("x");
        keeper.Writer().WaitIdle();
        QElapsedTimer timer;
        timer.start();
        const double cpu = ThreadCpuMs();
        keeper.WriteNow();
        std::printf("first hand-over (no spare yet): %.2f ms, processor time %.2f ms\n", Micros(timer) / 1000,
            ThreadCpuMs() - cpu);
        keeper.Writer().WaitIdle();
        editor.Undo();
    }

    // 1. Edits with recovery off and on, alternating.
    TEditTimes off, on;
    for (int round = 0; round < setup.Repeats(); ++round) {
        keeper.SetTiming(false, 2000, 30000);
        TimeEdits(editor, off);
        keeper.SetTiming(true, 100, 100);
        const int before = keeper.Writer().Written();
        TimeEdits(editor, on);
        keeper.Writer().WaitIdle();
        std::printf("round %d: %d recovery writes during the edits with recovery on\n", round + 1,
            keeper.Writer().Written() - before);
    }
    std::printf("  %-20s %8s %8s (median, us)\n", "", "off", "on");
    std::printf("  %-20s %8.1f %8.1f\n", "type one character", Median(off.Type), Median(on.Type));
    std::printf("  %-20s %8.1f %8.1f\n", "Enter", Median(off.Enter), Median(on.Enter));
    std::printf("  %-20s %8.1f %8.1f\n", "undo", Median(off.Undo), Median(on.Undo));
    std::printf("result\trecovery.type.off\t%.2f\tus\nresult\trecovery.type.on\t%.2f\tus\n", Median(off.Type), Median(on.Type));
    std::printf("result\trecovery.enter.off\t%.2f\tus\nresult\trecovery.enter.on\t%.2f\tus\n", Median(off.Enter), Median(on.Enter));
    std::printf("result\trecovery.undo.off\t%.2f\tus\nresult\trecovery.undo.on\t%.2f\tus\n", Median(off.Undo), Median(on.Undo));

    // 2. The hand-over as the keeper's timer does it: the snapshot (copied into the spare the writer
    // gave back), the header and the queue; after each one the writer writes it out.
    std::vector<double> handOvers, handOverCpu;
    for (int i = 0; i < 20; ++i) {
        editor.TypeText("x");
        QElapsedTimer timer;
        timer.start();
        const double cpu = ThreadCpuMs();
        keeper.WriteNow();
        handOverCpu.push_back(ThreadCpuMs() - cpu);
        handOvers.push_back(Micros(timer) / 1000);
        keeper.Writer().WaitIdle();
    }
    const double handOverMax = *std::max_element(handOvers.begin(), handOvers.end());
    const double handOverCpuMax = *std::max_element(handOverCpu.begin(), handOverCpu.end());
    std::printf("hand-over to the writer (snapshot included): median %.2f ms, max %.2f ms; processor time median "
                "%.2f ms, max %.2f ms\n",
        Median(handOvers), handOverMax, Median(handOverCpu), handOverCpuMax);
    std::printf("result\trecovery.handover\t%.2f\tms\nresult\trecovery.handover.max\t%.2f\tms\n", Median(handOvers), handOverMax);
    std::printf("result\trecovery.handover_cpu.max\t%.2f\tms\n", handOverCpuMax);

    // 3. A key every millisecond for ten seconds, without recovery and then with a write every 250 ms:
    // the gaps between keystrokes, whatever ran between them (the keeper's timer, snapshot and
    // hand-over included), in wall time and in this thread's processor time. The run without
    // recovery shows what the machine itself adds; the processor time leaves out the waits for a core.
    const auto typeForTenSeconds = [&](bool recovery) {
        keeper.SetTiming(recovery, 250, 250);
        editor.SetRowCol(editor.RowCount() / 2, 0);
        const int writesBefore = keeper.Writer().Written();
        std::vector<double> gaps, cpuGaps;
        double lastCpu = 0;
        QElapsedTimer clock;
        QTimer ticker;
        ticker.setInterval(1);
        qint64 lastTick = -1;
        int typed = 0;
        QObject::connect(&ticker, &QTimer::timeout, [&] {
            const qint64 now = clock.nsecsElapsed();
            const double cpu = ThreadCpuMs();
            if (lastTick >= 0) {
                gaps.push_back((now - lastTick) / 1e6);
                cpuGaps.push_back(cpu - lastCpu);
            }
            // Lines of 60 characters, as a user types them: one line growing for ten seconds would
            // time the rewrap of a line thousands of characters long.
            if (++typed % 61 == 0)
                editor.Enter();
            else
                editor.TypeText("y");
            lastTick = clock.nsecsElapsed();
            lastCpu = ThreadCpuMs();
        });
        clock.start();
        ticker.start();
        while (clock.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        ticker.stop();
        keeper.Writer().WaitIdle();
        std::sort(gaps.begin(), gaps.end());
        std::sort(cpuGaps.begin(), cpuGaps.end());
        const auto over5 = gaps.end() - std::upper_bound(gaps.begin(), gaps.end(), 5.0);
        std::printf("typing every 1 ms for 10 s, recovery %s: %d writes, %zu keystrokes, gaps over 5 ms: %td, "
                    "99.9th percentile %.2f ms, longest %.2f ms\n",
            recovery ? "on" : "off", keeper.Writer().Written() - writesBefore, gaps.size() + 1, over5,
            gaps[gaps.size() * 999 / 1000], gaps.back());
        std::printf("  the window thread's own processor time between two keystrokes: longest %.2f ms, 99.9th percentile %.2f ms\n",
            cpuGaps.back(), cpuGaps[cpuGaps.size() * 999 / 1000]);
        std::printf("result\trecovery.stall.%s.max\t%.2f\tms\n", recovery ? "on" : "off", gaps.back());
        std::printf("result\trecovery.stall_cpu.%s.max\t%.2f\tms\n", recovery ? "on" : "off", cpuGaps.back());
    };
    typeForTenSeconds(false);
    typeForTenSeconds(true);
    keeper.Discard();
    keeper.Writer().WaitIdle();
    return 0;
}
