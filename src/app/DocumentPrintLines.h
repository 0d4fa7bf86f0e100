// A script document's logical lines as the strings printer reads them.
#pragma once

#include "model/ScriptDocument.h"
#include "print/PrintLines.h"
#include "text/EditorStrings.h"

namespace brenvik {

class TDocumentPrintLines : public TPrintLines {
public:
    // tabWidth: the editor's tab stops, in characters.
    TDocumentPrintLines(const TScriptDocument& document, int tabWidth)
        : FDocument(document)
        , FTabWidth(tabWidth)
    {
    }
    int Count() const override { return FDocument.Model().Lines().GetCount(); }
    std::string Line(int index) const override { return FDocument.Model().Lines().Get(index); }
    int TabWidth() const override { return FTabWidth; }
    const TDocumentChars& Chars() const override { return FDocument.Chars(); }

private:
    const TScriptDocument& FDocument;
    int FTabWidth;
};

} // namespace brenvik
