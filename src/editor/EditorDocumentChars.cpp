// The document's own characters: the painter's glyph caches start again with them.
#include "editor/Editor.h"
#include "editor/EditorPainter.h"

namespace brenvik {

void TEditor::SetDocumentChars(TDocumentChars chars)
{
    FDocumentChars = std::move(chars);
    FPainter->Glyphs().SetDocumentChars(FDocumentChars);
    viewport()->update();
}

} // namespace brenvik
