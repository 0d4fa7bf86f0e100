// Lining inserted text up under the caret.
#include "app/PhraseText.h"

#include "jcode/LineCodec.h"
#include "jcode/Utf8Codec.h"
#include "support/LineBreaks.h"
#include "text/ColumnModel.h"

namespace brenvik {

std::string AlignmentPrefix(std::string_view line, int column, int tabWidth)
{
    const TColumnLayout layout {tabWidth > 0 ? tabWidth : 1, 0};
    std::string prefix;
    std::size_t i = 0;
    for (int p = 1; p <= column;) {
        if (i < line.size() && line[i] == '\t') {
            prefix += '\t';
            p += TabColumns(p - 1, layout);
            ++i;
        } else if (i < line.size() && StartsPair(line, i)) {
            prefix += "  ";
            p += 2;
            i += 2;
        } else {
            prefix += ' ';
            ++p;
            ++i;
        }
    }
    return prefix;
}

std::string PhraseInsertText(std::string_view fileBytes, std::string_view prefix)
{
    std::string text;
    text.reserve(fileBytes.size() + 64);
    bool first = true;
    ForEachLine(fileBytes, [&](std::string_view line) {
        if (!first) {
            text += "\r\n";
            text += prefix;
        }
        text += line;
        first = false;
    });
    if (EndsWithLineBreak(fileBytes))
        text += "\r\n";
    return text;
}

std::optional<std::string> PhraseShiftJis(std::string_view fileBytes, const TTypedBytes& typed)
{
    if (IsUtf8File(fileBytes)) {
        if (fileBytes.starts_with(kUtf8Bom))
            fileBytes.remove_prefix(kUtf8Bom.size());
        return typed(QString::fromUtf8(fileBytes.data(), qsizetype(fileBytes.size())));
    }
    const TDecodedText decoded = DecodeFileBytes(fileBytes);
    std::string text;
    text.reserve(fileBytes.size());
    for (std::size_t i = 0; i < decoded.Lines.size(); ++i) {
        if (i > 0)
            text += "\r\n";
        text += decoded.Lines[i];
    }
    if (EndsWithLineBreak(fileBytes))
        text += "\r\n";
    return text;
}

} // namespace brenvik
