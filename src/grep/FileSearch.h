// One file's bytes searched as the editor would search them after opening the file: decided (or stated)
// code, decoded to Shift_JIS, the matcher run over the whole text, hits told by line and column.
#pragma once

#include "grep/GrepFile.h"
#include "grep/GrepMatcher.h"
#include "jcode/LineCodec.h"

#include <atomic>
#include <optional>
#include <string>
#include <string_view>

namespace brenvik {

enum class TGrepMode {
    gmLines, // every line with a match, with its text
    gmCount, // the number of such lines only
    gmFileNames, // whether there is one at all
};

struct TFileSearchOptions {
    std::optional<TStatedCodes> Code; // none: detected per file as the editor's open does
    bool SearchBinary = false;
    TGrepMode Mode = TGrepMode::gmLines;
};

// A file looks binary by the rule of the editor's open: a NUL byte anywhere, or first bytes that detect so.
bool LooksBinary(std::string_view bytes);

// Decodes and searches bytes; file.Path is left as given. A file the matcher's first look rules out is
// reported searched without hits, even when a NUL byte after its first bytes would have made it binary. decoded is scratch space kept between calls.
// cancel is looked at between matches.
void SearchFileBytes(std::string_view bytes, const TGrepMatcher& matcher, const TFileSearchOptions& options,
    TGrepFile& file, std::string& decoded, const std::atomic<bool>* cancel = nullptr);

} // namespace brenvik
