// Prefixing selected lines as one replacement of whole rows.
#include "app/LineTools.h"

#include "model/EditorModel.h"
#include "text/RowAttribute.h"

#include <algorithm>

namespace brenvik {

namespace {

// The lines of text (joined by CR LF, the last one maybe ended by one) each led by prefix.
std::string Prefixed(std::string_view text, std::string_view prefix)
{
    std::string result;
    result.reserve(text.size()
        + (static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1) * prefix.size());
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        result += prefix;
        if (end == std::string_view::npos) {
            result += text.substr(start);
            break;
        }
        result += text.substr(start, end + 2 - start);
        start = end + 2;
    }
    return result;
}

void PrefixLines(TEditorModel& model, std::string_view prefix)
{
    const TSelectionBytes selection = model.Selection();
    int lastRow = std::min(selection.EndRow, model.RowCount() - 1);
    // Ending at the start of a logical line leaves that line out.
    if (selection.EndByte < 0 && selection.EndRow > selection.StartRow
        && model.RowAttribute(selection.EndRow - 1) == raBreak)
        lastRow = selection.EndRow - 1;
    while (lastRow < model.RowCount() - 1 && model.RowAttribute(lastRow) == raWrapped)
        ++lastRow;
    const int firstRow = model.LineStart(selection.StartRow);
    model.SelectRows(firstRow, lastRow);
    const std::string text = Prefixed(model.SelText(), prefix);
    const qint64 start = model.RowOffset(firstRow);
    model.SetSelText(text);
    model.SetSelStart(start);
    model.SetSelLength(static_cast<qint64>(text.size()));
}

void PrefixBox(TEditorModel& model, std::string_view prefix)
{
    const TSelectionCols box = model.SelectionCols();
    const int lastRow = std::min(box.EndRow, model.RowCount() - 1);
    std::string column;
    for (int row = box.StartRow; row <= lastRow; ++row) {
        column += prefix;
        if (row < lastRow)
            column += "\r\n";
    }
    model.CancelSelection();
    model.SetRowCol(box.StartRow, box.StartCol);
    model.PasteBox(column);
    // The box keeps its corners, widened by the prefix. The caret cannot stand past a row's
    // end, so the right edge goes on the first row when that row reaches it.
    const int right = box.EndCol + model.TextWidth(prefix);
    const bool rightOnTop = model.RowWidth(box.StartRow) >= right;
    model.SetRowCol(box.StartRow, rightOnTop ? right : box.StartCol);
    model.StartSelection();
    model.SetRowCol(lastRow, rightOnTop ? box.StartCol : right);
    model.ExtendSelection();
}

} // namespace

std::string IndentUnit(bool softTab, int tabWidth)
{
    return softTab ? std::string(static_cast<std::size_t>(std::max(tabWidth, 1)), ' ') : std::string("\t");
}

void PrefixSelectedLines(TEditorModel& model, std::string_view prefix)
{
    if (!model.HasSelection() || model.ReadOnly() || model.RowCount() == 0)
        return;
    if (model.BoxSelection())
        PrefixBox(model, prefix);
    else
        PrefixLines(model, prefix);
}

} // namespace brenvik
