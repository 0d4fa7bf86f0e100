// The laid-out pages of one print or preview: an index of where each page starts, and the
// page pictures, recorded when a page is shown or printed.
#pragma once

#include "print/PageLayout.h"

#include <QPicture>
#include <list>
#include <memory>
#include <vector>

namespace brenvik {

class TPrintLines;
class TStringsPrinter;

// Invariant: Starts holds one entry per indexed page, in text order; at most kKeptPages
// pictures are held at a time (a page measured 197 KB, 7,000 pages would take 1.4 GB).
class TMetaFileList {
public:
    static constexpr int kKeptPages = 8;

    TMetaFileList(const TStringsPrinter& printer, const TPrintLines& lines, const TPrinterMetrics& metrics);
    ~TMetaFileList();
    TMetaFileList(const TMetaFileList&) = delete;
    TMetaFileList& operator=(const TMetaFileList&) = delete;

    const TPrinterMetrics& Metrics() const { return FMetrics; }
    const TPageGeometry& Geometry() const { return *FGeometry; }
    const TTextMeasure& Measure() const { return *FMeasure; }
    const TStringsPrinter& Printer() const { return FPrinter; }

    // Pages indexed so far.
    int Count() const { return int(FStarts.size()); }
    bool Complete() const { return FComplete; }
    // How far the index has come, 0..100.
    int PercentDone() const;
    // Finds where one more page ends; false when the index was already complete.
    bool IndexNextPage();
    void IndexAll();

    // The picture of page index (0-based, indexed), recorded now unless kept.
    const QPicture& Page(int index);
    int KeptPages() const { return int(FKept.size()); }
    // Drops the index and the pictures; the next IndexNextPage starts again.
    void Clear();

private:
    struct TKeptPage {
        int Index;
        QPicture Picture;
    };
    void Record(int index, QPicture& picture) const;

    const TStringsPrinter& FPrinter;
    const TPrintLines& FLines;
    TPrinterMetrics FMetrics;
    std::unique_ptr<TTextMeasure> FMeasure;
    std::unique_ptr<TPageGeometry> FGeometry;
    std::unique_ptr<TPageFlow> FFlow;
    std::vector<TFlowPosition> FStarts;
    TFlowPosition FNext;
    bool FComplete = false;
    std::list<TKeptPage> FKept; // most recently used first
};

// The body font at the size that draws at its point size on the printer: the picture
// measures at its own resolution while the page is sized in printer pixels.
QFont PrinterFont(const TStringsPrinter& printer, int printerDpi);

} // namespace brenvik
