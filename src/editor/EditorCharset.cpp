// Shift_JIS <-> Unicode through Qt's code page 932 codec, or through the code tables when the
// document has characters of its own.
#include "editor/EditorCharset.h"

#include "support/DoubleByte.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QList>

#include <algorithm>
#include <iterator>

namespace brenvik {

namespace {

// Code page 932 as Windows defines it (NEC and IBM extensions included).
constexpr const char* kCodePage = "windows-31j";

// Characters that input methods and other programs produce in their JIS X 0208 / JIS X 0201
// forms, while code page 932 knows only its own: each goes to the code page 932 character
// with the same Shift_JIS code, so that 〜 types as 81 60 and ¥ as 5C.
struct TJisForm {
    char16_t From;
    char16_t To;
};
constexpr TJisForm kJisForms[] = {
    {u'\u00A2', u'\uFFE0'}, // ¢ -> 81 91
    {u'\u00A3', u'\uFFE1'}, // £ -> 81 92
    {u'\u00A5', u'\\'},     // ¥ -> 5C
    {u'\u00AC', u'\uFFE2'}, // ¬ -> 81 CA
    {u'\u2014', u'\u2015'}, // — -> 81 5C
    {u'\u2016', u'\u2225'}, // ‖ -> 81 61
    {u'\u203E', u'~'},      // ‾ -> 7E
    {u'\u2212', u'\uFF0D'}, // − -> 81 7C
    {u'\u301C', u'\uFF5E'}, // 〜 -> 81 60
};

QString WithCodePageForms(QString text)
{
    for (QChar& c : text) {
        const auto* found = std::lower_bound(std::begin(kJisForms), std::end(kJisForms), c.unicode(),
            [](const TJisForm& form, char16_t unit) { return form.From < unit; });
        if (found != std::end(kJisForms) && found->From == c.unicode())
            c = QChar(found->To);
    }
    return text;
}

QString DocumentToUnicode(const std::string& bytes, const TDocumentChars& chars)
{
    QString text;
    text.reserve(qsizetype(bytes.size()));
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto b = static_cast<std::uint8_t>(bytes[i]);
        const bool pair = IsLeadByte(b) && i + 1 < bytes.size();
        const auto code = static_cast<TSjisCode>(pair ? b << 8 | static_cast<std::uint8_t>(bytes[i + 1]) : b);
        const char32_t c = chars.ToUnicode(code);
        text += c == kNoChar ? QString(QChar::ReplacementCharacter) : QString::fromUcs4(&c, 1);
        i += pair ? 2 : 1;
    }
    return text;
}

std::optional<std::string> DocumentFromUnicode(const QString& text, const TDocumentChars& chars)
{
    std::string bytes;
    for (const char32_t c : text.toUcs4()) {
        const TSjisCode code = c < 0x80 ? static_cast<TSjisCode>(c) : chars.FromUnicode(c);
        if (code == 0 && c != 0)
            return std::nullopt;
        if (code > 0xFF)
            bytes.push_back(static_cast<char>(code >> 8));
        bytes.push_back(static_cast<char>(code & 0xFF));
    }
    return bytes;
}

} // namespace

QString TEditorCharset::ToUnicode(const std::string& bytes, const TDocumentChars& chars)
{
    if (!chars.Empty())
        return DocumentToUnicode(bytes, chars);
    // The decoder would hold a lead byte at the end back for input that never comes: it is shown
    // as a replacement, as the row shows it.
    const bool loneLead = !bytes.empty() && IsLeadByte(static_cast<unsigned char>(bytes.back()))
        && !IsTrailBytePos(bytes, int(bytes.size()));
    QStringDecoder decoder(kCodePage);
    QString text = decoder.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size()) - (loneLead ? 1 : 0)));
    if (loneLead)
        text += QChar(QChar::ReplacementCharacter);
    return text;
}

std::optional<std::string> TEditorCharset::FromUnicode(const QString& text, const TDocumentChars& chars)
{
    if (!chars.Empty())
        return DocumentFromUnicode(text, chars);
    QStringEncoder encoder(kCodePage);
    const QByteArray bytes = encoder.encode(WithCodePageForms(text));
    if (encoder.hasError())
        return std::nullopt;
    return std::string(bytes.constData(), std::size_t(bytes.size()));
}

TEditorDecoder::TEditorDecoder(const TDocumentChars& chars)
    : FDecoder(kCodePage)
    , FChars(chars.Empty() ? nullptr : &chars)
{
}

QString TEditorDecoder::ToUnicode(const std::string& bytes)
{
    if (FChars)
        return DocumentToUnicode(bytes, *FChars);
    FDecoder.resetState();
    return FDecoder.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
}

QString TEditorCharset::NoShiftJisMessage()
{
    return QStringLiteral("Shift_JIS で表せない文字を含むテキストは入力できません。");
}

} // namespace brenvik
