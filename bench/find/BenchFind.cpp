// Find and replace on the 1,000,000-line script through the window's own commands, with the
// dialogs answered at once: replace-all of about 100,000 matches (pattern and replacement of
// different lengths, Japanese in the replacement), the same as an expression (\$msg\b), and a find
// next that finds nothing.
//
//   bench_find [SCRIPT] [REPEATS]
#include "common/WindowBenchSetup.h"

#include "app/FindCommands.h"
#include "app/FindDialog.h"
#include "app/UserPrompts.h"
#include "app/frmMain.h"
#include "editor/Editor.h"
#include "text/EditorStrings.h"

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

    // "$msg" -> "$本文" (Shift_JIS), forward from the start, no confirmation; then as an expression.
    const std::string loaded = window.Editor().Lines().GetTextStr();
    const auto replaceAll = [&](const TFindRequest& request, const char* name, const char* measure) {
        prompts.Request = request;
        QString replaced;
        std::vector<double> times;
        std::vector<double> cpuTimes;
        for (int i = 0; i < repeats; ++i) {
            if (i > 0)
                window.Editor().Undo(); // back to the text as loaded: one step undoes the whole run
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
        window.Editor().Undo();
        if (window.Editor().Lines().GetTextStr() != loaded) {
            std::fprintf(stderr, "%s: one undo did not bring the loaded text back\n", name);
            std::exit(1);
        }
        std::sort(times.begin(), times.end());
        std::sort(cpuTimes.begin(), cpuTimes.end());
        const double median = times[times.size() / 2];
        std::printf("%s: %s %.1f ms (median of %d; processor time %.1f ms)\n", name, qPrintable(replaced), median,
            repeats, cpuTimes[cpuTimes.size() / 2]);
        std::printf("result\t%s\t%.1f\tms\n", measure, median);
    };
    const std::string body = "$\x96\x7B\x95\xB6";
    replaceAll({"$msg", body, TSearchFlags::Down | TSearchFlags::ReplaceAll}, "replace-all", "find.replace_all");
    replaceAll({"\\$msg\\b", body, TSearchFlags::Down | TSearchFlags::ReplaceAll | TSearchFlags::RegExp},
        "replace-all \\$msg\\b (expression)", "find.regex_replace_all");

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
