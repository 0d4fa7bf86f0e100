// The open and save paths between script files and the editor's rows.
#include "app/ScriptIO.h"

#include "editor/Editor.h"
#include "jcode/ScriptFile.h"
#include "text/EditorScreenStrings.h"
#include "text/EditorStrings.h"

namespace brenvik {

namespace {

// The editor's logical lines as the save path reads them: a line held in one row is handed
// over as a view of that row; only a line that word wrap cut into several rows is joined.
class TRowSaveLines : public TSaveLines {
public:
    explicit TRowSaveLines(const TEditorScreenStrings& rows)
        : FRows(rows)
    {
        for (int row = 0; row < FRows.Count(); ++row) {
            FTextBytes += FRows.Strings(row).size();
            if (FRows.RowAttribute(row) != raWrapped || row + 1 == FRows.Count())
                ++FLineCount;
        }
    }

    void ForEachLine(const TLineSink& visit) const override
    {
        std::string joined;
        const int count = FRows.Count();
        for (int row = 0; row < count; ++row) {
            const std::string_view text = FRows.Strings(row);
            const bool lineGoesOn = FRows.RowAttribute(row) == raWrapped && row + 1 < count;
            if (lineGoesOn || !joined.empty()) {
                joined.append(text);
                if (lineGoesOn)
                    continue;
                visit(joined);
                joined.clear();
            } else {
                visit(text);
            }
        }
    }
    std::size_t LineCount() const override { return FLineCount; }
    std::size_t TextBytes() const override { return FTextBytes; }

private:
    const TEditorScreenStrings& FRows;
    std::size_t FLineCount = 0;
    std::size_t FTextBytes = 0;
};

} // namespace

TStatedCodes ReadScriptInto(TEditor& editor, const std::string& fileName, std::optional<TStatedCodes> stated)
{
    TDecodedText text = LoadScriptFile(fileName, stated);
    editor.Lines().Assign(text.Lines);
    if (editor.WordWrap()) {
        editor.SetWordWrap(false);
        editor.SetWordWrap(true);
    }
    return {text.jcode, text.rcode};
}

void WriteScriptFrom(const TEditor& editor, const std::string& fileName, JCode jcode, RCode rcode)
{
    SaveScriptFile(fileName, TRowSaveLines(editor.ListRows()), jcode, rcode);
}

} // namespace brenvik
