// The window harness: waits for paints through an event filter on the viewport, reads memory from /proc.
#include "WindowBench.h"

#include "BenchProbe.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QImage>
#include <QKeyEvent>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <vector>

namespace brenvik::bench {

namespace {

constexpr int kPaintTimeoutMs = 300000;
constexpr int kEnterRuns = 11;
constexpr int kRepaintRuns = 21;

// Watches the viewport from construction on; Wait returns once a paint event has reached it and the event
// loop has finished handling that event (so the paint and the flush to the window are done).
class TPaintWatch : public QObject {
public:
    explicit TPaintWatch(QWidget& viewport) : FViewport(viewport) { FViewport.installEventFilter(this); }
    ~TPaintWatch() override { FViewport.removeEventFilter(this); }

    bool Wait()
    {
        if (!FPainted) {
            QTimer::singleShot(kPaintTimeoutMs, &FLoop, &QEventLoop::quit);
            FLoop.exec();
        }
        return FPainted;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == &FViewport && event->type() == QEvent::Paint && !FPainted) {
            FPainted = true;
            QMetaObject::invokeMethod(&FLoop, &QEventLoop::quit, Qt::QueuedConnection);
        }
        return false;
    }

private:
    QWidget& FViewport;
    QEventLoop FLoop;
    bool FPainted = false;
};

bool WaitForPaint(TPaintWatch& watch)
{
    if (watch.Wait())
        return true;
    std::fprintf(stderr, "no paint of the window within %d s\n", kPaintTimeoutMs / 1000);
    return false;
}

// Enter at the start of the middle line, then the repaint of the window that shows it; undone untimed.
// A key that does not lengthen the text means the figure would time nothing: that is an error.
bool MeasureEdits(TWindowSubject& subject, const TWindowMeasures& measures)
{
    QImage image(subject.Viewport().size(), QImage::Format_RGB32);
    subject.GoToMiddleLine();
    subject.Viewport().render(&image);
    std::vector<double> enters;
    for (int run = 0; run < kEnterRuns; ++run) {
        const long long length = subject.TextLength();
        QElapsedTimer timer;
        timer.start();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QApplication::sendEvent(&subject.KeyTarget(), &press);
        subject.Viewport().render(&image);
        enters.push_back(timer.nsecsElapsed() / 1e6);
        if (subject.TextLength() <= length) {
            std::fprintf(stderr, "Enter did not insert a line break\n");
            return false;
        }
        subject.Undo();
        if (subject.TextLength() != length) {
            std::fprintf(stderr, "Undo did not take the line break out again\n");
            return false;
        }
    }
    std::vector<double> repaints;
    for (int run = 0; run < kRepaintRuns; ++run) {
        QElapsedTimer timer;
        timer.start();
        subject.Viewport().render(&image);
        repaints.push_back(timer.nsecsElapsed() / 1e6);
    }
    PrintResult(measures.Enter, Median(enters), "ms");
    PrintResult(measures.Repaint, Median(repaints), "ms");
    return true;
}

// What the screen shows of the window where there is a screen (xvfb), else what the window paints.
void SaveScreenshot(QWidget& window, const QString& path)
{
    QPixmap shot = window.screen() ? window.screen()->grabWindow(window.winId()) : QPixmap();
    if (shot.isNull())
        shot = window.grab();
    if (!shot.save(path))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

int Usage(const char* program)
{
    std::fprintf(stderr, "usage: %s open|start FILE [--screenshot PNG]\n", program);
    return 2;
}

} // namespace

int RunWindowBench(int argc, char** argv, const TWindowMeasures& measures, const TSubjectFactory& make)
{
    if (argc < 3)
        return Usage(argv[0]);
    const QByteArray mode = argv[1];
    const bool start = mode == "start";
    if (!start && mode != "open")
        return Usage(argv[0]);
    const QString screenshot = argc > 4 && QByteArray(argv[3]) == "--screenshot" ? QString::fromLocal8Bit(argv[4])
                                                                                 : QString();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QString path = QString::fromLocal8Bit(argv[2]);
    const QFileInfo file(path);
    if (!file.isFile() || !file.isReadable()) {
        std::fprintf(stderr, "cannot read %s\n", argv[2]);
        return 1;
    }

    std::unique_ptr<TWindowSubject> subject = make();
    QWidget& window = subject->Window();
    QWidget& viewport = subject->Viewport();
    window.resize(900, 700);
    window.show();
    if (start) {
        // As the program starts with a file named: the window is shown, then the file read into it.
        if (!subject->Open(path))
            return 1;
        TPaintWatch paint(viewport);
        if (!WaitForPaint(paint))
            return 1;
        PrintResult(measures.StartToFirstPaint, MillisecondsSinceProcessStart(), "ms");
    } else {
        {
            TPaintWatch empty(viewport);
            if (!WaitForPaint(empty))
                return 1;
        }
        const TMemory before = ReadMemory();
        const bool peakReset = ResetPeakMemory();
        QElapsedTimer timer;
        timer.start();
        if (!subject->Open(path))
            return 1;
        TPaintWatch paint(viewport);
        if (!WaitForPaint(paint))
            return 1;
        const double loadMs = timer.nsecsElapsed() / 1e6;
        const TMemory after = ReadMemory();
        std::printf("%s: %lld bytes, platform %s\n", argv[2], static_cast<long long>(file.size()),
            qPrintable(QGuiApplication::platformName()));
        PrintResult(measures.LoadToFirstPaint, loadMs, "ms");
        if (peakReset && file.size() > 0)
            PrintResult(measures.PeakExtraRatio,
                static_cast<double>(after.PeakBytes - before.ResidentBytes) / file.size(), "ratio");
        else
            std::fprintf(stderr, "the peak memory could not be reset: no peak figure\n");
        PrintResult(measures.Resident, after.ResidentBytes / 1048576.0, "MB");
        if (!MeasureEdits(*subject, measures))
            return 1;
        subject->MeasureOwn();
    }
    if (!screenshot.isEmpty())
        SaveScreenshot(window, screenshot);
    return 0;
}

} // namespace brenvik::bench
