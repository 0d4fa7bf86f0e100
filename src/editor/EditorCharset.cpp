// Shift_JIS <-> Unicode through Qt's code page 932 codec.
#include "editor/EditorCharset.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace brenvik {

namespace {
// Code page 932 as Windows defines it (NEC and IBM extensions included).
constexpr const char* kCodePage = "windows-31j";
} // namespace

QString TEditorCharset::ToUnicode(const std::string& bytes)
{
    QStringDecoder decoder(kCodePage);
    return decoder.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
}

std::optional<std::string> TEditorCharset::FromUnicode(const QString& text)
{
    QStringEncoder encoder(kCodePage);
    const QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        return std::nullopt;
    return std::string(bytes.constData(), std::size_t(bytes.size()));
}

QString TEditorCharset::NoShiftJisMessage()
{
    return QStringLiteral("Shift_JIS で表せない文字を含むテキストは入力できません。");
}

} // namespace brenvik
