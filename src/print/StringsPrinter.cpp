// The strings printer's properties, page numbers and page filter.
#include "print/StringsPrinter.h"

#include "editor/EditorFont.h"
#include "print/Keywords.h"
#include "print/StringsPrinterInfo.h"

#include <algorithm>

namespace brenvik {

TStringsPrinter::TStringsPrinter(QObject* parent)
    : TNotifyPersistent(parent)
    , FFont(new TEditorFont(this))
    , FInfo(new TStringsPrinterInfo([] { return &CurrentPrinter(); }, this))
{
    FFont->OnChange = [this](QObject* sender) { ChangedProc(sender); };
}

TStringsPrinter::~TStringsPrinter() = default;

void TStringsPrinter::SetColumnCount(int value)
{
    SetField(FColumnCount, std::clamp(value, 1, 3));
}

void TStringsPrinter::SetColumnSpace(int value)
{
    SetField(FColumnSpace, std::clamp(value, 0, 100));
}

void TStringsPrinter::SetFirstPageNumber(int value)
{
    SetField(FFirstPageNumber, std::clamp(value, 1, kMaxPage));
}

void TStringsPrinter::SetFont(TEditorFont* value)
{
    if (value)
        FFont->Assign(*value);
}

void TStringsPrinter::SetLastPage(int value)
{
    SetField(FLastPage, std::clamp(value, 1, kMaxPage));
}

void TStringsPrinter::SetMarginBottom(int value)
{
    SetField(FMarginBottom, std::clamp(value, 0, 100));
}

void TStringsPrinter::SetMarginLeft(int value)
{
    SetField(FMarginLeft, std::clamp(value, 0, 100));
}

void TStringsPrinter::SetMarginRight(int value)
{
    SetField(FMarginRight, std::clamp(value, 0, 100));
}

void TStringsPrinter::SetMarginTop(int value)
{
    SetField(FMarginTop, std::clamp(value, 0, 100));
}

void TStringsPrinter::SetStartPage(int value)
{
    SetField(FStartPage, std::clamp(value, 1, kMaxPage));
}

QString TStringsPrinter::ExpandKeywords(const QString& text, int pageNumber) const
{
    return ExpandKeywordTemplate(text, {pageNumber, FFileName, PrintClockNow()});
}

int TStringsPrinter::PageNumberOf(int index) const
{
    // Under a limited range page StartPage carries FirstPageNumber.
    return FRangeOption == roWhole ? index + FFirstPageNumber : index + FFirstPageNumber - FStartPage + 1;
}

bool TStringsPrinter::PagePrinted(int index) const
{
    const int number = PageNumberOf(index);
    const bool inRange = FRangeOption == roWhole || (FStartPage <= index + 1 && index + 1 <= FLastPage);
    const bool even = number % 2 == 0;
    return inRange && number > 0 && !(FPageOption == poOdd && even) && !(FPageOption == poEven && !even);
}

} // namespace brenvik
