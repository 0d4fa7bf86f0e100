// Converts Shift_JIS byte strings to and from Unicode at the editor's edges
// (clipboard, input method, typed characters).
#pragma once

#include <QString>

#include <optional>
#include <string>

namespace brenvik {

class TEditorCharset {
public:
    // Bytes with no Unicode form come out as a visible substitute; the
    // caller's bytes are never changed.
    static QString ToUnicode(const std::string& bytes);
    // Empty when some character of the text has no Shift_JIS form: such text
    // is refused rather than altered.
    static std::optional<std::string> FromUnicode(const QString& text);
    // The message shown when FromUnicode refuses a text.
    static QString NoShiftJisMessage();
};

} // namespace brenvik
