// The printer's own setup in a settings file.
#include "print/PrinterSetupStore.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSettings>

namespace brenvik {

namespace {

const QString kPrinter = QStringLiteral("/Printer");
const QString kPaper = QStringLiteral("/Paper");
const QString kLandscape = QStringLiteral("/Landscape");
const QString kDuplex = QStringLiteral("/Duplex");
const QString kColor = QStringLiteral("/Color");

} // namespace

void WritePrinterSetup(QSettings& settings, const QString& group, const QPrinter& printer)
{
    settings.setValue(group + kPrinter, printer.outputFormat() == QPrinter::NativeFormat ? printer.printerName() : QString());
    settings.setValue(group + kPaper, QPageSize::key(printer.pageLayout().pageSize().id()));
    settings.setValue(group + kLandscape, printer.pageLayout().orientation() == QPageLayout::Landscape);
    settings.setValue(group + kDuplex, int(printer.duplex()));
    settings.setValue(group + kColor, printer.colorMode() == QPrinter::Color);
}

void ReadPrinterSetup(QSettings& settings, const QString& group, QPrinter& printer)
{
    const QString name = settings.value(group + kPrinter).toString();
    if (!name.isEmpty() && printer.outputFormat() == QPrinter::NativeFormat
        && QPrinterInfo::availablePrinterNames().contains(name))
        printer.setPrinterName(name);
    if (settings.contains(group + kPaper)) {
        const QString key = settings.value(group + kPaper).toString();
        for (int id = 0; id <= int(QPageSize::LastPageSize); ++id) {
            if (QPageSize::key(QPageSize::PageSizeId(id)) == key) {
                printer.setPageSize(QPageSize(QPageSize::PageSizeId(id)));
                break;
            }
        }
    }
    if (settings.contains(group + kLandscape))
        printer.setPageOrientation(settings.value(group + kLandscape).toBool() ? QPageLayout::Landscape : QPageLayout::Portrait);
    if (settings.contains(group + kDuplex)) {
        const int duplex = settings.value(group + kDuplex).toInt();
        if (duplex >= int(QPrinter::DuplexNone) && duplex <= int(QPrinter::DuplexShortSide))
            printer.setDuplex(QPrinter::DuplexMode(duplex));
    }
    if (settings.contains(group + kColor))
        printer.setColorMode(settings.value(group + kColor).toBool() ? QPrinter::Color : QPrinter::GrayScale);
}

} // namespace brenvik
