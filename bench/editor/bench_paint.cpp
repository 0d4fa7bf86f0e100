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
#include <QKeyEvent>
#include <QWheelEvent>
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

// Times an input step together with the whole-window repaint that shows it; undo runs untimed.
template <typename Step, typename Undo>
double MedianStepMs(TEditor& editor, QImage& image, int count, Step step, Undo undo)
{
    std::vector<double> times;
    for (int i = 0; i < count; ++i) {
        QElapsedTimer timer;
        timer.start();
        step();
        editor.viewport()->render(&image);
        times.push_back(timer.nsecsElapsed() / 1e6);
        undo();
    }
    return Median(times);
}

void SendKey(QWidget& target, int key, const QString& text = QString())
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(&target, &press);
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
        editor.setFocus();
        const int topBefore = editor.TopRow();
        const double pageDown = MedianStepMs(
            editor, image, 200, [&] { SendKey(editor, Qt::Key_PageDown); }, [] {});
        const double notch = MedianStepMs(
            editor, image, 200,
            [&] {
                QWheelEvent wheel(QPointF(200, 200), editor.mapToGlobal(QPointF(200, 200)), QPoint(),
                    QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
                QApplication::sendEvent(editor.viewport(), &wheel);
            },
            [] {});
        const int topAfter = editor.TopRow();
        editor.SetRowCol(editor.TopRow() + 5, 4);
        int typedChars = 0;
        const qint64 length = editor.TextLength();
        const double typed = MedianStepMs(
            editor, image, 200, [&] { SendKey(editor, Qt::Key_X, QStringLiteral("x")); },
            [&] {
                typedChars += editor.TextLength() == length + 1;
                editor.Undo();
            });
        std::printf("word wrap %s: whole-window paint median %.2f ms; after each page down %.2f ms; "
                    "with a selection over the window %.2f ms\n",
            wrap ? "on " : "off", steady, paged, selected);
        std::printf("          PageDown key with repaint %.2f ms; one wheel notch with repaint %.2f ms; "
                    "typing a character with repaint %.2f ms\n",
            pageDown, notch, typed);
        std::printf("          (the steps moved the top row from %d to %d; %d of 200 key presses typed)\n", topBefore,
            topAfter, typedChars);
        const char* suffix = wrap ? ".wrap" : "";
        std::printf("result\tpaint.window%s\t%.3f\tms\n", suffix, steady);
        std::printf("result\tpaint.pagedown%s\t%.3f\tms\n", suffix, pageDown);
    }

    // The first paint with line numbers by line at line 900,000: the left bar finds the line of
    // the top row. Each run jumps to another place near there, so nothing is reused.
    editor.Leftbar()->SetShowNumber(true);
    editor.Leftbar()->SetShowNumberMode(nmLine);
    int target = 0;
    while (target < editor.RowCount() && editor.LineOfRow(target) < 900000)
        target += std::max(1, (900000 - editor.LineOfRow(target)));
    const double firstNumbers = MedianPaintMs(editor, image, 21, [&](int i) { editor.SetTopRow(target + i * 97); });
    std::printf("first paint with line numbers by line at line %d: %.2f ms\n", editor.LineOfRow(target), firstNumbers);
    std::printf("result\tpaint.first_line_numbers_900k\t%.3f\tms\n", firstNumbers);
    return 0;
}
