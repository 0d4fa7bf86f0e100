// Paints the editor: corner, ruler, left bar, text rows with tokens, selection and marks.
#pragma once

#include "editor/EditorEnums.h"
#include "editor/EditorGeometry.h"
#include "editor/EditorPaintGlyphs.h"
#include "editor/EditorViewProperties.h"
#include "highlight/Colors.h"

#include <QColor>
#include <QRect>
#include <string>
#include <string_view>

class QPainter;
class QPalette;

namespace brenvik {

// A colour value as Qt draws it: system colours come from the palette.
QColor ToQColor(TColor color, const QPalette& palette);

class TEditorMark;
class TEditorModel;
class TFountainParser;
struct TSelectionCols;

// Paints an editor from its model (rows, caret, selection), its view properties and a
// geometry; it changes none of them. The text sits on a fixed grid, one column per byte; a
// paint pass touches only the rows that its rectangle meets and shares one parser among them.
// Row states are scanned before a pass: the painter only reads them.
// Invariant: Canvas() is non-null exactly while a paint pass runs.
class TEditorPainter {
public:
    TEditorPainter(const TEditorModel& model, const TEditorViewProperties& viewProps);
    // The model painted from now on (the editor shows another document).
    void SetModel(const TEditorModel& model) { FModel = &model; }
    TEditorPainter(const TEditorPainter&) = delete;
    TEditorPainter& operator=(const TEditorPainter&) = delete;

    // A colour value as Qt draws it: system colours come from the palette.
    QColor ToQColor(TColor color) const;
    // clNone falls back to the given colour.
    QColor ColorOr(TColor color, TColor fallback) const
    {
        return ToQColor(color == clNone ? fallback : color);
    }

    // The whole paint event: every area the rectangle meets, then the underline and the caret
    // (none when caret is empty).
    void Paint(QPainter& canvas, const QRect& rect, const TEditorGeometry& geometry, const QRect& caret);
    QPainter* Canvas() const { return FCanvas; }

    void PaintArea(const QRect& rect);
    // One row, clipped to rect: x is the x of column 0, y the top of the text.
    void PaintRow(const QRect& rect, int x, TFountainParser* parser, int row, const std::string& text, int y);
    void PaintSelectedRow(
        const QRect& rect, int x, TFountainParser* parser, int row, const std::string& text, int y);
    void PaintRowWithSelection(
        const QRect& rect, int x, TFountainParser* parser, int row, const std::string& text, int y);
    void PaintLeftbar(int firstRow, int lastRow);
    void PaintRuler();
    void PaintCorner();
    // The caret's column in the ruler; nothing for a column out of view.
    void PaintRulerMark(int col);
    void PaintUnderline();

    // Text on the grid clipped to clip (filled first with bkColor when opaque), cut at 1000
    // columns, or 1001 when a double-byte character starts in column 999.
    void DrawCells(const QRect& clip, int x, bool opaque, std::string_view text, int y, const QColor& color,
        const QColor& bkColor, TFontStyles style);

    // Mark painters at the mark column's left x and the row's text top y.
    void PaintEofMark(int x, int y);
    void PaintRetMark(int x, int y, bool selected);
    void PaintWrapMark(int x, int y, bool selected);
    void PaintHideMark(int x, int y, bool selected);
    void PaintArrowMark(int x, int y, bool selected, const TEditorMark& mark, bool pointsLeft);

    // Columns drawn of a row text (tabs expanded): all of them up to the horizontal extent, and
    // one more when a double-byte character starts in its last column.
    int CutLength(std::string_view text) const;
    // What changed between two selections, for a repaint of only that (viewport pixels).
    QRegion SelectionChange(const TSelectionCols& before, bool wasSelected, const TSelectionCols& after,
        bool selected, bool box) const;

    // True when the editor font or a colour of the active fountain is italic.
    bool ItalicFlag() const;
    TEditorPaintGlyphs& Glyphs() { return FGlyphs; }

private:
    enum class TRowMode { Plain, Selected };
    void PaintRowPart(const QRect& rect, int x, TFountainParser* parser, int row, const std::string& text,
        int y, TRowMode mode);
    void PaintRowMarks(const QRect& rect, int x, int row, int length, int cut, int y, bool selected);
    void PaintTextRows(const QRect& snapped, int firstRow, int lastRow);
    void PaintMarkLines(const QColor& color, std::initializer_list<QPoint> points);
    void PaintLeftbarEdge(int x, int top, int bottom);
    void PaintRulerEdge(int left, int right, int bottom);
    int ScrollOffset() const;
    int TextAreaRight() const;
    void PaintCaret(const QRect& rect, const QRect& caret);
    QColor FontColor() const;
    QColor BackColor() const;
    TFontStyles FontStyle() const;

    const TEditorModel* FModel;
    const TEditorViewProperties& FViewProps;
    TEditorGeometry FGeometry; // for the pass under way
    TEditorPaintGlyphs FGlyphs;
    QPainter* FCanvas = nullptr;
    bool FItalic = false; // for the pass under way
    int FRowRectHeight = 0; // for the pass under way
    std::string FJoined; // a wrapped row joined with the next, kept across the rows of a pass
};

} // namespace brenvik
