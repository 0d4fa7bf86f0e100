// Tab marks ">" and full-width-space squares.
#include "app/LineMarks.h"

#include "editor/Editor.h"
#include "editor/EditorMargin.h"
#include "editor/EditorPainter.h"
#include "editor/EditorViewInfo.h"
#include "highlight/EditorColors.h"
#include "highlight/FountainColor.h"
#include "text/ColumnModel.h"

#include <QPainter>
#include <QPen>

#include <string_view>

namespace brenvik {

namespace {

constexpr std::string_view kFullWidthSpace = "\x81\x40";

// Fonts wider than this get the bold tab mark.
constexpr int kWideColumn = 13;

struct TMarkPens {
    QColor Tab;
    QColor DBSpace;
};

void DrawTabMark(QPainter& canvas, int x, int middle, int colWidth, const QColor& color)
{
    const bool wide = colWidth > kWideColumn;
    const int h = wide ? 5 : 1;
    const int w = wide ? 5 : 3;
    canvas.setPen(QPen(color, wide ? 2 : 1));
    canvas.drawLine(x + 2, middle - h, x + 2 + w, middle);
    canvas.drawLine(x + 2, middle + h, x + 2 + w, middle);
}

void DrawDBSpaceMark(QPainter& canvas, int x, int top, int side, const QColor& color)
{
    canvas.setPen(QPen(color, 1));
    canvas.setBrush(Qt::NoBrush);
    canvas.drawRect(x + 2, top + 2, side, side);
}

} // namespace

void DrawLineMarks(
    TEditor& editor, int row, int x, const QRect& rect, bool selected, const TLineMarkStyle& style)
{
    QPainter* canvas = editor.Canvas();
    const std::string_view text = editor.RowText(row);
    const bool tabs = style.TabVisible && text.find('\t') != std::string_view::npos;
    const bool spaces = style.DBSpaceVisible && text.find(kFullWidthSpace) != std::string_view::npos;
    if (!canvas || (!tabs && !spaces))
        return;
    const TEditorPainter& painter = editor.Painter();
    const TColor selectedColor = editor.View()->Colors()->Select()->Color();
    const QColor selectedPen = painter.ColorOr(selectedColor, editor.Color());
    const QColor tabPen = selected ? selectedPen : painter.ToQColor(style.TabColor);
    const QColor spacePen = selected ? selectedPen : painter.ToQColor(style.DBSpaceColor);
    const int colWidth = editor.ColWidth();
    const int side = 2 * (colWidth - editor.Margin()->Character()) - 4;
    const int middle = rect.top() + (editor.RowHeight() - editor.Margin()->Line()) / 2;
    const TColumnLayout layout = editor.ColumnLayout();

    canvas->save();
    canvas->setRenderHint(QPainter::Antialiasing, false);
    int column = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int markX = x + column * colWidth;
        if (markX > rect.right())
            break;
        if (text[i] == '\t') {
            const int span = TabColumns(column, layout);
            if (tabs && markX >= rect.left())
                DrawTabMark(*canvas, markX, middle, colWidth, tabPen);
            column += span;
        } else if (StartsPair(text, i)) {
            // The square may start left of the part being drawn; the canvas clips its left side.
            if (spaces && text.substr(i, 2) == kFullWidthSpace && markX + 2 * colWidth > rect.left())
                DrawDBSpaceMark(*canvas, markX, rect.top(), side, spacePen);
            column += 2;
            ++i;
        } else {
            ++column;
        }
    }
    canvas->restore();
}

} // namespace brenvik
