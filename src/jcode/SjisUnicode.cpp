// Shift_JIS <-> Unicode over the code page 932 tables and the document's own characters.
#include "jcode/SjisUnicode.h"

namespace brenvik {

namespace {

bool IsTrail(std::uint8_t b)
{
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

void Append(QString& text, char32_t c)
{
    if (c == kNoChar) {
        text += QChar(QChar::ReplacementCharacter);
    } else if (c < 0x10000) {
        text += QChar(static_cast<char16_t>(c));
    } else {
        text += QChar(QChar::highSurrogate(c));
        text += QChar(QChar::lowSurrogate(c));
    }
}

} // namespace

const TDocumentChars& NoDocumentChars()
{
    static const TDocumentChars none;
    return none;
}

char32_t SjisCharToUnicode(TSjisCode code, const TDocumentChars& chars)
{
    return chars.ToUnicode(code);
}

QString SjisToUnicode(std::string_view bytes, const TDocumentChars& chars)
{
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto b = static_cast<std::uint8_t>(bytes[i]);
        if (b < 0x80) {
            text += QChar(static_cast<char16_t>(b));
            ++i;
            continue;
        }
        const bool pair = IsLeadByte(b) && i + 1 < bytes.size() && IsTrail(static_cast<std::uint8_t>(bytes[i + 1]));
        const auto code = static_cast<TSjisCode>(pair ? b << 8 | static_cast<std::uint8_t>(bytes[i + 1]) : b);
        Append(text, chars.ToUnicode(code));
        i += pair ? 2 : 1;
    }
    return text;
}

std::optional<std::string> UnicodeToSjis(QStringView text, const TDocumentChars& chars)
{
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text[i].unicode();
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        }
        const TSjisCode code = c < 0x80 ? static_cast<TSjisCode>(c) : chars.FromUnicode(c);
        if (code == 0 && c != 0)
            return std::nullopt;
        if (code > 0xFF)
            bytes.push_back(static_cast<char>(code >> 8));
        bytes.push_back(static_cast<char>(code & 0xFF));
    }
    return bytes;
}

QString NoShiftJisMessage()
{
    return QStringLiteral("Shift_JIS で表せない文字を含むテキストは入力できません。");
}

} // namespace brenvik
