// Text to and from the bytes of a Japanese code, for what perl reads and prints: form values
// encoded as the script's own code, messages and pages decoded from theirs.
#pragma once

#include "jcode/DocumentChars.h"
#include "jcode/JCodeTypes.h"
#include "jcode/SjisUnicode.h"

#include <QString>

#include <optional>
#include <string>
#include <string_view>

namespace brenvik {

// Bytes of code (Shift_JIS, EUC-JP, JIS or UTF-8) as Unicode; bytes without a character come
// out as U+FFFD. Any other code reads as Shift_JIS, which passes ASCII as it stands.
QString DecodeInCode(std::string_view bytes, JCode code, const TDocumentChars& chars = NoDocumentChars());

// The text in code; none when a character has no form there. JIS text ends in Roman mode.
std::optional<std::string> EncodeInCode(QStringView text, JCode code, const TDocumentChars& chars);

// The code a page's bytes are in: UTF-8 when they are valid UTF-8 with a multi-byte character,
// else what detection finds; an undecided EUC-or-Shift_JIS text is taken as fallback.
JCode DetectPageCode(std::string_view bytes, JCode fallback);

} // namespace brenvik
