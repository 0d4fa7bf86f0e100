// The editor's logical lines as the strings printer reads them.
#pragma once

#include "print/PrintLines.h"
#include "text/EditorStrings.h"

namespace brenvik {

class TEditorPrintLines : public TPrintLines {
public:
    explicit TEditorPrintLines(TEditorStrings& lines)
        : FLines(lines)
    {
    }
    int Count() const override { return FLines.GetCount(); }
    std::string Line(int index) const override { return FLines.Get(index); }

private:
    TEditorStrings& FLines;
};

} // namespace brenvik
