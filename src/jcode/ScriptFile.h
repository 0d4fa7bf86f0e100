// Reading and writing a script file exactly as the editor's open and save commands do.
#pragma once

#include "jcode/FileBytes.h"
#include "jcode/LineCodec.h"

#include <optional>
#include <span>
#include <string>

namespace brenvik {

// Splits into lines and decodes to Shift_JIS: by detection, or from the stated codes.
TDecodedText LoadScriptFile(const std::string& fileName, std::optional<TStatedCodes> stated = std::nullopt);

// Encodes every line (each followed by its terminator) and replaces the file only once all is written,
// so a failed save leaves the old file as it was.
void SaveScriptFile(
    const std::string& fileName, std::span<const std::string> lines, JCode jcode, RCode rcode);

} // namespace brenvik
