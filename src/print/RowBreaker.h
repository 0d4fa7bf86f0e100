// Breaking a printed line into rows the way an edit control wraps, over cached character
// advances: a text layout per line costs some 40 µs, too much for a million lines.
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QPicture>
#include <QString>
#include <string>
#include <vector>

class QPainter;

namespace brenvik {

class TDocumentChars;

// The body font measured on a page picture, in the picture's units (printer pixels).
class TTextMeasure {
public:
    explicit TTextMeasure(const QFont& font);

    const QFont& Font() const { return FFont; }
    // Cell height plus external leading, whole pixels.
    int LineHeight() const { return FLineHeight; }
    qreal CharWidth() const { return FMetrics.averageCharWidth(); }
    qreal Ascent() const { return FMetrics.ascent(); }
    // The width of a full-width character: no column may be narrower.
    qreal FullWidth() const { return Advance(u'\u3042'); }
    qreal TextWidth(const QString& text) const { return FMetrics.horizontalAdvance(text); }
    // Tab stops every 8 average character widths from the column's left edge.
    qreal NextTabStop(qreal x) const;
    qreal Advance(char16_t unit) const;
    // Advance of the character at i; length gets 2 for a surrogate pair, else 1.
    qreal AdvanceAt(const QString& text, qsizetype i, int& length) const;

private:
    QPicture FDevice;
    QFont FFont;
    QFontMetricsF FMetrics;
    int FLineHeight;
    mutable std::vector<float> FAdvances; // by UTF-16 unit; negative: not measured yet
};

struct TRowSpan {
    qsizetype Start = 0;
    qsizetype End = 0; // one past the row's last character
};

// A line's bytes as printed text: the converter's visible substitute for bytes that have no
// Unicode form, and control characters other than tab as their visible pictures.
QString PrintableText(const std::string& bytes, const TDocumentChars& chars);

// Rows of text in a column width wide: a row ends after spaces, between full-width
// characters, or, for a word wider than the column, between characters; spaces at a row's
// end hang past the edge. An empty text gives one empty row; every row holds a character.
void BreakRows(const QString& text, qreal width, const TTextMeasure& measure, std::vector<TRowSpan>& rows);

// Draws one row with its left edge at x and its baseline at baseline, tabs expanded by the
// same stops that BreakRows measured with.
void DrawRow(QPainter& painter, const QString& text, TRowSpan row, qreal x, qreal baseline,
    const TTextMeasure& measure);

} // namespace brenvik
