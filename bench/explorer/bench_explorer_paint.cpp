// Times a full repaint of the main window's editor with the keyword highlight off and on, on
// a large script, to see what the highlight adds to a paint.
//
//   bench_explorer_paint SCRIPT [RUNS]
#include "WindowBenchSetup.h"
#include "app/RowHighlighter.h"
#include "app/ExplorerPanel.h"
#include "app/frmMain.h"
#include "editor/Editor.h"
#include "text/EditorScreenStrings.h"

#include <QAction>
#include <QTest>

#include <cstdio>

using namespace brenvik;

int main(int argc, char** argv)
{
    bench::TWindowBenchSetup setup(argc, argv, "bench_explorer_paint", 21);
    if (!setup.Valid())
        return 2;
    const int runs = setup.Repeats();
    TfrmMain window;
    window.resize(1200, 900);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window) || !window.LoadFile(setup.Script()))
        return 1;
    TEditor& editor = window.Editor();
    // A page a little way in, where "print" stands on many rows.
    editor.SetTopRow(200);
    const auto repaint = [&] { editor.viewport()->repaint(); };
    repaint();
    const double off = bench::MedianMs(runs, repaint);

    for (int row = 200; row < 300; ++row) {
        const std::string_view text = editor.ListRows().Strings(row);
        const size_t at = text.find("print");
        if (at == std::string_view::npos)
            continue;
        editor.SetSelStart(editor.Model().RowOffset(row) + qint64(at));
        editor.SetSelLength(5);
        break;
    }
    window.Action(QStringLiteral("actKeyWordAdd"))->trigger();
    editor.CancelSelection();
    if (!window.Explorer().RowHighlighter().KeywordOn() || window.Explorer().RowHighlighter().Keyword() != "print") {
        std::fprintf(stderr, "the highlight did not come on\n");
        return 1;
    }
    editor.SetTopRow(200);
    repaint();
    const double on = bench::MedianMs(runs, repaint);
    std::printf("full repaint, highlight off   %8.3f ms\n", off);
    std::printf("full repaint, highlight on    %8.3f ms\n", on);
    std::printf("result\tpaint.keyword_extra\t%.3f\tms\n", on - off);
    return 0;
}
