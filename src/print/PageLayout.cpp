// Page geometry from margins, font and columns; the flow of lines through the columns.
#include "print/PageLayout.h"

#include "jcode/SjisUnicode.h"
#include "print/PrintLines.h"
#include "print/StringsPrinter.h"

#include <cmath>

namespace brenvik {

namespace {

int DigitCount(int value)
{
    int digits = 1;
    for (; value >= 10; value /= 10)
        ++digits;
    return digits;
}

bool HasBand(TStringsPrinterHeaderAlign align, const QString& text)
{
    return align != haNone && !text.isEmpty();
}

} // namespace

TPageGeometry::TPageGeometry(
    const TStringsPrinter& printer, const TPrinterMetrics& metrics, const TTextMeasure& measure, int lineCount)
{
    // Margins count from the sheet's edge; the page rectangle is in printable-area pixels.
    FLeft = std::max(0, metrics.Pixels(printer.MarginLeft()) - metrics.OffLeft);
    FTop = std::max(0, metrics.Pixels(printer.MarginTop()) - metrics.OffTop);
    FRight = std::min(metrics.PageWidth, metrics.PageWidth + metrics.OffRight - metrics.Pixels(printer.MarginRight()));
    FBottom = std::min(
        metrics.PageHeight, metrics.PageHeight + metrics.OffBottom - metrics.Pixels(printer.MarginBottom()));
    FLineHeight = measure.LineHeight();
    const int band = FLineHeight * 3 / 2;
    FHeaderBottom = HasBand(printer.HeaderAlign(), printer.Header()) ? FTop + band : FTop;
    FFooterTop = HasBand(printer.FooterAlign(), printer.Footer()) ? FBottom - band : FBottom;
    FColumnCount = printer.ColumnCount();
    FStripWidth = printer.LineNumber() ? int(std::lround((DigitCount(lineCount) + 2) * measure.CharWidth())) : 0;
    const int gap = metrics.Pixels(printer.ColumnSpace());
    FTextWidth = (FRight - FLeft - FStripWidth - (gap + FStripWidth) * (FColumnCount - 1)) / FColumnCount;
    FStep = gap + FStripWidth + FTextWidth;
    FRowsPerColumn = FFooterTop > FHeaderBottom && FLineHeight > 0 ? (FFooterTop - FHeaderBottom) / FLineHeight : 0;
    FFits = FRowsPerColumn >= 1 && FTextWidth > 0 && FTextWidth >= measure.FullWidth();
}

QString TPageGeometry::NoRoomMessage()
{
    return QStringLiteral("余白または段組の設定が大きすぎるため、本文を配置できません。");
}

QRect TPageGeometry::StripRect(int column) const
{
    return {FLeft + column * FStep, FHeaderBottom, FStripWidth, FFooterTop - FHeaderBottom};
}

QRect TPageGeometry::TextColumn(int column) const
{
    return {FLeft + FStripWidth + column * FStep, FHeaderBottom, FTextWidth, FFooterTop - FHeaderBottom};
}

TPageFlow::TPageFlow(const TPrintLines& lines, const TPageGeometry& geometry, const TTextMeasure& measure)
    : FLines(lines)
    , FGeometry(geometry)
    , FMeasure(measure)
{
}

TFlowPosition TPageFlow::LayOutPage(
    TFlowPosition position, const std::function<void(const TPlacedRows&)>& place) const
{
    const int count = FLines.Count();
    const int lineHeight = FGeometry.LineHeight();
    const int perColumn = FGeometry.RowsPerColumn();
    int column = 0;
    int top = FGeometry.HeaderBottom();
    // Moves to the next column; false when the page is full.
    const auto nextColumn = [&] {
        if (column + 1 >= FGeometry.ColumnCount())
            return false;
        ++column;
        top = FGeometry.HeaderBottom();
        return true;
    };
    std::vector<TRowSpan> rows;
    QString text;
    int broken = -1; // the line whose rows are in rows
    while (position.Line < count) {
        if (broken != position.Line) {
            text = PrintableText(FLines.Line(position.Line), FLines.Chars());
            BreakRows(text, FGeometry.TextWidth(), FMeasure, rows);
            broken = position.Line;
        }
        const int remaining = int(rows.size()) - position.Row;
        const int roomRows = (FGeometry.FooterTop() - top) / lineHeight;
        if (remaining > roomRows) {
            // A line that fits a column moves on whole; a taller one starts an empty column.
            const bool columnEmpty = top == FGeometry.HeaderBottom();
            if (remaining <= perColumn || !columnEmpty) {
                if (!nextColumn())
                    return position;
                continue;
            }
            if (place)
                place({position.Line, text, rows, position.Row, perColumn, column, top, position.Row == 0});
            position.Row += perColumn;
            if (!nextColumn())
                return position;
            continue;
        }
        if (place)
            place({position.Line, text, rows, position.Row, remaining, column, top, position.Row == 0});
        top += remaining * lineHeight;
        position = {position.Line + 1, 0};
    }
    return position;
}

} // namespace brenvik
