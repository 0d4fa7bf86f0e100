// Where everything goes on a page: margins, header and footer bands, line-number strips and
// text columns, and the flow of lines through columns and pages.
#pragma once

#include "print/RowBreaker.h"
#include "print/StringsPrinterInfo.h"

#include <QRect>
#include <functional>
#include <vector>

namespace brenvik {

class TPrintLines;
class TStringsPrinter;

// Invariant (when Fits()): RowsPerColumn() >= 1 and every text column is at least a
// full-width character wide, so each column takes at least one row.
class TPageGeometry {
public:
    TPageGeometry(const TStringsPrinter& printer, const TPrinterMetrics& metrics, const TTextMeasure& measure,
        int lineCount);

    // The message shown when the text has no room (Fits() false).
    static QString NoRoomMessage();
    bool Fits() const { return FFits; }

    QRect PageRect() const { return {FLeft, FTop, FRight - FLeft, FBottom - FTop}; }
    QRect HeaderBand() const { return {FLeft, FTop, FRight - FLeft, FHeaderBottom - FTop}; }
    QRect FooterBand() const { return {FLeft, FFooterTop, FRight - FLeft, FBottom - FFooterTop}; }
    int HeaderBottom() const { return FHeaderBottom; }
    int FooterTop() const { return FFooterTop; }
    int ColumnCount() const { return FColumnCount; }
    int StripWidth() const { return FStripWidth; }
    int TextWidth() const { return FTextWidth; }
    int LineHeight() const { return FLineHeight; }
    int RowsPerColumn() const { return FRowsPerColumn; }
    QRect StripRect(int column) const;
    QRect TextColumn(int column) const;

private:
    int FLeft, FTop, FRight, FBottom;
    int FHeaderBottom, FFooterTop;
    int FColumnCount, FStripWidth, FTextWidth, FStep;
    int FLineHeight, FRowsPerColumn;
    bool FFits;
};

// A place in the text: a line and the first of its rows still to be placed.
struct TFlowPosition {
    int Line = 0;
    int Row = 0;
    bool operator==(const TFlowPosition&) const = default;
};

// Rows of one line placed in a column.
struct TPlacedRows {
    int Line;
    const QString& Text;
    const std::vector<TRowSpan>& Rows;
    int FirstRow;
    int RowCount;
    int Column;
    int Top;
    bool Numbered; // the line's first part carries its number
};

// The flow of lines down the columns of a page. A line moves on whole to the next column or
// page when it does not fit; a line taller than a whole column starts at the top of a column
// and is split at its rows into the following ones.
class TPageFlow {
public:
    TPageFlow(const TPrintLines& lines, const TPageGeometry& geometry, const TTextMeasure& measure);

    // Lays out the page that starts at start, handing each placement to place (may be
    // empty); returns where the next page starts (Line == line count: the text is done).
    TFlowPosition LayOutPage(TFlowPosition start, const std::function<void(const TPlacedRows&)>& place) const;

private:
    const TPrintLines& FLines;
    const TPageGeometry& FGeometry;
    const TTextMeasure& FMeasure;
};

} // namespace brenvik
