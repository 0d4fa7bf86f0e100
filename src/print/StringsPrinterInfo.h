// The current printer: its name, its paper and its page metrics in device pixels.
#pragma once

#include <QObject>
#include <QSize>
#include <QString>
#include <functional>

class QPrinter;

namespace brenvik {

// The program's one printer (high resolution). With no printer installed it writes PDF files.
QPrinter& CurrentPrinter();
// False when the platform lists no printer, so that printing goes to a PDF file.
bool PrinterInstalled();

struct TPaperInfo {
    const char* Name;
    int Width;  // mm
    int Height; // mm
};
// The paper-size codes 1..68 and their sizes; null outside.
const TPaperInfo* PaperInfo(int code);

// The printable area of a printer's page and its distance from the sheet's edges, in device
// pixels at the printer's resolution (used for vertical lengths too).
struct TPrinterMetrics {
    int Dpi = 0;
    int PageWidth = 0;
    int PageHeight = 0;
    int OffLeft = 0;
    int OffTop = 0;
    int OffRight = 0;
    int OffBottom = 0;

    int SheetWidth() const { return PageWidth + OffLeft + OffRight; }
    int SheetHeight() const { return PageHeight + OffTop + OffBottom; }
    // A length in millimetres in device pixels.
    int Pixels(int mm) const;
};
// Offsets from the page layout's paint rectangle in the full page: exact on uneven margins.
TPrinterMetrics MetricsOf(const QPrinter& printer);

// Invariant: what the source gives is null or outlives this object.
class TStringsPrinterInfo : public QObject {
    Q_OBJECT
public:
    // source is asked for the printer only when it is needed: making one asks the print system
    // for its printers, which the program's start should not wait for. A null printer: no
    // printer (paper code -1).
    explicit TStringsPrinterInfo(std::function<QPrinter*()> source, QObject* parent = nullptr);

    QPrinter* Printer() const { return FSource(); }
    QString GetPrinterName() const;
    // The paper code of the current paper; -1 without a printer.
    int PaperCode() const;
    // Empty outside the table.
    QString GetPaperName() const;
    // (0, 0) outside the table.
    QSize GetPaperSize() const;
    bool Landscape() const;

private:
    std::function<QPrinter*()> FSource;
};

} // namespace brenvik
