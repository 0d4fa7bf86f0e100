// How the peer widgets are given a script: its Shift_JIS bytes decoded to Unicode, as a Qt program hands text
// to a widget that keeps Unicode (QPlainTextEdit) or UTF-8 (the Scintilla component in its UTF-8 mode).
#pragma once

#include <QString>

namespace brenvik::bench {

// The word the searches look for: it does not occur in the generated scripts, so every search runs to the end
// (the same word bench_search uses).
inline constexpr char kAbsentWord[] = "print_footer_q";

// The file decoded from Shift_JIS; false, with a message on stderr, when it cannot be read or is not Shift_JIS.
bool ReadShiftJisFile(const QString& path, QString& text);

} // namespace brenvik::bench
