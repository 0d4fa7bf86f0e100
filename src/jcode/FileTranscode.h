// A whole file converted as opening it and saving it in another code would, once its code is decided:
// one pass over its bytes.
#pragma once

#include "jcode/LineCodec.h"

#include <functional>
#include <string_view>
#include <vector>

namespace brenvik {

// Every line of bytes decoded as source says, encoded to target and ended with rcode's terminator: the
// bytes of AppendTranscodedLine for each line, given to write in blocks that stay in the cache
// (runs of unchanged lines longer than a block are given as they stand).
// marked, when given, holds every line with a byte that starts a detection rule (as the vote found them): the
// other lines need no search then, unless the file has breaks other than rcode's. A large file is converted
// in parts side by side (parts as TextPartBounds takes it), the blocks still given in the file's order.
void TranscodeFileBytes(std::string_view bytes, TLineSource source, JCode target, RCode rcode,
    const TBlockSink& write, const std::vector<TLineSpan>* marked = nullptr, std::size_t parts = 0);

} // namespace brenvik
