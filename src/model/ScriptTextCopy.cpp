// Taking the text out of the rows in one pass into one buffer.
#include "model/ScriptTextCopy.h"

#include "model/ScriptLines.h"

namespace brenvik {

TScriptTextCopy::TScriptTextCopy(const TEditorScreenStrings& rows, const TStatedCodes& codes, const TDocumentChars& chars)
    : FCodes(codes)
    , FChars(chars)
{
    const TScriptLines lines(rows);
    FBytes.reserve(lines.TextBytes());
    FEnds.reserve(lines.LineCount());
    lines.ForEachLine([this](std::string_view line) {
        FBytes.append(line);
        FEnds.push_back(FBytes.size());
    });
}

void TScriptTextCopy::ForEachLine(const TLineSink& visit) const
{
    std::size_t start = 0;
    for (const std::size_t end : FEnds) {
        visit(std::string_view(FBytes).substr(start, end - start));
        start = end;
    }
}

} // namespace brenvik
