// The caret line's alignment and the phrase insertion shared by both windows.
#include "app/PhraseInsert.h"

#include "app/PhraseFolder.h"
#include "app/PhraseText.h"
#include "editor/Editor.h"

namespace brenvik {

std::string CaretAlignment(const TEditor& editor)
{
    // The text goes where the selection starts; a wrapped row continues its line, so the rows
    // before it count as columns.
    const TEditorModel& model = editor.Model();
    const bool selected = editor.HasSelection() && !editor.BoxSelection();
    const int row = selected ? editor.SelectionCols().StartRow : editor.Row();
    const int col = selected ? editor.SelectionCols().StartCol : editor.Col();
    std::string line;
    for (int r = model.LineStart(row); r < row; ++r)
        line += editor.RowText(r);
    const int column = editor.TextWidth(line) + col;
    if (row < editor.RowCount())
        line += editor.RowText(row);
    return AlignmentPrefix(line, column, editor.TabSpaceCount());
}

QString ReadOnlyInsertMessage()
{
    return QStringLiteral("読み取り専用のため挿入できません。");
}

bool InsertPhraseFile(TEditor& editor, const QString& path, QString& error)
{
    if (editor.ReadOnly()) {
        error = ReadOnlyInsertMessage();
        return false;
    }
    std::string bytes;
    if (!ReadPhraseFile(path, bytes, error))
        return false;
    const std::optional<std::string> text
        = PhraseShiftJis(bytes, [&](const QString& typed) { return editor.InputBytes(typed); });
    if (!text) {
        error = editor.InputRefusal();
        return false;
    }
    editor.SetSelText(PhraseInsertText(*text, CaretAlignment(editor)));
    return true;
}

} // namespace brenvik
