// Logical lines out of the rows, joined only where word wrap cut them.
#include "model/ScriptLines.h"

namespace brenvik {

TScriptLines::TScriptLines(const TEditorScreenStrings& rows)
    : TScriptLines(rows.RowList())
{
}

TScriptLines::TScriptLines(const TRowAttributeStringList& rows)
    : FRows(rows)
{
    FRows.ForEachRow(0, FRows.Count(), [&](std::string_view text, TRowAttribute) { FTextBytes += text.size(); });
}

std::size_t TScriptLines::LineCount() const
{
    return FRows.Count() == 0 ? 0 : static_cast<std::size_t>(FRows.LineEndsBefore(FRows.Count() - 1) + 1);
}

void TScriptLines::ForEachLine(const TLineSink& visit) const
{
    ForEachFormedLine([&](std::string_view line, std::uint32_t, bool) { visit(line); });
}

void TScriptLines::ForEachFormedLine(const TFormedLineSink& visit) const
{
    std::string joined;
    int row = 0;
    const int count = FRows.Count();
    FRows.ForEachRow(0, count, [&](std::string_view text, TRowAttribute attribute) {
        ++row;
        const bool lineGoesOn = attribute == raWrapped && row < count;
        const bool endOfText = row == count && attribute == raEndOfText;
        if (!lineGoesOn && joined.empty()) {
            visit(text, FRows.RowData(row - 1), endOfText);
            return;
        }
        joined.append(text);
        if (lineGoesOn)
            return;
        visit(joined, FRows.RowData(row - 1), endOfText);
        joined.clear();
    });
}

} // namespace brenvik
