// The page index and the kept page pictures.
#include "print/MetaFileList.h"

#include "editor/EditorFont.h"
#include "print/PrintLines.h"
#include "print/StringsPrinter.h"

#include <cmath>

namespace brenvik {

QFont PrinterFont(const TStringsPrinter& printer, int printerDpi)
{
    QFont font = printer.Font()->ToQFont();
    const int pictureDpi = QPicture().logicalDpiX();
    font.setPointSizeF(std::round(printer.Font()->Size() * double(printerDpi) / pictureDpi));
    return font;
}

TMetaFileList::TMetaFileList(const TStringsPrinter& printer, const TPrintLines& lines, const TPrinterMetrics& metrics)
    : FPrinter(printer)
    , FLines(lines)
    , FMetrics(metrics)
    , FMeasure(std::make_unique<TTextMeasure>(PrinterFont(printer, metrics.Dpi), lines.TabWidth()))
    , FGeometry(std::make_unique<TPageGeometry>(printer, metrics, *FMeasure, lines.Count()))
    , FFlow(std::make_unique<TPageFlow>(lines, *FGeometry, *FMeasure))
{
}

TMetaFileList::~TMetaFileList() = default;

int TMetaFileList::PercentDone() const
{
    if (FComplete)
        return 100;
    const int count = FLines.Count();
    return count > 0 ? int(std::lround(FNext.Line * 100.0 / count)) : 0;
}

bool TMetaFileList::IndexNextPage()
{
    if (FComplete)
        return false;
    FStarts.push_back(FNext);
    FNext = FFlow->LayOutPage(FNext, {});
    FComplete = FNext.Line >= FLines.Count();
    return true;
}

void TMetaFileList::IndexAll()
{
    while (IndexNextPage()) {
    }
}

const QPicture& TMetaFileList::Page(int index)
{
    for (auto kept = FKept.begin(); kept != FKept.end(); ++kept) {
        if (kept->Index == index) {
            FKept.splice(FKept.begin(), FKept, kept);
            return FKept.front().Picture;
        }
    }
    if (int(FKept.size()) >= kKeptPages)
        FKept.pop_back();
    FKept.push_front({index, QPicture()});
    Record(index, FKept.front().Picture);
    return FKept.front().Picture;
}

void TMetaFileList::Clear()
{
    FKept.clear();
    FStarts.clear();
    FNext = {};
    FComplete = false;
}

} // namespace brenvik
