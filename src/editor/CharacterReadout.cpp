// The character readout: bytes and code point of one character.
#include "editor/CharacterReadout.h"

#include "editor/Editor.h"

namespace brenvik {

namespace {

void AppendHex(QString& text, unsigned byte)
{
    if (!text.isEmpty())
        text += QLatin1Char(' ');
    text += QString::number(byte, 16).toUpper().rightJustified(2, QLatin1Char('0'));
}

void AppendUtf8(QString& text, char32_t c)
{
    if (c < 0x80) {
        AppendHex(text, unsigned(c));
        return;
    }
    const int trail = c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
    const unsigned lead[] = {0, 0xC0, 0xE0, 0xF0};
    AppendHex(text, lead[trail] | unsigned(c >> (6 * trail)));
    for (int i = trail - 1; i >= 0; --i)
        AppendHex(text, 0x80 | ((c >> (6 * i)) & 0x3F));
}

} // namespace

QString CharacterReadout(std::string_view row, int byte, const TDocumentChars& chars, bool utf8Document)
{
    if (byte < 0 || byte >= int(row.size()))
        return {};
    const auto lead = static_cast<std::uint8_t>(row[size_t(byte)]);
    const bool pair = IsLeadByte(lead) && byte + 1 < int(row.size());
    const TSjisCode code = pair ? TSjisCode(lead << 8 | static_cast<std::uint8_t>(row[size_t(byte) + 1])) : lead;
    const char32_t c = chars.ToUnicode(code);
    QString text;
    if (utf8Document && c != kNoChar) {
        AppendUtf8(text, c);
    } else {
        AppendHex(text, lead);
        if (pair)
            AppendHex(text, code & 0xFF);
    }
    if (c != kNoChar)
        text += QStringLiteral(" U+%1").arg(QString::number(uint(c), 16).toUpper().rightJustified(4, QLatin1Char('0')));
    return text;
}

QString CaretCharacterReadout(const TEditor& editor, bool utf8Document)
{
    const int row = editor.Row();
    return CharacterReadout(editor.RowText(row), editor.CharIndexAt(row, editor.Col()), editor.DocumentChars(), utf8Document);
}

} // namespace brenvik
