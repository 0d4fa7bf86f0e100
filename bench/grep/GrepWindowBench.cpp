// Grep in the window over a folder: the time from the start to the first hit in the panel and to the end,
// and the longest stretch the event loop was busy without waiting (a stall the user would feel).
// Usage: bench_grep_window FOLDER PATTERN [REPEATS]
#include "common/WindowBenchSetup.h"

#include "app/GrepCommands.h"
#include "app/GrepPanel.h"
#include "app/frmMain.h"
#include "grep/MakeGrepMatcher.h"
#include "jcode/SjisUnicode.h"

#include <QAbstractEventDispatcher>
#include <QTest>

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
    request.Settings.Walk.Globs = {};

    QElapsedTimer clock;
    qint64 busySince = -1;
    qint64 longestBusy = 0;
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    QObject::connect(dispatcher, &QAbstractEventDispatcher::awake, [&] { busySince = clock.nsecsElapsed(); });
    QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, [&] {
        if (busySince >= 0)
            longestBusy = std::max(longestBusy, clock.nsecsElapsed() - busySince);
        busySince = -1;
    });
    for (int run = 0; run < repeats; ++run) {
        qint64 first = -1;
        TGrepHitModel& hits = window.Grep().Panel().Hits();
        const QMetaObject::Connection watch = QObject::connect(&hits, &QAbstractItemModel::rowsInserted, [&] {
            if (first < 0)
                first = clock.nsecsElapsed();
        });
        longestBusy = 0;
        clock.start();
        window.Grep().Start(request);
        while (window.Grep().Running())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        const qint64 total = clock.nsecsElapsed();
        QObject::disconnect(watch);
        std::printf("run %d: first hit %.1f ms, all %.1f ms (%d rows), longest event-loop stall %.1f ms\n", run + 1,
            first / 1e6, total / 1e6, hits.rowCount(), longestBusy / 1e6);
    }
    return 0;
}
