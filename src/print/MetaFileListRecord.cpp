// Recording one page: header, line numbers, body rows and footer, in printer pixels.
#include "editor/EditorFont.h"
#include "print/MetaFileList.h"
#include "print/StringsPrinter.h"

#include <QPainter>

namespace brenvik {

namespace {

// System and "none" colours have no meaning on paper: they print black.
QColor InkColor(TColor color)
{
    if (color & 0xFF000000u)
        return Qt::black;
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

Qt::Alignment BandAlignment(TStringsPrinterHeaderAlign align)
{
    switch (align) {
    case haCenter:
        return Qt::AlignHCenter;
    case haRight:
        return Qt::AlignRight;
    default:
        return Qt::AlignLeft;
    }
}

// One line, top-aligned in its band and clipped to it (text drawn in a rectangle is clipped
// unless told otherwise); "&" is printed as it is.
void DrawBand(QPainter& painter, const QRect& band, const QString& text, TStringsPrinterHeaderAlign align)
{
    if (align == haNone || text.isEmpty() || band.isEmpty())
        return;
    painter.drawText(band, int(Qt::AlignTop | BandAlignment(align) | Qt::TextSingleLine), text);
}

} // namespace

void TMetaFileList::Record(int index, QPicture& picture) const
{
    const TPageGeometry& geometry = *FGeometry;
    const TTextMeasure& measure = *FMeasure;
    picture.setBoundingRect(QRect(0, 0, FMetrics.PageWidth, FMetrics.PageHeight));
    QPainter painter(&picture);
    painter.setFont(measure.Font());
    painter.setPen(InkColor(FPrinter.Font()->Color()));
    const int number = FPrinter.PageNumberOf(index);
    DrawBand(painter, geometry.HeaderBand(), FPrinter.ExpandKeywords(FPrinter.Header(), number),
        FPrinter.HeaderAlign());
    const int lineHeight = geometry.LineHeight();
    const qreal ascent = measure.Ascent();
    FFlow->LayOutPage(FStarts[std::size_t(index)], [&](const TPlacedRows& placed) {
        if (placed.Numbered && FPrinter.LineNumber()) {
            const QString label = QString::number(placed.Line + 1) + QLatin1Char(':');
            const QRect strip = geometry.StripRect(placed.Column);
            painter.drawText(QPointF(strip.right() + 1 - measure.TextWidth(label), placed.Top + ascent), label);
        }
        const int left = geometry.TextColumn(placed.Column).left();
        for (int row = 0; row < placed.RowCount; ++row) {
            DrawRow(painter, placed.Text, placed.Rows[std::size_t(placed.FirstRow + row)], left,
                placed.Top + row * lineHeight + ascent, measure);
        }
    });
    DrawBand(painter, geometry.FooterBand(), FPrinter.ExpandKeywords(FPrinter.Footer(), number),
        FPrinter.FooterAlign());
}

} // namespace brenvik
