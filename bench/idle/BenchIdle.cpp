// The main window's idle update (command states, status panels, title, wrap width, history)
// with the caret near line 900,000 of a script, word wrap on and lines numbered by line:
//   bench_idle SCRIPT [REPEATS]
#include "app/frmMain.h"
#include "common/WindowBenchSetup.h"
#include "editor/Editor.h"
#include "editor/EditorLeftbar.h"
#include "text/EditorScreenStrings.h"

#include <algorithm>
#include <cstdio>

using namespace brenvik;

int main(int argc, char** argv)
{
    bench::TWindowBenchSetup setup(argc, argv, "bench_idle", 1000);
    if (!setup.Valid())
        return 2;
    const int repeats = setup.Repeats();

    TfrmMain window;
    window.show();
    TEditor& editor = window.Editor();
    editor.SetWordWrap(true);
    editor.Leftbar()->SetShowNumberMode(TEditorEnums::nmLine);
    if (!window.LoadFile(setup.Script()))
        return 1;
    const int row = editor.ListRows().RowOfLine(std::min(900000, editor.ListRows().LineCount() - 1));
    editor.SetRowCol(row, 3);
    window.IdleUpdate();

    const double median = bench::MedianMs(repeats, [&] { window.IdleUpdate(); });
    std::printf("IdleUpdate at row %d (line %s), median of %d: %.4f ms\n", row,
        window.StatusPanelText(0).toUtf8().constData(), repeats, median);
    std::printf("result\tapp.idle_update\t%.4f\tms\n", median);
    return 0;
}
