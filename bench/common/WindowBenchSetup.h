// What the benches that drive the main window share: an offscreen application whose settings
// go to a folder of their own (never beside the program), and the median of timed repeats.
#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <vector>

namespace brenvik::bench {

// Holds the settings folder for the process's life; construct it first in main.
class TWindowBenchSetup {
public:
    TWindowBenchSetup(int& argc, char** argv)
        : FApplication(argc, argv)
    {
    }

private:
    static bool PrepareEnvironment(const QTemporaryDir& home)
    {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qputenv("BRENVIK_HOME", home.path().toLocal8Bit());
        return true;
    }

    // Members are made in this order: the folder, the environment, then the application.
    QTemporaryDir FHome;
    bool FPrepared = PrepareEnvironment(FHome);
    QApplication FApplication;
};

// Median wall time in milliseconds of repeats calls of work.
template <typename Work> double MedianMs(int repeats, Work&& work)
{
    std::vector<double> times;
    for (int i = 0; i < repeats; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace brenvik::bench
