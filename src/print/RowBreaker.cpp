// Row breaking and drawing over cached advances.
#include "print/RowBreaker.h"

#include "jcode/SjisUnicode.h"

#include <QPainter>
#include <cmath>

namespace brenvik {

namespace {

bool IsSpace(char16_t c)
{
    return c == u' ' || c == u'\t';
}

// East Asian characters (surrogates included) may be broken before and after.
bool IsWide(char16_t c)
{
    return c >= 0x2E80;
}

bool BreakBefore(const QString& text, qsizetype i)
{
    const char16_t previous = text[i - 1].unicode();
    return IsSpace(previous) || IsWide(previous) || IsWide(text[i].unicode());
}

} // namespace

TTextMeasure::TTextMeasure(const QFont& font)
    : FFont(font)
    , FMetrics(font, &FDevice)
    , FLineHeight(int(std::ceil(FMetrics.height() + std::max<qreal>(0, FMetrics.leading()))))
    , FAdvances(0x10000, -1.0f)
{
}

qreal TTextMeasure::NextTabStop(qreal x) const
{
    const qreal tab = 8 * CharWidth();
    return tab > 0 ? (std::floor(x / tab) + 1) * tab : x;
}

qreal TTextMeasure::Advance(char16_t unit) const
{
    float& cached = FAdvances[unit];
    if (cached < 0)
        cached = float(FMetrics.horizontalAdvance(QChar(unit)));
    return cached;
}

qreal TTextMeasure::AdvanceAt(const QString& text, qsizetype i, int& length) const
{
    const QChar c = text[i];
    if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
        length = 2;
        return FMetrics.horizontalAdvance(text.mid(i, 2));
    }
    length = 1;
    return Advance(c.unicode());
}

QString PrintableText(const std::string& bytes, const TDocumentChars& chars)
{
    QString text = SjisToUnicode(bytes, chars);
    for (QChar& c : text) {
        const char16_t unit = c.unicode();
        if (unit < 0x20 && unit != u'\t')
            c = QChar(char16_t(0x2400 + unit));
        else if (unit == 0x7F)
            c = QChar(char16_t(0x2421));
    }
    return text;
}

void BreakRows(const QString& text, qreal width, const TTextMeasure& measure, std::vector<TRowSpan>& rows)
{
    rows.clear();
    const qsizetype size = text.size();
    qsizetype start = 0;
    do {
        qreal x = 0;
        qsizetype breakAt = start; // the last place after start where the row may end
        qsizetype i = start;
        qsizetype end = size;
        while (i < size) {
            if (i > start && BreakBefore(text, i))
                breakAt = i;
            const char16_t c = text[i].unicode();
            int length = 1;
            const qreal next = c == u'\t' ? measure.NextTabStop(x) : x + measure.AdvanceAt(text, i, length);
            if (next > width && i > start && !IsSpace(c)) {
                end = breakAt > start ? breakAt : i;
                break;
            }
            x = next;
            i += length;
        }
        rows.push_back({start, end});
        start = end;
    } while (start < size);
}

void DrawRow(QPainter& painter, const QString& text, TRowSpan row, qreal x, qreal baseline,
    const TTextMeasure& measure)
{
    qreal offset = 0;
    qsizetype runStart = row.Start;
    qreal runOffset = 0;
    const auto flush = [&](qsizetype runEnd) {
        if (runEnd > runStart)
            painter.drawText(QPointF(x + runOffset, baseline), text.mid(runStart, runEnd - runStart));
    };
    for (qsizetype i = row.Start; i < row.End;) {
        if (text[i] == QLatin1Char('\t')) {
            flush(i);
            offset = measure.NextTabStop(offset);
            runStart = ++i;
            runOffset = offset;
            continue;
        }
        int length = 1;
        offset += measure.AdvanceAt(text, i, length);
        i += length;
    }
    flush(row.End);
}

} // namespace brenvik
