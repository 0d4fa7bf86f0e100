// Printing a large script as the user does it: the main window opens the script, the strings
// printer lays it out (A4 PDF at 1200 dpi, IPAGothic 10 pt, two columns, line numbers,
// header, footer), previews it and prints pages to PDF.
// Usage: bench_print <script> [out-folder]
#include "app/DocumentPrintLines.h"
#include "app/frmMain.h"
#include "common/WindowBenchSetup.h"
#include "editor/Editor.h"
#include "jcode/SjisUnicode.h"
#include "editor/EditorFont.h"
#include "print/FormStrPreview.h"
#include "print/FormStrProgress.h"
#include "print/MetaFileList.h"
#include "print/RowBreaker.h"
#include "print/StringsPrinter.h"
#include "print/StringsPrinterInfo.h"

#include <QElapsedTimer>
#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QTimer>
#include <QToolButton>
#include <cstdio>

using namespace brenvik;

namespace {

void Result(const char* measure, double value, const char* unit)
{
    std::printf("result\t%s\t%.3f\t%s\n", measure, value, unit);
}

double ResidentMb()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * 4096 / (1024.0 * 1024.0) : 0;
}

void SetUp(TStringsPrinter& printer)
{
    printer.SetHeader(QStringLiteral("%F %y/%m/%d"));
    printer.SetHeaderAlign(haRight);
    printer.SetFooter(QStringLiteral("- %p -"));
    printer.SetFooterAlign(haCenter);
    printer.SetColumnCount(2);
    printer.SetLineNumber(true);
    printer.Font()->SetName(QStringLiteral("IPAGothic"));
    printer.Font()->SetSize(10);
}

} // namespace

int main(int argc, char** argv)
{
    bench::TWindowBenchSetup setup(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_print <script> [out-folder]\n");
        return 2;
    }
    const QString script = QString::fromLocal8Bit(argv[1]);
    const QString folder = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("/tmp");
    TfrmMain window;
    if (!window.LoadFile(script))
        return 1;
    const TDocumentPrintLines lines(window.Document());
    QPrinter& device = CurrentPrinter();
    device.setOutputFormat(QPrinter::PdfFormat);
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(5, 5, 5, 5),
        QPageLayout::Millimeter));
    TStringsPrinter printer;
    SetUp(printer);
    printer.SetFileName(script);
    const TPrinterMetrics metrics = MetricsOf(device);
    std::printf("%d lines, %d dpi; times are medians, on a machine shared with other builds\n", lines.Count(),
        metrics.Dpi);

    // The floor under the layout: every line decoded once, as the layout decodes it.
    const double decodeMs = bench::MedianMs(3, [&] {
        qsizetype characters = 0;
        for (int line = 0; line < lines.Count(); ++line)
            characters += PrintableText(lines.Line(line), NoDocumentChars()).size();
        if (characters < 0)
            std::printf("impossible\n");
    });
    std::printf("decoding every line: %.0f ms\n", decodeMs);
    Result("print.decode", decodeMs, "ms");

    // Layout: the whole page index, as a print makes it, without and with the progress window.
    int pageCount = 0;
    const double layoutMs = bench::MedianMs(3, [&] {
        TMetaFileList pages(printer, lines, metrics);
        pages.IndexAll();
        pageCount = pages.Count();
    });
    // The progress window's share: the time spent in its updates (events included) during a
    // layout that updates it after every page, as a print does. Whole-run differences drown in
    // the noise of a shared machine; this part is measured on its own.
    std::vector<double> shares;
    for (int run = 0; run < 3; ++run) {
        TMetaFileList pages(printer, lines, metrics);
        TFormStrProgress progress(nullptr, QStringLiteral("印刷中"));
        qint64 inProgress = 0;
        QElapsedTimer total;
        total.start();
        while (pages.IndexNextPage()) {
            QElapsedTimer update;
            update.start();
            progress.UpdateProgress(QStringLiteral("印刷中"), 100, pages.PercentDone());
            inProgress += update.nsecsElapsed();
        }
        shares.push_back(double(inProgress) / double(total.nsecsElapsed() - inProgress));
    }
    std::sort(shares.begin(), shares.end());
    std::printf("layout: %d pages in %.0f ms; progress updates add %.1f %%\n", pageCount, layoutMs, shares[1] * 100);
    Result("print.layout", layoutMs, "ms");
    Result("print.layout_progress_share", shares[1], "ratio");

    // Preview: from PreviewStrings to the first page in the window, then page turns, and the
    // memory the preview holds once its index is complete.
    const double before = ResidentMb();
    double firstPageMs = 0;
    std::vector<double> turns;
    double extraMb = 0;
    QElapsedTimer sincePreview;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* preview = qobject_cast<TFormStrPreview*>(QApplication::activeModalWidget());
        if (!preview)
            return;
        poll.stop();
        firstPageMs = sincePreview.nsecsElapsed() / 1e6;
        // Page turns once the background index has pages to turn to.
        while (preview->Indexing() && preview->PageCount() < 12)
            QApplication::processEvents();
        for (int turn = 0; turn < 9 && preview->btnNext->isEnabled(); ++turn) {
            QElapsedTimer timer;
            timer.start();
            preview->btnNext->click();
            turns.push_back(timer.nsecsElapsed() / 1e6);
        }
        while (preview->Indexing())
            QApplication::processEvents();
        extraMb = ResidentMb() - before;
        std::printf("preview: %d pages indexed in the background\n", preview->PageCount());
        preview->accept();
    });
    poll.start(0);
    sincePreview.start();
    printer.PreviewStrings(lines);
    std::sort(turns.begin(), turns.end());
    const double turnMs = turns.empty() ? 0 : turns[turns.size() / 2];
    std::printf("preview: first page %.0f ms, next page %.1f ms, %.0f MB above the loaded script\n", firstPageMs,
        turnMs, extraMb);
    Result("print.preview_first_page", firstPageMs, "ms");
    Result("print.preview_next_page", turnMs, "ms");
    Result("print.preview_extra", extraMb, "MB");

    // PDF printing speed over the first 50 pages.
    constexpr int kPrinted = 50;
    printer.SetRangeOption(roLimited);
    printer.SetStartPage(1);
    printer.SetLastPage(kPrinted);
    device.setOutputFileName(folder + QStringLiteral("/bench_print.pdf"));
    const double printMs = bench::MedianMs(3, [&] { printer.PrintStrings(lines); });
    QFile::remove(folder + QStringLiteral("/bench_print.pdf"));
    std::printf("PDF: %d pages in %.0f ms, %.1f ms a page\n", kPrinted, printMs, printMs / kPrinted);
    Result("print.pdf_page", printMs / kPrinted, "ms");
    return 0;
}
