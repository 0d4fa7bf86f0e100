// The main window's own open command on a script, from the file's bytes to the first paint:
// bench_open open|start SCRIPT [--screenshot PNG]   (see WindowBench.h for what each mode measures)
#include "WindowBench.h"

#include "app/frmMain.h"
#include "editor/Editor.h"

#include <algorithm>

using namespace brenvik;
using namespace brenvik::bench;

namespace {

class TMainWindowSubject : public TWindowSubject {
public:
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
    const TWindowMeasures measures{"open.to_first_paint", "open.peak_extra_ratio", "app.rss",
        "app.start_to_first_paint", "editor.enter", "paint.window"};
    return RunWindowBench(argc, argv, measures, [] { return std::make_unique<TMainWindowSubject>(); });
}
