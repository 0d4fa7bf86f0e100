// Uncoded characters found and replaced one character (one code point) at a time.
#include "jcode/GetaMarks.h"

#include "jcode/SjisUnicode.h"

namespace brenvik {

namespace {

// Calls visit with each character of text (a surrogate pair as one) and whether it has a code.
template <typename Visit> void ForEachChar(QStringView text, const TDocumentChars& chars, Visit visit)
{
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length
            = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
        const QStringView character = text.mid(i, length);
        visit(character, UnicodeToSjis(character, chars).has_value());
        i += length;
    }
}

} // namespace

TUncodedChars FindUncodedChars(QStringView text, const TDocumentChars& chars)
{
    TUncodedChars found;
    ForEachChar(text, chars, [&](QStringView character, bool coded) {
        if (coded)
            return;
        if (found.Count++ == 0)
            found.First = character.size() == 2 ? QChar::surrogateToUcs4(character[0], character[1])
                                                : char32_t(character[0].unicode());
    });
    return found;
}

QString WithGetaMarks(QStringView text, const TDocumentChars& chars)
{
    QString replaced;
    replaced.reserve(text.size());
    ForEachChar(text, chars, [&](QStringView character, bool coded) {
        if (coded)
            replaced += character;
        else
            replaced += QChar(kGetaMark);
    });
    return replaced;
}

} // namespace brenvik
