// Timing of whole-window paints of a long script: bench_paint [SCRIPT] (default: the 1,000,000-line bench
// script).
#include "editor/Editor.h"
#include "editor/EditorCaret.h"
#include "editor/EditorLeftbar.h"
#include "editor/EditorRuler.h"
#include "highlight/ConfiguredFountains.h"
#include "highlight/PERLFountain.h"
#include "jcode/ScriptFile.h"
#include "text/EditorStrings.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace brenvik;

namespace {

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Renders the editor's whole window count times; each run may first move the view.
template <typename Move> double MedianPaintMs(TEditor& editor, QImage& image, int count, Move move)
{
    std::vector<double> times;
    for (int i = 0; i < count; ++i) {
        move(i);
        QElapsedTimer timer;
        timer.start();
        editor.viewport()->render(&image);
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    return Median(times);
}

} // namespace

int main(int argc, char** argv)
{
    if (qgetenv("QT_QPA_PLATFORM").isEmpty())
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const std::string script = argc > 1 ? argv[1] : BRENVIK_BENCH_SCRIPT;
    TPERLFountain fountain;
    ConfigurePERLFountain(fountain);
    TEditor editor;
    editor.Caret()->SetTabSpaceCount(4);
    editor.Ruler()->SetVisible(true);
    editor.Leftbar()->SetVisible(true);
    editor.SetFountain(&fountain);
    editor.resize(1280, 1024);
    editor.show();

    QElapsedTimer load;
    load.start();
    editor.Lines().Assign(LoadScriptFile(script).Lines);
    std::printf("loaded %d rows in %.0f ms; window 1280 x 1024, %d x %d cells\n", editor.RowCount(),
        load.nsecsElapsed() / 1e6, editor.VisibleCols(), editor.VisibleRows());

    QImage image(editor.viewport()->size(), QImage::Format_RGB32);
    for (const bool wrap : {false, true}) {
        editor.SetWordWrap(wrap);
        const int middle = editor.RowCount() / 2;
        editor.SetTopRow(middle);
        editor.viewport()->render(&image);
        const double steady = MedianPaintMs(editor, image, 200, [](int) {});
        const int page = editor.VisibleRows();
        const double paged
            = MedianPaintMs(editor, image, 200, [&](int i) { editor.SetTopRow(middle + (i + 1) * page); });
        editor.SetTopRow(middle);
        editor.SetRowCol(middle + 2, 5);
        editor.StartSelection();
        editor.SetRowCol(middle + editor.VisibleRows() - 3, 10);
        editor.ExtendSelection();
        const double selected = MedianPaintMs(editor, image, 200, [](int) {});
        editor.CancelSelection();
        std::printf("word wrap %s: whole-window paint median %.2f ms; after each page down %.2f ms; "
                    "with a selection over the window %.2f ms\n",
            wrap ? "on " : "off", steady, paged, selected);
    }
    return 0;
}
