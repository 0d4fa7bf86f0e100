// Qt's QPlainTextEdit as a peer of the main window: bench_peer_plaintext open|start SCRIPT [--screenshot PNG].
// No line wrapping (the main window opens scripts unwrapped); search is QTextDocument::find over the whole text.
#include "PeerSubject.h"

#include "BenchProbe.h"

#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace brenvik::bench;

namespace {

constexpr int kSearchRuns = 3;

class TPlainTextSubject : public TPeerSubject<QPlainTextEdit> {
public:
    TPlainTextSubject() { FEditor.setLineWrapMode(QPlainTextEdit::NoWrap); }

    void GoToMiddleLine() override
    {
        QTextDocument& document = *FEditor.document();
        FEditor.setTextCursor(QTextCursor(document.findBlockByNumber(document.blockCount() / 2)));
        FEditor.centerCursor();
    }

    long long TextLength() const override { return FEditor.document()->characterCount(); }

    void MeasureOwn() override
    {
        MeasureSearch("peer.plaintext.search_matchcase", QTextDocument::FindCaseSensitively);
        MeasureSearch("peer.plaintext.search_ignorecase", {});
    }

private:
    void SetText(const QString& text) override { FEditor.setPlainText(text); }

    void MeasureSearch(const char* measure, QTextDocument::FindFlags flags)
    {
        std::vector<double> times;
        for (int run = 0; run < kSearchRuns; ++run) {
            QElapsedTimer timer;
            timer.start();
            const QTextCursor found
                = FEditor.document()->find(QLatin1String(kAbsentWord), QTextCursor(FEditor.document()), flags);
            times.push_back(timer.nsecsElapsed() / 1e6);
            if (!found.isNull()) {
                std::fprintf(stderr, "%s found at %d\n", kAbsentWord, found.position());
                std::exit(1);
            }
        }
        PrintResult(measure, Median(times), "ms");
    }
};

} // namespace

int main(int argc, char** argv)
{
    const TWindowMeasures measures{"peer.plaintext.load_to_first_paint", "peer.plaintext.peak_extra_ratio",
        "peer.plaintext.rss", "peer.plaintext.start_to_first_paint", "peer.plaintext.enter",
        "peer.plaintext.repaint"};
    return RunWindowBench(argc, argv, measures, [] { return std::make_unique<TPlainTextSubject>(); });
}
