// The main window's idle update (command states, status panels, title, wrap width, history)
// with the caret near line 900,000 of a script, word wrap on and lines numbered by line:
//   bench_idle SCRIPT [REPEATS]
#include "app/frmMain.h"
#include "editor/Editor.h"
#include "editor/EditorLeftbar.h"
#include "text/EditorScreenStrings.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace brenvik;

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_idle SCRIPT [REPEATS]\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("BRENVIK_HOME", home.path().toLocal8Bit());
    QApplication application(argc, argv);
    const int repeats = argc > 2 ? std::max(1, std::atoi(argv[2])) : 1000;

    TfrmMain window;
    window.show();
    TEditor& editor = window.Editor();
    editor.SetWordWrap(true);
    editor.Leftbar()->SetShowNumberMode(TEditorEnums::nmLine);
    if (!window.LoadFile(QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath()))
        return 1;
    const int row = editor.ListRows().RowOfLine(std::min(900000, editor.ListRows().LineCount() - 1));
    editor.SetRowCol(row, 3);
    window.IdleUpdate();

    std::vector<double> times;
    for (int i = 0; i < repeats; ++i) {
        QElapsedTimer timer;
        timer.start();
        window.IdleUpdate();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    std::printf("IdleUpdate at row %d (line %s), median of %d: %.4f ms\n", row,
        window.StatusPanelText(0).toUtf8().constData(), repeats, times[times.size() / 2]);
    std::printf("result\tapp.idle_update\t%.4f\tms\n", times[times.size() / 2]);
    return 0;
}
