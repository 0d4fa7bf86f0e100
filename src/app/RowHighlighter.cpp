// Finding and painting the search and keyword hits of a row.
#include "app/RowHighlighter.h"

#include "editor/Editor.h"
#include "editor/EditorFont.h"
#include "editor/EditorPainter.h"
#include "editor/EditorViewInfo.h"
#include "highlight/EditorColors.h"
#include "highlight/FountainColor.h"
#include "search/FindPattern.h"
#include "search/RegexSearch.h"
#include "support/DoubleByte.h"
#include "text/ColumnModel.h"

#include <QRect>

namespace brenvik {

std::vector<THighlightSpan> KeywordSpans(std::string_view row, std::string_view keyword)
{
    std::vector<THighlightSpan> spans;
    if (keyword.empty())
        return spans;
    size_t charStart = 0; // the next character start at or after the scan position
    for (size_t at = row.find(keyword); at != std::string_view::npos; at = row.find(keyword, at)) {
        while (charStart < at)
            charStart += StartsPair(row, charStart) ? 2 : 1;
        if (charStart != at) {
            // A match starting on a trail byte: look on from the next character.
            at = charStart;
            continue;
        }
        spans.push_back({int(at), int(keyword.size())});
        at += keyword.size();
    }
    return spans;
}

std::vector<THighlightSpan> SearchSpans(std::string_view row, std::string_view search, TSearchFlags flags)
{
    std::vector<THighlightSpan> spans;
    const TSearchFlags forward(static_cast<std::uint16_t>(flags.Bits() | TSearchFlags::Down));
    TSearchRange range;
    while (FindPattern(row, range, search, forward) && range.Length > 0) {
        spans.push_back({range.Start, range.Length});
        range.Start += range.Length;
        range.Length = 0;
    }
    return spans;
}

std::vector<THighlightSpan> ExpressionSpans(std::string_view row, const TRegexPattern& expression)
{
    std::vector<THighlightSpan> spans;
    TRegexSearch search(expression, row);
    for (TRegexResult result = search.Forward(0); result.Found(); result = search.After(result.Match)) {
        if (result.Match.Length() > 0)
            spans.push_back({int(result.Match.Start), int(result.Match.Length())});
    }
    return spans;
}

bool TRowHighlighter::SetKeyword(std::string_view keyword, bool on)
{
    const bool changed = on != FKeywordOn || (on && keyword != FKeyword);
    FKeyword.assign(keyword);
    FKeywordOn = on;
    return changed;
}

bool TRowHighlighter::SetSearch(std::string_view search, TSearchFlags flags, bool on)
{
    const bool changed = on != FSearchOn || (on && (search != FSearch || flags != FSearchFlags));
    if (!on || !flags.Has(TSearchFlags::RegExp))
        FExpression.reset();
    else if (changed || !FExpression)
        FExpression = std::make_shared<const TRegexPattern>(search, TRegexOptions::FromFlags(flags));
    FSearch.assign(search);
    FSearchFlags = flags;
    FSearchOn = on;
    return changed;
}

void TRowHighlighter::Paint(TEditor& editor, const TFountainColor& searchColor,
    const TFountainColor& keywordColor, const std::string& text, int x, int y, int row, const QRect& rect,
    bool selected) const
{
    const bool search = FSearchOn && !FSearch.empty();
    const bool keyword = FKeywordOn && !FKeyword.empty();
    if (!search && !keyword)
        return;
    // Only the row's own columns: the rest of text belongs to the next row.
    const TEditorModel& model = editor.Model();
    const std::string_view own
        = std::string_view(text).substr(0, std::min(text.size(), size_t(model.RowWidth(row))));
    if (search) {
        const std::vector<THighlightSpan> spans
            = FExpression ? ExpressionSpans(own, *FExpression) : SearchSpans(own, FSearch, FSearchFlags);
        PaintSpans(editor, searchColor, own, spans, x, y, rect, selected);
    }
    if (keyword) {
        const std::string expanded = ExpandTabs(FKeyword, {model.TabSpaceCount(), 0});
        PaintSpans(editor, keywordColor, own, KeywordSpans(own, expanded), x, y, rect, selected);
    }
}

void TRowHighlighter::PaintSpans(TEditor& editor, const TFountainColor& color, std::string_view text,
    const std::vector<THighlightSpan>& spans, int x, int y, const QRect& rect, bool selected) const
{
    if (spans.empty())
        return;
    TEditorPainter& painter = editor.Painter();
    const int column = std::max(1, editor.ColWidth());
    const QColor fontColor = selected
        ? painter.ColorOr(editor.View()->Colors()->Select()->Color(), editor.Color())
        : painter.ColorOr(color.Color(), editor.Font()->Color());
    const bool opaque = !selected && color.BkColor() != clNone;
    const QColor background = opaque ? painter.ToQColor(color.BkColor()) : QColor();
    for (const THighlightSpan& span : spans) {
        const QRect cells
            = QRect(x + span.Col * column, rect.top(), span.Length * column, rect.height()).intersected(rect);
        if (!cells.isEmpty())
            painter.DrawCells(cells, x, opaque, text, y, fontColor, background, color.Style());
    }
}

} // namespace brenvik
