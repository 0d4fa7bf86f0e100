// Voting and converting in one pass: lines without a byte that starts a detection rule neither vote
// nor change, so runs of them already ended with the target terminator are copied as one block.
#include "jcode/FileTranscode.h"

#include "jcode/ByteSearch.h"

#include <algorithm>
#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace brenvik {

namespace {

// The head of a file whose vote stands for the whole file's: scripts keep one code throughout.
constexpr std::size_t kGuessBytes = 64 * 1024;

TLineSource GuessSource(std::string_view bytes)
{
    TJCodeVote vote;
    vote.AddLinesOf(bytes.substr(0, std::min(bytes.size(), kGuessBytes)));
    return vote.Source();
}

// The image is written once, front to back, into fresh memory: faulting it in by large pages rather than
// by 4 KB ones saves a fifth of the run on a large file.
void AdviseLargePages([[maybe_unused]] std::string& buffer)
{
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    constexpr std::uintptr_t kLargePage = 2 * 1024 * 1024;
    const auto begin = reinterpret_cast<std::uintptr_t>(buffer.data());
    const std::uintptr_t first = (begin + kLargePage - 1) & ~(kLargePage - 1);
    const std::uintptr_t last = (begin + buffer.capacity()) & ~(kLargePage - 1);
    if (first < last) {
        ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE); // advice only: failure costs speed
    }
#endif
}

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

// Converts every line read as source says, and counts every line in vote.
std::string TranscodeLines(
    std::string_view text, TLineSource source, JCode target, RCode rcode, TJCodeVote& vote)
{
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    const std::size_t n = text.size();
    const std::string_view terminator = LineTerminator(rcode);
    const jcode_detail::TKeptBreak kept = KeptBreak(rcode);
    std::string out;
    out.reserve(n + n / 8 + terminator.size());
    AdviseLargePages(out);
    std::string decoded;
    std::size_t verbatim = 0; // start of the lines that go out as they came in
    std::size_t start = 0; // a line start
    while (start < n) {
        std::size_t stop = jcode_detail::FindRuleStartOrOtherBreak(bytes, start, n, kept);
        if (stop < n && bytes[stop] == '\n' && stop > start && bytes[stop - 1] == '\r') {
            --stop; // a CR LF where CR is kept: the line ends at the CR
        }
        std::size_t lineStart = stop;
        while (lineStart > start && !IsBreak(bytes[lineStart - 1])) {
            --lineStart;
        }
        if (lineStart == n) {
            break;
        }
        const bool plain = stop == n || IsBreak(bytes[stop]);
        const std::size_t end = plain ? stop : jcode_detail::FindLineBreakByte(bytes, stop, n);
        std::size_t next = std::min(end + 1, n);
        if (end < n && bytes[end] == '\r' && next < n && bytes[next] == '\n') {
            ++next;
        }
        out.append(text.substr(verbatim, lineStart - verbatim));
        const std::string_view line = text.substr(lineStart, end - lineStart);
        if (plain) {
            out.append(line);
            out.append(terminator);
        } else {
            vote.Add(line);
            AppendTranscodedLine(line, source, target, rcode, decoded, out);
        }
        start = verbatim = next;
    }
    out.append(text.substr(verbatim));
    return out;
}

} // namespace

TTranscodedFile TranscodeFileBytes(std::string_view bytes, JCode target, RCode rcode)
{
    const TLineSource guess = GuessSource(bytes);
    TJCodeVote vote;
    TTranscodedFile file {TranscodeLines(bytes, guess, target, rcode, vote), vote.Source()};
    if (file.source != guess) {
        TJCodeVote again;
        file.image = TranscodeLines(bytes, file.source, target, rcode, again);
    }
    return file;
}

} // namespace brenvik
