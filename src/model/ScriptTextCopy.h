// A document's text as it stood at one moment, held apart from its rows with the codes it is
// written in, so that it can be written later on another thread while the user goes on typing.
#pragma once

#include "jcode/DocumentChars.h"
#include "jcode/LineCodec.h"
#include "jcode/FileBytes.h"

#include <string>
#include <vector>

namespace brenvik {

class TEditorScreenStrings;

class TScriptTextCopy : public TSaveLines {
public:
    TScriptTextCopy() = default;
    TScriptTextCopy(const TEditorScreenStrings& rows, const TStatedCodes& codes, const TDocumentChars& chars);

    void ForEachLine(const TLineSink& visit) const override;
    std::size_t LineCount() const override { return FEnds.size(); }
    std::size_t TextBytes() const override { return FBytes.size(); }
    const TStatedCodes& Codes() const { return FCodes; }
    const TDocumentChars& Chars() const { return FChars; }

private:
    std::string FBytes;             // the lines one after another, without breaks
    std::vector<std::size_t> FEnds; // where each line ends in FBytes
    TStatedCodes FCodes;
    TDocumentChars FChars;
};

} // namespace brenvik
