// Converts Shift_JIS byte strings to and from Unicode at the editor's edges
// (clipboard, input method, typed characters).
#pragma once

#include "jcode/DocumentChars.h"

#include <QString>
#include <QStringDecoder>

#include <optional>
#include <string>

namespace brenvik {

class TEditorCharset {
public:
    // Bytes with no Unicode form come out as a visible substitute; the
    // caller's bytes are never changed. Codes of the document's own stand
    // for its characters (none given: code page 932 alone).
    static QString ToUnicode(const std::string& bytes, const TDocumentChars& chars = {});
    // Empty when some character of the text has no Shift_JIS form, nor one
    // of the document's own: such text is refused rather than altered.
    static std::optional<std::string> FromUnicode(const QString& text, const TDocumentChars& chars = {});
    // The message shown when FromUnicode refuses a text.
    static QString NoShiftJisMessage();
};

// Decodes many byte strings in turn with one converter, for callers that decode every line
// of a text: opening the converter costs more than decoding a typical line.
class TEditorDecoder {
public:
    // chars, which must outlive the decoder: the document's own characters (none: code page 932).
    explicit TEditorDecoder(const TDocumentChars& chars = {});
    // As TEditorCharset::ToUnicode; nothing carries over from one call to the next.
    QString ToUnicode(const std::string& bytes);

private:
    QStringDecoder FDecoder;
    const TDocumentChars* FChars = nullptr; // null when empty
};

} // namespace brenvik
