// A whole file converted as opening it and saving it in another code would, in one pass over its bytes.
#pragma once

#include "jcode/LineCodec.h"

#include <string>
#include <string_view>

namespace brenvik {

struct TTranscodedFile {
    std::string image;
    // How the lines were read: the decision of the vote over all of the file's lines.
    TLineSource source = TLineSource::lsKeep;
};

// Every line of bytes decoded as the majority vote decides, encoded to target and ended with rcode's
// terminator: the bytes of DecideFileLoad followed by AppendTranscodedLine for each line. The vote and the
// conversion share one pass, read as the file's head votes; only when the whole file votes otherwise is
// it converted a second time.
TTranscodedFile TranscodeFileBytes(std::string_view bytes, JCode target, RCode rcode);

} // namespace brenvik
