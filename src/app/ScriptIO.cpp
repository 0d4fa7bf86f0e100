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
        FRows.ForEachRow(0, FRows.Count(), [&](std::string_view text, TRowAttribute) { FTextBytes += text.size(); });
    }

    void ForEachLine(const TLineSink& visit) const override
    {
        std::string joined;
        int row = 0;
        const int count = FRows.Count();
        FRows.ForEachRow(0, count, [&](std::string_view text, TRowAttribute attribute) {
            ++row;
            const bool lineGoesOn = attribute == raWrapped && row < count;
            if (!lineGoesOn && joined.empty()) {
                visit(text);
                return;
            }
            joined.append(text);
            if (lineGoesOn)
                return;
            visit(joined);
            joined.clear();
        });
    }
    std::size_t LineCount() const override { return static_cast<std::size_t>(FRows.LineCount()); }
    std::size_t TextBytes() const override { return FTextBytes; }

private:
    const TEditorScreenStrings& FRows;
    std::size_t FTextBytes = 0;
};

} // namespace

TStatedCodes ReadScriptInto(TEditor& editor, const std::string& fileName, std::optional<TStatedCodes> stated)
{
    // The decoder hands each line straight to the row list, which wraps it as it arrives.
    TStatedCodes codes;
    TDocumentChars chars;
    editor.Lines().LoadLines(
        [&](const TLineSink& sink) { codes = DecodeScriptFileTo(fileName, stated, sink, &chars); });
    editor.SetDocumentChars(std::move(chars));
    return codes;
}

void WriteScriptFrom(const TEditor& editor, const std::string& fileName, const TStatedCodes& codes)
{
    SaveScriptFile(fileName, TRowSaveLines(editor.ListRows()), codes, editor.DocumentChars());
}

std::optional<TOwnCharsFound> OwnCharsIn(const TEditor& editor)
{
    return FindOwnChars(TRowSaveLines(editor.ListRows()), editor.DocumentChars());
}

} // namespace brenvik
