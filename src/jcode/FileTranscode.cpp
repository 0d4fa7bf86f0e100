// Converting a file line by line without cutting every line out: a line without a byte that starts a
// detection rule converts to itself, so runs of such lines already ended with the target terminator go
// out as they are, and only the other lines are cut out and converted.
#include "jcode/FileTranscode.h"

#include "jcode/BlockHandoff.h"
#include "jcode/ByteSearch.h"
#include "jcode/TextParts.h"

#include <algorithm>
#include <cstdint>
#include <span>

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

// Gathers the output into blocks, given to write or, for a later part, to the handoff; runs of unchanged
// lines longer than a block are handed on uncopied.
class TBlockWriter {
public:
    TBlockWriter(const TBlockSink& write, TBlockHandoff* handoff)
        : write_(write)
        , handoff_(handoff)
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
        if (handoff_) {
            handoff_->Give(run);
        } else {
            write_(run);
        }
    }
    void FlushFull()
    {
        if (out_.size() >= kBlockBytes) {
            Flush();
        }
    }
    void Flush()
    {
        if (out_.empty()) {
            return;
        }
        if (handoff_) {
            handoff_->Give(std::move(out_));
            out_ = handoff_->Spare();
            out_.reserve(2 * kBlockBytes);
        } else {
            write_(out_);
            out_.clear();
        }
    }

private:
    const TBlockSink& write_;
    TBlockHandoff* handoff_;
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
// out as they stand, a last line without a break gaining the terminator. text starts at byte base of the
// file the marks count in.
void TranscodeMarkedLines(std::string_view text, std::size_t base, std::span<const TLineSpan> marked,
    TLineSource source, JCode target, RCode rcode, TBlockWriter& writer)
{
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    const std::size_t n = text.size();
    std::string decoded;
    std::size_t verbatim = 0;
    for (const TLineSpan& mark : marked) {
        const std::size_t start = mark.start - base;
        const std::size_t end = mark.end - base;
        writer.PassOn(text.substr(verbatim, start - verbatim));
        AppendTranscodedLine(text.substr(start, end - start), source, target, rcode, decoded, writer.Out());
        writer.FlushFull();
        verbatim = AfterBreak(bytes, end, n);
    }
    writer.PassOn(text.substr(verbatim));
    if (verbatim < n && !IsBreak(bytes[n - 1])) {
        writer.Out().append(LineTerminator(rcode));
    }
}

// The marks of the lines within [from, to) of the file.
std::span<const TLineSpan> MarksWithin(const std::vector<TLineSpan>& marked, std::size_t from, std::size_t to)
{
    auto byStart = [](const TLineSpan& mark, std::size_t at) { return mark.start < at; };
    const auto first = std::lower_bound(marked.begin(), marked.end(), from, byStart);
    const auto last = std::lower_bound(first, marked.end(), to, byStart);
    return {first, last};
}

// Every line searched for bytes to convert and for breaks to change.
void TranscodeSearchedLines(
    std::string_view text, TLineSource source, JCode target, RCode rcode, TBlockWriter& writer)
{
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    const std::size_t n = text.size();
    const jcode_detail::TKeptBreak kept = KeptBreak(rcode);
    const std::string_view terminator = LineTerminator(rcode);
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
}

// Whole lines of a file, text starting at byte base, converted into writer.
void TranscodeLines(std::string_view text, std::size_t base, TLineSource source, JCode target, RCode rcode,
    TBlockWriter& writer, const std::vector<TLineSpan>* marked)
{
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    if (marked && jcode_detail::AllBreaksKept(bytes, text.size(), KeptBreak(rcode))) {
        TranscodeMarkedLines(
            text, base, MarksWithin(*marked, base, base + text.size()), source, target, rcode, writer);
    } else {
        TranscodeSearchedLines(text, source, target, rcode, writer);
    }
}

} // namespace

void TranscodeFileBytes(std::string_view text, TLineSource source, JCode target, RCode rcode,
    const TBlockSink& write, const std::vector<TLineSpan>* marked, std::size_t parts)
{
    // Each part is whole lines, so the parts convert side by side. The first thread writes: its own part as
    // it converts it, then the blocks of the later parts as their threads hand them over, so its own part is
    // the smaller (measured on two processors: from 0.4 to 1 the times differ less than from run to run).
    constexpr double kWriterShare = 0.7;
    const std::vector<std::size_t> bounds = TextPartBounds(text, parts, kWriterShare);
    std::vector<TBlockHandoff> handoffs(bounds.size() - 1);
    ForEachTextPart(bounds, [&](std::size_t index, std::size_t from, std::size_t to) {
        const std::string_view part = text.substr(from, to - from);
        if (index == 0) {
            TBlockWriter writer(write, nullptr);
            TranscodeLines(part, from, source, target, rcode, writer, marked);
            writer.Flush();
            for (std::size_t later = 1; later < handoffs.size(); ++later) {
                handoffs[later].WriteAll(write);
            }
            return;
        }
        struct TCloseWhenDone {
            TBlockHandoff& handoff;
            ~TCloseWhenDone() { handoff.Close(); }
        } closeWhenDone {handoffs[index]};
        TBlockWriter writer(write, &handoffs[index]);
        TranscodeLines(part, from, source, target, rcode, writer, marked);
        writer.Flush();
    });
}

} // namespace brenvik
