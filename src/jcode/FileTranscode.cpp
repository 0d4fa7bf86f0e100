// Converting a file line by line without cutting every line out: a line without a byte that starts a
// detection rule converts to itself, so runs of such lines already ended with the target terminator go
// out as they are, and only the other lines are cut out and converted.
#include "jcode/FileTranscode.h"

#include "jcode/ByteSearch.h"

#include <algorithm>
#include <cstdint>

namespace brenvik {

namespace {

// The size of the blocks handed on: large enough for few writes, small enough to stay in the cache.
constexpr std::size_t kBlockBytes = 1 << 20;

jcode_detail::TKeptBreak KeptBreak(RCode rcode)
{
    switch (rcode) {
    case rcCr:
        return jcode_detail::TKeptBreak::kbCr;
    case rcLf:
        return jcode_detail::TKeptBreak::kbLf;
    default:
        return jcode_detail::TKeptBreak::kbCrLf;
    }
}

bool IsBreak(std::uint8_t b)
{
    return b == '\r' || b == '\n';
}

} // namespace

void TranscodeFileBytes(
    std::string_view text, TLineSource source, JCode target, RCode rcode, const TBlockSink& write)
{
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    const std::size_t n = text.size();
    const std::string_view terminator = LineTerminator(rcode);
    const jcode_detail::TKeptBreak kept = KeptBreak(rcode);
    std::string out;
    out.reserve(2 * kBlockBytes);
    std::string decoded;
    // Lines that go out as they came in: short runs join the block, long ones are handed on uncopied.
    auto passOn = [&](std::string_view run) {
        if (run.size() < kBlockBytes) {
            out.append(run);
            return;
        }
        if (!out.empty()) {
            write(out);
            out.clear();
        }
        write(run);
    };
    std::size_t verbatim = 0; // start of the lines that go out as they came in
    std::size_t start = 0; // a line start
    while (start < n) {
        std::size_t stop = jcode_detail::FindRuleStartOrOtherBreak(bytes, start, n, kept);
        if (stop < n && bytes[stop] == '\n' && stop > start && bytes[stop - 1] == '\r') {
            --stop; // a CR LF where CR is kept: the line ends at the CR
        }
        const std::size_t lineStart = jcode_detail::FindLineStart(bytes, start, stop);
        if (lineStart == n) {
            break;
        }
        const bool plain = stop == n || IsBreak(bytes[stop]);
        const std::size_t end = plain ? stop : jcode_detail::FindLineBreakByte(bytes, stop, n);
        std::size_t next = std::min(end + 1, n);
        if (end < n && bytes[end] == '\r' && next < n && bytes[next] == '\n') {
            ++next;
        }
        passOn(text.substr(verbatim, lineStart - verbatim));
        const std::string_view line = text.substr(lineStart, end - lineStart);
        if (plain) {
            out.append(line);
            out.append(terminator);
        } else {
            AppendTranscodedLine(line, source, target, rcode, decoded, out);
        }
        if (out.size() >= kBlockBytes) {
            write(out);
            out.clear();
        }
        start = verbatim = next;
    }
    passOn(text.substr(verbatim));
    if (!out.empty()) {
        write(out);
    }
}

} // namespace brenvik
