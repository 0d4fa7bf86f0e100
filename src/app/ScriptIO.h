// Reading a script file into the editor's rows and writing the rows back: the program's one
// open path and one save path.
#pragma once

#include "jcode/LineCodec.h"

#include <optional>
#include <string>

namespace brenvik {

class TEditor;

// Replaces the editor's text by the file's lines in Shift_JIS and returns the codes the file
// was read with. Throws (leaving the editor's text as it was) when the file cannot be read.
TStatedCodes ReadScriptInto(TEditor& editor, const std::string& fileName, std::optional<TStatedCodes> stated);

// Writes the editor's lines, each converted from Shift_JIS to jcode and ended by the terminator
// of rcode; the old file is replaced only when everything was written. Throws on failure.
void WriteScriptFrom(const TEditor& editor, const std::string& fileName, JCode jcode, RCode rcode);

} // namespace brenvik
