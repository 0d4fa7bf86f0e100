// The hits the main window paints over a drawn row: the search text (what Find would match
// under the window's options) and then the explorer's keyword, each at character starts and
// inside the row's own columns (the painted text of a wrapped row carries the next row).
#pragma once

#include "search/RegexPattern.h"
#include "search/SearchFlags.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class QRect;

namespace brenvik {

class TEditor;
class TFountainColor;

struct THighlightSpan {
    int Col = 0;
    int Length = 0;
    friend bool operator==(const THighlightSpan&, const THighlightSpan&) = default;
};

// Exact byte matches of keyword in row, left to right, not overlapping, each starting on a
// character of row.
std::vector<THighlightSpan> KeywordSpans(std::string_view row, std::string_view keyword);
// The engine's matches of search in row under flags (searching forward).
std::vector<THighlightSpan> SearchSpans(std::string_view row, std::string_view search, TSearchFlags flags);
// The expression's non-empty matches in row, left to right.
std::vector<THighlightSpan> ExpressionSpans(std::string_view row, const TRegexPattern& expression);

class TRowHighlighter {
public:
    // The keyword as bytes of the script; on shows it. True when what is painted changed.
    bool SetKeyword(std::string_view keyword, bool on);
    const std::string& Keyword() const { return FKeyword; }
    bool KeywordOn() const { return FKeywordOn; }
    // The search text as typed and the window's search options (with RegExp, compiled here once).
    bool SetSearch(std::string_view search, TSearchFlags flags, bool on);
    bool SearchOn() const { return FSearchOn; }

    // The editor's OnDrawLine: text is the painted row (tabs expanded), x the x of column 0,
    // y the text top, rect the part drawn, selected whether that part is the selection.
    void Paint(TEditor& editor, const TFountainColor& searchColor, const TFountainColor& keywordColor,
        const std::string& text, int x, int y, int row, const QRect& rect, bool selected) const;

private:
    void PaintSpans(TEditor& editor, const TFountainColor& color, std::string_view text,
        const std::vector<THighlightSpan>& spans, int x, int y, const QRect& rect, bool selected) const;

    std::string FKeyword;
    bool FKeywordOn = false;
    std::string FSearch;
    TSearchFlags FSearchFlags;
    bool FSearchOn = false;
    std::shared_ptr<const TRegexPattern> FExpression;
};

} // namespace brenvik
