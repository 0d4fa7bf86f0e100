// The syntax check from the main window: the longest stall of the event loop while "構文チェック"
// runs on a script, the time from the command to the panel's result beside perl's own time for
// "perl -c" of the same text, and 10,000 error lines parsed into the panel:
//   bench_run SCRIPT [REPEATS]
#include "app/ScriptRunCommands.h"
#include "app/ScriptRunPanel.h"
#include "app/frmMain.h"
#include "common/WindowBenchSetup.h"
#include "perlrun/PerlCommand.h"
#include "perlrun/PerlMessages.h"

#include <QAction>
#include <QElapsedTimer>
#include <QProcess>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>
#include <cstdio>

using namespace brenvik;

namespace {

struct TCheckTimes {
    double ToPanel = 0;      // the command to the panel's summary
    double LongestStall = 0; // the longest gap between two turns of the event loop meanwhile
};

TCheckTimes TimeCheck(TfrmMain& window)
{
    TScriptRunCommands& commands = window.ScriptRun();
    QElapsedTimer clock;
    qint64 last = 0;
    TCheckTimes times;
    // A timer of 0 ms runs on every turn of the loop: a gap between two runs is a stall.
    QTimer probe;
    probe.setInterval(0);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        times.LongestStall = std::max(times.LongestStall, double(now - last) / 1e6);
        last = now;
    });
    probe.start();
    clock.start();
    // The command as the key runs it: through the action, in the event loop.
    QTimer::singleShot(0, &window, [&] { window.Action(QStringLiteral("actSyntaxCheck"))->trigger(); });
    QEventLoop loop;
    QObject::connect(&commands.Run(), &TScriptRun::Finished, &loop, [&] {
        // The panel is filled by the same signal, before this queued quit runs.
        QTimer::singleShot(0, &loop, &QEventLoop::quit);
    });
    loop.exec();
    times.ToPanel = double(clock.nsecsElapsed()) / 1e6;
    probe.stop();
    return times;
}

// perl -c of the script itself, as a user would run it in a terminal.
double PerlOwnMs(const QString& script)
{
    const TPerlLocation perl = FindPerl({}, qEnvironmentVariable("PATH"));
    QElapsedTimer clock;
    clock.start();
    QProcess process;
    process.start(perl.Program, {QStringLiteral("-c"), script});
    process.waitForFinished(-1);
    return double(clock.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    bench::TWindowBenchSetup setup(argc, argv, "bench_run", 5);
    if (!setup.Valid())
        return 2;
    TfrmMain window;
    window.show();
    if (!window.LoadFile(setup.Script()))
        return 1;

    // The one step of the check on the window's thread that grows with the script: taking its
    // text; beside it, a plain copy of as many bytes, to read the figure against the machine's load.
    const TScriptTextCopy text = window.Document().CopyText();
    std::printf("result\trun.copy_text\t%.1f\tms (%zu bytes)\n", bench::MedianMs(setup.Repeats(), [&] { (void)window.Document().CopyText(); }),
        text.TextBytes());
    std::vector<double> toPanel, stalls, own;
    for (int i = 0; i < setup.Repeats(); ++i) {
        own.push_back(PerlOwnMs(setup.Script()));
        const TCheckTimes times = TimeCheck(window);
        toPanel.push_back(times.ToPanel);
        stalls.push_back(times.LongestStall);
    }
    const auto median = [](std::vector<double> values) {
        std::sort(values.begin(), values.end());
        return values[values.size() / 2];
    };
    std::printf("check of %s: %s\n", qPrintable(setup.Script()), qPrintable(window.StatusPanelText(5)));
    std::printf("result\trun.check_to_panel\t%.1f\tms\n", median(toPanel));
    std::printf("result\trun.perl_own\t%.1f\tms\n", median(own));
    std::printf("result\trun.check_overhead\t%.1f\tms\n", median(toPanel) - median(own));
    std::printf("result\trun.longest_stall\t%.1f\tms (worst of %d: %.1f)\n", median(stalls), setup.Repeats(),
        *std::max_element(stalls.begin(), stalls.end()));

    // 10,000 messages, each with its line, parsed and put in the panel's list.
    QByteArray errors;
    for (int line = 1; line <= 10000; ++line)
        errors += "syntax error at /tmp/brenvik-run-x/bbs.cgi line " + QByteArray::number(line) + ", near \"}\"\n";
    errors += "/tmp/brenvik-run-x/bbs.cgi had compilation errors.\n";
    const TMessageSource source {QByteArrayLiteral("/tmp/brenvik-run-x/bbs.cgi"), QStringLiteral("bbs.cgi"), jcSjis, nullptr};
    const double parse = bench::MedianMs(setup.Repeats(), [&] {
        window.ScriptRun().Panel().ShowCheck(ParseCheckMessages(errors, source, 255), {});
    });
    std::printf("result\trun.parse_10000_into_panel\t%.1f\tms (%d rows)\n", parse,
        window.ScriptRun().Panel().lstMessages->topLevelItemCount());
    return 0;
}
