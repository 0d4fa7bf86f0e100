// The document's own characters: the painter's glyph caches start again with them, and a UTF-8
// document gives typed or pasted characters without a Shift_JIS code codes of its own.
#include "editor/Editor.h"
#include "jcode/SjisUnicode.h"
#include "editor/EditorPainter.h"

namespace brenvik {

void TEditor::SetDocumentChars(TDocumentChars chars)
{
    FDocument->SetChars(std::move(chars));
    FPainter->Glyphs().SetDocumentChars(DocumentChars());
    viewport()->update();
}

std::optional<std::string> TEditor::InputBytes(const QString& text)
{
    TDocumentChars& chars = FDocument->Chars();
    if (FDocument->TakesNewChars()) {
        bool taken = false;
        for (const char32_t c : text.toUcs4()) {
            // A replacement character stands for half a surrogate pair as often as for itself.
            if (c < 0x80 || c == QChar::ReplacementCharacter || chars.FromUnicode(c) != 0)
                continue;
            if (chars.Take(c) == 0)
                return std::nullopt;
            taken = true;
        }
        if (taken)
            FPainter->Glyphs().SetDocumentChars(chars);
    }
    return UnicodeToSjis(text, chars);
}

QString TEditor::InputRefusal() const
{
    return FDocument->TakesNewChars()
        ? QStringLiteral("外字領域（1,880 文字）に空きがないため、Shift_JIS で表せない文字をこれ以上入力できません。")
        : NoShiftJisMessage();
}

} // namespace brenvik
