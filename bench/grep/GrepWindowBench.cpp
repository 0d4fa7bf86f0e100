// Grep in the window over a folder: the time from the start to the first hit in the panel and to the end,
// the longest gap between the ticks of a 1 ms timer (a stall the user would feel), and how soon a cancel
// ends a run.
// Usage: bench_grep_window FOLDER PATTERN [REPEATS]
#include "common/WindowBenchSetup.h"

#include "app/GrepCommands.h"
#include "app/GrepPanel.h"
#include "app/frmMain.h"
#include "grep/MakeGrepMatcher.h"
#include "jcode/SjisUnicode.h"

#include <QTimer>

using namespace brenvik;

int main(int argc, char** argv)
{
    bench::TWindowBenchSetup setup(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_grep_window FOLDER PATTERN [REPEATS]\n");
        return 2;
    }
    const int repeats = argc > 3 ? std::max(1, std::atoi(argv[3])) : 3;
    TfrmMain window;
    window.show();
    TGrepRequest request;
    request.Pattern = QString::fromLocal8Bit(argv[2]);
    request.SjisPattern = *UnicodeToSjis(request.Pattern);
    request.Folder = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
    request.Flags = TSearchFlags::MatchCase;
    std::string error;
    request.Matcher = MakeGrepMatcher(request.SjisPattern, request.Flags, false, error);
    request.Settings.Background = true;

    // A timer due every millisecond: the longest gap between its ticks is the longest time the event loop
    // could not serve the user.
    QElapsedTimer clock;
    qint64 lastTick = 0;
    qint64 longestBusy = 0;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    ticker.setInterval(1);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        longestBusy = std::max(longestBusy, now - lastTick);
        lastTick = now;
    });
    // The same timer over a second without a grep: what the machine alone makes of it.
    clock.start();
    lastTick = 0;
    longestBusy = 0;
    ticker.start();
    while (clock.elapsed() < 1000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    ticker.stop();
    std::printf("idle: longest gap between ticks %.1f ms\n", longestBusy / 1e6);
    for (int run = 0; run < repeats; ++run) {
        qint64 first = -1;
        TGrepHitModel& hits = window.Grep().Panel().Hits();
        const QMetaObject::Connection watch = QObject::connect(&hits, &QAbstractItemModel::rowsInserted, [&] {
            if (first < 0)
                first = clock.nsecsElapsed();
        });
        clock.start();
        lastTick = 0;
        longestBusy = 0;
        ticker.start();
        window.Grep().Start(request);
        while (window.Grep().Running())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        const qint64 total = clock.nsecsElapsed();
        ticker.stop();
        QObject::disconnect(watch);
        std::printf("run %d: first hit %.1f ms, all %.1f ms (%d rows), longest event-loop stall %.1f ms\n", run + 1,
            first / 1e6, total / 1e6, hits.rowCount(), longestBusy / 1e6);
    }
    // Cancel as soon as the first hit shows: the time until the panel says the run is over.
    for (int run = 0; run < repeats; ++run) {
        TGrepHitModel& hits = window.Grep().Panel().Hits();
        qint64 cancelled = -1;
        const QMetaObject::Connection watch = QObject::connect(&hits, &QAbstractItemModel::rowsInserted, [&] {
            if (cancelled < 0) {
                window.Grep().Cancel();
                cancelled = clock.nsecsElapsed();
            }
        });
        clock.start();
        window.Grep().Start(request);
        while (window.Grep().Running())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        QObject::disconnect(watch);
        std::printf("cancel %d: over %.1f ms after the cancel\n", run + 1, (clock.nsecsElapsed() - cancelled) / 1e6);
    }
    return 0;
}
