// Reading a script file into the editor's rows and writing the rows back: the program's one
// open path and one save path.
#pragma once

#include "jcode/LineCodec.h"
#include "jcode/OwnChars.h"

#include <optional>
#include <string>

namespace brenvik {

class TEditor;

// Replaces the editor's text by the file's lines in Shift_JIS, and its document characters by
// those of a UTF-8 file, and returns the codes the file was read with. Throws (leaving the
// editor's text as it was) when the file cannot be read.
TStatedCodes ReadScriptInto(TEditor& editor, const std::string& fileName, std::optional<TStatedCodes> stated);

// Writes the editor's lines, each converted from Shift_JIS to the jcode of codes (UTF-8 by the
// editor's document characters, after the mark when codes say so) and ended by the terminator of
// its rcode; the old file is replaced only when everything was written. Throws on failure.
void WriteScriptFrom(const TEditor& editor, const std::string& fileName, const TStatedCodes& codes);

// The editor's characters that only UTF-8 writes as they are (FindOwnChars).
std::optional<TOwnCharsFound> OwnCharsIn(const TEditor& editor);

} // namespace brenvik
