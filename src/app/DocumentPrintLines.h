// A script document's logical lines as the strings printer reads them.
#pragma once

#include "model/ScriptDocument.h"
#include "print/PrintLines.h"
#include "text/EditorStrings.h"

namespace brenvik {

class TDocumentPrintLines : public TPrintLines {
public:
    explicit TDocumentPrintLines(const TScriptDocument& document)
        : FDocument(document)
    {
    }
    int Count() const override { return FDocument.Model().Lines().GetCount(); }
    std::string Line(int index) const override { return FDocument.Model().Lines().Get(index); }
    const TDocumentChars& Chars() const override { return FDocument.Chars(); }

private:
    const TScriptDocument& FDocument;
};

} // namespace brenvik
