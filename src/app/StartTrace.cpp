// The start-up trace: times against the launch instant the benchmark script passes in.
#include "app/StartTrace.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <ctime>

namespace brenvik {

namespace {

long long ClockNs(clockid_t clock)
{
    timespec now {};
    clock_gettime(clock, &now);
    return now.tv_sec * 1'000'000'000LL + now.tv_nsec;
}

} // namespace

TStartTrace::TStartTrace()
{
    bool valid = false;
    const long long launch = qEnvironmentVariable("BRENVIK_START_TRACE").toLongLong(&valid);
    if (valid && launch > 0)
        FLaunchNs = launch;
}

void TStartTrace::Mark(const char* step) const
{
    if (Enabled())
        std::fprintf(stderr, "start\t%s\t%.2f\t%.2f\n", step, (ClockNs(CLOCK_REALTIME) - FLaunchNs) / 1e6,
            ClockNs(CLOCK_PROCESS_CPUTIME_ID) / 1e6);
}

void TStartTrace::Prime(const char* step, const std::function<void()>& work) const
{
    if (!Enabled())
        return;
    work();
    Mark(step);
}

void TStartTrace::WatchFirstPaint(QWidget* widget)
{
    if (Enabled())
        widget->installEventFilter(this);
}

bool TStartTrace::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint) {
        watched->removeEventFilter(this);
        // After the paint event has been handled, so the figure includes the painting.
        QTimer::singleShot(0, this, [this] {
            Mark("first_paint");
            QCoreApplication::quit();
        });
    }
    return false;
}

} // namespace brenvik
