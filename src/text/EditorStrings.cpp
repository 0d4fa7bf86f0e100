// The Lines facade: logical-line access, whole-text access and loading lines over the row list.
#include "text/EditorStrings.h"

#include "support/NotifyPersistent.h"
#include "support/LineBreaks.h"
#include "text/PlaceCaretAfter.h"

#include <stdexcept>

namespace brenvik {

namespace {
constexpr char kCrLf[] = "\r\n";

void CheckIndex(int index, int count)
{
    if (index < 0 || index >= count)
        throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
}
} // namespace

TEditorStrings::TEditorStrings(TAttachedEditor& editor, const std::shared_ptr<TEditorScreenStrings>& rows)
    : FEditor(editor)
    , FRows(rows)
{
}

int TEditorStrings::GetCount() const
{
    return Rows().LineCount();
}

std::string TEditorStrings::Get(int index) const
{
    CheckIndex(index, GetCount());
    const TEditorScreenStrings& rows = Rows();
    if (!rows.WordWrap())
        return std::string(rows.Strings(index));
    std::string text = rows.RowsText(LineToRow(index), -1).Text;
    while (!text.empty() && text.back() == '\n')
        text.resize(text.size() >= LineBreakBytes ? text.size() - LineBreakBytes : 0);
    return text;
}

void TEditorStrings::Replace(int row, int count, std::string_view text, int caretRow, std::size_t caretBytes)
{
    FEditor.HideCaret();
    Rows().ReplaceRows(row, count, text);
    PlaceCaretAfter(Rows(), FEditor, caretRow, caretBytes);
    FEditor.ShowCaret();
}

void TEditorStrings::Put(int index, std::string_view text)
{
    CheckIndex(index, GetCount());
    FEditor.CancelSelection();
    int first = LineToRow(index);
    int last = Rows().LineEndRow(first);
    std::string line(text);
    if (Rows().RowAttribute(last) == raBreak)
        line += kCrLf;
    Replace(first, last - first + 1, line, first, line.size());
}

void TEditorStrings::Insert(int index, std::string_view text)
{
    if (index != GetCount())
        CheckIndex(index, GetCount());
    int row = LineToRow(index);
    if (row == Rows().Count()) {
        Add(text);
        return;
    }
    FEditor.CancelSelection();
    std::string line(text);
    line += kCrLf;
    Replace(row, 0, line, row, line.size());
}

int TEditorStrings::Add(std::string_view text)
{
    int result = GetCount();
    FEditor.CancelSelection();
    TEditorScreenStrings& rows = Rows();
    int count = rows.Count();
    std::string line;
    if (count > 0 && rows.RowAttribute(count - 1) != raBreak) {
        line = std::string(rows.Strings(count - 1)) + kCrLf + std::string(text);
        Replace(count - 1, 1, line, count - 1, line.size());
    } else {
        line = std::string(text) + kCrLf;
        Replace(count, 0, line, count, line.size());
    }
    return result;
}

void TEditorStrings::Delete(int index)
{
    CheckIndex(index, GetCount());
    FEditor.CancelSelection();
    int row = LineToRow(index);
    Replace(row, Rows().LineEndRow(row) - Rows().LineStartRow(row) + 1, {}, row, 0);
}

void TEditorStrings::Clear()
{
    Rows().Clear();
}

std::string TEditorStrings::GetTextStr() const
{
    return Rows().Text();
}

void TEditorStrings::SetTextStr(std::string_view text)
{
    TUpdateBatch batch(*this);
    Rows().LoadLines([text](const TLineSink& sink) { ForEachLine(text, sink); },
        text.empty() || EndsWithLineBreak(text));
    Rows().RescanAll();
}

void TEditorStrings::LoadLines(const TLineProducer& produce, bool finalLineBreak)
{
    TUpdateBatch batch(*this);
    Rows().LoadLines(produce, finalLineBreak);
}

void TEditorStrings::Assign(const TEditorStrings& source)
{
    SetTextStr(source.GetTextStr());
    CaretToEnd();
}

void TEditorStrings::Assign(const std::vector<std::string>& lines)
{
    LoadLines([&lines](const TLineSink& sink) {
        for (const std::string& line : lines)
            sink(line);
    });
    CaretToEnd();
}

void TEditorStrings::CaretToEnd()
{
    FEditor.SetCaretRow(Rows().Count());
    FEditor.SetCaretCol(0);
}

void TEditorStrings::BeginUpdate()
{
    if (FUpdateCount++ == 0)
        SetUpdateState(true);
}

void TEditorStrings::EndUpdate()
{
    if (--FUpdateCount == 0)
        SetUpdateState(false);
}

void TEditorStrings::SetUpdateState(bool updating)
{
    if (updating) {
        Rows().BeginUpdate();
        FEditor.LinesUpdating(true);
        return;
    }
    Rows().EndUpdate();
    FEditor.LinesUpdating(false);
    Rows().UpdateEditors();
}

} // namespace brenvik
