// The document's own characters: the painter's glyph caches start again with them, and a UTF-8
// document gives typed or pasted characters without a Shift_JIS code codes of its own; in a
// document of another code the user is asked whether such characters go in as 〓.
#include "editor/Editor.h"
#include "jcode/GetaMarks.h"
#include "jcode/SjisUnicode.h"
#include "editor/EditorPainter.h"
#include "support/Prompts.h"

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

std::optional<std::string> TEditor::TakeInput(const QString& text, bool pasted)
{
    if (std::optional<std::string> bytes = InputBytes(text))
        return bytes;
    const TDocumentChars& chars = DocumentChars();
    const TUncodedChars uncoded = FindUncodedChars(text, chars);
    if (FDocument->TakesNewChars() || uncoded.Count == 0) {
        emit InputRefused(InputRefusal());
        return std::nullopt;
    }
    const QString first = QStringLiteral("「%1」(U+%2)")
                              .arg(QString::fromUcs4(&uncoded.First, 1),
                                  QString::number(uint(uncoded.First), 16).toUpper().rightJustified(4, u'0'));
    const QString which = uncoded.Count == 1
        ? first + QStringLiteral(" は")
        : QStringLiteral("%1 など %2 文字は").arg(first).arg(uncoded.Count);
    const QString question
        = QStringLiteral("%1 Shift_JIS で表せません。\n〓 に置き換えて%2か？")
              .arg(which, pasted ? QStringLiteral("貼り付けます") : QStringLiteral("入力します"));
    if (!Prompts().AskOkCancel(this, question))
        return std::nullopt;
    return UnicodeToSjis(WithGetaMarks(text, chars), chars);
}

QString TEditor::InputRefusal() const
{
    return FDocument->TakesNewChars() ? QStringLiteral(
               "外字領域（1,880 文字）に空きがないため、Shift_JIS で表せない文字をこれ以上入力できません。")
                                      : NoShiftJisMessage();
}

} // namespace brenvik
