// What the benches that drive the main window share: an offscreen application whose settings
// go to a folder of their own (never beside the program), and the median of timed repeats.
#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace brenvik::bench {

// Holds the settings folder for the process's life; construct it first in main. Given a name, it
// reads the arguments SCRIPT [REPEATS]: return 2 when it is not Valid (the usage has been printed).
class TWindowBenchSetup {
public:
    TWindowBenchSetup(int& argc, char** argv)
        : FApplication(argc, argv)
    {
    }
    TWindowBenchSetup(int& argc, char** argv, const char* name, int defaultRepeats)
        : FApplication(argc, argv)
        , FValid(argc >= 2 && argv[1][0] != '-')
        , FRepeats(argc > 2 ? std::max(1, std::atoi(argv[2])) : defaultRepeats)
    {
        if (FValid)
            FScript = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
        else
            std::fprintf(stderr, "usage: %s SCRIPT [REPEATS]\n", name);
    }
    bool Valid() const { return FValid; }
    // The script's absolute path.
    const QString& Script() const { return FScript; }
    int Repeats() const { return FRepeats; }

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
    bool FValid = false;
    int FRepeats = 1;
    QString FScript;
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
