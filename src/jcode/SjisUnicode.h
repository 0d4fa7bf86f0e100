// The one converter between the text's Shift_JIS bytes and Unicode, for every edge of the program:
// painting, the clipboard, the input method, dialogs, the explorer and printing. It reads code page
// 932's tables with the document's own characters layered on top. Bytes without a character come
// out as U+FFFD and are never changed in the text; a character without a code is refused, never
// altered.
#pragma once

#include "jcode/DocumentChars.h"

#include <QString>

#include <optional>
#include <string>
#include <string_view>

namespace brenvik {

// A table without characters of its own: code page 932 alone.
const TDocumentChars& NoDocumentChars();

// The character one code stands for (a single byte, or lead << 8 | trail); kNoChar when none.
char32_t SjisCharToUnicode(TSjisCode code, const TDocumentChars& chars = NoDocumentChars());

// A lead byte takes the next byte as its trail only when that byte can be one; otherwise the
// lead alone reads as U+FFFD and the next byte as itself.
QString SjisToUnicode(std::string_view bytes, const TDocumentChars& chars = NoDocumentChars());

// Empty when some character of the text has no Shift_JIS code, nor one of the document's own.
std::optional<std::string> UnicodeToSjis(QStringView text, const TDocumentChars& chars = NoDocumentChars());

// What the user is told when UnicodeToSjis refuses a text.
QString NoShiftJisMessage();

} // namespace brenvik
