// A row list's logical lines as the save path reads them: a line held in one row is handed over
// as a view of that row; only a line that word wrap cut into several rows is joined.
#pragma once

#include "jcode/ScriptFile.h"
#include "text/EditorScreenStrings.h"

namespace brenvik {

class TScriptLines : public TSaveLines {
public:
    explicit TScriptLines(const TEditorScreenStrings& rows);

    void ForEachLine(const TLineSink& visit) const override;
    // The form of a line is the row data of its last row.
    void ForEachFormedLine(const TFormedLineSink& visit) const override;
    std::size_t LineCount() const override { return static_cast<std::size_t>(FRows.LineCount()); }
    std::size_t TextBytes() const override { return FTextBytes; }

private:
    const TEditorScreenStrings& FRows;
    std::size_t FTextBytes = 0;
};

} // namespace brenvik
