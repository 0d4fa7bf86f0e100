// Shift_JIS text drawn on the editor's fixed grid: one column per byte, glyphs placed by column.
#include "editor/EditorPaintGlyphs.h"

#include "jcode/SjisUnicode.h"
#include "support/DoubleByte.h"

#include <QGlyphRun>
#include <QPainter>

namespace brenvik {

namespace {

int StyleSlot(TFontStyles style)
{
    return ((style & fsBold) ? 1 : 0) | ((style & fsItalic) ? 2 : 0);
}

} // namespace

TEditorPaintGlyphs::TEditorPaintGlyphs() = default;

void TEditorPaintGlyphs::SetFont(const QFont& font, int columnWidth)
{
    if (font == FFont && columnWidth == FColumnWidth && FCacheReady[0])
        return;
    FFont = font;
    FColumnWidth = std::max(1, columnWidth);
    FCacheReady.fill(false);
    FAscent = qRound(CacheFor(0).Raw.ascent());
}

QFont TEditorPaintGlyphs::StyledFont(TFontStyles style) const
{
    QFont font = FFont;
    font.setBold((style & fsBold) != 0);
    font.setItalic((style & fsItalic) != 0);
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
}

TEditorPaintGlyphs::TStyleCache& TEditorPaintGlyphs::CacheFor(TFontStyles style)
{
    const int slot = StyleSlot(style);
    TStyleCache& cache = FCaches[static_cast<size_t>(slot)];
    if (!FCacheReady[static_cast<size_t>(slot)]) {
        cache.Raw = QRawFont::fromFont(StyledFont(style));
        // A face without bold or italic variants gets them drawn by hand.
        cache.SynthBold = (style & fsBold) && cache.Raw.weight() < QFont::DemiBold;
        cache.SynthItalic = (style & fsItalic) && cache.Raw.style() == QFont::StyleNormal;
        cache.Single.fill(kUnknown);
        cache.Double.assign(65536, kUnknown);
        FCacheReady[static_cast<size_t>(slot)] = true;
    }
    return cache;
}

void TEditorPaintGlyphs::SetDocumentChars(const TDocumentChars& chars)
{
    FChars = &chars;
    FCacheReady.fill(false);
}

QString TEditorPaintGlyphs::Decode(unsigned code)
{
    // A character of the document's own may lie outside the BMP: its glyph comes through the fallback.
    const char32_t c = SjisCharToUnicode(static_cast<TSjisCode>(code), FChars ? *FChars : NoDocumentChars());
    return c == kNoChar ? QString() : QString::fromUcs4(&c, 1);
}

quint32 TEditorPaintGlyphs::Lookup(TStyleCache& cache, unsigned code, bool wide)
{
    quint32& entry = wide ? cache.Double[code] : cache.Single[code];
    if (entry != kUnknown)
        return entry;
    // Single bytes other than printable ASCII and narrow kana (controls, 0x7F, 0x80, 0xA0,
    // 0xFD-0xFF, a lead byte without its trail) have no character to show.
    const bool printable = wide || (code >= 0x21 && code <= 0x7E) || (code >= 0xA1 && code <= 0xDF);
    const QString text = printable ? Decode(code) : QString();
    if (code == 0x20 && !wide)
        entry = kBlank;
    else if (text.isEmpty())
        entry = kNoUnicode;
    else {
        const QList<quint32> glyphs = cache.Raw.glyphIndexesForString(text);
        entry = glyphs.size() == 1 && glyphs[0] != 0 ? glyphs[0] : kFallback;
    }
    return entry;
}

int TEditorPaintGlyphs::CharStart(std::string_view text, int col)
{
    int i = 0;
    while (i < static_cast<int>(text.size())) {
        const int width = IsLeadByte(static_cast<unsigned char>(text[static_cast<size_t>(i)])) ? 2 : 1;
        if (i + width > col)
            return i;
        i += width;
    }
    return col;
}

void TEditorPaintGlyphs::DrawFallback(
    QPainter& painter, const QPointF& at, unsigned code, TFontStyles style)
{
    const QFont saved = painter.font();
    painter.setFont(StyledFont(style));
    painter.drawText(at, Decode(code));
    painter.setFont(saved);
}

void TEditorPaintGlyphs::Draw(QPainter& painter, int x, int top, std::string_view text, int first, int last,
    TFontStyles style, const QColor& color)
{
    const int size = static_cast<int>(text.size());
    last = std::min(last, size);
    if (first >= last)
        return;
    TStyleCache& cache = CacheFor(style);
    const int baseline = top + FAscent;
    FGlyphs.clear();
    FPositions.clear();
    painter.setPen(color);
    painter.setBrush(Qt::NoBrush);
    int i = first;
    while (i < last) {
        const auto byte = static_cast<unsigned char>(text[static_cast<size_t>(i)]);
        const bool wide = IsLeadByte(byte) && i + 1 < size;
        const unsigned code
            = wide ? (byte << 8) | static_cast<unsigned char>(text[static_cast<size_t>(i) + 1]) : byte;
        const int width = wide ? 2 : 1;
        const quint32 glyph = Lookup(cache, code, wide);
        const int cellX = i * FColumnWidth;
        if (glyph == kNoUnicode) {
            // A hollow box over the character's cells, so the bytes stay visible as they are.
            painter.drawRect(x + cellX + 1, top + 1, width * FColumnWidth - 3, FAscent - 2);
        } else if (glyph == kFallback) {
            DrawFallback(painter, QPointF(x + cellX, baseline), code, style);
        } else if (glyph != kBlank) {
            FGlyphs.push_back(glyph);
            FPositions.emplace_back(cellX, 0);
        }
        i += width;
    }
    if (!FGlyphs.empty()) {
        QGlyphRun run;
        run.setRawFont(cache.Raw);
        run.setGlyphIndexes(QList<quint32>(FGlyphs.begin(), FGlyphs.end()));
        run.setPositions(QList<QPointF>(FPositions.begin(), FPositions.end()));
        const QPointF origin(x, baseline);
        if (cache.SynthItalic) {
            painter.save();
            painter.translate(origin);
            painter.setTransform(QTransform(1, 0, -0.2, 1, 0, 0), true);
            painter.drawGlyphRun(QPointF(0, 0), run);
            if (cache.SynthBold)
                painter.drawGlyphRun(QPointF(1, 0), run);
            painter.restore();
        } else {
            painter.drawGlyphRun(origin, run);
            if (cache.SynthBold)
                painter.drawGlyphRun(origin + QPointF(1, 0), run);
        }
    }
    const int left = x + first * FColumnWidth;
    const int right = x + i * FColumnWidth - 1;
    if (style & fsUnderline)
        painter.drawLine(left, baseline + 1, right, baseline + 1);
    if (style & fsStrikeOut)
        painter.drawLine(left, baseline - FAscent / 3, right, baseline - FAscent / 3);
}

} // namespace brenvik
