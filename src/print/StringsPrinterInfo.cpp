// The program's printer and what the setup form shows of it.
#include "print/StringsPrinterInfo.h"

#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>
#include <cmath>

namespace brenvik {

QPrinter& CurrentPrinter()
{
    static QPrinter* printer = [] {
        auto* created = new QPrinter(QPrinter::HighResolution);
        if (!PrinterInstalled())
            created->setOutputFormat(QPrinter::PdfFormat);
        return created;
    }();
    return *printer;
}

bool PrinterInstalled()
{
    return !QPrinterInfo::availablePrinters().isEmpty();
}

int TPrinterMetrics::Pixels(int mm) const
{
    return int(std::lround(Dpi * mm / 25.4));
}

TPrinterMetrics MetricsOf(const QPrinter& printer)
{
    const int dpi = printer.resolution();
    const QPageLayout layout = printer.pageLayout();
    const QRect full = layout.fullRectPixels(dpi);
    const QRect paint = layout.paintRectPixels(dpi);
    TPrinterMetrics metrics;
    metrics.Dpi = dpi;
    metrics.PageWidth = paint.width();
    metrics.PageHeight = paint.height();
    metrics.OffLeft = std::max(0, paint.left() - full.left());
    metrics.OffTop = std::max(0, paint.top() - full.top());
    metrics.OffRight = std::max(0, full.width() - paint.width() - metrics.OffLeft);
    metrics.OffBottom = std::max(0, full.height() - paint.height() - metrics.OffTop);
    return metrics;
}

TStringsPrinterInfo::TStringsPrinterInfo(std::function<QPrinter*()> source, QObject* parent)
    : QObject(parent)
    , FSource(std::move(source))
{
}

QString TStringsPrinterInfo::GetPrinterName() const
{
    const QPrinter* printer = Printer();
    return printer ? printer->printerName() : QString();
}

int TStringsPrinterInfo::PaperCode() const
{
    const QPrinter* printer = Printer();
    return printer ? printer->pageLayout().pageSize().windowsId() : -1;
}

QString TStringsPrinterInfo::GetPaperName() const
{
    const TPaperInfo* paper = PaperInfo(PaperCode());
    return paper ? QString::fromLatin1(paper->Name) : QString();
}

QSize TStringsPrinterInfo::GetPaperSize() const
{
    const TPaperInfo* paper = PaperInfo(PaperCode());
    return paper ? QSize(paper->Width, paper->Height) : QSize(0, 0);
}

bool TStringsPrinterInfo::Landscape() const
{
    const QPrinter* printer = Printer();
    return printer && printer->pageLayout().orientation() == QPageLayout::Landscape;
}

} // namespace brenvik
