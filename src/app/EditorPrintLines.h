// The editor's logical lines as the strings printer reads them.
#pragma once

#include "editor/Editor.h"
#include "print/PrintLines.h"
#include "text/EditorStrings.h"

namespace brenvik {

class TEditorPrintLines : public TPrintLines {
public:
    explicit TEditorPrintLines(TEditor& editor)
        : FEditor(editor)
    {
    }
    int Count() const override { return FEditor.Lines().GetCount(); }
    std::string Line(int index) const override { return FEditor.Lines().Get(index); }
    int TabWidth() const override { return FEditor.TabSpaceCount(); }
    const TDocumentChars& Chars() const override { return FEditor.DocumentChars(); }

private:
    TEditor& FEditor;
};

} // namespace brenvik
