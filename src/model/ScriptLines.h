// A row list's logical lines as the save path reads them: a line held in one row is handed over
// as a view of that row; only a line that word wrap cut into several rows is joined.
#pragma once

#include "jcode/ScriptFile.h"
#include "text/EditorScreenStrings.h"

namespace brenvik {

class TScriptLines : public TSaveLines {
public:
    explicit TScriptLines(const TEditorScreenStrings& rows);
    // The same over a copy of the rows (a recovery snapshot).
    explicit TScriptLines(const TRowAttributeStringList& rows);

    void ForEachLine(const TLineSink& visit) const override;
    // The form of a line is the row data of its last row.
    void ForEachFormedLine(const TFormedLineSink& visit) const override;
    std::size_t LineCount() const override;
    std::size_t TextBytes() const override { return FTextBytes; }

private:
    const TRowAttributeStringList& FRows;
    std::size_t FTextBytes = 0;
};

} // namespace brenvik
