// Shift_JIS text drawn on the editor's fixed grid: one column per byte, glyphs placed by column.
#pragma once

#include "highlight/Colors.h"
#include "jcode/DocumentChars.h"

#include <QFont>
#include <QRawFont>
#include <array>
#include <string_view>
#include <vector>

class QPainter;
class QColor;

namespace brenvik {

// Glyph lookups are cached per character and style, so a paint pass does no text shaping.
// A byte sequence with no Unicode form is drawn as a hollow box over its cells and never
// changed; a character the face lacks is drawn through Qt's font fallback.
// Invariant: every cached entry was computed for the current font.
class TEditorPaintGlyphs {
public:
    TEditorPaintGlyphs();

    // Resets the caches when the face, size or grid changes.
    void SetFont(const QFont& font, int columnWidth);
    int ColumnWidth() const { return FColumnWidth; }
    int Ascent() const { return FAscent; }
    // Codes of the document's own are drawn as its characters (chars outlives the painter's use of it).
    void SetDocumentChars(const TDocumentChars& chars);

    // Draws the characters of text that start in columns [first, last) with column c at
    // x + c * column width and the baseline at top + ascent. first must be a character start.
    void Draw(QPainter& painter, int x, int top, std::string_view text, int first, int last,
        TFontStyles style, const QColor& color);

    // The start of the character covering column col (walks from the row start).
    static int CharStart(std::string_view text, int col);

private:
    enum : quint32 {
        kUnknown = 0xFFFFFFFF,
        kNoUnicode = 0xFFFFFFFE,
        kFallback = 0xFFFFFFFD,
        kBlank = 0xFFFFFFFC
    };

    struct TStyleCache {
        QRawFont Raw;
        bool SynthBold = false;
        bool SynthItalic = false;
        std::array<quint32, 256> Single;
        std::vector<quint32> Double; // indexed by lead * 256 + trail
    };

    TStyleCache& CacheFor(TFontStyles style);
    quint32 Lookup(TStyleCache& cache, unsigned code, bool wide);
    QString Decode(unsigned code);
    QFont StyledFont(TFontStyles style) const;
    void DrawFallback(QPainter& painter, const QPointF& at, unsigned code, TFontStyles style);

    QFont FFont;
    const TDocumentChars* FChars = nullptr;
    int FColumnWidth = 1;
    int FAscent = 0;
    std::array<TStyleCache, 4> FCaches; // by bold and italic bits
    std::array<bool, 4> FCacheReady {};
    // Scratch buffers reused across calls.
    std::vector<quint32> FGlyphs;
    std::vector<QPointF> FPositions;
};

} // namespace brenvik
