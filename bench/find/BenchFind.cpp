// Find and replace on the 1,000,000-line script through the window's own commands, with the
// dialogs answered at once: replace-all of about 100,000 matches (pattern and replacement of
// different lengths, Japanese in the replacement), and a find next that finds nothing.
//
//   bench_find [SCRIPT] [REPEATS]
#include "common/WindowBenchSetup.h"

#include "app/FindCommands.h"
#include "app/FindDialog.h"
#include "app/UserPrompts.h"
#include "app/frmMain.h"
#include "editor/Editor.h"

#include <QAction>
#include <cstdio>
#include <ctime>

namespace {

using namespace brenvik;

// The processor time of this thread: on a shared machine it tells the work from the waiting.
double ThreadCpuMs()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

class TAnsweredPrompts : public TDialogPrompts {
public:
    TFindRequest Request;
    bool RunFind(QWidget*, const std::string&, const TDocumentChars&, TFindRequest& request) override
    {
        request = Request;
        return true;
    }
    bool RunReplace(QWidget*, const std::string&, const TDocumentChars&, TFindRequest& request) override
    {
        request = Request;
        return true;
    }
    TAnswer AskReplace(QWidget*, const QString&, const QRect&, int) override { return TAnswer::All; }
};

} // namespace

int main(int argc, char** argv)
{
    bench::TWindowBenchSetup setup(argc, argv);
    const QString script = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(BRENVIK_BENCH_SCRIPT);
    const int repeats = argc > 2 ? std::atoi(argv[2]) : 5;
    TAnsweredPrompts prompts;
    TfrmMain window(&prompts);
    window.resize(1000, 700);
    window.show();
    QApplication::processEvents();
    if (!window.LoadFile(script)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(script));
        return 1;
    }

    // "$msg" -> "$本文" (Shift_JIS), forward from the start, no confirmation.
    prompts.Request = {"$msg", "$\x96\x7B\x95\xB6", TSearchFlags::Down | TSearchFlags::ReplaceAll};
    QString replaced;
    std::vector<double> times;
    std::vector<double> cpuTimes;
    for (int i = 0; i < repeats; ++i) {
        window.Editor().Undo(); // back to the text as loaded (nothing to undo the first time)
        window.Editor().SetSelStart(0);
        QApplication::processEvents();
        const double cpuBefore = ThreadCpuMs();
        times.push_back(bench::MedianMs(1, [&] {
            window.Action(QStringLiteral("actReplace"))->trigger();
            QApplication::processEvents();
        }));
        cpuTimes.push_back(ThreadCpuMs() - cpuBefore);
        replaced = window.StatusPanelText(5);
    }
    std::sort(times.begin(), times.end());
    std::sort(cpuTimes.begin(), cpuTimes.end());
    const double replaceAll = times[times.size() / 2];
    std::printf("replace-all: %s %.1f ms (median of %d; processor time %.1f ms)\n", qPrintable(replaced), replaceAll,
        repeats, cpuTimes[cpuTimes.size() / 2]);
    std::printf("result\tfind.replace_all\t%.1f\tms\n", replaceAll);

    prompts.Request = {"no such text", {}, TSearchFlags::Down};
    window.Editor().SetSelStart(0);
    window.Action(QStringLiteral("actFind"))->trigger(); // keeps the joined text
    const double miss = bench::MedianMs(repeats * 4, [&] {
        window.Editor().SetSelStart(0);
        window.FindCommands().FindNext();
    });
    std::printf("find next, nothing found: %.1f ms (median of %d)\n", miss, repeats * 4);
    std::printf("result\tfind.next_miss\t%.1f\tms\n", miss);
    return 0;
}
