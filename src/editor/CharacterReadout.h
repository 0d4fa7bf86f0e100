// What the status bar says of the character under the caret: its bytes and its Unicode code
// point, "8A BF U+6F22". The bytes are Shift_JIS, or for a UTF-8 document the file's own UTF-8
// bytes, since a character without a Shift_JIS code is held under a code of the user-defined
// area that means nothing outside the document.
#pragma once

#include "jcode/DocumentChars.h"

#include <QString>

#include <string_view>

namespace brenvik {

class TEditor;

// The character starting at byte of row; empty at the row's end.
QString CharacterReadout(std::string_view row, int byte, const TDocumentChars& chars, bool utf8Document);
// The character under editor's caret.
QString CaretCharacterReadout(const TEditor& editor, bool utf8Document);

} // namespace brenvik
