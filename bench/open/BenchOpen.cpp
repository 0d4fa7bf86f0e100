// The main window's own open command on a script, from the file's bytes to the first paint:
// bench_open open|start SCRIPT [--screenshot PNG] [--wrap]   (see WindowBench.h for what each mode measures)
// --wrap: word wrap on before the open, so the rows are wrapped as they are filled.
#include "WindowBench.h"

#include "app/frmMain.h"
#include "editor/Editor.h"

#include <algorithm>
#include <string_view>

using namespace brenvik;
using namespace brenvik::bench;

namespace {

class TMainWindowSubject : public TWindowSubject {
public:
    explicit TMainWindowSubject(bool wrap) { FWindow.Editor().SetWordWrap(wrap); }

    QWidget& Window() override { return FWindow; }
    QWidget& Viewport() override { return *FWindow.Editor().viewport(); }
    QWidget& KeyTarget() override { return FWindow.Editor(); }
    bool Open(const QString& path) override { return FWindow.LoadFile(path); }

    void GoToMiddleLine() override
    {
        TEditor& editor = FWindow.Editor();
        const int middle = editor.RowCount() / 2;
        editor.SetTopRow(std::max(0, middle - editor.VisibleRows() / 2));
        editor.SetRowCol(middle, 0);
    }

    long long TextLength() const override { return FWindow.Editor().TextLength(); }
    void Undo() override { FWindow.Editor().Undo(); }

private:
    TfrmMain FWindow;
};

} // namespace

int main(int argc, char** argv)
{
    char** const end = argv + argc;
    char** const wrapArgument = std::find_if(argv, end, [](const char* a) { return std::string_view(a) == "--wrap"; });
    const bool wrap = wrapArgument != end;
    if (wrap) {
        std::rotate(wrapArgument, wrapArgument + 1, end);
        argv[--argc] = nullptr;
    }
    const TWindowMeasures measures = wrap
        ? TWindowMeasures {"open.to_first_paint_wrap", "open.peak_extra_ratio_wrap", "app.rss_wrap",
              "app.start_to_first_paint_wrap", "editor.enter_wrap", "paint.window_wrap"}
        : TWindowMeasures {"open.to_first_paint", "open.peak_extra_ratio", "app.rss", "app.start_to_first_paint",
              "editor.enter", "paint.window"};
    return RunWindowBench(argc, argv, measures, [wrap] { return std::make_unique<TMainWindowSubject>(wrap); });
}
