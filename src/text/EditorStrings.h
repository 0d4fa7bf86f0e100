// The editor's Lines: the row list seen as an ordinary list of logical lines.
#pragma once

#include "text/EditorScreenStrings.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace brenvik {

// Holds a reference to the editor's row-list pointer, so that it follows the editor when the
// editor starts sharing another editor's rows.
class TEditorStrings {
public:
    TEditorStrings(TAttachedEditor& editor, const std::shared_ptr<TEditorScreenStrings>& rows);

    int GetCount() const;
    std::string Get(int index) const;
    void Put(int index, std::string_view text);
    void Insert(int index, std::string_view text);
    // Returns the line count before the call.
    int Add(std::string_view text);
    void Delete(int index);
    void Clear();

    std::string GetTextStr() const;
    void SetTextStr(std::string_view text);
    // The open path's fill: the lines produce hands to its sink become the text (a file's lines,
    // decoded one by one). One update batch, one repaint, undo cleared, no row state computed;
    // if produce throws, the text stays as it was.
    void LoadLines(const TLineProducer& produce, bool finalLineBreak = true);
    void Assign(const TEditorStrings& source);
    // Each line becomes one line of the text.
    void Assign(const std::vector<std::string>& lines);

    // Nested batches; the editor is told when the outermost opens and closes.
    void BeginUpdate();
    void EndUpdate();

    // First row of line index.
    int LineToRow(int index) const { return Rows().RowOfLine(index); }

private:
    void SetUpdateState(bool updating);
    // Assign's end: the caret goes after the last row.
    void CaretToEnd();
    TEditorScreenStrings& Rows() const { return *FRows; }
    void Replace(int row, int count, std::string_view text, int caretRow, std::size_t caretBytes);

    TAttachedEditor& FEditor;
    const std::shared_ptr<TEditorScreenStrings>& FRows;
    int FUpdateCount = 0;
};

} // namespace brenvik
