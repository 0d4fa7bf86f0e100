// Converting a file line by line without cutting every line out: a line without a byte that starts a
// detection rule converts to itself, so runs of such lines already ended with the target terminator go
// out as they are, and only the other lines are cut out and converted.
#include "jcode/FileTranscode.h"

#include "jcode/ByteSearch.h"

#include <algorithm>
#include <cstdint>

namespace brenvik {

namespace {

// The size of the blocks handed on: large enough for few writes, small enough to stay in the cache (and
// to spare the page faults of a larger buffer, which cost as much as the conversion of its bytes).
constexpr std::size_t kBlockBytes = 1 << 17;

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

namespace {

// Gathers the output into blocks; runs of unchanged lines longer than a block are handed on uncopied.
class TBlockWriter {
public:
    explicit TBlockWriter(const TBlockSink& write)
        : write_(write)
    {
        out_.reserve(2 * kBlockBytes);
    }
    std::string& Out() { return out_; }
    void PassOn(std::string_view run)
    {
        if (run.size() < kBlockBytes) {
            out_.append(run);
            return;
        }
        Flush();
        write_(run);
    }
    void FlushFull()
    {
        if (out_.size() >= kBlockBytes) {
            Flush();
        }
    }
    void Flush()
    {
        if (!out_.empty()) {
            write_(out_);
            out_.clear();
        }
    }

private:
    const TBlockSink& write_;
    std::string out_;
};

// The index after the break that ends at `end` (CR LF counts as one), or the text's end.
std::size_t AfterBreak(const std::uint8_t* bytes, std::size_t end, std::size_t n)
{
    std::size_t next = std::min(end + 1, n);
    if (end < n && bytes[end] == '\r' && next < n && bytes[next] == '\n') {
        ++next;
    }
    return next;
}

// The marked lines are the only ones to convert, and every break is the one kept: the runs between them go
// out as they stand, a last line without a break gaining the terminator.
void TranscodeMarkedLines(std::string_view text, const std::vector<TLineSpan>& marked, TLineSource source,
    JCode target, RCode rcode, TBlockWriter& writer)
{
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    const std::size_t n = text.size();
    std::string decoded;
    std::size_t verbatim = 0;
    for (const TLineSpan& line : marked) {
        writer.PassOn(text.substr(verbatim, line.start - verbatim));
        AppendTranscodedLine(
            text.substr(line.start, line.end - line.start), source, target, rcode, decoded, writer.Out());
        writer.FlushFull();
        verbatim = AfterBreak(bytes, line.end, n);
    }
    writer.PassOn(text.substr(verbatim));
    if (verbatim < n && !IsBreak(bytes[n - 1])) {
        writer.Out().append(LineTerminator(rcode));
    }
}

} // namespace

void TranscodeFileBytes(std::string_view text, TLineSource source, JCode target, RCode rcode,
    const TBlockSink& write, const std::vector<TLineSpan>* marked)
{
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    const std::size_t n = text.size();
    const std::string_view terminator = LineTerminator(rcode);
    const jcode_detail::TKeptBreak kept = KeptBreak(rcode);
    TBlockWriter writer(write);
    if (marked && jcode_detail::FindOtherBreak(bytes, 0, n, kept) == n) {
        TranscodeMarkedLines(text, *marked, source, target, rcode, writer);
        writer.Flush();
        return;
    }
    std::string decoded;
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
        writer.PassOn(text.substr(verbatim, lineStart - verbatim));
        const std::string_view line = text.substr(lineStart, end - lineStart);
        if (plain) {
            writer.Out().append(line);
            writer.Out().append(terminator);
        } else {
            AppendTranscodedLine(line, source, target, rcode, decoded, writer.Out());
        }
        writer.FlushFull();
        start = verbatim = AfterBreak(bytes, end, n);
    }
    writer.PassOn(text.substr(verbatim));
    writer.Flush();
}

} // namespace brenvik
