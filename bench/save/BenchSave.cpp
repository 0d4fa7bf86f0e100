// The main window's own save command on a script it opened:
//   bench_save SCRIPT [REPEATS]
// Saving into /dev/shm (memory: no disk flush) times the encoding and the write; saving beside
// the script times the same plus the flush to disk, reported apart as the difference.
#include "app/frmMain.h"
#include "common/WindowBenchSetup.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

using namespace brenvik;

namespace {

double MedianSaveMs(TfrmMain& window, const QString& target, int repeats)
{
    const double median = bench::MedianMs(repeats, [&] {
        if (!window.SaveFile(target, window.Document().DocumentJCode(), window.Document().DocumentRCode(), window.Document().Bom()))
            std::exit(1);
    });
    QFile::remove(target);
    return median;
}

} // namespace

int main(int argc, char** argv)
{
    bench::TWindowBenchSetup setup(argc, argv, "bench_save", 9);
    if (!setup.Valid())
        return 2;
    const int repeats = setup.Repeats();
    const QString& script = setup.Script();

    TfrmMain window;
    if (!window.LoadFile(script))
        return 1;
    const QString inMemory = QStringLiteral("/dev/shm/brenvik-bench-save.cgi");
    const QString onDisk = QFileInfo(script).absolutePath() + QStringLiteral("/.brenvik-bench-save.cgi");
    const double memoryMs = MedianSaveMs(window, inMemory, repeats);
    const double diskMs = MedianSaveMs(window, onDisk, repeats);
    std::printf("SaveFile of %s (%lld bytes), median of %d\n", argv[1],
        static_cast<long long>(QFileInfo(script).size()), repeats);
    std::printf("  into memory (/dev/shm): %.1f ms; on disk: %.1f ms\n", memoryMs, diskMs);
    std::printf("result\tsave.encode_write\t%.1f\tms\n", memoryMs);
    std::printf("result\tsave.flush\t%.1f\tms\n", std::max(0.0, diskMs - memoryMs));
    return 0;
}
