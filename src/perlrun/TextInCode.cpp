// Converting through Shift_JIS, the one code every other converter of the program meets in.
#include "perlrun/TextInCode.h"

#include "jcode/JConvert.h"
#include "jcode/Utf8Codec.h"

namespace brenvik {

QString DecodeInCode(std::string_view bytes, JCode code, const TDocumentChars& chars)
{
    switch (code) {
    case jcUtf8:
        return QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
    case jcJis:
    case jcOldJis:
    case jcEuc:
        return SjisToUnicode(ConvertJCodeFrom(bytes, code, jcSjis), chars);
    default:
        return SjisToUnicode(bytes, chars);
    }
}

std::optional<std::string> EncodeInCode(QStringView text, JCode code, const TDocumentChars& chars)
{
    if (code == jcUtf8) {
        const QByteArray bytes = text.toUtf8();
        return std::string(bytes.constData(), std::size_t(bytes.size()));
    }
    std::optional<std::string> sjis = UnicodeToSjis(text, chars);
    if (!sjis || code == jcSjis)
        return sjis;
    std::string out;
    AppendConvertedFrom(*sjis, jcSjis, code, out, TKanjiEnd::keClose);
    return out;
}

JCode DetectPageCode(std::string_view bytes, JCode fallback)
{
    if (IsUtf8File(bytes))
        return jcUtf8;
    const JCode found = DetectJCode(bytes);
    if (found == jcUndecided)
        return fallback == jcEuc ? jcEuc : jcSjis;
    return found;
}

} // namespace brenvik
