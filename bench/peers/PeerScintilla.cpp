// The Qt 6 port of the Scintilla editing component as a peer of the main window, in its UTF-8 mode with the
// script decoded from Shift_JIS, line numbers shown and its Perl lexer set:
// bench_peer_qsci open|start SCRIPT [--screenshot PNG]. Besides the common figures it times the lexer over the
// whole text and a search for an absent word through the target (case matched and not).
#include "PeerSubject.h"

#include "BenchProbe.h"

#include <Qsci/qscilexerperl.h>
#include <Qsci/qsciscintilla.h>
#include <QElapsedTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

using namespace brenvik::bench;

namespace {

constexpr int kColouriseRuns = 1;
constexpr int kSearchRuns = 3;

class TScintillaSubject : public TPeerSubject<QsciScintilla> {
public:
    TScintillaSubject()
    {
        FEditor.setUtf8(true);
        FEditor.setLexer(new QsciLexerPerl(&FEditor));
        FEditor.setMarginLineNumbers(0, true);
        FEditor.setMarginWidth(0, QStringLiteral("00000000"));
    }

    void GoToMiddleLine() override
    {
        const int middle = FEditor.lines() / 2;
        FEditor.setFirstVisibleLine(middle - 10);
        FEditor.setCursorPosition(middle, 0);
    }

    long long TextLength() const override { return FEditor.length(); }

    void MeasureOwn() override
    {
        MeasureColourise();
        MeasureSearch("peer.qsci.search_matchcase", QsciScintillaBase::SCFIND_MATCHCASE);
        MeasureSearch("peer.qsci.search_ignorecase", 0);
    }

private:
    void SetText(const QString& text) override { FEditor.setText(text); }

    long Send(unsigned int message, unsigned long wParam = 0, long lParam = 0)
    {
        return FEditor.SendScintilla(message, wParam, lParam);
    }

    // Styles cleared, then the lexer run from the first byte to the last.
    void MeasureColourise()
    {
        std::vector<double> times;
        for (int run = 0; run < kColouriseRuns; ++run) {
            Send(QsciScintillaBase::SCI_CLEARDOCUMENTSTYLE);
            QElapsedTimer timer;
            timer.start();
            Send(QsciScintillaBase::SCI_COLOURISE, 0, -1);
            times.push_back(timer.nsecsElapsed() / 1e6);
            if (Send(QsciScintillaBase::SCI_GETENDSTYLED) != Send(QsciScintillaBase::SCI_GETLENGTH)) {
                std::fprintf(stderr, "the lexer stopped before the end of the text\n");
                std::exit(1);
            }
        }
        PrintResult("peer.qsci.colourise", Median(times), "ms");
    }

    void MeasureSearch(const char* measure, int flags)
    {
        std::vector<double> times;
        for (int run = 0; run < kSearchRuns; ++run) {
            QElapsedTimer timer;
            timer.start();
            Send(QsciScintillaBase::SCI_SETSEARCHFLAGS, flags);
            Send(QsciScintillaBase::SCI_SETTARGETSTART, 0);
            Send(QsciScintillaBase::SCI_SETTARGETEND, Send(QsciScintillaBase::SCI_GETLENGTH));
            const long found = FEditor.SendScintilla(
                QsciScintillaBase::SCI_SEARCHINTARGET, std::strlen(kAbsentWord), kAbsentWord);
            times.push_back(timer.nsecsElapsed() / 1e6);
            if (found != -1) {
                std::fprintf(stderr, "%s found at %ld\n", kAbsentWord, found);
                std::exit(1);
            }
        }
        PrintResult(measure, Median(times), "ms");
    }
};

} // namespace

int main(int argc, char** argv)
{
    const TWindowMeasures measures{"peer.qsci.load_to_first_paint", "peer.qsci.peak_extra_ratio", "peer.qsci.rss",
        "peer.qsci.start_to_first_paint", "peer.qsci.enter", "peer.qsci.repaint"};
    return RunWindowBench(argc, argv, measures, [] { return std::make_unique<TScintillaSubject>(); });
}
