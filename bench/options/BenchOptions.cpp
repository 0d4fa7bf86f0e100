// The options dialog over a main window holding a 1,000,000-line script with word wrap on:
// opening it, OK with the wrap mode, width, font and tab width changed, OK with nothing
// changed, and Cancel; beside them, one rebuild of all rows for comparison.
//   bench_options SCRIPT [REPEATS]
#include "app/frmMain.h"
#include "common/WindowBenchSetup.h"
#include "editor/Editor.h"
#include "options/OptionHooks.h"
#include "editor/RadioGroup.h"
#include "options/dlgOpt.h"
#include "text/EditorStrings.h"
#include "text/EditorWrapOption.h"

#include <QComboBox>
#include <QPushButton>
#include <QSpinBox>
#include <algorithm>
#include <cstdio>

using namespace brenvik;

namespace {

void Report(const char* measure, const char* what, double ms)
{
    std::printf("%-52s %9.2f ms\n", what, ms);
    std::printf("result\t%s\t%.2f\tms\n", measure, ms);
}

// The changes one OK applies: wrap mode and width, font, tab width; two sets, alternated.
struct TChange {
    int WrapMode;
    int Width;
    const char* Face;
    const char* Tab;
};
constexpr TChange kChanges[] = {{1, 72, "DejaVu Sans Mono", "2"}, {2, 0, "IPAGothic", "8"}};

} // namespace

int main(int argc, char** argv)
{
    bench::TWindowBenchSetup setup(argc, argv, "bench_options", 5);
    if (!setup.Valid())
        return 2;
    const int repeats = setup.Repeats();

    TfrmMain window;
    window.resize(1000, 800);
    window.show();
    TEditor& editor = window.Editor();
    editor.SetWordWrap(true);
    if (!window.LoadFile(setup.Script()))
        return 1;
    QApplication::processEvents();
    std::printf("%d lines, %d rows\n", editor.Lines().GetCount(), editor.RowCount());

    // One rebuild of the rows, as the wrap options start it.
    int width = 60;
    const double rewrap = bench::MedianMs(repeats, [&] { editor.WrapOption()->SetWrapByte(width++ % 2 ? 61 : 60); });
    Report("options.rewrap_reference", "one rebuild of all rows (RewrapAll)", rewrap);

    const double open = bench::MedianMs(repeats, [&] {
        TdlgOption dialog(&window);
        dialog.Load(window);
        dialog.show();
        QApplication::processEvents();
    });
    Report("options.open", "open: create, load, show and paint the dialog", open);

    const auto timedOk = [&](const std::function<void(TdlgOption&)>& change) {
        TdlgOption dialog(&window);
        dialog.Load(window);
        change(dialog);
        QElapsedTimer timer;
        timer.start();
        dialog.findChild<QPushButton*>(QStringLiteral("OKBtn"))->click();
        dialog.Store(window);
        QApplication::processEvents();
        return timer.nsecsElapsed() / 1e6;
    };
    std::vector<double> changed;
    for (int i = 0; i < repeats; ++i) {
        const TChange& next = kChanges[i % 2];
        FontChooser() = [&next](QWidget*, QFont& font) {
            font = QFont(QString::fromLatin1(next.Face), 11);
            return true;
        };
        changed.push_back(timedOk([&next](TdlgOption& dialog) {
            dialog.findChild<TRadioGroup*>(QStringLiteral("rdgWordWrap"))->SetItemIndex(next.WrapMode);
            if (next.Width > 0)
                dialog.findChild<QSpinBox*>(QStringLiteral("speWordWrap"))->setValue(next.Width);
            dialog.findChild<QComboBox*>(QStringLiteral("cmbTab"))->setCurrentText(QString::fromLatin1(next.Tab));
            dialog.ChooseFont();
        }));
    }
    std::sort(changed.begin(), changed.end());
    Report("options.ok_change", "OK with wrap mode, width, font and tab changed", changed[changed.size() / 2]);

    std::vector<double> unchanged;
    for (int i = 0; i < repeats; ++i)
        unchanged.push_back(timedOk([](TdlgOption&) {}));
    std::sort(unchanged.begin(), unchanged.end());
    Report("options.ok_nochange", "OK with nothing changed", unchanged[unchanged.size() / 2]);

    std::vector<double> cancelled;
    for (int i = 0; i < repeats; ++i) {
        QElapsedTimer timer;
        {
            TdlgOption dialog(&window);
            dialog.Load(window);
            dialog.show();
            QApplication::processEvents();
            timer.start();
            dialog.findChild<QPushButton*>(QStringLiteral("CancelBtn"))->click();
        }
        QApplication::processEvents();
        cancelled.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(cancelled.begin(), cancelled.end());
    Report("options.cancel", "Cancel: close and free the dialog", cancelled[cancelled.size() / 2]);
    return 0;
}
